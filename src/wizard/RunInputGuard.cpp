#include "wizard/RunInputGuard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

const QWidget *owningWidget(const QObject *object)
{
    while (object && !object->isWidgetType())
        object = object->parent();
    return static_cast<const QWidget *>(object);
}

} // namespace

RunInputGuard::RunInputGuard(const QWidget *window, std::function<bool(const QObject *)> blocks, QObject *parent)
    : QObject(parent), m_window(window), m_blocks(std::move(blocks))
{
    QCoreApplication::instance()->installEventFilter(this);
}

RunInputGuard::~RunInputGuard()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool RunInputGuard::eventFilter(QObject *watched, QEvent *event)
{
    // A window hands its input on to the widget it is for: that is where it is judged.
    if (watched->isWindowType())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu: {
        const QWidget *widget = owningWidget(watched);
        return (!widget || widget->window() == m_window) && m_blocks(watched);
    }
    default:
        return false;
    }
}
