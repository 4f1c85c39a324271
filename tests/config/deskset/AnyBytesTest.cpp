// A database whose fields hold any byte values opens, shows in every editor
// window and is written back by them without a crash.

#include <gtest/gtest.h>

#include <QMdiArea>
#include <random>

#include "app/CConfigTree.h"
#include "app/DatabaseFile.h"
#include "app/GuiTestSupport.h"
#include "config/RegisterEditors.h"
#include "config/deskset/ChanCfgFV.h"
#include "config/deskset/DesksetCfgFV.h"

namespace {

class AnyBytesTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        RegisterEditors();
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
        const QString path = TempPath(QString("random-%1.ddb").arg(seed));
        EXPECT_TRUE(WriteDatabaseFile(path.toStdString(), image).Ok());
        return path;
    }
};

}  // namespace

TEST_F(AnyBytesTest, EveryWindowOpensAndAcceptsWhatever) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        ASSERT_TRUE(m_app->OpenDatabaseFile(WriteRandomDatabase(seed)));
        EditorWindows& windows = m_frame->Editors();
        ASSERT_TRUE(windows.OpenEditor(EditorKind::DesksetCfg));
        for (int channel = 1; channel <= 4; ++channel) {
            ASSERT_TRUE(windows.OpenEditor(EditorKind::ChanCfg, channel));
        }
        EXPECT_EQ(m_frame->Workspace().subWindowList().size(), 5);
        m_frame->Tree().RefreshItemStates();

        // OK on the settings writes them or refuses with a message.
        windows.OpenEditor(EditorKind::DesksetCfg);
        if (auto* deskset = qobject_cast<DesksetCfgFV*>(windows.ActiveView())) {
            deskset->Ok();
        }
        ProcessEvents();
        m_prompt->answers = {m_app->Document()->IsModified() ? PromptAnswer::No : PromptAnswer::Ok};
        ASSERT_TRUE(m_app->CloseDatabase());
        ProcessEvents();
        EXPECT_TRUE(m_frame->Workspace().subWindowList().isEmpty());
    }
}
