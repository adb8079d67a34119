#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Keeps the user's clicks and keys from the widgets of `window` that `blocks`
// names while it lives, so that during a run the window can handle its other
// events (painting, being closed) without a click starting anything meanwhile.
// Other windows, such as a message the run itself puts up, answer as usual.
class RunInputGuard : public QObject
{
public:
    RunInputGuard(const QWidget *window, std::function<bool(const QObject *)> blocks, QObject *parent = nullptr);
    ~RunInputGuard() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const QWidget *m_window;
    std::function<bool(const QObject *)> m_blocks;
};
