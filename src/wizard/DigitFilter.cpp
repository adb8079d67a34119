#include "wizard/DigitFilter.h"

#include "platform/KeyProcedures.h"

#include <QKeyEvent>
#include <QLineEdit>

int DigitFilter(int keyChar)
{
    const bool digit = keyChar >= 48 && keyChar <= 57;
    return digit || keyChar == 8 || keyChar == 13 || keyChar == 46 ? keyChar : 0;
}

DigitBoxFilter::DigitBoxFilter(QLineEdit *box) : QObject(box)
{
    box->installEventFilter(this);
}

bool DigitBoxFilter::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int keyChar = keyCharOf(key);
    if (keyChar == 0 || keyChar == 9)
        return false;
    return DigitFilter(keyChar) == 0; // true swallows the key
}
