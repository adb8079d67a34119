#include "platform/QtPrompts.h"
#include "sources/WebPageFetcher.h"
#include "startup/MainWindow.h"
#include "startup/StartUp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Penrook"));
    // The window belongs to its launcher, for the desktop's task bar and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(PENROOK_APP_ID));

    QtPrompts prompts;
    StartUp startUp(ProgramFolder::forThisProgram(), prompts);
    startUp.run();
    prompts.setParent(startUp.mainWindow());
    return app.exec();
}
