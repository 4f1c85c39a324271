// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wizard inside a channel window: the channel page first, then the pages
// the keying and signaling option call for. Nothing reaches the image until
// Finish, which writes every page from the last to the first.

#include <QWizard>

#include "model/deskset/PageSequence.h"

class ChanWizardPage;

class ChanWizard : public QWizard {
    Q_OBJECT

public:
    ChanWizard(int channelIndex, QWidget* parent = nullptr);

    int ChannelIndex() const { return m_channelIndex; }
    // The pages in order, the channel page first.
    QList<ChanWizardPage*> Pages() const;
    ChanWizardPage* CurrentPage() const;
    ChanWizardPage* FindPage(PageCode code) const;
    QAbstractButton* BackButton() const { return button(QWizard::CustomButton1); }

    // Drops every page after the channel page, unsaved edits and all, and
    // appends the pages for the keying and signaling option.
    void RebuildPages(int keying, int option);

    // "Channel 1 Configuration" or "Channel 1 Configuration - DC Signaling Plan".
    QString CurrentTitle() const;
    int CurrentHelpTopic() const;

    // Back: leaves a page whose checks refuse it in place.
    void GoBack();

signals:
    void PageActivated();
    // Finish wrote the channel record.
    void Finished();
    void Cancelled();
    // Ctrl+Tab: the next editor window, not the next control.
    void NextWindowRequested();

protected:
    void done(int result) override;

private:
    ChanWizardPage* CreatePage(PageCode code);
    void AddPage(PageCode code);
    void OnPageChanged();

    int m_channelIndex;
    QSize m_pageSize;
};
