#pragma once

#include "platform/LabelColour.h"

#include <QColor>
#include <QWidget>

#include "engine/WordList.h"

#include <array>
#include <memory>

class DrawSource;
class ImageButton;
class Prompts;
class QLabel;
class QTextBrowser;
class ReprintRun;
class VariationGenerator;
class Wizard;
class WordStore;

// The main window frmMain: caption, fixed white client area, the header banner,
// the strip of step labels, the footer with the navigation images, and the
// close and minimise images. The wizard's pages live on it.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 672;
    static constexpr int ClientHeight = 404;
    static constexpr int StepCount = 8;
    static inline const QColor CurrentStepColour = CurrentLabelColour;
    static inline const QColor OtherStepColour = OtherLabelColour;

    MainWindow(WordStore &store, Prompts &prompts, DrawSource &draws, const QString &programFolder,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    int currentStep() const;
    Wizard *wizard() const { return m_wizard; }
    const WordList &wordList() const { return m_list; }
    QLabel *stepLabel(int step) const { return m_stepLabels.at(step); }
    static QColor labelColour(const QLabel *label) { return ::labelColour(label); }

    // Centres the window on the screen it is shown on.
    void centreOnScreen();

    // Opens the exclusion list editor, modal, and returns when it is closed.
    void openExclusionEditor();
    // The help page, a file beside the executable.
    QString helpAddress() const;

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildShell();
    void load();

    WordStore &m_store;
    Prompts &m_prompts;
    QString m_programFolder;
    WordList m_list;
    std::unique_ptr<VariationGenerator> m_generator;
    std::unique_ptr<ReprintRun> m_run;
    Wizard *m_wizard = nullptr;
    QTextBrowser *m_banner = nullptr;
    std::array<QLabel *, StepCount> m_stepLabels{};
};
