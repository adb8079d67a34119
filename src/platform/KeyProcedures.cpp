#include "platform/KeyProcedures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

int keyCharOf(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    default:
        break;
    }
    const QString text = event->text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

void EnterActsAsTab(int keyChar)
{
    if (keyChar != 13)
        return;
    if (QWidget *focus = QApplication::focusWidget()) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QApplication::sendEvent(focus, &tab);
    }
}

void EscClosesWindow(int keyChar, QWidget *window)
{
    if (keyChar == 27 && window)
        window->close();
}
