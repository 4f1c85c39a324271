// SPDX-License-Identifier: GPL-3.0-or-later
// The list-window and record-dialog bases, proved by a small alias list over
// the image's PTT ID alias table and driven as a user drives them.

#include <gmock/gmock.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

#include "app/CTorvoDoc.h"
#include "app/Commands.h"
#include "app/GuiTestSupport.h"
#include "app/HelpWindow.h"
#include "model/editing/RecordTableEdit.h"
#include "model/editing/qt/ListWindow.h"
#include "model/editing/qt/RecordDialog.h"

using ::testing::ElementsAre;

namespace {

constexpr char kFillAll[] = "All the fields must be filled out before you can continue.";
constexpr char kTaken[] = "This label already exists.";
constexpr char kLocked[] = "LOCKED is in use elsewhere.";

// The model half: a form, its checks in order and its write.
struct AliasRules {
    struct Form {
        std::string label;
        std::string pttId;
    };
    enum class Field { Label, PttId };
    struct Result {
        std::string message;
        Field field{};
        bool Ok() const { return message.empty(); }
    };

    static RecordTable Table(const ConfigImage& image) {
        return RecordTable(image, list_tables::kAliases);
    }
    static RecordTableEdit Table(ConfigImage& image) {
        return RecordTableEdit(image, list_tables::kAliases);
    }
    static Form Load(const ConfigImage& image, std::optional<std::size_t> record) {
        if (!record) {
            return {};
        }
        const RecordTable table = Table(image);
        return {table.Label(*record),
                image.Text(table.RecordStart(*record) + layout::alias::kPttId.offset,
                           layout::alias::kPttIdWidth)};
    }
    static Result Validate(const Form& form, const ConfigImage& image,
                           std::optional<std::size_t> record) {
        if (form.label.empty() || form.pttId.empty()) {
            return {kFillAll, form.label.empty() ? Field::Label : Field::PttId};
        }
        if (Table(image).LabelTaken(form.label, record)) {
            return {kTaken, Field::Label};
        }
        return {};
    }
    static std::size_t Write(const Form& form, ConfigImage& image,
                             std::optional<std::size_t> record) {
        RecordTableEdit table = Table(image);
        const std::size_t slot = record ? *record : *table.LowestFree();
        image.SetText(table.RecordStart(slot) + layout::alias::kLabel.offset,
                      layout::alias::kLabelWidth, form.label);
        image.SetText(table.RecordStart(slot) + layout::alias::kPttId.offset,
                      layout::alias::kPttIdWidth, form.pttId);
        return table.IndexAfterMove(slot);
    }
};

// The window half of a record dialog.
class AliasDlg : public RecordDialogFor<AliasRules> {
public:
    AliasDlg(std::optional<std::size_t> record, QWidget* parent)
        : RecordDialogFor("Edit Alias", 125, record, parent) {
        m_label = new QLineEdit(this);
        m_pttId = new QLineEdit(this);
        auto* form = new QVBoxLayout;
        form->addWidget(m_label);
        form->addWidget(m_pttId);
        SetForm(form);
        ShowLoaded();
    }
    Form Read() const override {
        return {m_label->text().toStdString(), m_pttId->text().toStdString()};
    }
    void Show(const Form& form) override {
        m_label->setText(QString::fromStdString(form.label));
        m_pttId->setText(QString::fromStdString(form.pttId));
    }
    QWidget* FieldWidget(Field field) const override {
        return field == Field::Label ? m_label : m_pttId;
    }

    QLineEdit* m_label;
    QLineEdit* m_pttId;
};

// A list window: its setup, rows and flows.
class AliasList : public ListWindow {
public:
    explicit AliasList(const EditorContext& context)
        : ListWindow(context, {"Choose an entry to edit or add a new one.",
                               {{"Label", 200}, {"PTT ID", 80}},
                               "<No paging format defined>",
                               layout::alias::kCount}) {}

protected:
    std::vector<Row> Rows() const override {
        std::vector<Row> rows;
        RecordTable table = AliasRules::Table(TheImage());
        for (std::size_t record : table.UsedRecords()) {
            rows.push_back({record,
                            {QString::fromStdString(table.Label(record)),
                             QString::fromStdString(TheImage().Text(
                                 table.RecordStart(record) + layout::alias::kPttId.offset,
                                 layout::alias::kPttIdWidth))}});
        }
        return rows;
    }
    std::optional<std::size_t> AddRecord() override { return Run(std::nullopt); }
    std::optional<std::size_t> EditRecord(std::size_t record) override { return Run(record); }
    bool MayDelete(std::size_t record) override {
        if (AliasRules::Table(TheImage()).Label(record) == "LOCKED") {
            ThePrompt().Warn(kLocked);
            return false;
        }
        return true;
    }
    void DeleteRecord(std::size_t record) override {
        AliasRules::Table(TheImage()).RemoveAndCompact(record);
    }

private:
    std::optional<std::size_t> Run(std::optional<std::size_t> record) {
        AliasDlg dialog(record, this);
        return dialog.exec() == QDialog::Accepted ? dialog.WrittenRecord() : std::nullopt;
    }
};

class ListWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        EditorWindows::RegisterFactory(EditorKind::AliasList, [](const EditorContext& context) {
            return new AliasList(context);
        });
        m_frame->ExecuteCommand(cmd::NewDatabase);
    }
    void TearDown() override {
        ProcessEvents();  // no guard of this test may fire in the next one
        GuiTest::TearDown();
        EditorWindows::UnregisterFactory(EditorKind::AliasList);
    }
    AliasList* Open() {
        EXPECT_TRUE(m_frame->Editors().OpenEditor(EditorKind::AliasList));
        return dynamic_cast<AliasList*>(m_frame->Editors().ActiveView());
    }
    // What the user does in the dialog once it has opened; it must end the dialog.
    static void InDialog(std::function<void(AliasDlg&)> action) {
        QTimer::singleShot(0, [action] {
            auto* dialog = dynamic_cast<AliasDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            action(*dialog);
        });
    }
    // For actions that must open no dialog: one that opens anyway fails and goes.
    static void FailOnDialog() {
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "a dialog opened";
                dialog->close();
            }
        });
    }
    static void Type(AliasDlg& dialog, const QString& label, const QString& pttId) {
        dialog.m_label->setText(label);
        dialog.m_pttId->setText(pttId);
    }
    static void AddAlias(AliasList* list, const QString& label, const QString& pttId) {
        InDialog([=](AliasDlg& dialog) {
            Type(dialog, label, pttId);
            dialog.OkButton()->click();
        });
        list->AddButton()->click();
    }
    // Qt's item views edit on a double-click that follows a press on the same row.
    static void DoubleClickRow(AliasList* list, int row) {
        QTreeWidget* view = list->List();
        const QPoint point = view->visualItemRect(view->topLevelItem(row)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, point);
    }
    static QStringList Column(AliasList* list, int column) {
        QStringList texts;
        for (int row = 0; row < list->List()->topLevelItemCount(); ++row) {
            texts << list->List()->topLevelItem(row)->text(column);
        }
        return texts;
    }
    std::string AliasLabel(std::size_t record) {
        return AliasRules::Table(TheImage()).Label(record);
    }
};

}  // namespace

TEST_F(ListWindowTest, EmptyTableShowsThePlaceholder) {
    AliasList* list = Open();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Frame()->windowTitle(), "PTT ID Aliases");
    EXPECT_EQ(list->HelpTopic(), 108);
    EXPECT_EQ(list->List()->headerItem()->text(0), "Label");
    EXPECT_EQ(list->List()->headerItem()->text(1), "PTT ID");
    EXPECT_GT(list->List()->columnWidth(0), list->List()->columnWidth(1));
    EXPECT_THAT(Column(list, 0), ElementsAre("<No paging format defined>"));
    EXPECT_EQ(list->SelectedRow(), 0);
    EXPECT_EQ(list->SelectedRecord(), std::nullopt);
    EXPECT_TRUE(list->AddButton()->isEnabled());
    EXPECT_FALSE(list->EditButton()->isEnabled());
    EXPECT_FALSE(list->DeleteButton()->isEnabled());

    // Double-clicking the placeholder, or Edit and Delete by hand, do nothing.
    FailOnDialog();
    DoubleClickRow(list, 0);
    FailOnDialog();
    list->Edit();
    list->Delete();
    ProcessEvents();
    EXPECT_TRUE(m_prompt->texts.isEmpty());
    EXPECT_FALSE(m_app->Document()->IsModified());
}

TEST_F(ListWindowTest, AddEditAndDeleteSelectTheirRows) {
    AliasList* list = Open();
    AddAlias(list, "zeta", "1");
    EXPECT_EQ(list->SelectedRow(), 0);
    EXPECT_TRUE(list->EditButton()->isEnabled());
    EXPECT_TRUE(m_app->Document()->IsModified());
    AddAlias(list, "Alpha", "2");
    EXPECT_EQ(list->SelectedRow(), 0);
    AddAlias(list, "beta", "3");
    EXPECT_THAT(Column(list, 0), ElementsAre("Alpha", "beta", "zeta"));
    EXPECT_THAT(Column(list, 1), ElementsAre("2", "3", "1"));
    EXPECT_EQ(list->SelectedRow(), 1);
    EXPECT_EQ(list->SelectedRecord(), 1u);

    // Renaming Alpha sends it to the end of the table; its row is selected there.
    list->SelectRow(0);
    InDialog([](AliasDlg& dialog) {
        EXPECT_EQ(dialog.m_label->text(), "Alpha");
        EXPECT_EQ(dialog.m_pttId->text(), "2");
        dialog.m_label->setText("zz");
        dialog.OkButton()->click();
    });
    list->EditButton()->click();
    EXPECT_THAT(Column(list, 0), ElementsAre("beta", "zeta", "zz"));
    EXPECT_EQ(list->SelectedRow(), 2);
    EXPECT_EQ(AliasLabel(2), "zz");

    // A double-click edits too; keeping its own label is no refusal.
    InDialog([](AliasDlg& dialog) {
        dialog.m_pttId->setText("33");
        dialog.OkButton()->click();
    });
    DoubleClickRow(list, 0);
    EXPECT_THAT(Column(list, 1), ElementsAre("33", "1", "2"));
    EXPECT_EQ(list->SelectedRow(), 0);
    EXPECT_TRUE(m_prompt->texts.isEmpty());

    // Delete asks; No keeps everything.
    m_app->Document()->SetModified(false);
    m_prompt->answers = {PromptAnswer::No};
    list->DeleteButton()->click();
    EXPECT_THAT(m_prompt->texts, ElementsAre(ListWindow::kDeleteQuestion));
    EXPECT_EQ(m_prompt->icons.back(), PromptIcon::Question);
    EXPECT_EQ(Column(list, 0).size(), 3);
    EXPECT_FALSE(m_app->Document()->IsModified());

    // Yes: the table closes up and the row that took the deleted one's place is selected.
    list->SelectRow(1);
    m_prompt->answers = {PromptAnswer::Yes};
    list->DeleteButton()->click();
    EXPECT_THAT(Column(list, 0), ElementsAre("beta", "zz"));
    EXPECT_EQ(list->SelectedRow(), 1);
    EXPECT_EQ(AliasLabel(1), "zz");
    EXPECT_EQ(TheImage().U8(AliasRules::Table(TheImage()).RecordStart(2)), 0);
    EXPECT_TRUE(m_app->Document()->IsModified());

    // Deleting the last row selects the new last row, then the placeholder.
    m_prompt->answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    list->Delete();
    EXPECT_EQ(list->SelectedRow(), 0);
    list->Delete();
    EXPECT_THAT(Column(list, 0), ElementsAre("<No paging format defined>"));
    EXPECT_FALSE(list->DeleteButton()->isEnabled());
}

TEST_F(ListWindowTest, ReferenceCheckComesBeforeTheQuestion) {
    AliasList* list = Open();
    AddAlias(list, "LOCKED", "1");
    list->Delete();
    EXPECT_THAT(m_prompt->texts, ElementsAre(kLocked));
    EXPECT_EQ(m_prompt->icons.back(), PromptIcon::Exclamation);
    EXPECT_EQ(AliasLabel(0), "LOCKED");
}

TEST_F(ListWindowTest, CancelAndEscapeWriteNothing) {
    AliasList* list = Open();
    AddAlias(list, "one", "1");
    m_app->Document()->SetModified(false);
    const ConfigImage before = TheImage();

    InDialog([](AliasDlg& dialog) {
        Type(dialog, "two", "2");
        dialog.CancelButton()->click();
    });
    list->Add();
    InDialog([](AliasDlg& dialog) {
        dialog.m_label->setText("renamed");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    list->Edit();
    EXPECT_EQ(TheImage(), before);
    EXPECT_FALSE(m_app->Document()->IsModified());
    EXPECT_THAT(Column(list, 0), ElementsAre("one"));
    EXPECT_EQ(list->SelectedRow(), 0);
}

TEST_F(ListWindowTest, RefusalShowsItsMessageAndFocusesTheField) {
    AliasList* list = Open();
    AddAlias(list, "taken", "1");
    const ConfigImage before = TheImage();

    InDialog([&before](AliasDlg& dialog) {
        Type(dialog, "", "2");
        dialog.m_pttId->setFocus();
        dialog.OkButton()->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), dialog.m_label);

        dialog.m_label->setText("taken");
        dialog.m_pttId->setFocus();
        dialog.OkButton()->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog.focusWidget(), dialog.m_label);
        EXPECT_EQ(dialog.m_label->selectedText(), "taken");
        EXPECT_EQ(dialog.WrittenRecord(), std::nullopt);
        EXPECT_EQ(TheImage(), before);

        dialog.reject();
    });
    list->Add();
    EXPECT_THAT(m_prompt->texts, ElementsAre(kFillAll, kTaken));
    EXPECT_THAT(m_prompt->icons, ElementsAre(PromptIcon::Exclamation, PromptIcon::Exclamation));
    EXPECT_EQ(TheImage(), before);
}

TEST_F(ListWindowTest, FullTableDisablesAdd) {
    AliasList* list = Open();
    RecordTable table = AliasRules::Table(TheImage());
    for (std::size_t i = 0; i < table.Count(); ++i) {
        TheImage().SetText(table.RecordStart(i), layout::alias::kLabelWidth,
                           QString("A%1").arg(i, 3, 10, QChar('0')).toStdString());
    }
    m_app->Document()->MarkModified();
    EXPECT_EQ(list->List()->topLevelItemCount(), 250);
    EXPECT_FALSE(list->AddButton()->isEnabled());
    FailOnDialog();
    list->Add();  // a disabled button runs no dialog
    ProcessEvents();

    list->SelectRow(249);
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    EXPECT_TRUE(list->AddButton()->isEnabled());
    EXPECT_EQ(list->SelectedRow(), 248);
}

TEST_F(ListWindowTest, RefreshKeepsTheSelectedRecord) {
    AliasList* list = Open();
    AddAlias(list, "b", "1");
    AddAlias(list, "c", "2");
    list->SelectRow(1);
    // Another window adds a record before the selected one.
    RecordTableEdit table = AliasRules::Table(TheImage());
    TheImage().SetText(table.RecordStart(2), layout::alias::kLabelWidth, "a");
    table.MoveIntoPlace(2);
    m_app->Document()->MarkModified();
    EXPECT_THAT(Column(list, 0), ElementsAre("a", "b", "c"));
    EXPECT_EQ(list->SelectedRow(), 2);
}

TEST_F(ListWindowTest, EnterPressesTheFocusedButtonElseEscapeAndEnterClose) {
    AliasList* list = Open();
    bool dialogRan = false;
    InDialog([&dialogRan](AliasDlg& dialog) {
        dialogRan = true;
        dialog.reject();
    });
    list->AddButton()->setFocus();
    QTest::keyClick(list->AddButton(), Qt::Key_Return);
    EXPECT_TRUE(dialogRan);
    EXPECT_TRUE(m_frame->Editors().IsEditorOpen(EditorKind::AliasList));

    QTest::keyClick(list->List(), Qt::Key_Escape);
    ProcessEvents();
    EXPECT_FALSE(m_frame->Editors().IsEditorOpen(EditorKind::AliasList));

    list = Open();
    QTest::keyClick(list->List(), Qt::Key_Return);
    ProcessEvents();
    EXPECT_FALSE(m_frame->Editors().IsEditorOpen(EditorKind::AliasList));
}

TEST_F(ListWindowTest, F1InTheDialogOpensItsHelpTopic) {
    AliasList* list = Open();
    InDialog([](AliasDlg& dialog) {
        QSignalSpy help(&dialog, &RecordDialog::HelpRequested);
        QTest::keyClick(&dialog, Qt::Key_F1);
        EXPECT_EQ(help.count(), 1);
        dialog.reject();
    });
    list->Add();
    EXPECT_EQ(m_frame->Help().CurrentPage(), "qrc:/help/125.html");
}
