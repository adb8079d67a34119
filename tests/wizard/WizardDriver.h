#pragma once

// Walks the main window's wizard as a person would: finds controls by object
// name, types into them and clicks them.

#include "engine/RandomDraw.h"
#include "engine/ReprintRun.h"
#include "fixtures/FakePrompts.h"
#include "fixtures/FixtureDb.h"
#include "platform/TextBox.h"
#include "startup/MainWindow.h"
#include "startup/WordStore.h"
#include "wizard/Wizard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

struct WizardDriver
{
    QTemporaryDir program;
    FakePrompts prompts;
    WordStore store;
    ClockDrawSource draws;
    std::unique_ptr<ReprintRun> run;
    int exclusionEditorOpened = 0; // times the window asked for the exclusion editor
    std::unique_ptr<MainWindow> window;

    explicit WizardDriver(const QList<FixtureWord> &words = {{"committee", {"commission"}},
                                                              {"morning", {"forenoon"}},
                                                              {"proposal", {"suggestion"}},
                                                              {"alpha", {}},
                                                              {"bravo", {}}})
    {
        makeFixtureDb(program.path(), words);
        store.OpenWordStore(program.path());
        run = std::make_unique<ReprintRun>(store, draws, program.path());
        window = std::make_unique<MainWindow>(*run, prompts, [this] { ++exclusionEditorOpened; }, program.path());
        window->show();
    }

    template<class T = QWidget>
    T *get(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString path(const QString &name) const { return QDir(program.path()).filePath(name); }

    void click(const char *name) { QTest::mouseClick(get(name), Qt::LeftButton); }
    void next() { click("imgNxt"); }
    void previous() { click("imgPrev"); }
    void restart() { click("imgRestart"); }
    void choose(const char *option) { get<QRadioButton>(option)->click(); }
    void type(const char *box, const QString &text)
    {
        if (auto *line = window->findChild<QLineEdit *>(QString::fromLatin1(box)))
            line->setText(text);
        else
            get<TextBox>(box)->setText(text);
    }
    QString text(const char *box) const
    {
        if (auto *line = window->findChild<QLineEdit *>(QString::fromLatin1(box)))
            return line->text();
        if (auto *label = window->findChild<QLabel *>(QString::fromLatin1(box)))
            return label->text();
        return get<TextBox>(box)->text();
    }
    int step() const { return window->currentStep(); }
    // From the text already typed: `count` reprints, shown and not saved.
    void runWithoutSaving(const QString &count)
    {
        nextUntil(5);
        type("TxtReprints", count);
        next();
        choose("OptNo");
        next();
    }
    void nextUntil(int wanted)
    {
        while (step() < wanted) {
            const int before = step();
            next();
            if (step() == before)
                qFatal("the wizard stopped on page %d", before);
        }
    }
};
