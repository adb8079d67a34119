#include "platform/QtPrompts.h"
#include "sources/WebPageFetcher.h"
#include "platform/Titles.h"
#include "startup/MainWindow.h"
#include "startup/ProgramFolderLock.h"
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
    ProgramFolder folder = ProgramFolder::forThisProgram();
    // A second copy from the same folder would overwrite the first one's working
    // copies; it says so and leaves everything as it is.
    ProgramFolderLock lock(folder.path);
    if (!lock.tryLock()) {
        prompts.message(lock.heldMessage(), Prompts::Exclamation, ApplicationTitle);
        return 1;
    }
    StartUp startUp(std::move(folder), prompts);
    startUp.run();
    prompts.setParent(startUp.mainWindow());
    return app.exec();
}
