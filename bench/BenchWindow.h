#pragma once
// What the benchmarks of the real window share: prompts that answer at once,
// and its controls found by name.

#include "platform/Prompts.h"

#include <QWidget>

#include <cstdio>

namespace {

// Messages go to standard error; the bench never waits for an answer.
class PrintedPrompts : public Prompts
{
public:
    int message(const QString &text, int, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Ok;
    }
    QString openFile(const QString &) override { return {}; }
    QString saveFile(const QString &) override { return {}; }
    QString chooseFolder(const QString &) override { return {}; }
    bool openAddress(const QString &) override { return false; }
};

template<class T = QWidget>
T *control(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

} // namespace
