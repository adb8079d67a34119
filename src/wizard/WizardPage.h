#pragma once

#include "wizard/PageLayout.h"

#include <QGroupBox>

class Prompts;

// One page of the wizard: a frame on the main window holding a step's controls.
// Each page answers for its own checks, its arrival and its reset.
class WizardPage : public QGroupBox
{
    Q_OBJECT
public:
    // All pages share one place on the window; the rectangle is in twips.
    WizardPage(const char *name, const char *caption, QWidget *window, std::span<const ControlSpec> controls,
               QRect twips = QRect(120, 1320, 9855, 4095));

    // Next is leaving this page: true lets the user on; false keeps the page,
    // after saying why.
    virtual bool validate() { return true; }
    // Next has just shown this page.
    virtual void enter() {}
    // The page's inputs back to their values after a restart.
    virtual void reset() {}

    // Whether a double-click on the page's bare surface opens the exclusion editor.
    void setDoubleClickOpensExclusions(bool opens) { m_doubleClickOpensExclusions = opens; }

    // The control of that object name. A name that is not there is a mistake
    // in the program: it stops at once, in every build, saying which name on
    // which page, rather than crashing later on a null pointer far from here.
    template<class T = QWidget>
    T *control(const char *name) const
    {
        T *found = findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("WizardPage %s has no control %s of the type asked for", qPrintable(objectName()), name);
        return found;
    }

signals:
    void exclusionEditorRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Shows `text` as the window's critical message, puts the focus on `focus`
    // (if any) and returns false, for validate().
    static bool refuse(Prompts &prompts, const QString &text, QWidget *focus);

private:
    bool m_doubleClickOpensExclusions = true;
};
