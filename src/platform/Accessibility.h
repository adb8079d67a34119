#pragma once

#include <QLabel>
#include <QString>

// What screen readers and other assistive tools learn of the program's controls.

// Gives `control` the name a screen reader says for it, and where the name is
// not enough, a description of what it does.
void nameForScreenReaders(QWidget *control, const QString &name, const QString &description = QString());

// A label whose text tells the user that something has happened: screen
// readers know it as an alert, and read it out when it is announced.
class NoticeLabel : public QLabel
{
    Q_OBJECT
public:
    explicit NoticeLabel(const QString &text, QWidget *parent = nullptr);
};
// Reads `notice` out now, once its text is set and it is shown.
void announce(NoticeLabel *notice);

// Lets screen readers see the program's own kinds of control (picture buttons,
// notices) for what they are. Safe to call more than once; the controls that
// need it call it themselves.
void installAccessibleKinds();
