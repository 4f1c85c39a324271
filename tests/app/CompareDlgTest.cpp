// SPDX-License-Identifier: GPL-3.0-or-later
// File > Compare With Database...: the other file through the prompt, its
// differences in a window, and a file that does not open reported.

#include <gmock/gmock.h>

#include <QLabel>
#include <QTableWidget>

#include "GuiTestSupport.h"
#include "app/Commands.h"
#include "app/CompareDlg.h"
#include "model/ChannelRecord.h"
#include "model/DatabaseFile.h"

namespace {

class CompareDlgTest : public GuiTest {};

}  // namespace

TEST_F(CompareDlgTest, ShowsTheDifferingFieldsOrSaysTheDatabasesAreEqual) {
    const QString ours = WriteDatabase("ours.ddb", 4);
    ASSERT_TRUE(m_app->OpenDatabaseFile(ours));
    ChannelRecord(TheImage(), 1).SetLabel(0, "ENGINE");

    QString summary;
    QStringList row;
    const auto readDialog = [&](CompareDlg& dialog) {
        summary = dialog.Summary()->text();
        if (dialog.Table()->isVisibleTo(&dialog) && dialog.Table()->rowCount() > 0) {
            row = {dialog.Table()->item(0, 0)->text(), dialog.Table()->item(0, 1)->text(),
                   dialog.Table()->item(0, 2)->text()};
        }
        dialog.reject();
    };
    m_prompt->openFiles.push_back(ours);
    InNextDialog<CompareDlg>(readDialog);
    m_frame->ExecuteCommand(cmd::CompareDatabase);
    EXPECT_EQ(summary, "1 field differs between this database and ours.ddb.");
    EXPECT_THAT(row, ::testing::ElementsAre("Channel 2: frequencies[0].label", "ENGINE",
                                            ChannelRecord(TheImage(), 0).Label(0).c_str()));

    ChannelRecord(TheImage(), 1).SetLabel(0, ChannelRecord(TheImage(), 0).Label(0));
    ASSERT_TRUE(WriteDatabaseFile(TempPath("same.ddb").toStdString(), TheImage()).Ok());
    m_prompt->openFiles.push_back(TempPath("same.ddb"));
    InNextDialog<CompareDlg>(readDialog);
    m_frame->ExecuteCommand(cmd::CompareDatabase);
    EXPECT_EQ(summary, "This database and same.ddb are equal.");

    QFile damaged(TempPath("damaged.ddb"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("ZEL DESKSET V009 and then some");
    damaged.close();
    m_prompt->openFiles.push_back(damaged.fileName());
    m_frame->ExecuteCommand(cmd::CompareDatabase);
    EXPECT_EQ(m_prompt->texts.value(0),
              "damaged.ddb cannot be compared:\nUnknown database version.");
}
