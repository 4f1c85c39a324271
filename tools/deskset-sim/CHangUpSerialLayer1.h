#pragma once

#include "link/CSerialLayer1.h"

// The simulator's side of its line: when the far end hangs up (the computer
// closes its end of the pty) a read reports a line failure, which ends a link
// that is up at once instead of after the packet layer's supervision.
class CHangUpSerialLayer1 : public CSerialLayer1 {
public:
    using CSerialLayer1::CSerialLayer1;

    int Read(uint8_t* buffer, int maximum) override;
};
