#pragma once

#include <QObject>

class QLineEdit;

// The key filter of the digit boxes: the code itself for the digits 0 to 9,
// Backspace (8), Enter (13) and the full stop (46); 0, which discards the key,
// for anything else.
int DigitFilter(int keyChar);

// Puts DigitFilter in front of a text box's typed characters. Keys that type
// nothing (arrows, Delete, Tab) and shortcuts such as Ctrl+V pass untouched, so
// pasted text is not filtered.
class DigitBoxFilter : public QObject
{
    Q_OBJECT
public:
    explicit DigitBoxFilter(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
