#include "wizard/WizardPage.h"

#include "platform/Prompts.h"
#include "platform/Titles.h"
#include "platform/TwipsLayout.h"

#include <QMouseEvent>

WizardPage::WizardPage(const char *name, const char *caption, QWidget *window, std::span<const ControlSpec> controls,
                       QRect twips)
    : QGroupBox(QString::fromLatin1(caption), window)
{
    setObjectName(QString::fromLatin1(name));
    setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    // The caption sits in the border line, and the controls' positions count
    // from the frame's top-left corner.
    setStyleSheet(QStringLiteral(
        "WizardPage { background-color: white; border: 1px solid #b9c6d4; border-radius: 3px; margin-top: 7px; }"
        "WizardPage::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px; padding: 0 3px;"
        " color: #1f3a5f; }"));
    buildControls(this, controls);
    hide();
}

void WizardPage::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the bare surface counts, not a label or other control on it; and the
    // double-click never reaches the window behind the page.
    event->accept();
    if (m_doubleClickOpensExclusions && !childAt(event->position().toPoint()))
        emit exclusionEditorRequested();
}

bool WizardPage::refuse(Prompts &prompts, const QString &text, QWidget *focus)
{
    prompts.message(text, Prompts::Critical, MainCaption);
    if (focus)
        focus->setFocus();
    return false;
}
