// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls every editor's forms are made of.

#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "model/editing/qt/Latin1.h"

class ChoiceList;
class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;
struct Field;

// A catalogue field's label with its unit, as its control's label shows it.
QString FieldLabel(const Field& field);

// A drop-down list that cannot be typed into.
QComboBox* MakeList(const ChoiceList& list, QWidget* parent);
// -1 (or any index outside the list) shows no selection.
void SelectIndex(QComboBox* combo, int index);

// A text edit of at most maxLength single-byte characters.
QLineEdit* MakeTextEdit(int maxLength, QWidget* parent);
// An edit that takes digits only (0 = no length limit, as wide as a 16-bit number).
QLineEdit* MakeDigitsEdit(QWidget* parent, int maxLength = 0);
// Number fields are as wide as their longest text, not as wide as the page.
void FitWidthToCharacters(QLineEdit* edit, int characters);
// The width at which the edit shows the text in full.
int WidthForText(const QLineEdit* edit, const QString& text);
// Room for a label whose mnemonic character loses its kerning when drawn.
void FitLabelToMnemonic(QLabel* label);

// Radio buttons with the ids 0, 1, ... in the group, added to the layout.
// Tab enters the group at its checked button, so that Space there cannot
// change the choice by accident.
void AddRadios(QButtonGroup* group, QBoxLayout* layout, const QStringList& labels);
// Checks the radio button with the id; -1 unchecks them all.
void CheckRadio(QButtonGroup* group, int id);

// Tab moves through the controls in the order given: the order they are drawn.
void SetTabOrder(std::initializer_list<QWidget*> controls);

// Texts of a row of edits, alike indexed; an edit left out (none) is skipped.
template <std::size_t N>
void ShowTexts(const std::array<QLineEdit*, N>& edits, const std::array<std::string, N>& texts) {
    for (std::size_t k = 0; k < N; ++k) {
        if (edits[k]) {
            edits[k]->setText(FromLatin1(texts[k]));
        }
    }
}

template <std::size_t N>
std::array<std::string, N> ReadTexts(const std::array<QLineEdit*, N>& edits) {
    std::array<std::string, N> texts;
    for (std::size_t k = 0; k < N; ++k) {
        if (edits[k]) {
            texts[k] = ToLatin1(edits[k]->text());
        }
    }
    return texts;
}
