#pragma once
// The editor windows of the paging formats, speed paging and custom paging tones.

#include <vector>

#include "app/RegisterEditors.h"

std::vector<EditorRegistration> PagingEditors();
