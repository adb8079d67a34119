#pragma once

#include "engine/RandomDraw.h"
#include "engine/ReprintRun.h"
#include "startup/ProgramFolder.h"
#include "startup/WordStore.h"

#include <QString>

#include <memory>

class MainWindow;
class Prompts;

// The program's start, and the one place its parts are put together: opens the
// one connection to words.mdb, builds the run that rewrites with it, and shows
// the main window. A failing step is shown in the error report and the start
// goes on with the next one, so the window appears even without a word database.
class StartUp
{
public:
    // Locations of the start's own steps in the error report.
    enum Location { LocationProgramFolder = 1, LocationShowWindow = 3 };

    // A folder whose data folder could not be made ready says why in its error,
    // which the start reports before it opens the store.
    StartUp(ProgramFolder programFolder, Prompts &prompts);
    StartUp(const QString &programFolder, Prompts &prompts) : StartUp(ProgramFolder{programFolder, {}}, prompts) {}
    ~StartUp();

    void run();

    WordStore &store() { return m_store; }
    MainWindow *mainWindow() const { return m_window.get(); }

private:
    ProgramFolder m_programFolder;
    Prompts &m_prompts;
    WordStore m_store;
    ClockDrawSource m_draws;
    ReprintRun m_run;
    std::unique_ptr<MainWindow> m_window;
};
