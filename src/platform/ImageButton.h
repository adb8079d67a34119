#pragma once

#include <QSvgRenderer>
#include <QWidget>

// A picture that acts as a button: it draws an SVG scaled to its size and
// reports a left click. Without a click receiver it is plain decoration.
class ImageButton : public QWidget
{
    Q_OBJECT
public:
    explicit ImageButton(const QString &svgResource, QWidget *parent = nullptr);

    void setClickable(bool clickable);
    bool isClickable() const { return m_clickable; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QSvgRenderer m_renderer;
    bool m_clickable = true;
    bool m_pressed = false;
};
