// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A custom paging tone editor's working values and rules: loading a tone (or
// a new tone's defaults), what typing into each field does, the checks on OK
// in the dialog's order, and writing, renumbering included. A tone's number
// is its record index.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"
#include "model/editing/Field.h"
#include "model/editing/FormRow.h"
#include "model/editing/Validation.h"

// The dialog's fields, in the order they are drawn and checked.
enum class CustomToneField {
    Number,
    InhibitDelay,
    FirstTone,
    FirstToneDuration,
    IntertoneDelay,
    SecondTone,
    SecondToneDuration,
};
inline constexpr std::size_t kCustomToneFieldCount = 7;

// The texts of the fields, as typed.
struct CustomToneForm {
    std::array<std::string, kCustomToneFieldCount> texts;

    std::string& operator[](CustomToneField field) {
        return texts[static_cast<std::size_t>(field)];
    }
    const std::string& operator[](CustomToneField field) const {
        return texts[static_cast<std::size_t>(field)];
    }
};

inline constexpr std::string_view kToneNumberNotANumberMessage = "Please enter a positive integer.";
inline constexpr std::string_view kToneNumberRangeMessage =
    "Please enter an integer between 0 and 99.";
inline constexpr std::string_view kToneRangeMessage =
    "Enter a numeric value between 200.0 and 3400.0.";
inline constexpr std::string_view kToneNumberTakenMessage =
    "This custom paging format number already exists.";

inline constexpr long kToneMinTenths = 2000;   // 200.0 Hz
inline constexpr long kToneMaxTenths = 34000;  // 3400.0 Hz

// The number the dialog opens with: the tone's own, or for a new tone the
// lowest free one (empty when every record is in use).
std::string OpenedToneNumber(const ConfigImage& image, std::optional<std::size_t> record);
// The tone's form, or a new tone's defaults (all blank with no free record).
CustomToneForm LoadCustomTone(ConfigImage& image, std::optional<std::size_t> record);

// The checks of the number and duration fields, in the dialog's order.
Validation<CustomToneField> ValidateToneFields(const CustomToneForm& form);

// A refusal on OK may also replace the refused field's text.
struct CustomToneValidation : Validation<CustomToneField> {
    std::optional<std::string> putBack;
};
// The field checks, then each tone's range (first tone first), then a number
// another tone already has.
CustomToneValidation ValidateCustomTone(const CustomToneForm& form, const ConfigImage& image,
                                        std::optional<std::size_t> record);

// Writes a validated form into the record of its number; a renumbered tone
// frees its old record first. Returns the record written.
std::size_t WriteCustomTone(const CustomToneForm& form, ConfigImage& image,
                            std::optional<std::size_t> record);

// What a change of a field's text leads to. The window shows the field
// checks' message, then the field's own message, then the field's new text,
// and places the caret.
struct CustomToneEdit {
    enum class Caret { Keep, SelectAll, AtEnd };

    Validation<CustomToneField> validation;
    std::string_view message;
    bool changed = false;  // the field's text was replaced
    Caret caret = Caret::Keep;
};
CustomToneEdit EditCustomToneField(CustomToneForm& form, CustomToneField field,
                                   const ConfigImage& image, std::optional<std::size_t> record);

// The rules as the record dialog base takes them.
struct CustomToneRules {
    using Form = CustomToneForm;
    using Field = CustomToneField;

    // The dialog's fields, each a text as typed, in the order dump and CSV
    // give them, and where the dialog puts them.
    static std::span<const FormRow<Form>> Rows();
    static const std::vector<RowGroup>& Layout();

    static Form Load(ConfigImage& image, std::optional<std::size_t> record) {
        return LoadCustomTone(image, record);
    }
    static CustomToneValidation Validate(const Form& form, const ConfigImage& image,
                                         std::optional<std::size_t> record) {
        return ValidateCustomTone(form, image, record);
    }
    static std::size_t Write(const Form& form, ConfigImage& image,
                             std::optional<std::size_t> record) {
        return WriteCustomTone(form, image, record);
    }
};
