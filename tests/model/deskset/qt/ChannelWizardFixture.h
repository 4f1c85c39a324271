// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A new database with the channel editor registered, and the steps a
// technician takes through a channel window.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/CTorvoDoc.h"
#include "app/Commands.h"
#include "app/EditorWindows.h"
#include "app/GuiTestSupport.h"
#include "model/ChannelRecord.h"
#include "model/deskset/qt/ChanCfgFV.h"
#include "model/deskset/qt/ChanWizard.h"
#include "model/deskset/qt/ChanWizardPage.h"

class ChannelWizardTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        RegisterEditors();
        m_frame->ExecuteCommand(cmd::NewDatabase);
        ProcessEvents();
    }
    void TearDown() override {
        GuiTest::TearDown();
        EditorWindows::UnregisterFactory(EditorKind::ChanCfg);
    }

    // Channel 1..4.
    ChanCfgFV* Open(int channel) {
        m_frame->Editors().OpenEditor(EditorKind::ChanCfg, channel);
        ProcessEvents();
        return View(channel);
    }
    ChanCfgFV* View(int channel) const {
        for (CEditorView* view : m_frame->Editors().OpenViews()) {
            if (view->Kind() == EditorKind::ChanCfg && view->ChannelIndex() == channel - 1) {
                return static_cast<ChanCfgFV*>(view);
            }
        }
        return nullptr;
    }
    ChanWizard& Wizard(int channel = 1) const { return *View(channel)->Wizard(); }
    template <class Page>
    Page* Current(int channel = 1) const {
        return qobject_cast<Page*>(Wizard(channel).CurrentPage());
    }
    PageCode CurrentCode(int channel = 1) const { return Wizard(channel).CurrentPage()->Code(); }

    QAbstractButton* Button(QWizard::WizardButton which, int channel = 1) const {
        return Wizard(channel).button(which);
    }
    void Next(int channel = 1) { Click(Button(QWizard::NextButton, channel)); }
    void Back(int channel = 1) { Click(Wizard(channel).BackButton()); }
    void Finish(int channel = 1) { Click(Button(QWizard::FinishButton, channel)); }
    void Cancel(int channel = 1) { Click(Button(QWizard::CancelButton, channel)); }
    void Click(QAbstractButton* button) {
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << button->text().toStdString();
        button->click();
        ProcessEvents();
    }
    // Steps forward until the page with the code is shown.
    void GoTo(PageCode code, int channel = 1) {
        for (int step = 0; step < 5 && CurrentCode(channel) != code; ++step) {
            Next(channel);
        }
        ASSERT_EQ(CurrentCode(channel), code);
    }
    // Back, Next and Finish as the current page shows them: "BN", "BF", "N".
    QString Buttons(int channel = 1) const {
        QString shown;
        const auto add = [&shown](QAbstractButton* button, QChar letter) {
            if (button->isVisible() && button->isEnabled()) {
                shown += letter;
            }
        };
        add(Wizard(channel).BackButton(), 'B');
        add(Button(QWizard::NextButton, channel), 'N');
        add(Button(QWizard::FinishButton, channel), 'F');
        return shown;
    }
    std::vector<PageCode> Sequence(int channel = 1) const {
        std::vector<PageCode> codes;
        for (ChanWizardPage* page : Wizard(channel).Pages()) {
            codes.push_back(page->Code());
        }
        return codes;
    }

    static void Choose(QComboBox* combo, const QString& entry) {
        const int index = combo->findText(entry);
        ASSERT_GE(index, 0) << entry.toStdString();
        combo->setCurrentIndex(index);
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        edit->insert(text);
    }

    static ChannelRecord Record(int channel) { return ChannelRecord(TheImage(), channel - 1); }
    static std::vector<std::uint8_t> RecordBytes(int channel) {
        const auto bytes = TheImage().Bytes();
        const std::size_t start = Record(channel).Start();
        return {bytes.begin() + start, bytes.begin() + start + layout::channel::kSize};
    }
};
