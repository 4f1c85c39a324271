// SPDX-License-Identifier: GPL-3.0-or-later
#include "CNewPtyLine.h"

#include <sys/stat.h>
#include <unistd.h>

#include "link/posix/CPseudoTerminal.h"

struct CNewPtyLine::Pty : CPseudoTerminal {};

CNewPtyLine::CNewPtyLine() : m_pty(std::make_unique<Pty>()) {}

CNewPtyLine::~CNewPtyLine() {
    Close();
}

bool CNewPtyLine::Open(const std::string& linkPath, std::string& error) {
    if (!m_pty->Open()) {
        error = "cannot create a pseudo-terminal";
        return false;
    }
    m_path = m_pty->SlavePath();
    if (!linkPath.empty()) {
        struct stat info {};
        if (::lstat(linkPath.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
            ::unlink(linkPath.c_str());
        }
        if (::symlink(m_path.c_str(), linkPath.c_str()) != 0) {
            error = "cannot make the link " + linkPath;
            m_pty->Close();
            return false;
        }
        m_madeLinkPath = linkPath;
    }
    // The computer closing its port then hangs the line up, which the link
    // notices at once.
    m_pty->ReleaseSlave();
    return true;
}

void CNewPtyLine::Close() {
    m_pty->Close();
    if (!m_madeLinkPath.empty()) {
        ::unlink(m_madeLinkPath.c_str());
        m_madeLinkPath.clear();
    }
}

CSerialLayer1::LineHandle CNewPtyLine::Line() const {
    return m_pty->MasterDescriptor();
}
