// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the widget tests: a scripted prompt, a main window with a
// fresh settings location, and a view class for exercising the window registry.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "app/CEditorView.h"
#include "app/CMainFrame.h"
#include "app/CTorvoApp.h"
#include "app/EditorWindows.h"
#include "app/Prompt.h"

class ScriptedPrompt : public IPrompt {
public:
    PromptAnswer Ask(const QString& text, PromptIcon icon, PromptButtons buttons) override {
        texts << text;
        icons.push_back(icon);
        if (!answers.empty()) {
            const PromptAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        if (buttons != PromptButtons::Ok) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return PromptAnswer::Cancel;
        }
        return PromptAnswer::Ok;
    }
    QString OpenFileName(const QString& filter) override {
        filters << filter;
        return Next(openFiles);
    }
    QString SaveFileName(const QString& suggestedPath, const QString& filter) override {
        suggestedSaves << suggestedPath;
        filters << filter;
        return Next(saveFiles);
    }

    QStringList texts;
    std::vector<PromptIcon> icons;
    std::deque<PromptAnswer> answers;
    std::deque<QString> openFiles;
    std::deque<QString> saveFiles;
    QStringList suggestedSaves;
    QStringList filters;

private:
    static QString Next(std::deque<QString>& queue) {
        if (queue.empty()) {
            return {};
        }
        QString next = queue.front();
        queue.pop_front();
        return next;
    }
};

// A stand-in editor window for the registry tests.
class TestView : public CEditorView {
public:
    explicit TestView(const EditorContext& context) : CEditorView(context) {
        setMinimumSize(200, 120);
    }
    void OnInitialUpdate() override {
        SetFrameTitle(TreeText());
        ++initialUpdates;
    }
    void OnUpdate() override { ++updates; }

    int initialUpdates = 0;
    int updates = 0;
};

// Registers TestView for every area while it lives.
class TestViewFactories {
public:
    TestViewFactories();
    ~TestViewFactories();
};

// What a control is known by: a button's text, or the text of the label that
// names it (its buddy), "&" and all, or else the name given to screen readers;
// a spin box's edit goes by its spin box.
QString ControlName(const QWidget* control);
// Puts the focus on first, presses Tab count times and names the controls the
// focus passes, first included.
QStringList TabOrder(QWidget* first, int count);

// What the user does in the next modal dialog of type D, once it runs and
// has the focus; the action must end the dialog.
template <class D>
void InNextDialog(std::function<void(D&)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = dynamic_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        // A dialog closed just before may still hold the activation.
        dialog->activateWindow();
        QCoreApplication::processEvents();
        action(*dialog);
    });
}

// A main window with its application, scripted prompts and empty settings.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Recreates the application and main window, as a restart would.
    void Restart();
    void ProcessEvents();
    QString TempPath(const QString& name) const { return m_files.filePath(name); }
    // Writes a valid database with the given deskset type and returns its path.
    QString WriteDatabase(const QString& name, std::uint8_t desksetType = 1);

    ScriptedPrompt* m_prompt = nullptr;
    std::unique_ptr<CTorvoApp> m_app;
    std::unique_ptr<CMainFrame> m_frame;
    QTemporaryDir m_files;
};
