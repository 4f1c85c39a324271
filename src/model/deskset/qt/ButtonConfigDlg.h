// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog of one key: its kind, and for a kind with values the value.
// It offers only what the other keys leave free, and changes the editor's
// working copy, never the image.

#include "model/deskset/ButtonsForm.h"
#include "model/editing/qt/RecordDialog.h"

class QComboBox;
class QLabel;

class ButtonConfigDlg : public RecordDialog {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 77;

    ButtonConfigDlg(ButtonsWorkingCopy& keys, std::size_t key, QWidget* parent);

    QComboBox* KindList() const { return m_kinds; }
    QComboBox* ValueList() const { return m_values; }
    QLabel* ValueCaption() const { return m_valueCaption; }

protected:
    std::optional<Refusal> Check() override;
    std::size_t Write() override;

private:
    void FillValues(std::optional<std::uint8_t> select);
    std::optional<std::uint8_t> SelectedKind() const;
    std::optional<std::uint8_t> SelectedValue() const;

    ButtonsWorkingCopy& m_keys;
    std::size_t m_key;
    ButtonChoices m_choices;
    QComboBox* m_kinds;
    QLabel* m_valueCaption;
    QComboBox* m_values;
};
