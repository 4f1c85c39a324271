// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One field of a record dialog, declared once beside its editor's rules: its
// name in a field path, the dialog's label and control, the field a refusal
// focuses, and how its value goes between the editor's form and the text dump
// shows. Dump, set, apply and CSV read and fill forms through these rows, and
// the dialog builds, shows, reads and focuses its controls from them.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"

// A text edit, one that takes digits only, a drop-down list, or radio buttons.
enum class RowControl { Text, Digits, List, Radios };

// An entry of a list or a radio button: as the dialog shows it, and the value
// dump shows for it.
struct RowChoice {
    std::string shown;
    std::string value;
};

template <class Form>
struct FormRow {
    using Show = std::string (*)(const Form& form, const ConfigImage& image);
    // A refusal when the dialog could not hold the value at all.
    using Fill = std::optional<std::string> (*)(Form& form, const ConfigImage& image,
                                                std::string_view value);
    using Choices = std::vector<RowChoice> (*)(const Form& form, const ConfigImage& image);

    std::string_view name{};
    std::string_view label{};  // with its mnemonic; a radio group's title
    Show show = nullptr;
    Fill fill = nullptr;
    RowControl control = RowControl::Text;
    int field = -1;                   // the rules' Field a refusal of this row names; -1 for none
    bool number = false;              // dump writes a JSON number
    std::size_t width = 0;            // a text's characters
    std::size_t shownCharacters = 0;  // as wide as this many; 0: as wide as the dialog
    std::string (*filter)(std::string_view typed) = nullptr;  // what a text keeps as typed
    Choices choices = nullptr;                                // a list's or radios' entries
    // A list in the dialog works by position, so that entries alike in their
    // values (two records of one label, in a damaged table) stay apart.
    int (*selected)(const Form& form) = nullptr;
    void (*choose)(Form& form, int index) = nullptr;
};

// A row whose value is a text of the form, taken as it comes.
template <class Form, std::string Form::*text>
constexpr FormRow<Form> TextRow(std::string_view name, std::string_view label, int field,
                                std::size_t width,
                                std::string (*filter)(std::string_view) = nullptr) {
    return {.name = name,
            .label = label,
            .show = [](const Form& form, const ConfigImage&) { return form.*text; },
            .fill = [](Form& form, const ConfigImage&,
                       std::string_view value) -> std::optional<std::string> {
                form.*text = value;
                return std::nullopt;
            },
            .field = field,
            .width = width,
            .filter = filter};
}

// Where a dialog puts its rows: the group boxes in order (the first, untitled,
// above them), each with its rows' names in tab order.
struct RowGroup {
    std::string_view title;
    std::vector<std::string_view> rows;
};

template <class Form>
const FormRow<Form>* RowNamed(std::span<const FormRow<Form>> rows, std::string_view name) {
    for (const FormRow<Form>& row : rows) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}
