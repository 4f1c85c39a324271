// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDescriptorLayerFactory.h"

std::unique_ptr<CLayer1> CDescriptorLayerFactory::CreateLayer1(int kind, const char* parameters,
                                                               void* extra) {
    if (kind != kSerialLayer1) {
        return CLayerFactory::CreateLayer1(kind, parameters, extra);
    }
    const CSerialLayer1::LineHandle copy = CSerialLayer1::DuplicateLine(m_line);
    if (copy < 0) {
        return nullptr;
    }
    auto line = std::make_unique<CSerialLayer1>(parameters, copy);
    // The computer closing its port ends its link; the line waits for the next one.
    line->SetHangUp(CSerialLayer1::HangUp::AwaitsTheFarEnd);
    return line;
}
