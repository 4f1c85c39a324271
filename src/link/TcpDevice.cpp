// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/TcpDevice.h"

#include <algorithm>
#include <cctype>

#include "link/SocketSupport.h"

namespace tcp_device {

namespace {

// The client text, or why there is none.
std::string Parse(const std::string& device, std::string& parameters) {
    if (!IsTcpDevice(device)) {
        return "it does not begin with tcp:";
    }
    std::string host;
    std::string portText;
    std::string problem =
        socket_support::SplitHostPort(device.substr(std::string(kPrefix).size()), host, portText);
    if (!problem.empty()) {
        return problem;
    }
    int port = 0;
    if (!socket_support::ParsePort(portText, port) || port == 0) {
        return "PORT must be a number from 1 to 65535";
    }
    if (std::any_of(host.begin(), host.end(), [](unsigned char c) { return std::isspace(c); })) {
        return "the host may not contain blanks";
    }
    const bool ipv6 = host.find(':') != std::string::npos;
    socket_support::SocketAddress address;
    const bool numeric =
        ipv6 || socket_support::ParseNumeric(socket_support::RemoveLeadingZeros(host), 0, address);
    parameters =
        std::string("CLIENT ") + (numeric ? "IP " : "SN ") + host + " " + std::to_string(port);
    return {};
}

}  // namespace

bool IsTcpDevice(const std::string& device) {
    return device.starts_with(kPrefix);
}

std::string Problem(const std::string& device) {
    std::string parameters;
    return Parse(device, parameters);
}

std::string ClientParameters(const std::string& device) {
    std::string parameters;
    return Parse(device, parameters).empty() ? parameters : std::string();
}

}  // namespace tcp_device
