// SPDX-License-Identifier: GPL-3.0-or-later
// The controls the editors are built from: filtered edits, the single-byte
// validator, the range spin edit and radio groups without a choice.

#include <gmock/gmock.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

#include "model/editing/CharFilter.h"
#include "model/editing/ChoiceList.h"
#include "model/editing/qt/FilteredEdit.h"
#include "model/editing/qt/PageControls.h"
#include "model/editing/qt/RangeSpinEdit.h"

namespace {

// Upper-case hexadecimal digits, as a RAC is typed.
std::string HexDigits(std::string_view text) {
    return CutAtFirstOutside(ToUpperAscii(text), charsets::kHex);
}

}  // namespace

TEST(PageControlsTest, FilteredEditCutsAndPutsTheCaretBack) {
    FilteredEdit edit(4, HexDigits);
    edit.setText("12");
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, "g");  // "1g2" becomes "1"
    EXPECT_EQ(edit.text(), "1");
    EXPECT_EQ(edit.cursorPosition(), 1);

    edit.setText("abcd");
    EXPECT_EQ(edit.text(), "ABCD");
    edit.setText("A1B2");
    edit.setSelection(1, 2);
    edit.insert("x");  // "AxB2"... cut at x
    EXPECT_EQ(edit.text(), "A");

    QTest::keyClicks(&edit, "f00");
    EXPECT_EQ(edit.text(), "AF00");
    QTest::keyClicks(&edit, "1");  // at most four characters
    EXPECT_EQ(edit.text(), "AF00");

    edit.setText(QString::fromUtf8("1\u20AC2"));  // no single-byte form: cut there
    EXPECT_EQ(edit.text(), "1");
}

TEST(PageControlsTest, TextsCrossAsLatin1) {
    EXPECT_EQ(ToLatin1(QString::fromUtf8("Caf\u00E9")), "Caf\xE9");
    EXPECT_EQ(ToLatin1(QString::fromUtf8("ab\u03A9cd")), "ab");
    // The last single-byte character and the first without a single-byte form.
    EXPECT_EQ(ToLatin1(QString(QChar(0x00FF)) + "x"), "\xFFx");
    EXPECT_EQ(ToLatin1(QString("a") + QChar(0x0100) + "x"), "a");
    EXPECT_EQ(FromLatin1("Caf\xE9"), QString::fromUtf8("Caf\u00E9"));

    QLineEdit* digits = MakeDigitsEdit(nullptr, 5);
    QTest::keyClicks(digits, "1a2-3 4567");
    EXPECT_EQ(digits->text(), "12345");
    delete digits;
}

TEST(PageControlsTest, RangeSpinEditStepsWithinItsRangeButTakesAnyNumber) {
    RangeSpinEdit spin(0, 60);
    spin.SetText("");
    QTest::keyClicks(&spin, "6x1");
    EXPECT_EQ(spin.text(), "61");  // refused later by the page's checks
    spin.stepBy(1);
    EXPECT_EQ(spin.text(), "60");
    spin.stepBy(-70);
    EXPECT_EQ(spin.text(), "0");
    spin.SetText("");
    spin.stepBy(3);
    EXPECT_EQ(spin.text(), "3");
}

TEST(PageControlsTest, ListsAndRadiosShowNoChoiceForUnknownCodes) {
    const ChoiceList entries({"A", "B"});
    QComboBox* list = MakeList(entries, nullptr);
    SelectIndex(list, 1);
    EXPECT_EQ(list->currentText(), "B");
    SelectIndex(list, 2);
    EXPECT_EQ(list->currentIndex(), -1);
    delete list;

    QWidget box;
    QButtonGroup group;
    auto* first = new QRadioButton(&box);
    auto* second = new QRadioButton(&box);
    group.addButton(first, 0);
    group.addButton(second, 1);
    CheckRadio(&group, 1);
    EXPECT_TRUE(second->isChecked());
    CheckRadio(&group, 7);
    EXPECT_EQ(group.checkedId(), -1);
    CheckRadio(&group, 0);
    EXPECT_TRUE(first->isChecked());
    EXPECT_FALSE(second->isChecked());
}
