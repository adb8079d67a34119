#pragma once

#include <QSvgRenderer>
#include <QWidget>

// A picture that acts as a button: it draws an SVG scaled to its size and
// reports a left click. Without a click receiver it is plain decoration.
// A clickable picture is a button for the keyboard and for screen readers too:
// Tab reaches it, a focus frame shows it has the focus, Space or Enter presses
// it, and its accessible name says what it does.
class ImageButton : public QWidget
{
    Q_OBJECT
public:
    explicit ImageButton(const QString &svgResource, QWidget *parent = nullptr);

    void setClickable(bool clickable);
    bool isClickable() const { return m_clickable; }

    // Does what a click does, when the picture can be clicked and is shown and enabled.
    void click();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QSvgRenderer m_renderer;
    bool m_clickable = true;
    bool m_pressed = false;
};
