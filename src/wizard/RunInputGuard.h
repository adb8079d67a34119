#pragma once

#include <QObject>

#include <functional>

// Keeps the user's clicks and keys from the widgets `blocks` names while it
// lives, so that during a run the window can handle its other events
// (painting, being closed) without a click starting anything meanwhile.
class RunInputGuard : public QObject
{
public:
    explicit RunInputGuard(std::function<bool(const QObject *)> blocks, QObject *parent = nullptr);
    ~RunInputGuard() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool(const QObject *)> m_blocks;
};
