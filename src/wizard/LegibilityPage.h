#pragma once

#include "wizard/WizardPage.h"

class QCheckBox;
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

private:
    QSlider *m_slider;
    QCheckBox *m_fit;
};
