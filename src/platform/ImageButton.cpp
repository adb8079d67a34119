#include "platform/ImageButton.h"

#include <QMouseEvent>
#include <QPainter>

ImageButton::ImageButton(const QString &svgResource, QWidget *parent)
    : QWidget(parent), m_renderer(svgResource)
{
    setClickable(true);
}

void ImageButton::setClickable(bool clickable)
{
    m_clickable = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    // Decoration lets presses through to the window below, so it can be dragged by them.
    setAttribute(Qt::WA_TransparentForMouseEvents, !clickable);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer.render(&painter, QRectF(rect()));
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
