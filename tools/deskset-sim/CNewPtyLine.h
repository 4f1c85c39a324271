// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "link/CSerialLayer1.h"

// The line the simulator makes for itself when it is given no device: a new
// pseudo-terminal, with a symbolic link to it when asked for. Only POSIX
// systems have them; elsewhere Open says to name a port instead.
class CNewPtyLine {
public:
    CNewPtyLine();
    CNewPtyLine(const CNewPtyLine&) = delete;
    CNewPtyLine& operator=(const CNewPtyLine&) = delete;
    ~CNewPtyLine();

    // Makes the line (and the link, replacing an old link of that name);
    // false with the reason otherwise.
    bool Open(const std::string& linkPath, std::string& error);
    // Closes the line and removes the link.
    void Close();
    // The path the computer opens.
    const std::string& Path() const { return m_path; }
    // The simulator's end, kept by this object.
    CSerialLayer1::LineHandle Line() const;

private:
    struct Pty;  // the platform's own
    std::unique_ptr<Pty> m_pty;
    std::string m_path;
    std::string m_madeLinkPath;
};
