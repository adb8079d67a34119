#pragma once

#include "wizard/WizardPage.h"

class QCheckBox;
class QPushButton;
class QSlider;

// Page 3: the legibility slider, the share of words left unchanged, and whether
// each synonym is fitted to its sentence.
class LegibilityPage : public WizardPage
{
    Q_OBJECT
public:
    explicit LegibilityPage(QWidget *window);
    int legibility() const;
    bool fitToSentence() const;
    void reset() override;

signals:
    // The user asks to choose the synonyms of the text.
    void chooseRequested();

private:
    QSlider *m_slider;
    QCheckBox *m_fit;
    QPushButton *m_choose;
};
