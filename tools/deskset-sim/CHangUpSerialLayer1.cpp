#include "CHangUpSerialLayer1.h"

int CHangUpSerialLayer1::Read(uint8_t* buffer, int maximum) {
    // Whatever arrived before the hang-up is read first.
    const int count = CSerialLayer1::Read(buffer, maximum);
    if (count == 0 && HasHungUp()) {
        return -1;
    }
    return count;
}
