#pragma once

#include <QColor>
#include <QLabel>
#include <QPalette>

// The step labels' text colours: the current page's label blue, the others black.
inline const QColor CurrentLabelColour(0, 0, 255);
inline const QColor OtherLabelColour(0, 0, 0);

inline void setLabelColour(QLabel *label, const QColor &colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

inline QColor labelColour(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}
