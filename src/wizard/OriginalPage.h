#pragma once

#include "engine/RewriteSettings.h"
#include "wizard/WizardPage.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class TextBox;

// Page 0: where the original content comes from (pasted, a text file, a web page).
class OriginalPage : public WizardPage
{
    Q_OBJECT
public:
    explicit OriginalPage(QWidget *window);

    SourceKind sourceKind() const;
    QString pastedText() const;
    QString sourceFilePath() const;
    QString pageAddress() const;
    void setSourceFilePath(const QString &path);

    QPushButton *browseButton() const { return m_browse; }
    QLineEdit *filePathBox() const { return m_filePath; }

    // Everything back to its value after a restart.
    void reset();

private:
    QRadioButton *m_paste, *m_file, *m_web;
    TextBox *m_content;
    QLineEdit *m_filePath, *m_address;
    QPushButton *m_browse;
};
