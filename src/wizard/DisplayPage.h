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
    explicit DisplayPage(QWidget *window);

    bool saveToFiles() const;
    bool displayOnScreen() const;
    QString outputFolder() const;
    void setOutputFolder(const QString &folder);

    QPushButton *browseButton() const { return m_browse; }
    QRadioButton *saveYes() const { return m_saveYes; }
    QRadioButton *saveNo() const { return m_saveNo; }
    QRadioButton *displayYes() const { return m_displayYes; }
    QRadioButton *displayNo() const { return m_displayNo; }

    // After a restart: no folder, saving off, display on.
    void reset();

private:
    QRadioButton *m_saveYes, *m_saveNo, *m_displayYes, *m_displayNo;
    QLineEdit *m_folder;
    QPushButton *m_browse;
};
