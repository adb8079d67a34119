#include "wizard/PreviewPage.h"

#include "platform/TextBox.h"

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::TextBox, "txtPreview", "Preview", 120, 240, 9495, 3615},
};

} // namespace

PreviewPage::PreviewPage(QWidget *window)
    : WizardPage("FraPreview", "Preview", window, Controls, QRect(120, 1320, 9855, 3975))
{
    // No border and no caption; the ground is the system's window colour.
    setTitle(QString());
    setStyleSheet(QStringLiteral("WizardPage { border: none; margin-top: 0; }"));
    m_preview = control<TextBox>("txtPreview");
}
