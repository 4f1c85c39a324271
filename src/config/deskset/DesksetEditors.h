#pragma once
// The editor windows of the deskset settings and the channels.

#include <vector>

#include "config/RegisterEditors.h"

std::vector<EditorRegistration> DesksetEditors();
