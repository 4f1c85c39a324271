// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A PTT ID alias as its editor works on it, and the rules of the alias table:
// the checks on OK in their order, the write that keeps the table sorted by
// label, and the delete that keeps it compact.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"
#include "model/editing/FieldMessages.h"
#include "model/editing/FormRow.h"
#include "model/editing/Validation.h"

// The radio buttons' ids.
enum class AliasProtocol { Mdc1200 = 0, Dtmf = 1 };

struct AliasForm {
    std::string label;
    std::string pttId;
    AliasProtocol protocol = AliasProtocol::Mdc1200;
};

enum class AliasField { Label, PttId };

inline constexpr std::string_view kDtmfPttIdMessage =
    "You must enter a valid PTT ID before continuing.\n"
    "Valid characters are 0 to 9, A to D, * and # for DTMF.";
inline constexpr std::string_view kMdcPttIdMessage =
    "You must enter a valid PTT ID before continuing.\n"
    "4 characters are required for MDC 1200.\n"
    "Valid characters are 0 to 9 and A to F for MDC 1200.";
inline constexpr std::string_view kDuplicatePttIdMessage = "This PTT ID already exists.";
// The list offers Add only while a record is free; this guards every other caller.
inline constexpr std::string_view kAliasTableFullMessage =
    "Every PTT ID alias record is in use: delete an alias first.";

// A PTT ID as the edit shows it while it is typed: letters in upper case.
std::string FilterPttId(std::string_view text);
bool ValidPttId(std::string_view id, AliasProtocol protocol);

// The rules of the alias editor, for RecordDialogFor; record is the alias
// edited, none for a new one.
struct AliasRules {
    using Form = AliasForm;
    using Field = AliasField;

    // The dialog's fields, in the order dump and CSV give them, and where the
    // dialog puts them.
    static std::span<const FormRow<Form>> Rows();
    static const std::vector<RowGroup>& Layout();

    // A new alias is an MDC 1200 unit with empty texts. Any protocol code
    // but 0 is read as DTMF.
    static Form Load(ConfigImage& image, std::optional<std::size_t> record);
    static Validation<Field> Validate(const Form& form, const ConfigImage& image,
                                      std::optional<std::size_t> record);
    // Writes a validated form into the edited record, or a new one into the
    // lowest free record, then moves it to its sorted place. Returns where it
    // went. A new alias finds a free record, as the list offers Add only
    // while one is; without one nothing is written and the table's record
    // count comes back.
    static std::size_t Write(const Form& form, ConfigImage& image,
                             std::optional<std::size_t> record);
    // Frees the record and closes the gap behind it.
    static void Delete(ConfigImage& image, std::size_t record);
};
