// SPDX-License-Identifier: GPL-3.0-or-later
// The form-window base: the order of OK's steps and what a refusal or an
// abandoned write leaves behind.

#include <gmock/gmock.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/CTorvoDoc.h"
#include "app/Commands.h"
#include "app/GuiTestSupport.h"
#include "model/editing/qt/FormWindow.h"

using ::testing::ElementsAre;

namespace {

// One edit that must hold digits; the write may be told to back out.
class OneFieldWindow : public FormWindow {
public:
    OneFieldWindow(const EditorContext& context, MarkModified mark)
        : FormWindow(context, mark), m_edit(new QLineEdit(this)) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_edit);
        layout->addWidget(Buttons());
    }

    QLineEdit* Edit() const { return m_edit; }
    using FormWindow::CancelButton;
    using FormWindow::OkButton;

    bool writeSucceeds = true;
    int writes = 0;
    bool modifiedAtWrite = false;

protected:
    std::optional<Refusal> Check() const override {
        bool digits = false;
        m_edit->text().toUInt(&digits);
        if (!digits) {
            return Refusal{"Please enter a number.", m_edit};
        }
        return std::nullopt;
    }
    bool Write() override {
        ++writes;
        modifiedAtWrite = Document().IsModified();
        return writeSucceeds;
    }

private:
    QLineEdit* m_edit;
};

class FormWindowTest : public GuiTest {
protected:
    void TearDown() override {
        EditorWindows::UnregisterFactory(EditorKind::AliasList);
        GuiTest::TearDown();
    }

    // On a new database the first time, on the same one after.
    OneFieldWindow* Open(FormWindow::MarkModified mark) {
        EditorWindows::RegisterFactory(EditorKind::AliasList, [mark](const EditorContext& context) {
            return new OneFieldWindow(context, mark);
        });
        if (!m_app->Document()) {
            m_frame->ExecuteCommand(cmd::NewDatabase);
        }
        EXPECT_TRUE(m_frame->Editors().OpenEditor(EditorKind::AliasList));
        return static_cast<OneFieldWindow*>(m_frame->Editors().ActiveView());
    }
    bool IsOpen() { return m_frame->Editors().IsEditorOpen(EditorKind::AliasList); }
};

}  // namespace

TEST_F(FormWindowTest, ARefusalFocusesItsFieldWithTheTextSelectedAndWritesNothing) {
    OneFieldWindow* window = Open(FormWindow::MarkModified::AfterWrite);
    EXPECT_EQ(window->OkButton()->text(), "OK");
    EXPECT_EQ(window->CancelButton()->text(), "Cancel");
    window->Edit()->setText("12a");
    window->CancelButton()->setFocus();
    window->OkButton()->click();
    ProcessEvents();
    EXPECT_THAT(m_prompt->texts, ElementsAre("Please enter a number."));
    EXPECT_EQ(window->writes, 0);
    EXPECT_FALSE(m_app->Document()->IsModified());
    EXPECT_TRUE(IsOpen());
    // The window's focus, whether or not the window system has made it active yet.
    EXPECT_EQ(window->Edit()->window()->focusWidget(), window->Edit());
    EXPECT_EQ(window->Edit()->selectedText(), "12a");

    window->Edit()->setText("12");
    window->OkButton()->click();
    // Read before the events run: the close deletes the window.
    EXPECT_EQ(window->writes, 1);
    EXPECT_FALSE(window->modifiedAtWrite);  // marked only once written
    ProcessEvents();
    EXPECT_TRUE(m_app->Document()->IsModified());
    EXPECT_FALSE(IsOpen());
}

TEST_F(FormWindowTest, AnAbandonedWriteKeepsTheWindowOpen) {
    OneFieldWindow* window = Open(FormWindow::MarkModified::AfterWrite);
    window->Edit()->setText("12");
    window->writeSucceeds = false;
    window->Ok();
    ProcessEvents();
    EXPECT_TRUE(IsOpen());
    EXPECT_FALSE(m_app->Document()->IsModified());
    window->Cancel();
    ProcessEvents();
    EXPECT_FALSE(IsOpen());

    // Marked before the write, the document stays marked when the write backs out.
    window = Open(FormWindow::MarkModified::BeforeWrite);
    window->Edit()->setText("12");
    window->writeSucceeds = false;
    window->Ok();
    ProcessEvents();
    EXPECT_TRUE(window->modifiedAtWrite);
    EXPECT_TRUE(m_app->Document()->IsModified());
    EXPECT_TRUE(IsOpen());

    EXPECT_EQ(window->writes, 1);
    window->Cancel();
    ProcessEvents();
    EXPECT_FALSE(IsOpen());
}
