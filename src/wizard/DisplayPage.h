#pragma once

#include "wizard/WizardPage.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

// Page 6: whether to save the reprints to a folder, and whether to show them.
class DisplayPage : public WizardPage
{
    Q_OBJECT
public:
    DisplayPage(QWidget *window, Prompts &prompts);

    bool saveToFiles() const;
    bool displayOnScreen() const;
    QString outputFolder() const;

    // Saving needs a folder.
    bool validate() override;
    // After a restart: no folder, saving off, display on.
    void reset() override;

private:
    Prompts &m_prompts;
    QRadioButton *m_saveYes, *m_saveNo, *m_displayYes, *m_displayNo;
    QLineEdit *m_folder;
    QPushButton *m_browse;
};
