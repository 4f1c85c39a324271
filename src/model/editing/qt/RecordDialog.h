// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of the modal record editors. The dialog works on its controls (the
// copy of the record) and writes the image only when OK passes the checks:
// read the form, check it, and on a refusal show the message and put the
// focus on the refused field with its text selected; otherwise write and
// close. Cancel and Escape write nothing. F1 asks for the dialog's help topic.

#include <QDialog>
#include <QString>
#include <cstddef>
#include <optional>

#include "app/Prompt.h"
#include "model/ConfigImage.h"

class QDialogButtonBox;
class QLayout;
class QPushButton;

class RecordDialog : public QDialog {
    Q_OBJECT

public:
    RecordDialog(const QString& title, int helpTopic, QWidget* parent);

    int HelpTopic() const { return m_helpTopic; }
    // The record OK wrote, where it ended up; none before a successful OK.
    std::optional<std::size_t> WrittenRecord() const { return m_written; }
    // Runs the dialog modally: the record written, none when cancelled.
    std::optional<std::size_t> Run() {
        return exec() == QDialog::Accepted ? m_written : std::nullopt;
    }

    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;

    // OK: check, then write and close, or refuse and stay open.
    void accept() override;

signals:
    void HelpRequested(int topic);

protected:
    struct Refusal {
        QString message;
        QWidget* field = nullptr;  // where the focus goes, its text selected
    };

    // Reads the controls and runs the checks in their order; the first failure, or none.
    virtual std::optional<Refusal> Check() = 0;
    // Writes the checked form into the image; returns the record's index afterwards.
    virtual std::size_t Write() = 0;

    // Puts the subclass's form above the OK and Cancel buttons.
    void SetForm(QLayout* form);
    // After a refusal's message, before the focus moves (an editor that puts
    // back a value does it here).
    virtual void AfterRefusal(const Refusal&) {}
    // How a refusal is shown; the exclamation icon unless the editor says otherwise.
    void SetRefusalIcon(PromptIcon icon) { m_refusalIcon = icon; }

    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_helpTopic;
    PromptIcon m_refusalIcon = PromptIcon::Exclamation;
    QDialogButtonBox* m_buttons;
    std::optional<std::size_t> m_written;
};

// A record dialog over a form and its rules from the model, where record is
// the index edited or none for a new record. Rules supplies the types Form
// and Field and three functions:
//   Form Load(const ConfigImage&, record)  the record's form, or a new one's
//   Validation<Field> Validate(const Form&, const ConfigImage&, record)
//   std::size_t Write(const Form&, ConfigImage&, record)  where the record went
// The subclass builds, shows and reads the form, names the control of each
// field, and ends its constructor with ShowLoaded().
template <class Rules>
class RecordDialogFor : public RecordDialog {
public:
    using Form = typename Rules::Form;
    using Field = typename Rules::Field;

    RecordDialogFor(const QString& title, int helpTopic, std::optional<std::size_t> record,
                    QWidget* parent)
        : RecordDialog(title, helpTopic, parent), m_record(record) {}

    // The record being edited, none for a new one.
    std::optional<std::size_t> Record() const { return m_record; }

    virtual Form Read() const = 0;
    virtual void Show(const Form& form) = 0;
    virtual QWidget* FieldWidget(Field field) const = 0;

protected:
    void ShowLoaded() { Show(Rules::Load(TheImage(), m_record)); }

    std::optional<Refusal> Check() override {
        const auto result = Rules::Validate(Read(), TheImage(), m_record);
        if (result.Ok()) {
            return std::nullopt;
        }
        return Refusal{QString::fromLatin1(result.message), FieldWidget(result.field)};
    }
    std::size_t Write() override { return Rules::Write(Read(), TheImage(), m_record); }

private:
    std::optional<std::size_t> m_record;
};
