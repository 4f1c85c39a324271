// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The talk permit tone: time out, frequency, number of beeps, beep and pause
// durations and post time.

#include <array>

#include "model/deskset/TalkPermitToneForm.h"
#include "model/deskset/qt/ChanWizardPage.h"

class QLineEdit;

class CChanTalkPermitTone : public ChanWizardPage {
    Q_OBJECT

public:
    explicit CChanTalkPermitTone(int channelIndex, QWidget* parent = nullptr);

    QLineEdit* NumberEdit(TalkPermitField field) const {
        return m_numbers[static_cast<std::size_t>(field)];
    }

protected:
    void Load(const ChannelRecord& record) override;
    bool Validate() override;
    void Write(ChannelRecord& record) const override;

private:
    TalkPermitToneForm Read() const;

    std::array<QLineEdit*, kTalkPermitFieldCount> m_numbers{};
};
