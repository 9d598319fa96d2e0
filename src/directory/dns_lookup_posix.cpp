// dns_lookup_posix.cpp - the service records through the resolver library, read by ReadServiceAnswer.
#include "directory/dns_lookup.h"

#include <arpa/nameser.h>
#include <netdb.h>
#include <netinet/in.h>
#include <resolv.h>

#include <memory>

std::optional<std::vector<ServiceRecord>> LookUpServiceRecords(const std::string& name, std::string& failure)
{
    // A resolver state of this lookup's own, read afresh from the system's configuration: safe
    // beside other searches, and a changed configuration counts at once.
    // (the type's name is also that of a function: it is named as a struct)
    using ResolverState = struct __res_state;
    const auto state = std::make_unique<ResolverState>();
    if (res_ninit(state.get()) != 0) {
        failure = "the resolver could not be set up";
        return std::nullopt;
    }
    std::string answer(65535, '\0');
    const int length = res_nquery(state.get(), name.c_str(), ns_c_in, ns_t_srv,
                                  reinterpret_cast<unsigned char*>(answer.data()), static_cast<int>(answer.size()));
    const int error = state->res_h_errno;
    res_nclose(state.get());
    if (length < 0) {
        failure = error == HOST_NOT_FOUND || error == NO_DATA ? "no such records" : hstrerror(error);
        return std::nullopt;
    }
    answer.resize(static_cast<std::size_t>(length));
    std::optional<std::vector<ServiceRecord>> records = ReadServiceAnswer(answer);
    if (!records) {
        failure = "a malformed DNS answer";
    } else if (records->empty()) {
        failure = "no such records";
        return std::nullopt;
    }
    return records;
}
