#pragma once

// Registers the factory of every editor window with the window registry.
void RegisterEditors();
