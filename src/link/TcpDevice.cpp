#include "link/TcpDevice.h"

#include <algorithm>
#include <cctype>

#include "link/SocketSupport.h"

namespace tcp_device {

bool IsTcpDevice(const std::string& device) {
    return device.starts_with(kPrefix);
}

std::string ClientParameters(const std::string& device) {
    if (!IsTcpDevice(device)) {
        return {};
    }
    const std::string rest = device.substr(std::string(kPrefix).size());
    const size_t colon = rest.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return {};
    }
    const std::string host = rest.substr(0, colon);
    int port = 0;
    if (!socket_support::ParsePort(rest.substr(colon + 1), port) || port == 0 ||
        std::any_of(host.begin(), host.end(), [](unsigned char c) { return std::isspace(c); })) {
        return {};
    }
    const std::string dotted = socket_support::RemoveLeadingZeros(host);
    in_addr address{};
    const bool isDotted = socket_support::ParseDotted(dotted, address);
    return std::string("CLIENT ") + (isDotted ? "IP " : "SN ") + host + " " + std::to_string(port);
}

}  // namespace tcp_device
