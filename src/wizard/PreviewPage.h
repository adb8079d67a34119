#pragma once

#include "wizard/WizardPage.h"

class TextBox;

// Page 1: the original text, loaded from its source and open to editing.
class PreviewPage : public WizardPage
{
    Q_OBJECT
public:
    explicit PreviewPage(QWidget *window);
    TextBox *preview() const { return m_preview; }

private:
    TextBox *m_preview;
};
