// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/posix/CPseudoTerminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

namespace {

void MakeRaw(int descriptor) {
    termios options{};
    if (::tcgetattr(descriptor, &options) == 0) {
        ::cfmakeraw(&options);
        options.c_cc[VMIN] = 0;
        options.c_cc[VTIME] = 0;
        ::tcsetattr(descriptor, TCSANOW, &options);
    }
}

}  // namespace

CPseudoTerminal::~CPseudoTerminal() {
    Close();
}

bool CPseudoTerminal::Open() {
    Close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) {
        return false;
    }
    char name[128];
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        ::ptsname_r(m_master, name, sizeof(name)) != 0) {
        Close();
        return false;
    }
    m_slavePath = name;
    m_slaveKeeper = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slaveKeeper < 0) {
        Close();
        return false;
    }
    MakeRaw(m_slaveKeeper);
    MakeRaw(m_master);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    return true;
}

void CPseudoTerminal::ReleaseSlave() {
    if (m_slaveKeeper >= 0) {
        ::close(m_slaveKeeper);
        m_slaveKeeper = -1;
    }
}

void CPseudoTerminal::Close() {
    ReleaseSlave();
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
    m_slavePath.clear();
}

int CPseudoTerminal::DuplicateMaster() const {
    return m_master < 0 ? -1 : ::fcntl(m_master, F_DUPFD_CLOEXEC, 0);
}
