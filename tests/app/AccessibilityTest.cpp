// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears: every focusable control of every editor window
// and dialog has a name, a control with a label carries the label's text, and
// what is disabled is reported disabled. Windows are reached as a user
// reaches them, so a new editor or record dialog cannot escape the sweep.

#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWizard>

#include "app/AboutDlg.h"
#include "app/CConfigTree.h"
#include "app/CompareDlg.h"
#include "app/ConfigAreas.h"
#include "app/EditorWindows.h"
#include "app/GuiTestSupport.h"
#include "app/ShortcutsDlg.h"
#include "model/ManualPage.h"
#include "model/deskset/qt/ChanCfgFV.h"
#include "model/deskset/qt/ChanWizard.h"
#include "model/deskset/qt/DesksetButtonsCfgFV.h"
#include "model/editing/qt/ListWindow.h"
#include "model/paging/qt/MpageRequestProtDlg.h"
#include "model/paging/qt/PagingFormatDlg.h"
#include "transfer/qt/ComPortDialog.h"
#include "transfer/qt/TransferOptionsDlg.h"
#include "transfer/qt/TransferProgressDlg.h"

namespace {

QString Where(const QWidget* window, const QWidget* control) {
    return window->windowTitle() + " / " + control->metaObject()->className() + " " +
           control->objectName();
}

// A label's text as a screen reader says it: without the mnemonic marks.
QString Spoken(const QString& text) {
    QString spoken;
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k] == '&' && k + 1 < text.size()) {
            ++k;
        }
        spoken += text[k];
    }
    return spoken;
}

const QLabel* LabelOf(const QWidget* window, const QWidget* control) {
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == control) {
            return label;
        }
    }
    return nullptr;
}

// A name as a screen reader puts it in context: with the title of the group
// the control is in, which it says on entering the group.
QString InItsGroup(const QWidget* control, const QString& name) {
    for (const QWidget* up = control->parentWidget(); up; up = up->parentWidget()) {
        if (const auto* group = qobject_cast<const QGroupBox*>(up)) {
            return group->title() + " / " + name;
        }
    }
    return name;
}

// What is wrong with the focusable controls of a shown window.
QStringList Faults(const QWidget* window) {
    QStringList faults;
    QSet<QString> names;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window) || !(control->focusPolicy() & Qt::TabFocus) ||
            control->focusProxy()) {
            continue;
        }
        // A spin box's edit is announced as its spin box.
        if (qobject_cast<const QAbstractSpinBox*>(control->parentWidget())) {
            control = control->parentWidget();
        }
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
        const QString name = accessible->text(QAccessible::Name);
        if (name.isEmpty()) {
            faults << Where(window, control) + ": no name";
        } else if (names.contains(InItsGroup(control, name))) {
            faults << Where(window, control) + ": named \"" + name + "\" like another";
        }
        names.insert(InItsGroup(control, name));
        if (const QLabel* label = LabelOf(window, control);
            label && name != Spoken(label->text())) {
            faults << Where(window, control) + ": named \"" + name + "\", labelled \"" +
                          label->text() + "\"";
        }
        // A drop-down list's entry is its value and its text.
        if (const auto* combo = qobject_cast<const QComboBox*>(control);
            combo && (accessible->text(QAccessible::Value) != combo->currentText() ||
                      !accessible->textInterface() ||
                      accessible->textInterface()->text(0, 1000) != combo->currentText())) {
            faults << Where(window, control) + ": entry not its value";
        }
        if (accessible->state().disabled != !control->isEnabled()) {
            faults << Where(window, control) + ": enabled state misreported";
        }
    }
    return faults;
}

class AccessibilityTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        RegisterEditors();
        ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("four.ddb", 4)));
        ManualPage(TheImage(), 0).SetLabel("FIRE");
        m_frame->Tree().RefreshItemStates();
        m_frame->show();
    }

    // Sweeps every modal dialog that opens while action runs, then closes
    // it; the paging format chooser goes on to its first format's editor.
    void SweepDialogsOf(const std::function<void()>& action) {
        QTimer sweeper;
        sweeper.setInterval(0);
        QObject::connect(&sweeper, &QTimer::timeout, [this] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!modal || !modal->isVisible()) {
                return;
            }
            m_faults << Faults(modal);
            m_swept << modal->metaObject()->className();
            if (qobject_cast<MpageRequestProtDlg*>(modal)) {
                modal->accept();
            } else {
                modal->reject();
            }
        });
        sweeper.start();
        action();
    }
    template <class Dialog>
    void SweepShown(Dialog& dialog) {
        dialog.show();
        m_faults << Faults(&dialog);
        m_swept << dialog.metaObject()->className();
    }

    QStringList m_faults;
    QStringList m_swept;
};

}  // namespace

TEST_F(AccessibilityTest, EveryWindowAndDialogNamesItsControls) {
    m_faults << Faults(m_frame.get());
    // The toolbar's buttons take no focus but are read all the same.
    for (QToolButton* button : m_frame->findChildren<QToolButton*>()) {
        if (button->isVisibleTo(m_frame.get()) &&
            QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name).isEmpty()) {
            m_faults << Where(m_frame.get(), button) + ": no name";
        }
    }
    for (const ConfigArea& area : ConfigAreas()) {
        ASSERT_TRUE(m_frame->Editors().OpenEditor(area.kind, area.channel));
        CEditorView* view = m_frame->Editors().ActiveView();
        m_faults << Faults(view->Frame());
        if (auto* wizard = qobject_cast<ChanCfgFV*>(view)) {
            while (wizard->Wizard()->nextId() != -1 && wizard->Wizard()->validateCurrentPage()) {
                wizard->Wizard()->next();
                m_faults << Faults(view->Frame());
            }
        } else if (auto* list = qobject_cast<ListWindow*>(view)) {
            SweepDialogsOf([list] { list->Add(); });
            SweepDialogsOf([list] {
                list->SelectRow(0);
                list->Edit();
            });
        } else if (auto* buttons = qobject_cast<DesksetButtonsCfgFV*>(view)) {
            SweepDialogsOf([buttons] { buttons->EditKey(0); });
        }
        view->DestroyFrame();
    }
    for (const FormatEditor& editor : FormatEditors()) {
        PagingFormatDlg dialog(editor, std::nullopt, m_frame.get());
        SweepShown(dialog);
    }
    AboutDlg about(m_frame.get());
    SweepShown(about);
    ComPortDialog port(m_frame.get());
    SweepShown(port);
    TransferProgressDlg progress(m_frame.get());
    SweepShown(progress);
    SweepDialogsOf([this] { m_frame->ExecuteCommand(cmd::TransferOptions); });
    EXPECT_TRUE(m_swept.contains("TransferOptionsDlg"));
    const ShortcutsDlg::Table table = CMainFrame::StandardShortcuts();
    ShortcutsDlg shortcuts(table, table, m_frame.get());
    SweepShown(shortcuts);
    AssignShortcutDlg assign(table, cmd::NewDatabase, m_frame.get());
    SweepShown(assign);
    CompareDlg compare(
        {{FieldDifference::Kind::Changed, "Deskset settings", "hour_mode", "12 Hour", "24 Hour"}},
        "other.ddb", m_frame.get());
    SweepShown(compare);

    EXPECT_TRUE(m_faults.isEmpty()) << m_faults.join('\n').toStdString();
    // The record dialogs were reached through their windows.
    for (const char* dialog : {"MpageRequestProtDlg", "PagingFormatDlg", "EditSpeedPageFV",
                               "EditCustomPageFV", "ButtonConfigDlg", "EditAliasFV"}) {
        EXPECT_TRUE(m_swept.contains(dialog)) << dialog;
    }
}

TEST_F(AccessibilityTest, UnavailableTreeItemsAreReportedDisabled) {
    CConfigTree& tree = m_frame->Tree();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&tree);
    const auto disabled = [accessible](const QString& text) -> bool {
        for (int k = 0; k < accessible->childCount(); ++k) {
            if (accessible->child(k)->text(QAccessible::Name) == text) {
                return accessible->child(k)->state().disabled;
            }
        }
        ADD_FAILURE() << "no item " << text.toStdString();
        return false;
    };
    EXPECT_FALSE(disabled("Channel 4"));
    EXPECT_FALSE(disabled("Speed Paging"));
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::SpeedPageList));
    EXPECT_TRUE(disabled(area_texts::kButtons));

    ManualPage(TheImage(), 0).Free();
    TheImage().SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType),
                     layout::deskset::kTypeSingleChannel);
    tree.RefreshItemStates();
    EXPECT_TRUE(disabled("Channel 4"));
    EXPECT_TRUE(disabled("Speed Paging"));
}

namespace {

// A screen reader's press: the button is clicked even though a dialog blocks its window.
void PressBehindTheDialog(QAbstractButton* button) {
    bool clicked = false;
    const QMetaObject::Connection seen =
        QObject::connect(button, &QAbstractButton::clicked, [&clicked] { clicked = true; });
    QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(clicked);
    QObject::disconnect(seen);
}

QPushButton* ButtonNamed(const QWidget* window, const QString& text) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

}  // namespace

TEST_F(AccessibilityTest, AWindowClosedUnderItsRunningDialogStaysUntilTheDialogEnds) {
    struct Case {
        const char* what;
        EditorKind kind;
        std::function<void(CEditorView*)> runDialog;
        std::function<void(CEditorView*)> closeBehind;
    };
    const auto pressed = [](const char* text) {
        return [text](CEditorView* view) { PressBehindTheDialog(ButtonNamed(view, text)); };
    };
    const auto closeBox = [](CEditorView* view) { view->Frame()->close(); };
    const Case cases[] = {
        {"Close on PTT ID Aliases during Add", EditorKind::AliasList,
         [](CEditorView* view) { qobject_cast<ListWindow*>(view)->Add(); }, pressed("Close")},
        {"Cancel on Buttons Configuration during a key's dialog", EditorKind::DesksetButtonsCfg,
         [](CEditorView* view) { qobject_cast<DesksetButtonsCfgFV*>(view)->EditKey(0); },
         pressed("Cancel")},
        {"the close box of Custom Paging Tones during Add", EditorKind::CustomPageList,
         [](CEditorView* view) { qobject_cast<ListWindow*>(view)->Add(); }, closeBox},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(m_frame->Editors().OpenEditor(c.kind));
        CEditorView* view = m_frame->Editors().ActiveView();
        QPointer<QMdiSubWindow> frame = view->Frame();
        bool stayed = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QPointer<QDialog> running = dialog;
            c.closeBehind(view);
            ProcessEvents();
            stayed = frame && running && running->isVisible();
            if (running) {
                running->reject();
            }
        });
        c.runDialog(view);
        EXPECT_TRUE(stayed);
        ProcessEvents();
        EXPECT_TRUE(frame.isNull());
        EXPECT_FALSE(m_frame->Editors().IsEditorOpen(c.kind));
    }
}

// Behind a running dialog the main window takes no command that would end
// the window under it: Close Database, another editor, closing the program.
TEST_F(AccessibilityTest, BehindAnEditorsDialogTheMainWindowTakesNoCommand) {
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::AliasList));
    CEditorView* view = m_frame->Editors().ActiveView();
    QPointer<QMdiSubWindow> frame = view->Frame();
    bool refused = false;
    QTimer::singleShot(0, [&] {
        QPointer<QDialog> running = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_FALSE(running.isNull());
        m_frame->ExecuteCommand(cmd::CloseDatabase);
        m_frame->ExecuteCommand(ViewCommandOf(EditorKind::CustomPageList));
        m_frame->Tree().setCurrentItem(m_frame->Tree().FindItem("Custom Paging Tones"));
        QTest::keyClick(&m_frame->Tree(), Qt::Key_Return);
        m_frame->close();
        ProcessEvents();
        refused = frame && running && running->isVisible() && m_app->Document() &&
                  !m_frame->Editors().IsEditorOpen(EditorKind::CustomPageList) &&
                  m_frame->Tree().ItemState("Custom Paging Tones") == CConfigTree::kClosed &&
                  m_frame->isVisible();
        if (running) {
            running->reject();
        }
    });
    qobject_cast<ListWindow*>(view)->Add();
    EXPECT_TRUE(refused);
    EXPECT_TRUE(m_prompt->texts.isEmpty()) << "not even asked";
    m_prompt->answers = {PromptAnswer::Ok};
    m_frame->ExecuteCommand(cmd::CloseDatabase);  // once the dialog has ended
    EXPECT_EQ(m_app->Document(), nullptr);
    EXPECT_TRUE(frame.isNull());
}

TEST_F(AccessibilityTest, EveryTreeItemIsAnnouncedAsItself) {
    CConfigTree& tree = m_frame->Tree();
    // The view announces a move by the row number its own accessible tree uses;
    // a plain tree of the same items shows that numbering.
    QTreeWidget plain;
    plain.setHeaderHidden(true);
    plain.addTopLevelItem(tree.topLevelItem(0)->clone());
    QAccessibleInterface* ours = QAccessible::queryAccessibleInterface(&tree);
    QAccessibleInterface* qts = QAccessible::queryAccessibleInterface(&plain);
    for (const bool pagingExpanded : {true, false}) {
        SCOPED_TRACE(pagingExpanded ? "Paging expanded" : "Paging collapsed");
        tree.expandAll();
        plain.expandAll();
        tree.FindItem("Paging")->setExpanded(pagingExpanded);
        plain.findItems("Paging", Qt::MatchRecursive).value(0)->setExpanded(pagingExpanded);
        ASSERT_EQ(ours->childCount(), qts->childCount());
        for (int k = 1; k < qts->childCount(); ++k) {
            QAccessibleInterface* item = ours->child(k);
            ASSERT_NE(item, nullptr) << k;
            EXPECT_EQ(item->text(QAccessible::Name), qts->child(k)->text(QAccessible::Name)) << k;
            EXPECT_EQ(ours->indexOfChild(item), k);
        }
        EXPECT_EQ(ours->child(ours->childCount() - 1)->text(QAccessible::Name),
                  area_texts::kAliases);
    }
}
