// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A paging format editor's working values and rules: loading a record (or
// the defaults of a new one), the checks on OK in the dialog's order, the
// cut of a duration above its maximum, writing, and the list's delete rules.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"
#include "model/editing/FieldMessages.h"
#include "model/editing/Validation.h"
#include "model/paging/DurationText.h"
#include "model/paging/PagingFormats.h"

// The value of one parameter, by the parameter's kind.
struct ParameterValue {
    std::string text;  // a duration as typed
    int index = -1;    // a list or the pulse standard tone: -1 no selection; a check box: 0 or 1
};

struct ManualPageForm {
    const FormatEditor* editor = nullptr;
    std::optional<std::size_t> record;  // none for a new record
    std::string label;
    std::vector<ParameterValue> values;  // by the editor's parameters
};

// The field a refusal focuses: the label, or a parameter by its position in
// the editor's row.
inline constexpr int kLabelField = -1;
using PagingField = int;

inline constexpr std::string_view kEmptyLabelMessage = "You must enter a label name.";
inline constexpr std::string_view kUsedBySpeedPageMessage =
    "Warning : This format is used by at least one speed page.\n\n"
    "You can't delete it while it is used by a speed page.\n"
    "You will have to delete all speed pages using this format\n"
    "in order to be able to delete it.";
inline constexpr std::string_view kUsedByButtonMessage =
    "Warning : This manual page is associated with a button.\n\n"
    "You can't delete it while it is associated with a button.\n"
    "You will have to remove the button association in order\n"
    "to be able to delete this format.";

// A new record's form: an empty label and every parameter at its default.
ManualPageForm NewManualPage(const FormatEditor& editor);
ManualPageForm LoadManualPage(const FormatEditor& editor, ConfigImage& image, std::size_t record);

// The field checks, label first, then the parameters in the dialog's order.
Validation<PagingField> ValidateFields(const ManualPageForm& form);
// The field checks, then an empty label, then a label another record holds.
Validation<PagingField> ValidateManualPage(const ManualPageForm& form, const ConfigImage& image);

// After the text of duration parameter changed: the field checks run as on
// OK, and a value above the maximum is replaced by the maximum. The window
// shows the message (if any) and, when cut, shows the form again and selects
// the parameter's text.
struct DurationEdit {
    Validation<PagingField> validation;
    bool cut = false;
};
DurationEdit EditDuration(ManualPageForm& form, std::size_t parameter);

// Writes a validated form: the edited record or else the lowest free slot;
// only the label, the base format and the format's own parameters. Returns
// the record written, none when a new record finds no free slot.
std::optional<std::size_t> WriteManualPage(const ManualPageForm& form, ConfigImage& image);

// Why a paging format may not be deleted: the speed pages are asked first,
// then the Manual Page keys. None when it may go.
std::optional<std::string_view> DeleteRefusal(const ConfigImage& image, std::size_t record);
// Frees the record: the label's first byte and the base format become 0.
void FreeManualPage(ConfigImage& image, std::size_t record);
