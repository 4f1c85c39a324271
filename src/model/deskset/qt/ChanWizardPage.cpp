// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/ChanWizardPage.h"

#include "app/FocusLater.h"
#include "app/Prompt.h"
#include "model/editing/qt/PageControls.h"

ChanWizardPage::ChanWizardPage(PageCode code, int channelIndex, QWidget* parent)
    : QWizardPage(parent), m_code(code), m_channelIndex(channelIndex) {}

ChannelRecord ChanWizardPage::Record() const {
    return ChannelRecord(TheImage(), static_cast<std::size_t>(m_channelIndex));
}

void ChanWizardPage::initializePage() {
    if (!m_loaded) {
        m_loaded = true;
        Load(Record());
    }
}

bool ChanWizardPage::validatePage() {
    return Validate();
}

bool ChanWizardPage::ValidateOnBack() {
    return !PageValidatesOnBack(m_code) || Validate();
}

void ChanWizardPage::WriteRecord() {
    initializePage();
    ChannelRecord record = Record();
    Write(record);
}

bool ChanWizardPage::Refuse(std::string_view message, QWidget* field) {
    ThePrompt().Warn(FromLatin1(message));
    FocusAndSelectLater(field);
    return false;
}
