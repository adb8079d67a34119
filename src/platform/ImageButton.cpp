#include "platform/ImageButton.h"

#include "platform/Accessibility.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ImageButton::ImageButton(const QString &svgResource, QWidget *parent)
    : QWidget(parent), m_renderer(svgResource)
{
    installAccessibleKinds();
    setClickable(true);
}

void ImageButton::setClickable(bool clickable)
{
    m_clickable = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    // Decoration lets presses through to the window below, so it can be dragged by them.
    setAttribute(Qt::WA_TransparentForMouseEvents, !clickable);
    setFocusPolicy(clickable ? Qt::StrongFocus : Qt::NoFocus);
}

void ImageButton::click()
{
    if (m_clickable && isVisible() && isEnabled())
        emit clicked();
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&painter, QRectF(rect()));
    if (hasFocus()) {
        // The focus frame: the highlight colour, inside the picture's edge.
        QPen pen(palette().color(QPalette::Highlight), 2, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void ImageButton::mousePressEvent(QMouseEvent *event)
{
    if (m_clickable && event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (m_clickable && wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void ImageButton::keyPressEvent(QKeyEvent *event)
{
    const bool presses = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_clickable && presses && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QWidget::keyPressEvent(event);
}
