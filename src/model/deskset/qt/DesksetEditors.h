#pragma once
// The editor windows of the deskset settings, the channels and the PTT ID aliases.

#include <vector>

#include "app/RegisterEditors.h"

std::vector<EditorRegistration> DesksetEditors();
