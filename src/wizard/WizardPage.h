#pragma once

#include "wizard/PageLayout.h"

#include <QGroupBox>

// One page of the wizard: a frame on the main window holding a step's controls.
class WizardPage : public QGroupBox
{
    Q_OBJECT
public:
    // All pages share one place on the window; the rectangle is in twips.
    WizardPage(const char *name, const char *caption, QWidget *window, std::span<const ControlSpec> controls,
               QRect twips = QRect(120, 1320, 9855, 4095));

    // Whether a double-click on the page's bare surface opens the exclusion editor.
    void setDoubleClickOpensExclusions(bool opens) { m_doubleClickOpensExclusions = opens; }

    // The control of that object name; it must exist.
    template<class T = QWidget>
    T *control(const char *name) const
    {
        T *found = findChild<T *>(QString::fromLatin1(name));
        Q_ASSERT_X(found, "WizardPage::control", name);
        return found;
    }

signals:
    void exclusionEditorRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_doubleClickOpensExclusions = true;
};
