#pragma once

#include "wizard/WizardPage.h"

class QSlider;

// Page 3: the legibility slider, the share of words left unchanged.
class LegibilityPage : public WizardPage
{
    Q_OBJECT
public:
    explicit LegibilityPage(QWidget *window);
    int legibility() const;
    void reset() override;

private:
    QSlider *m_slider;
};
