// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/ButtonConfigDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/PageControls.h"

ButtonConfigDlg::ButtonConfigDlg(ButtonsWorkingCopy& keys, std::size_t key, QWidget* parent)
    : RecordDialog(QStringLiteral("Button Configuration"), kHelpTopic, parent),
      m_keys(keys),
      m_key(key),
      m_choices(TheImage(), keys.Entries(), key) {
    m_kinds = new QComboBox(this);
    m_values = new QComboBox(this);
    // The values change with the kind: the list grows to show the longest in full.
    m_values->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* kindCaption = new QLabel("Button &type :", this);
    kindCaption->setBuddy(m_kinds);
    m_valueCaption = new QLabel("Function &label :", this);
    m_valueCaption->setBuddy(m_values);

    auto* form = new QGridLayout;
    form->addWidget(kindCaption, 0, 0);
    form->addWidget(m_kinds, 0, 1);
    form->addWidget(m_valueCaption, 1, 0);
    form->addWidget(m_values, 1, 1);
    SetForm(form);
    SetTabOrder({m_kinds, m_values, OkButton(), CancelButton()});

    const ButtonEntry current = keys.Entry(key);
    for (const KindChoice& kind : m_choices.Kinds()) {
        m_kinds->addItem(FromLatin1(kind.name), kind.kind);
    }
    m_kinds->setCurrentIndex(m_kinds->findData(current.kind));
    FillValues(current.value);
    connect(m_kinds, &QComboBox::currentIndexChanged, this, [this] { FillValues(std::nullopt); });
    m_kinds->setFocus();
}

std::optional<std::uint8_t> ButtonConfigDlg::SelectedKind() const {
    const QVariant kind = m_kinds->currentData();
    return kind.isValid() ? std::optional(static_cast<std::uint8_t>(kind.toUInt())) : std::nullopt;
}

std::optional<std::uint8_t> ButtonConfigDlg::SelectedValue() const {
    const QVariant value = m_values->isVisibleTo(this) ? m_values->currentData() : QVariant();
    return value.isValid() ? std::optional(static_cast<std::uint8_t>(value.toUInt()))
                           : std::nullopt;
}

void ButtonConfigDlg::FillValues(std::optional<std::uint8_t> select) {
    m_values->clear();
    const std::optional<std::uint8_t> kind = SelectedKind();
    const ::ValueList list = kind ? m_choices.Values(*kind) : ::ValueList{};
    m_values->setVisible(list.shown);
    m_valueCaption->setVisible(list.shown);
    for (const ValueChoice& value : list.values) {
        m_values->addItem(FromLatin1(value.text), value.value);
    }
    if (list.shown && list.values.empty()) {
        m_values->addItem(FromLatin1(kNoFunctionLabel));
    }
    const int selected = select ? m_values->findData(*select) : -1;
    m_values->setCurrentIndex(selected >= 0 ? selected : 0);
}

std::optional<RecordDialog::Refusal> ButtonConfigDlg::Check() {
    const std::optional<std::uint8_t> kind = SelectedKind();
    if (kind && !m_choices.Chosen(*kind, SelectedValue())) {
        return Refusal{FromLatin1(kNoFunctionLabel), m_values};
    }
    return std::nullopt;
}

std::size_t ButtonConfigDlg::Write() {
    // With no kind selected (a kind the program does not know) the key stays as it was.
    if (const std::optional<std::uint8_t> kind = SelectedKind()) {
        m_keys.Change(m_key, *m_choices.Chosen(*kind, SelectedValue()));
    }
    return m_key;
}
