// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A pseudo-terminal pair for standing in for a serial cable: the master side
// is used by whoever plays the far end (the deskset simulator, a line
// emulator, a test), the slave path is opened like any serial device.
//
// The object keeps a descriptor of the slave open itself, set to raw mode: a
// master whose slave is closed reports a hang-up on every poll, and a slave in
// the default cooked mode would echo the far end's bytes back to it.
class CPseudoTerminal {
public:
    CPseudoTerminal() = default;
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;
    ~CPseudoTerminal();

    bool Open();  // false when the system has no pty to give
    void Close();
    // Stops holding the slave open (its raw mode stays). From then on the
    // master reports a hang-up whenever nobody else has the slave open, so
    // the master's user sees the far end close its port.
    void ReleaseSlave();
    bool IsOpen() const { return m_master >= 0; }
    int MasterDescriptor() const { return m_master; }
    // A new descriptor of the master side (close-on-exec), or -1.
    int DuplicateMaster() const;
    const std::string& SlavePath() const { return m_slavePath; }

private:
    int m_master = -1;
    int m_slaveKeeper = -1;
    std::string m_slavePath;
};
