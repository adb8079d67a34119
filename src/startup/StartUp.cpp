#include "startup/StartUp.h"

#include "platform/Prompts.h"
#include "platform/ErrorReport.h"
#include "startup/MainWindow.h"

#include <QApplication>
#include <QFont>

#include <exception>

StartUp::StartUp(ProgramFolder programFolder, Prompts &prompts)
    : m_programFolder(std::move(programFolder)), m_prompts(prompts)
{
    // From here on, every unexpected failure of the store is reported the one way.
    m_store.setErrorReporter([this](const QString &description, int location) {
        showErrorReport(m_prompts, description, location);
    });
}

StartUp::~StartUp() = default;

void StartUp::run()
{
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    if (!m_programFolder.error.isEmpty())
        showErrorReport(m_prompts, m_programFolder.error, LocationProgramFolder);
    m_store.OpenWordStore(m_programFolder.path); // reports its own failure; the start goes on

    try {
        m_window = std::make_unique<MainWindow>(m_store, m_prompts, m_draws, m_programFolder.path);
        m_window->show();
        m_window->centreOnScreen();
    } catch (const std::exception &e) {
        showErrorReport(m_prompts, QString::fromLocal8Bit(e.what()), LocationShowWindow);
    }
}
