// relay_tool.cpp - corvane-relay: a NetworkRelay as a program of its own, for the benchmarks and
// scripts that put a network path between a client and a directory server.
//
//   corvane-relay --listen-port-file FILE --target HOST:PORT [--piece BYTES] [--gap-us MICROSECONDS]
//   corvane-relay --listen-port-file FILE --target HOST:PORT --domain-controller VALUES:PAGE
//
// Listens on 127.0.0.1 on a free port, writes the port to FILE once it listens, and relays until
// it is ended by a signal. Defaults: pieces of 1400 bytes, 1000 microseconds apart. With
// --domain-controller it passes whole messages instead and answers as a domain controller does
// (DomainControllerRelay): at most VALUES values of an attribute at once, as ranges, and pages of
// at most PAGE entries (a domain controller's defaults: 1500:1000).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "domain_controller_relay.h"
#include "network_relay.h"

namespace {

int Usage()
{
    std::fputs(
        "usage: corvane-relay --listen-port-file FILE --target HOST:PORT [--piece BYTES] [--gap-us MICROSECONDS]\n"
        "       corvane-relay --listen-port-file FILE --target HOST:PORT --domain-controller VALUES:PAGE\n",
        stderr);
    return 2;
}

/// A whole number from minimum up, or -1.
long Number(const std::string& text, long minimum)
{
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return (text.empty() || *end != '\0' || value < minimum) ? -1 : value;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string portFile;
    std::string target;
    NetworkRelay::Pace pace;
    std::optional<DomainControllerRelay::Limits> controller;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--listen-port-file") {
            portFile = value;
        } else if (option == "--target") {
            target = value;
        } else if (option == "--piece" && Number(value, 1) > 0) {
            pace.pieceBytes = static_cast<std::size_t>(Number(value, 1));
        } else if (option == "--gap-us" && Number(value, 0) >= 0) {
            pace.gap = std::chrono::microseconds(Number(value, 0));
        } else if (const std::size_t colon = value.find(':');
                   option == "--domain-controller" && colon != std::string::npos &&
                   Number(value.substr(0, colon), 1) > 0 && Number(value.substr(colon + 1), 1) > 0) {
            controller = DomainControllerRelay::Limits{static_cast<std::size_t>(Number(value.substr(0, colon), 1)),
                                                       static_cast<std::size_t>(Number(value.substr(colon + 1), 1))};
        } else {
            return Usage();
        }
    }
    const std::size_t colon = target.rfind(':');
    const long targetPort = colon == std::string::npos ? -1 : Number(target.substr(colon + 1), 1);
    if (argc % 2 == 0 || portFile.empty() || targetPort < 1 || targetPort > 65535) {
        return Usage();
    }
    // One of the two relays, as the options ask.
    std::optional<NetworkRelay> paced;
    std::optional<DomainControllerRelay> answering;
    int port = 0;
    if (controller) {
        port = answering.emplace(target.substr(0, colon), static_cast<int>(targetPort), *controller).Port();
    } else {
        port = paced.emplace(target.substr(0, colon), static_cast<int>(targetPort), pace).Port();
    }
    if (port == 0) {
        std::fputs("corvane-relay: cannot listen on 127.0.0.1\n", stderr);
        return 1;
    }
    // Written whole under another name first, so that a reader never sees half a port.
    const std::string partial = portFile + ".partial";
    std::ofstream(partial, std::ios::binary) << port << "\n";
    if (std::rename(partial.c_str(), portFile.c_str()) != 0) {
        std::fprintf(stderr, "corvane-relay: cannot write %s\n", portFile.c_str());
        return 1;
    }
    for (;;) {
        std::this_thread::sleep_for(std::chrono::hours(1));
    }
}
