// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CSharedMemoryLayer1.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <thread>

#include "link/VcomTrace.h"

namespace {

// A creator sizes the block right after creating it; an opener that finds it
// still empty waits this long before taking it for one left half made.
constexpr auto kSizeWait = std::chrono::milliseconds(200);
constexpr int kOpenAttempts = 3;

bool IsAllowedInName(unsigned char c) {
    return c > 0x20 && c < 0x7F && c != '/' && c != '%';
}

// The block's size, waiting a little for a creator that has not set it yet.
off_t SizeOnceSet(int descriptor) {
    const auto deadline = std::chrono::steady_clock::now() + kSizeWait;
    while (true) {
        struct stat status {};
        if (::fstat(descriptor, &status) != 0) {
            return 0;
        }
        if (status.st_size != 0 || std::chrono::steady_clock::now() >= deadline) {
            return status.st_size;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

// Creates the block or opens the existing one, telling which; the
// descriptor, or -1.
int CreateOrOpen(const std::string& name, bool& creator) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        int descriptor = ::shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (descriptor >= 0) {
            // Lock before sizing: an opener that sees the size also sees the lock.
            if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0 ||
                ::ftruncate(descriptor, CSharedMemoryLayer1::kBlockSize) != 0) {
                ::shm_unlink(name.c_str());
                ::close(descriptor);
                return -1;
            }
            creator = true;
            return descriptor;
        }
        if (errno != EEXIST) {
            return -1;
        }
        descriptor = ::shm_open(name.c_str(), O_RDWR | O_CLOEXEC, 0);
        if (descriptor < 0) {
            if (errno == ENOENT) {
                continue;  // its creator closed it in the meantime
            }
            return -1;
        }
        // Another user's block is neither joined nor replaced, whatever its mode.
        struct stat status {};
        if (::fstat(descriptor, &status) != 0 || status.st_uid != ::geteuid()) {
            VcomTrace("(CSharedMemoryLayer1::Open)  error: the block belongs to another user\n");
            ::close(descriptor);
            return -1;
        }
        // The creator locks before it sizes the block: once it has a size,
        // a block nobody holds the lock on was left by a creator that ended
        // without closing.
        const off_t size = SizeOnceSet(descriptor);
        if (::flock(descriptor, LOCK_SH | LOCK_NB) != 0) {
            if (size == CSharedMemoryLayer1::kBlockSize) {
                creator = false;
                return descriptor;
            }
            VcomTrace("(CSharedMemoryLayer1::Open)  error: the block has another size\n");
            ::close(descriptor);
            return -1;
        }
        VcomTrace("(CSharedMemoryLayer1::Open)  replacing a block its creator left behind\n");
        ::shm_unlink(name.c_str());
        ::close(descriptor);
    }
    return -1;
}

}  // namespace

struct CSharedMemoryLayer1::PlatformState {
    int descriptor = -1;  // kept by the creator: it holds the lock
};

CSharedMemoryLayer1::CSharedMemoryLayer1(const char* parameters,
                                         std::chrono::milliseconds busyBound)
    : m_name(ObjectName(parameters)),
      m_busyBound(busyBound),
      m_os(std::make_unique<PlatformState>()) {}

CSharedMemoryLayer1::~CSharedMemoryLayer1() {
    Close();
}

std::string CSharedMemoryLayer1::ObjectName(const char* parameters) {
    std::string name = "/VCOM_MMF_";
    for (const char* c = parameters != nullptr ? parameters : ""; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (IsAllowedInName(byte)) {
            name += *c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            name += escaped;
        }
    }
    return name;
}

int CSharedMemoryLayer1::Open() {
    if (IsOpen()) {
        Close();
    }
    const int descriptor = CreateOrOpen(m_name, m_creator);
    if (descriptor < 0) {
        VcomTrace("(CSharedMemoryLayer1::Open)  error: the shared memory cannot be opened\n");
        return -1;
    }
    void* block = ::mmap(nullptr, kBlockSize, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    if (block == MAP_FAILED) {
        if (m_creator) {
            ::shm_unlink(m_name.c_str());
        }
        ::close(descriptor);
        m_creator = false;
        return -1;
    }
    if (m_creator) {
        m_os->descriptor = descriptor;
    } else {
        ::close(descriptor);
    }
    // A new object reads as zeros: the creator's block starts cleared without
    // writing over what a quick opener may already have put in.
    AttachRings(static_cast<uint8_t*>(block));
    return 0;
}

int CSharedMemoryLayer1::Close() {
    DetachRings();
    if (m_block != nullptr) {
        ::munmap(m_block, kBlockSize);
        m_block = nullptr;
    }
    if (m_creator) {
        ::shm_unlink(m_name.c_str());
        m_creator = false;
    }
    if (m_os->descriptor >= 0) {
        ::close(m_os->descriptor);  // also lets go of the lock
        m_os->descriptor = -1;
    }
    return 0;
}
