// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ThreadPriority.h"

#include <windows.h>

#include <string>

void ApplyCurrentThreadPriority(int level) {
    // A level Windows does not know leaves the thread as it is.
    (void)::SetThreadPriority(::GetCurrentThread(), level);
}

void NameCurrentThread(const char* name) {
    // Thread descriptions exist from Windows 10 1607; look the call up so that
    // older systems simply go without.
    using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const auto setDescription = kernel ? reinterpret_cast<SetDescription>(reinterpret_cast<void*>(
                                             ::GetProcAddress(kernel, "SetThreadDescription")))
                                       : nullptr;
    if (setDescription != nullptr) {
        const std::string narrow(name);
        const std::wstring wide(narrow.begin(), narrow.end());
        setDescription(::GetCurrentThread(), wide.c_str());
    }
}
