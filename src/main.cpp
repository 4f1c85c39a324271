// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "CDesksetSimulator.h"
#include "app/AppStrings.h"
#include "app/CMainFrame.h"
#include "app/CTorvoApp.h"
#include "app/EditorWindows.h"
#include "app/Prompt.h"
#include "app/SplashScreen.h"
#include "version/TorvoVersion.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Zelnor");
    QApplication::setApplicationName("Torvo");
    QApplication::setApplicationVersion(TorvoVersion());
    QApplication::setWindowIcon(QIcon(":/icons/torvo.svg"));
    RegisterEditors();

    QCommandLineParser parser;
    parser.setApplicationDescription(app_strings::kTitle);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption noSplash("no-splash", "Start without the splash screen.");
    parser.addOption(noSplash);
    const QCommandLineOption demo("demo",
                                  "Transfer with a simulated deskset instead of a serial port.");
    parser.addOption(demo);
    parser.addPositionalArgument("file", "A database (.ddb) to open at start-up.", "[file]");
    parser.process(application);

    CTorvoApp app;
    CMainFrame frame(app);
    frame.RefreshRecentFiles();
    frame.RestoreLayout();

    // The simulated deskset lives as long as the program; the stored COM port is left alone.
    std::unique_ptr<CDesksetSimulator> simulator;
    if (parser.isSet(demo)) {
        simulator = std::make_unique<CDesksetSimulator>(DesksetSimOptions{});
        if (!simulator->StartOnNewPty()) {
            ThePrompt().Warn(QString("The simulated deskset could not be started: %1")
                                 .arg(QString::fromStdString(simulator->LastError())));
            return 1;
        }
        frame.UseSimulatedDeskset(QString::fromStdString(simulator->DevicePath()));
    }

    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty() && !app.OpenDatabaseFile(files.first())) {
        return 1;
    }
    frame.showMaximized();
    frame.LoadShortcuts();

    const auto afterSplash = [&frame] {
        frame.update();
        frame.RunComPortCheck();
    };
    SplashScreen splash;
    if (parser.isSet(noSplash)) {
        QTimer::singleShot(0, &frame, afterSplash);
    } else {
        QObject::connect(&splash, &SplashScreen::Closed, &frame, afterSplash);
        splash.Start();
    }
    return application.exec();
}
