// SPDX-License-Identifier: GPL-3.0-or-later
// Every registered editor window: a database whose fields hold any byte
// values opens, shows and is written back without a crash; and OK writes no
// byte outside the fields its area declares.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <random>
#include <span>
#include <utility>
#include <vector>

#include "app/CConfigTree.h"
#include "app/ConfigAreas.h"
#include "app/EditorWindows.h"
#include "app/GuiTestSupport.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "model/deskset/qt/ChanCfgFV.h"
#include "model/deskset/qt/ChanWizard.h"
#include "model/deskset/qt/EditAliasFV.h"
#include "model/editing/ListTables.h"
#include "model/editing/qt/FormWindow.h"
#include "model/editing/qt/ListWindow.h"
#include "model/paging/qt/EditSpeedPageFV.h"
#include "model/paging/qt/MpageRequestProtDlg.h"
#include "model/paging/qt/PagingFormatDlg.h"

namespace {

namespace c = layout::channel;

// The channel windows open once per channel; every other window once.
// A list window: OK in the editor of every row (Cancel after a refusal), then
// one new record, with a label (and a PTT ID) when the editor opens empty;
// a paging format takes the first entry of the chooser.
void AcceptList(ListWindow* list) {
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* chooser = qobject_cast<MpageRequestProtDlg*>(modal)) {
            chooser->accept();
        } else if (auto* dialog = qobject_cast<RecordDialog*>(modal)) {
            auto* format = qobject_cast<PagingFormatDlg*>(dialog);
            if (format && format->LabelEdit()->text().isEmpty()) {
                format->LabelEdit()->setText("NEW!");
            }
            // The marked formats' codes take four hexadecimal digits.
            auto* speedPage = qobject_cast<EditSpeedPageFV*>(dialog);
            if (speedPage && speedPage->LabelEdit()->text().isEmpty()) {
                speedPage->LabelEdit()->setText("NEW!");
                speedPage->DigitsEdit()->setText("12AB");
            }
            auto* alias = qobject_cast<EditAliasFV*>(dialog);
            if (alias && alias->LabelEdit()->text().isEmpty()) {
                alias->LabelEdit()->setText("NEW!");
                alias->PttIdEdit()->setText("0A1F");
            }
            dialog->OkButton()->click();
            if (dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
    answer.start();
    for (int row = 0; row < list->List()->topLevelItemCount(); ++row) {
        list->SelectRow(row);
        list->Edit();
    }
    list->Add();
}

// OK on a form window; a wizard walks to its last page and finishes.
void Accept(CEditorView* view) {
    if (auto* form = qobject_cast<FormWindow*>(view)) {
        form->Ok();
    } else if (auto* list = qobject_cast<ListWindow*>(view)) {
        AcceptList(list);
    } else if (auto* channel = qobject_cast<ChanCfgFV*>(view)) {
        ChanWizard* wizard = channel->Wizard();
        while (wizard->nextId() != -1 && wizard->validateCurrentPage()) {
            wizard->next();
        }
        wizard->accept();
    } else {
        ADD_FAILURE() << "no way to accept the window " << view->TreeText().toStdString();
    }
}

using ByteRange = std::pair<std::size_t, std::size_t>;  // first, end

void AddFields(std::vector<ByteRange>& ranges, std::size_t start,
               std::initializer_list<std::span<const layout::FieldSpec>> lists) {
    for (const auto& fields : lists) {
        for (const layout::FieldSpec& field : fields) {
            ranges.emplace_back(start + field.offset, start + field.End());
        }
    }
}

void AddTable(std::vector<ByteRange>& ranges, const TableLayout& table) {
    ranges.emplace_back(table.start, table.start + table.recordSize * table.count);
}

void AddButtons(std::vector<ByteRange>& ranges) {
    ranges.emplace_back(
        layout::buttons::kStart,
        layout::buttons::kStart + layout::buttons::kCount * layout::buttons::kEntrySize);
}

// The bytes OK in an editor window may write: the fields of its area.
std::vector<ByteRange> DeclaredBytes(EditorKind kind, int channel) {
    std::vector<ByteRange> ranges;
    switch (kind) {
        case EditorKind::DesksetCfg:
            AddFields(ranges, layout::deskset::kStart, {layout::deskset::kFields});
            break;
        case EditorKind::ChanCfg:
            AddFields(ranges, c::kStart + c::kSize * static_cast<std::size_t>(channel - 1),
                      {c::kFields, c::dtmf::kFields, c::stat_alert::kFields});
            break;
        case EditorKind::ManualPageList:
            AddTable(ranges, list_tables::kManualPages);
            break;
        case EditorKind::SpeedPageList:
            // The keys follow the speed pages they send.
            AddTable(ranges, list_tables::kSpeedPages);
            AddButtons(ranges);
            break;
        case EditorKind::DesksetButtonsCfg:
            AddButtons(ranges);
            break;
        case EditorKind::CustomPageList:
            AddTable(ranges, list_tables::kCustomTones);
            break;
        case EditorKind::AliasList:
            AddTable(ranges, list_tables::kAliases);
            break;
        default:
            ADD_FAILURE() << "no declared fields for editor kind " << static_cast<int>(kind);
    }
    return ranges;
}

bool Declared(const std::vector<ByteRange>& ranges, std::size_t offset) {
    for (const auto& [first, end] : ranges) {
        if (offset >= first && offset < end) {
            return true;
        }
    }
    return false;
}

class AnyBytesTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        RegisterEditors();
    }

    QString WriteImage(const ConfigImage& image, const QString& name) {
        const QString path = TempPath(name);
        EXPECT_TRUE(WriteDatabaseFile(path.toStdString(), image).Ok());
        return path;
    }

    QString WriteRandomDatabase(unsigned seed) {
        std::mt19937 random(seed);
        ConfigImage image;
        for (auto& byte : image.Bytes()) {
            byte = static_cast<std::uint8_t>(random());
        }
        image.SetText(layout::kHeader, layout::kHeaderLength, layout::kHeaderText);
        // Every channel window must be reachable.
        image.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType),
                    layout::deskset::kTypeFourChannel);
        return WriteImage(image, QString("random-%1.ddb").arg(seed));
    }

    void CloseDatabase() {
        m_prompt->answers = {m_app->Document()->IsModified() ? PromptAnswer::No : PromptAnswer::Ok};
        ASSERT_TRUE(m_app->CloseDatabase());
        ProcessEvents();
        EXPECT_TRUE(m_frame->Workspace().subWindowList().isEmpty());
    }
};

}  // namespace

TEST_F(AnyBytesTest, EveryWindowOpensAndAcceptsWhatever) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        ASSERT_TRUE(m_app->OpenDatabaseFile(WriteRandomDatabase(seed)));
        EditorWindows& windows = m_frame->Editors();
        QList<QPointer<CEditorView>> views;
        for (const ConfigArea& area : ConfigAreas()) {
            ASSERT_TRUE(windows.OpenEditor(area.kind, area.channel));
            views << windows.ActiveView();
        }
        EXPECT_EQ(m_frame->Workspace().subWindowList().size(), views.size());
        m_frame->Tree().RefreshItemStates();

        // OK writes the window or refuses with a message.
        for (const QPointer<CEditorView>& view : views) {
            if (view) {
                Accept(view);
                ProcessEvents();
            }
        }
        CloseDatabase();
    }
}

TEST_F(AnyBytesTest, OkWritesOnlyTheDeclaredFieldsOfItsArea) {
    for (const ConfigArea& area : ConfigAreas()) {
        SCOPED_TRACE(testing::Message() << "area " << area.treeText);
        const std::vector<ByteRange> declared = DeclaredBytes(area.kind, area.channel);
        // A new database whose every byte outside those fields is marked.
        ConfigImage image;
        SetImageDefaults(image);
        for (std::size_t offset = layout::kHeaderLength; offset < layout::kImageSize; ++offset) {
            if (!Declared(declared, offset)) {
                image.SetU8(offset, 0xA5);
            }
        }
        // Every channel window must be reachable.
        image.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType),
                    layout::deskset::kTypeFourChannel);
        ASSERT_TRUE(m_app->OpenDatabaseFile(WriteImage(image, "marked.ddb")));
        ASSERT_TRUE(m_frame->Editors().OpenEditor(area.kind, area.channel));
        Accept(m_frame->Editors().ActiveView());
        ProcessEvents();
        EXPECT_TRUE(m_prompt->texts.isEmpty()) << m_prompt->texts.join('\n').toStdString();
        EXPECT_TRUE(m_app->Document()->IsModified());
        for (std::size_t offset = 0; offset < layout::kImageSize; ++offset) {
            if (!Declared(declared, offset)) {
                ASSERT_EQ(TheImage().U8(offset), image.U8(offset)) << "at " << offset;
            }
        }
        CloseDatabase();
        m_prompt->texts.clear();
    }
}
