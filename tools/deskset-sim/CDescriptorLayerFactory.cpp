#include "CDescriptorLayerFactory.h"

#include <fcntl.h>

#include "CHangUpSerialLayer1.h"

std::unique_ptr<CLayer1> CDescriptorLayerFactory::CreateLayer1(int kind, const char* parameters,
                                                               void* extra) {
    if (kind != kSerialLayer1) {
        return CLayerFactory::CreateLayer1(kind, parameters, extra);
    }
    const int copy = ::fcntl(m_descriptor, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        return nullptr;
    }
    return std::make_unique<CHangUpSerialLayer1>(parameters, copy);
}
