// dns_lookup_win.cpp - the service records through the system's DNS client.
#include "directory/dns_lookup.h"

#include <windows.h>
#include <windns.h>

std::optional<std::vector<ServiceRecord>> LookUpServiceRecords(const std::string& name, std::string& failure)
{
    PDNS_RECORDA first = nullptr;
    const DNS_STATUS status = DnsQuery_A(name.c_str(), DNS_TYPE_SRV, DNS_QUERY_STANDARD, nullptr,
                                         reinterpret_cast<PDNS_RECORD*>(&first), nullptr);
    if (status != 0 || first == nullptr) {
        failure = status == DNS_ERROR_RCODE_NAME_ERROR || status == DNS_INFO_NO_RECORDS
                      ? std::string("no such records")
                      : "DNS error " + std::to_string(status);
        return std::nullopt;
    }
    std::vector<ServiceRecord> records;
    for (PDNS_RECORDA record = first; record != nullptr; record = record->pNext) {
        if (record->wType != DNS_TYPE_SRV || record->Flags.S.Section != DnsSectionAnswer ||
            record->Data.SRV.pNameTarget == nullptr) {
            continue;
        }
        std::string target = record->Data.SRV.pNameTarget;
        if (!target.empty() && target.back() == '.') {
            target.pop_back();
        }
        if (!target.empty()) {
            records.push_back(
                ServiceRecord{record->Data.SRV.wPriority, record->Data.SRV.wWeight, record->Data.SRV.wPort, target});
        }
    }
    DnsRecordListFree(reinterpret_cast<PDNS_RECORD>(first), DnsFreeRecordList);
    if (records.empty()) {
        failure = "no such records";
        return std::nullopt;
    }
    return records;
}
