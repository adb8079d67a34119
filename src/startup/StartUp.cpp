#include "startup/StartUp.h"

#include "exclusions/ExcludeDialog.h"
#include "platform/ErrorReport.h"
#include "platform/Prompts.h"
#include "startup/MainWindow.h"

#include <QApplication>
#include <QFont>

#include <exception>

StartUp::StartUp(ProgramFolder programFolder, Prompts &prompts)
    : m_programFolder(std::move(programFolder)), m_prompts(prompts), m_run(m_store, m_draws, m_programFolder.path)
{
}

StartUp::~StartUp() = default;

void StartUp::run()
{
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 8));
    if (!m_programFolder.error.isEmpty())
        showErrorReport(m_prompts, m_programFolder.error, LocationProgramFolder);
    if (const auto failure = m_store.OpenWordStore(m_programFolder.path))
        showErrorReport(m_prompts, failure->description, failure->location); // the start goes on

    try {
        m_window = std::make_unique<MainWindow>(
            m_run, m_prompts, [this] { ExcludeDialog::openModal(m_store, m_prompts); }, m_programFolder.path);
        m_window->show();
        m_window->centreOnScreen();
    } catch (const std::exception &e) {
        showErrorReport(m_prompts, QString::fromLocal8Bit(e.what()), LocationShowWindow);
    }
}
