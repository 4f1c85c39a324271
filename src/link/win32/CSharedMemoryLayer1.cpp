// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CSharedMemoryLayer1.h"

#include <windows.h>

#include "link/VcomTrace.h"

struct CSharedMemoryLayer1::PlatformState {
    HANDLE mapping = nullptr;  // while open
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
    return std::string("VCOM_MMF_") + (parameters != nullptr ? parameters : "");
}

int CSharedMemoryLayer1::Open() {
    if (IsOpen()) {
        Close();
    }
    // Default security: the mapping is this user's. A new mapping backed by
    // the paging file reads as zeros, so the creator's block starts cleared
    // without writing over what a quick opener may already have put in.
    // One call creates the mapping or opens the one already there, and says
    // which: unlike OpenFileMapping followed by CreateFileMapping, there is
    // no moment in which both sides could take themselves for the creator.
    const HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                kBlockSize, m_name.c_str());
    if (mapping == nullptr) {
        VcomTrace("(CSharedMemoryLayer1::Open)  error: the shared memory cannot be opened\n");
        return -1;
    }
    const bool creator = ::GetLastError() != ERROR_ALREADY_EXISTS;
    // An existing mapping smaller than the block cannot be mapped at this size.
    void* block = ::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, kBlockSize);
    if (block == nullptr) {
        VcomTrace("(CSharedMemoryLayer1::Open)  error: the block has another size\n");
        ::CloseHandle(mapping);
        return -1;
    }
    m_os->mapping = mapping;
    m_creator = creator;
    AttachRings(static_cast<uint8_t*>(block));
    return 0;
}

int CSharedMemoryLayer1::Close() {
    DetachRings();
    if (m_block != nullptr) {
        ::UnmapViewOfFile(m_block);
        m_block = nullptr;
    }
    if (m_os->mapping != nullptr) {
        // The last handle anywhere takes the mapping with it.
        ::CloseHandle(m_os->mapping);
        m_os->mapping = nullptr;
    }
    m_creator = false;
    return 0;
}
