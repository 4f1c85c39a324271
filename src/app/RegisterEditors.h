#pragma once
// Every editor window of the program, listed once: each subsystem contributes
// its own editors, and the registry gets them all from here.

#include <vector>

#include "app/EditorWindows.h"

struct EditorRegistration {
    EditorKind kind;
    EditorWindows::Factory factory;
};

// The editors of every subsystem.
std::vector<EditorRegistration> AllEditors();

// Registers the factory of every editor window with the window registry.
void RegisterEditors();
