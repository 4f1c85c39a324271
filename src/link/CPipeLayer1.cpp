// What the named pipe does alike on every platform: reading the parameter
// text. The pipe itself is in src/platform/<platform>/link/CPipeLayer1.cpp.
#include "link/CPipeLayer1.h"

#include <cstdio>
#include <cstring>

CPipeLayer1::Parameters CPipeLayer1::ParseParameters(const char* text) {
    Parameters parsed;
    if (text == nullptr) {
        return parsed;
    }
    char role[256] = {};
    char name[256] = {};
    if (std::sscanf(text, "%255s %255s", role, name) != 2) {
        return parsed;
    }
    if (std::strcmp(role, "SERVER") == 0) {
        parsed.role = Role::kServer;
    } else if (std::strcmp(role, "CLIENT") == 0) {
        parsed.role = Role::kClient;
    }
    if (parsed.role != Role::kNone && std::strncmp(name, "\\\\", 2) == 0) {
        parsed.name = name;
    }
    return parsed;
}
