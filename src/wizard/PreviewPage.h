#pragma once

#include "engine/Spintax.h"
#include "wizard/WizardPage.h"

#include <memory>

class NoticeLabel;
class OriginalPage;
class QTimer;
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
    // Spintax that is broken is rewritten as plain text only if the user says so.
    bool validate() override { return confirmSpintax(); }

    // The preview's text as spintax for a run; null for plain text, and for
    // broken spintax the user has agreed to rewrite as plain text.
    std::shared_ptr<const Spintax> spintax();
    // False when the text's spintax is broken and the user would rather mend it.
    bool confirmSpintax();

private:
    // Reads the text as spintax again, if it changed, and says what it holds.
    void readSpintax();

    const OriginalPage &m_original;
    TextBox *m_preview;
    PreviewLoader *m_loader;
    Prompts *m_prompts;
    NoticeLabel *m_spintaxNotice;
    QTimer *m_readLater;
    bool m_stale = true;
    std::shared_ptr<const Spintax> m_spintax;
    std::optional<SpintaxFault> m_fault;
    bool m_plainAgreed = false;
};
