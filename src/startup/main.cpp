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

    QtPrompts prompts;
    StartUp startUp(QCoreApplication::applicationDirPath(), prompts);
    startUp.run();
    prompts.setParent(startUp.mainWindow());
    return app.exec();
}
