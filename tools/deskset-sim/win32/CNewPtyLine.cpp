// SPDX-License-Identifier: GPL-3.0-or-later
#include "CNewPtyLine.h"

// Windows has no pseudo-terminals: the simulator serves a COM port (a null-
// modem pair, or a port mapped to a pty when run under wine) or TCP.
struct CNewPtyLine::Pty {};

CNewPtyLine::CNewPtyLine() = default;

CNewPtyLine::~CNewPtyLine() = default;

bool CNewPtyLine::Open(const std::string& /*linkPath*/, std::string& error) {
    error =
        "Windows has no pseudo-terminals: serve a COM port with --device COMn, or TCP "
        "with --tcp [HOST:]PORT";
    return false;
}

void CNewPtyLine::Close() {}

CSerialLayer1::LineHandle CNewPtyLine::Line() const {
    return nullptr;
}
