// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of the channel wizard's pages: each loads its fields from the channel
// record the first time it is shown, checks them when the wizard asks, and
// writes them into the record on Finish. A refused check shows its message
// and puts the focus on the field once the message box has closed.

#include <QWizardPage>
#include <string_view>

#include "model/ChannelRecord.h"
#include "model/deskset/PageSequence.h"
#include "model/editing/Validation.h"

class ChanWizardPage : public QWizardPage {
    Q_OBJECT

public:
    ChanWizardPage(PageCode code, int channelIndex, QWidget* parent = nullptr);

    PageCode Code() const { return m_code; }
    int ChannelIndex() const { return m_channelIndex; }
    bool IsLoaded() const { return m_loaded; }

    // Loads the controls the first time only: edits live until Finish.
    void initializePage() override;
    // Next and Finish.
    bool validatePage() override;
    // Back: pages that check on Back as well.
    bool ValidateOnBack();
    // Reads the controls back and writes the page's fields into the channel record.
    void WriteRecord();

protected:
    virtual void Load(const ChannelRecord& record) = 0;
    virtual bool Validate() { return true; }
    virtual void Write(ChannelRecord& record) const = 0;

    ChannelRecord Record() const;

    // Shows the first refused check and focuses its field; false when refused.
    template <class Field, class FieldWidget>
    bool Passes(const Validation<Field>& result, FieldWidget fieldWidget) {
        return result.Ok() || Refuse(result.message, fieldWidget(result.field));
    }
    bool Refuse(std::string_view message, QWidget* field);

private:
    PageCode m_code;
    int m_channelIndex;
    bool m_loaded = false;
};
