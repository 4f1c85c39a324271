// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a document for apply: it never crashes, a refused document
// changes nothing, and what an accepted one made applies to itself as no
// change: its own dump, applied again, leaves every byte as it is.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FieldJson.h"
#include "FuzzSupport.h"
#include "JsonValue.h"
#include "model/ImageDefaults.h"
#include "model/fleet/DatabaseFields.h"

namespace {

// The document's changes applied to image; false when refused.
bool Apply(ConfigImage& image, std::string_view text) {
    std::string error;
    const JsonValue document = JsonValue::Parse(text, error);
    if (!error.empty()) {
        return false;
    }
    std::vector<std::string> refusals;
    const DatabaseChanges changes = ChangesOfJson(document, refusals);
    return refusals.empty() && ApplyChanges(image, changes).empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ConfigImage before;
    SetImageDefaults(before);
    ConfigImage applied = before;
    if (!Apply(applied, text)) {
        FUZZ_CHECK(applied == before, "a refused document changed the database");
        return 0;
    }
    FUZZ_CHECK(applied.Text(layout::kHeader, layout::kHeaderLength) ==
                   before.Text(layout::kHeader, layout::kHeaderLength),
               "apply wrote the header");
    const std::string dump = FieldsAsJson(DatabaseFields(applied)).ToJson();
    ConfigImage again = applied;
    FUZZ_CHECK(Apply(again, dump), "a database's own dump is refused");
    FUZZ_CHECK(again == applied, "a database's own dump changes it");
    return 0;
}
