#pragma once
// The controls the channel wizard's pages are made of, and how their values
// cross into the image's single-byte texts.

#include <QString>
#include <string>
#include <string_view>

class ChoiceList;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

// Texts in the image are Latin-1.
qsizetype SingleBytePrefixLength(const QString& text);
// The text up to its first character without a single-byte form.
std::string ToLatin1(const QString& text);
QString FromLatin1(std::string_view text);

// A drop-down list that cannot be typed into.
QComboBox* MakeList(const ChoiceList& list, QWidget* parent);
// -1 (or any index outside the list) shows no selection.
void SelectIndex(QComboBox* combo, int index);

// A text edit of at most maxLength single-byte characters.
QLineEdit* MakeTextEdit(int maxLength, QWidget* parent);
// An edit that takes digits only (0 = no length limit).
QLineEdit* MakeDigitsEdit(QWidget* parent, int maxLength = 0);

// Checks the radio button with the id; -1 unchecks them all.
void CheckRadio(QButtonGroup* group, int id);
