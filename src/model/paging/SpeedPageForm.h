// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A speed page editor's working values and rules: the paging formats it may
// be sent with, the digit sequence each base format accepts, the checks on
// OK in the dialog's order, and the writes that keep the table sorted and
// compact with the Speed Page keys following their records.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"
#include "model/editing/FieldMessages.h"
#include "model/editing/FormRow.h"
#include "model/editing/Validation.h"

// What a base format's digit sequence may hold.
struct DigitRule {
    std::size_t minLength;
    std::size_t maxLength;
    std::string_view allowed;
    std::string_view message;  // when the sequence breaks the rule

    bool Accepts(std::string_view digits) const;
};
// The rule of a stored base format code; codes without a rule of their own
// take the four hexadecimal characters of the signalling tones.
const DigitRule& DigitRuleOf(std::uint8_t baseFormat);

// One entry of the paging format list: a paging format in use, in record order.
struct PagingFormatChoice {
    std::size_t record;
    std::uint8_t baseFormat;
    std::string text;  // "label (base format name)"
};
std::vector<PagingFormatChoice> PagingFormatChoices(const ConfigImage& image);
// The text a speed page list shows for the paging format of record; a
// speed page may name a format that is free or outside the table.
std::string PagingFormatText(const ConfigImage& image, std::uint8_t record);

struct SpeedPageForm {
    std::vector<PagingFormatChoice> formats;  // the list, as the dialog opened
    std::string label;
    int format = -1;  // position in formats; -1 none selected
    std::string digits;
};

enum class SpeedPageField { Label, Format, Digits };

inline constexpr std::string_view kNoPagingFormatMessage =
    "A speed page is sent with a paging format, and none is defined.\n"
    "Add a paging format first.";
inline constexpr std::string_view kChooseFormatMessage =
    "Please choose the paging format to send this speed page with.";
// The list offers Add only while a record is free; this guards every other caller.
inline constexpr std::string_view kTableFullMessage =
    "Every speed page record is in use: delete a speed page first.";
inline constexpr std::string_view kSpeedPageUsedByButtonMessage =
    "Warning : This speed page is associated with a button.\n\n"
    "You can't delete it while it is associated with a button.\n"
    "You will have to remove the button association in order\n"
    "to be able to delete this format.";

struct SpeedPageRules {
    using Form = SpeedPageForm;
    using Field = SpeedPageField;

    // The dialog's fields, the paging format by its label, in the order dump
    // and CSV give them, and where the dialog puts them.
    static std::span<const FormRow<Form>> Rows();
    static const std::vector<RowGroup>& Layout();

    // A new speed page's form selects the first paging format. A stored
    // paging format that is not in the list selects nothing.
    static Form Load(const ConfigImage& image, std::optional<std::size_t> record);
    static Validation<Field> Validate(const Form& form, const ConfigImage& image,
                                      std::optional<std::size_t> record);
    // Writes the edited record, or a new one into the first free record, then
    // moves it into its sorted place; the keys follow. Returns where it went.
    static std::size_t Write(const Form& form, ConfigImage& image,
                             std::optional<std::size_t> record);
};

// Why a speed page may not be deleted (a key uses it); none when it may go.
std::optional<std::string_view> SpeedPageDeleteRefusal(const ConfigImage& image,
                                                       std::size_t record);
// Frees the record and closes the gap; the keys follow.
void DeleteSpeedPage(ConfigImage& image, std::size_t record);
