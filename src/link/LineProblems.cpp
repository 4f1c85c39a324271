// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LineProblems.h"

#include <system_error>

#include "link/VcomCodes.h"

namespace line_problems {

std::string NoSuchDevice(const std::string& device) {
    return "there is no device " + device;
}

std::string PermissionDenied(const std::string& device) {
    return "permission denied to open " + device;
}

std::string InUse(const std::string& device, int holder) {
    return holder > 0 ? device + " is locked by process " + std::to_string(holder)
                      : device + " is in use by another program";
}

std::string NotSerial(const std::string& device) {
    return device + " is not a serial device";
}

std::string Failed(const std::string& device, const std::string& systemMessage) {
    return device + ": " + systemMessage;
}

std::string FromSocketStatus(const std::string& device, int code, int parameter) {
    switch (code) {
        case kStatusLookupFailed:
            return "the host of " + device + " was not found";
        case kStatusConnectFailed:
        case kStatusSocketCallFailed:
            return Failed(device, std::system_category().message(parameter));
        default:
            return {};
    }
}

}  // namespace line_problems
