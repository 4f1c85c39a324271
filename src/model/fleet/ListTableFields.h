// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The paging formats, the speed pages, the PTT ID aliases and the custom
// paging tones by the fields their dialogs show. A record's fields are read through its editor's
// form, and written by filling that form as a user fills the dialog, so the
// editor's own checks and write apply: labels unique, the table sorted and
// compact, a tone renumbered. Dump, set, apply and CSV all go through here.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/ConfigImage.h"
#include "model/editing/ListTables.h"
#include "model/fleet/DatabaseField.h"

enum class ListTable { PagingFormats, SpeedPages, Aliases, CustomTones };
inline constexpr ListTable kListTables[] = {ListTable::PagingFormats, ListTable::SpeedPages,
                                            ListTable::Aliases, ListTable::CustomTones};

struct ListTableInfo {
    std::string_view path;     // in a field path: "speed_pages"
    std::string_view csvName;  // on the command line: "speed-pages"
    const TableLayout* layout;
};
const ListTableInfo& InfoOf(ListTable table);

// The fields of a record, in the order dump lists them and CSV has its columns.
// A paging format has the fields of its base format's parameters; here are
// those of every base format, each once.
std::vector<std::string> FieldNamesOf(ListTable table);

// A record's fields as dump shows them; each path is the field's name alone.
std::vector<DatabaseField> RecordFields(const ConfigImage& image, ListTable table,
                                        std::size_t record);

using FieldValues = std::vector<std::pair<std::string, std::string>>;  // name, value

// Fills the form of record (none: a new record) with values as a user fills
// the dialog, then checks and writes it as OK does. Returns the editor's
// refusal, or the record the values went to (it may have moved). A paging
// format's slot and base format are chosen when it is added: a new one takes
// both from values (the lowest free slot when none is given), and an existing
// one keeps them. An empty parameter value leaves the parameter as the dialog
// opened (a CSV row has the columns of every base format).
struct RecordWrite {
    std::string refusal;
    std::size_t record = 0;
};
RecordWrite WriteRecordFields(ConfigImage& image, ListTable table,
                              std::optional<std::size_t> record, const FieldValues& values);
