#pragma once

#include "wizard/WizardPage.h"

class OriginalPage;
class PreviewLoader;
class QLabel;
class TextBox;

// Page 1: the original text, loaded from its source on arrival and open to editing.
class PreviewPage : public WizardPage
{
    Q_OBJECT
public:
    PreviewPage(QWidget *window, const OriginalPage &original, QLabel *pleaseWait, const QString &programFolder,
                Prompts &prompts);
    TextBox *preview() const { return m_preview; }
    PreviewLoader *loader() const { return m_loader; }

    // Empties the preview, then fills it from the source chosen on the first page.
    void enter() override;
    void reset() override;

private:
    const OriginalPage &m_original;
    TextBox *m_preview;
    PreviewLoader *m_loader;
};
