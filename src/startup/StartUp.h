#pragma once

#include "engine/RandomDraw.h"
#include "startup/WordStore.h"

#include <QString>

#include <memory>

class MainWindow;
class Prompts;

// The program's start: opens the one connection to words.mdb and shows the
// main window. A failing step is shown in the error report and the start goes
// on with the next one, so the window appears even without a word database.
class StartUp
{
public:
    // Locations of the start's own steps in the error report.
    enum Location { LocationShowWindow = 3 };

    StartUp(const QString &programFolder, Prompts &prompts);
    ~StartUp();

    void run();

    WordStore &store() { return m_store; }
    MainWindow *mainWindow() const { return m_window.get(); }

private:
    QString m_programFolder;
    Prompts &m_prompts;
    WordStore m_store;
    ClockDrawSource m_draws;
    std::unique_ptr<MainWindow> m_window;
};
