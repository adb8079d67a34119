#pragma once

#include "platform/LabelColour.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <functional>

class ImageButton;
class Prompts;
class QLabel;
class QTextBrowser;
class ReprintRun;
class Wizard;

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

    // Opens the exclusion list editor and returns when it is closed.
    using ExclusionEditor = std::function<void()>;

    MainWindow(ReprintRun &run, Prompts &prompts, ExclusionEditor exclusionEditor, const QString &programFolder,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    int currentStep() const;
    Wizard *wizard() const { return m_wizard; }
    QLabel *stepLabel(int step) const { return m_stepLabels.at(step); }
    static QColor labelColour(const QLabel *label) { return ::labelColour(label); }

    // Centres the window on the screen it is shown on.
    void centreOnScreen();

    void openExclusionEditor() { m_exclusionEditor(); }
    // The help page, a file beside the executable unless set otherwise.
    QString helpAddress() const;
    void setHelpPage(const QString &path) { m_helpPage = path; }
    // Opens the help page in the desktop's browser, or says why it cannot.
    void openHelp();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildShell();
    // Tab walks each page's controls, then the picture buttons.
    void orderTabs();
    void load();

    Prompts &m_prompts;
    QString m_helpPage;
    ExclusionEditor m_exclusionEditor;
    Wizard *m_wizard = nullptr;
    QTextBrowser *m_banner = nullptr;
    std::array<QLabel *, StepCount> m_stepLabels{};
};
