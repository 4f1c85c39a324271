#pragma once
// The editor windows of the paging formats, speed paging and custom paging tones.

#include <vector>

#include "config/RegisterEditors.h"

std::vector<EditorRegistration> PagingEditors();
