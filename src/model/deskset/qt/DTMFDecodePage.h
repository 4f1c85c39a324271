// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DTMF data: minimum and maximum digits, digit duration and interdigit
// timing. The same page serves DTMF decode and DTMF selective call; only its
// title and help topic differ.

#include <array>

#include "model/deskset/DtmfForm.h"
#include "model/deskset/qt/ChanWizardPage.h"

class QComboBox;
class QLineEdit;

class DTMFDecodePage : public ChanWizardPage {
    Q_OBJECT

public:
    // code: PageCode::DtmfDecode or PageCode::DtmfSelectiveCall.
    DTMFDecodePage(PageCode code, int channelIndex, QWidget* parent = nullptr);

    QComboBox* MinDigitsList() const { return m_minDigits; }
    QComboBox* MaxDigitsList() const { return m_maxDigits; }
    QLineEdit* NumberEdit(DtmfField field) const {
        return m_numbers[static_cast<std::size_t>(field)];
    }

protected:
    void Load(const ChannelRecord& record) override;
    bool Validate() override;
    void Write(ChannelRecord& record) const override;

private:
    DtmfForm Read() const;
    void ShowDigits(const DtmfForm& form);

    QComboBox* m_minDigits;
    QComboBox* m_maxDigits;
    std::array<QLineEdit*, kDtmfNumberCount> m_numbers{};
};
