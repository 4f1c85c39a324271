// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A new database with every editor registered, and the list window of one
// area opened as the user opens it.

#include <QTreeWidget>

#include "app/Commands.h"
#include "app/EditorWindows.h"
#include "app/GuiTestSupport.h"
#include "model/editing/qt/ListWindow.h"

template <class View, EditorKind kKind>
class ListWindowFixture : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        RegisterEditors();
        m_frame->ExecuteCommand(cmd::NewDatabase);
    }
    void TearDown() override {
        ProcessEvents();
        GuiTest::TearDown();
    }
    View* Open() {
        EXPECT_TRUE(m_frame->Editors().OpenEditor(kKind));
        return dynamic_cast<View*>(m_frame->Editors().ActiveView());
    }
    // The texts of one column, top to bottom.
    static QStringList Column(const ListWindow* list, int column) {
        QStringList texts;
        for (int row = 0; row < list->List()->topLevelItemCount(); ++row) {
            texts << list->List()->topLevelItem(row)->text(column);
        }
        return texts;
    }
};
