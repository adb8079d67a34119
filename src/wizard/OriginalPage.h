#pragma once

#include "wizard/WizardPage.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class TextBox;

enum class SourceKind { Paste, TextFile, WebPage };

// Page 0: where the original content comes from (pasted, a text file, a web page).
class OriginalPage : public WizardPage
{
    Q_OBJECT
public:
    OriginalPage(QWidget *window, Prompts &prompts);

    SourceKind sourceKind() const;
    QString pastedText() const;
    QString sourceFilePath() const;
    QString pageAddress() const;
    void setSourceFilePath(const QString &path);

    // A text file chosen without a path stops Next on every page: false, after
    // saying so.
    bool sourceIsReady();

    void reset() override;

protected:
    // The help box shows while the pointer was last over the help icon, and
    // goes when it moves over the page's bare surface.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    Prompts &m_prompts;
    QWidget *m_helpIcon;
    TextBox *m_toolTip;
    QRadioButton *m_paste, *m_file, *m_web;
    TextBox *m_content;
    QLineEdit *m_filePath, *m_address;
    QPushButton *m_browse;
};
