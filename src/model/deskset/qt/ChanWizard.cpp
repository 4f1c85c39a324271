// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/ChanWizard.h"

#include <QAbstractButton>
#include <QShortcut>
#include <algorithm>
#include <memory>

#include "model/deskset/qt/CChanTalkPermitTone.h"
#include "model/deskset/qt/ChanConfigPage.h"
#include "model/deskset/qt/DTMFDecodePage.h"
#include "model/deskset/qt/SignalingPlanDCPage.h"
#include "model/deskset/qt/SignalingPlanT1Page.h"
#include "model/deskset/qt/SignalingPlanT2Page.h"
#include "model/deskset/qt/StatAlertPage.h"
#include "model/editing/qt/PageControls.h"

namespace {

constexpr PageCode kAllPages[] = {PageCode::Channel,           PageCode::TonePlan1,
                                  PageCode::TonePlan2,         PageCode::DcPlan,
                                  PageCode::StatAlert,         PageCode::DtmfDecode,
                                  PageCode::DtmfSelectiveCall, PageCode::TalkPermitTone};

}  // namespace

ChanWizard::ChanWizard(int channelIndex, QWidget* parent)
    : QWizard(parent), m_channelIndex(channelIndex) {
    // The wizard lays itself out when its style changes. A hidden wizard keeps
    // the layout it had before its pages were added, so the classic style is
    // set last, once the pages are there: the window can then take its size
    // before it shows.
    setWizardStyle(QWizard::ModernStyle);
    // A page of the channel window, not a dialog of its own.
    setWindowFlags(Qt::Widget);
    // Back is ours, so that pages can refuse it; there is no Help button and
    // Cancel takes its place.
    setOptions(QWizard::IndependentPages | QWizard::HaveCustomButton1);
    setButtonText(QWizard::CustomButton1, tr("< &Back"));
    setButtonLayout({QWizard::Stretch, QWizard::CustomButton1, QWizard::NextButton,
                     QWizard::FinishButton, QWizard::CancelButton});
    connect(this, &QWizard::customButtonClicked, this, [this](int which) {
        if (which == QWizard::CustomButton1) {
            GoBack();
        }
    });
    connect(this, &QWizard::currentIdChanged, this, &ChanWizard::OnPageChanged);

    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, &ChanWizard::NextWindowRequested);
    }

    // Every page gets the room of the largest, so that the window keeps its
    // size whichever pages the keying and option call for.
    for (const PageCode code : kAllPages) {
        const std::unique_ptr<ChanWizardPage> page(CreatePage(code));
        m_pageSize = m_pageSize.expandedTo(page->sizeHint());
    }
    AddPage(PageCode::Channel);
    setStartId(0);
    // Shows the channel page, which loads and builds the rest of the page list.
    restart();
    setWizardStyle(QWizard::ClassicStyle);
}

void ChanWizard::AddPage(PageCode code) {
    ChanWizardPage* added = CreatePage(code);
    added->setMinimumSize(m_pageSize);
    if (auto* channelPage = qobject_cast<ChanConfigPage*>(added)) {
        connect(channelPage, &ChanConfigPage::PageSequenceChanged, this, &ChanWizard::RebuildPages);
    }
    addPage(added);
}

ChanWizardPage* ChanWizard::CreatePage(PageCode code) {
    switch (code) {
        case PageCode::TonePlan1:
            return new SignalingPlanT1Page(m_channelIndex);
        case PageCode::TonePlan2:
            return new SignalingPlanT2Page(m_channelIndex);
        case PageCode::DcPlan:
            return new SignalingPlanDCPage(m_channelIndex);
        case PageCode::StatAlert:
            return new StatAlertPage(m_channelIndex);
        case PageCode::DtmfDecode:
        case PageCode::DtmfSelectiveCall:
            return new DTMFDecodePage(code, m_channelIndex);
        case PageCode::TalkPermitTone:
            return new CChanTalkPermitTone(m_channelIndex);
        case PageCode::Channel:
        case PageCode::End:
            break;
    }
    return new ChanConfigPage(m_channelIndex);
}

QList<ChanWizardPage*> ChanWizard::Pages() const {
    QList<ChanWizardPage*> pages;
    for (const int id : pageIds()) {
        pages << qobject_cast<ChanWizardPage*>(page(id));
    }
    return pages;
}

ChanWizardPage* ChanWizard::CurrentPage() const {
    return qobject_cast<ChanWizardPage*>(currentPage());
}

ChanWizardPage* ChanWizard::FindPage(PageCode code) const {
    const QList<ChanWizardPage*> pages = Pages();
    const auto it = std::find_if(pages.begin(), pages.end(),
                                 [code](ChanWizardPage* page) { return page->Code() == code; });
    return it == pages.end() ? nullptr : *it;
}

void ChanWizard::RebuildPages(int keying, int option) {
    QList<int> dropped = pageIds();
    dropped.removeOne(startId());
    // The new pages go in before the old ones go: removing a page is what has
    // the wizard look again at what follows the current page (Next or Finish).
    for (const PageCode code : PagesAfterChannelPage(keying, option)) {
        AddPage(code);
    }
    for (const int id : dropped) {
        QWizardPage* old = page(id);
        removePage(id);
        delete old;
    }
}

QString ChanWizard::CurrentTitle() const {
    const QString title = QString("Channel %1 Configuration").arg(m_channelIndex + 1);
    const ChanWizardPage* current = CurrentPage();
    if (!current || current->Code() == PageCode::Channel) {
        return title;
    }
    return title + " - " + FromLatin1(PageTitleSuffix(current->Code()));
}

int ChanWizard::CurrentHelpTopic() const {
    const ChanWizardPage* current = CurrentPage();
    return PageHelpTopic(current ? current->Code() : PageCode::Channel);
}

void ChanWizard::OnPageChanged() {
    BackButton()->setEnabled(currentId() != startId());
    emit PageActivated();
}

void ChanWizard::GoBack() {
    ChanWizardPage* current = CurrentPage();
    if (!current || currentId() == startId() || !current->ValidateOnBack()) {
        return;
    }
    back();
}

void ChanWizard::done(int result) {
    if (result == QDialog::Rejected) {
        emit Cancelled();
        return;
    }
    if (!validateCurrentPage()) {
        return;
    }
    QList<ChanWizardPage*> pages = Pages();
    std::reverse(pages.begin(), pages.end());
    for (ChanWizardPage* page : pages) {
        page->WriteRecord();
    }
    emit Finished();
}
