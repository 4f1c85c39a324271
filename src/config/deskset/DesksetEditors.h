#pragma once
// The editor windows of the deskset settings, the channels and the PTT ID aliases.

#include <vector>

#include "config/RegisterEditors.h"

std::vector<EditorRegistration> DesksetEditors();
