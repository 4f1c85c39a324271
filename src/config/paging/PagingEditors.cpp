#include "config/paging/PagingEditors.h"

std::vector<EditorRegistration> PagingEditors() {
    // The paging editors come next; until then their tree items open nothing.
    return {};
}
