// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>

#include "GuiTestSupport.h"
#include "model/ConfigImage.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"

TestViewFactories::TestViewFactories() {
    for (int k = 0; k <= static_cast<int>(EditorKind::AliasList); ++k) {
        const auto kind = static_cast<EditorKind>(k);
        EditorWindows::RegisterFactory(
            kind, [](const EditorContext& context) { return new TestView(context); });
    }
}

TestViewFactories::~TestViewFactories() {
    for (int k = 0; k <= static_cast<int>(EditorKind::AliasList); ++k) {
        EditorWindows::UnregisterFactory(static_cast<EditorKind>(k));
    }
}

QString ControlName(const QWidget* control) {
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    if (button && !button->text().isEmpty()) {
        return button->text();
    }
    for (const QLabel* label : control->window()->findChildren<QLabel*>()) {
        if (label->buddy() == control) {
            return label->text();
        }
    }
    if (!control->accessibleName().isEmpty()) {
        return control->accessibleName();
    }
    if (qobject_cast<const QAbstractSpinBox*>(control->parentWidget())) {
        return ControlName(control->parentWidget());
    }
    return control->metaObject()->className();
}

QStringList TabOrder(QWidget* first, int count) {
    first->setFocus(Qt::TabFocusReason);
    QStringList names{ControlName(first)};
    for (int i = 0; i < count; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << ControlName(QApplication::focusWidget());
    }
    return names;
}

void GuiTest::SetUp() {
    ASSERT_TRUE(m_files.isValid());
    QSettings("Zelnor", "Torvo").clear();
    QSettings("ZEL", "Velk Series Torvo").clear();
    auto prompt = std::make_unique<ScriptedPrompt>();
    m_prompt = prompt.get();
    InstallPrompt(std::move(prompt));
    ClearImage();
    Restart();
}

void GuiTest::TearDown() {
    m_frame.reset();
    m_app.reset();
    ClearImage();
}

void GuiTest::Restart() {
    m_frame.reset();
    m_app.reset();
    m_app = std::make_unique<CTorvoApp>();
    m_frame = std::make_unique<CMainFrame>(*m_app);
    m_frame->RefreshRecentFiles();
    m_frame->RestoreLayout();
    m_frame->LoadShortcuts();
    m_frame->show();
}

void GuiTest::ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QString GuiTest::WriteDatabase(const QString& name, std::uint8_t desksetType) {
    ConfigImage image;
    SetImageDefaults(image);
    image.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType), desksetType);
    const QString path = TempPath(name);
    EXPECT_TRUE(WriteDatabaseFile(path.toStdString(), image).Ok());
    return path;
}

int main(int argc, char** argv) {
    // Settings of this test process only, never the user's: tests run in parallel.
    QTemporaryDir settingsHome;
    // A screen of a common desktop size rather than the platform's 800 x 600.
    QFile screens(settingsHome.filePath("screens.json"));
    if (screens.open(QIODevice::WriteOnly)) {
        screens.write(R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": 1280,
                          "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        screens.close();
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    // Backups of uploads too.
    qputenv("XDG_DATA_HOME", settingsHome.path().toLocal8Bit());
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Zelnor");
    QApplication::setApplicationName("Torvo");
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
