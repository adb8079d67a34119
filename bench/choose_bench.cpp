// Where the user waits in the Choose synonyms window: the real main window
// walked to the legibility page, the fit ticked, and "Choose synonyms..."
// clicked over a text.
//
//   choose_bench [--shot FILE] [--keep-open SECONDS] TEXT   or   choose_bench WORDS
//   choose_bench --choose CHOICES [--legibility L] TEXT
//
// Prints the time from the click to the window painted with its marks and
// figure, and the slowest of 40 steps to the next word (F8) and of 40 ticks
// (the key 1), each until the window has painted again. With --shot the screen
// is saved to FILE (under Xvfb) once the window is open; --keep-open leaves it
// up that long first, for looking at. The program folder is a scratch one
// holding a copy of the words.mdb beside this program.
//
// With --choose the window is used instead as a person would: each line of
// CHOICES ("word class synonym +" to tick, "-" to untick) is set on the first
// place of that word and class, OK kept, and the wizard walked on to a fit
// run of one reprint at legibility L (50 by default), which is printed after
// the text.

#include "BenchStore.h"
#include "BenchText.h"
#include "BenchWindow.h"
#include "choices/ChooseDialog.h"
#include "Coverage.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "sources/WebPageFetcher.h"
#include "startup/MainWindow.h"
#include "engine/RandomDraw.h"
#include "engine/ReprintRun.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

double secondsOf(QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e9;
}

// The slowest of `times` presses of `key` on `dialog`, each until it has painted.
double slowest(QDialog *dialog, Qt::Key key, int times)
{
    double worst = 0;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer timer;
        timer.start();
        // As the window system delivers it, shortcuts included.
        QTest::keyClick(dialog->windowHandle(), key);
        dialog->repaint();
        worst = std::max(worst, secondsOf(timer));
    }
    return worst;
}

// Sets each choice of `path` in the window as a person would, keeps them,
// and prints the text and the reprint a fit run makes of it.
int chooseAndRun(MainWindow &window, const QString &path, int legibility, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    int failures = 0;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<ChooseDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            ++failures;
            return;
        }
        auto *candidates = control<QListWidget>(*dialog, "LstChooseCandidates");
        for (const QString &line : lines) {
            const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            qsizetype place = -1;
            for (qsizetype i = 0; f.size() == 4 && i < dialog->placeCount() && place < 0; ++i)
                place = dialog->wordOf(i) == f[0] && dialog->classOf(i) == f[1] ? i : -1;
            if (place < 0) {
                std::fprintf(stderr, "not offered: %s\n", qPrintable(line));
                ++failures;
                continue;
            }
            dialog->selectPlace(place);
            const bool tick = f[3] == QLatin1String("+");
            int row = -1;
            for (int r = 0; r < candidates->count(); ++r)
                row = candidates->item(r)->data(Qt::UserRole).toString() == f[2] ? r : row;
            if (row < 0 && tick)
                dialog->addOwnSynonym(f[2]);
            else if (row >= 0 && (candidates->item(row)->checkState() == Qt::Checked) != tick)
                dialog->toggleCandidate(row + 1);
        }
        QTest::mouseClick(control<QPushButton>(*dialog, "CmdOK"), Qt::LeftButton);
    });
    QTest::mouseClick(control<QPushButton>(window, "CmdChoose"), Qt::LeftButton);
    if (failures)
        return 1;
    control<QSlider>(window, "slLeg")->setValue(legibility);
    QTest::mouseClick(control(window, "imgNxt"), Qt::LeftButton); // to the stretch
    QTest::mouseClick(control(window, "imgNxt"), Qt::LeftButton); // to the reprint count
    control<QLineEdit>(window, "TxtReprints")->setText(QStringLiteral("1"));
    QTest::mouseClick(control(window, "imgNxt"), Qt::LeftButton); // to the output choice
    control<QRadioButton>(window, "OptNo")->click();
    QTest::mouseClick(control(window, "imgNxt"), Qt::LeftButton); // the run
    std::printf("%s\n\n%s\n\n%s\n", qPrintable(text), qPrintable(QString(72, QLatin1Char('-'))),
                qPrintable(control<TextBox>(window, "TxtFinishContant")->text()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QString shot, textPath, choicesPath;
    int keepOpen = 0, legibility = 50;
    qsizetype words = 10000;
    for (int a = 1; a < argc; ++a) {
        if (qstrcmp(argv[a], "--shot") == 0 && a + 1 < argc)
            shot = QString::fromLocal8Bit(argv[++a]);
        else if (qstrcmp(argv[a], "--keep-open") == 0 && a + 1 < argc)
            keepOpen = std::atoi(argv[++a]);
        else if (qstrcmp(argv[a], "--choose") == 0 && a + 1 < argc)
            choicesPath = QString::fromLocal8Bit(argv[++a]);
        else if (qstrcmp(argv[a], "--legibility") == 0 && a + 1 < argc)
            legibility = std::atoi(argv[++a]);
        else if (QByteArray(argv[a]).toLongLong() > 0)
            words = QByteArray(argv[a]).toLongLong();
        else
            textPath = QString::fromLocal8Bit(argv[a]);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareWebEngineEnvironment();
    QApplication app(argc, argv);

    QString text = makeText(words);
    if (!textPath.isEmpty()) {
        const std::optional<QString> prose = readProse(textPath);
        if (!prose)
            return 1;
        text = *prose;
    }
    QTemporaryDir dir;
    const QString source = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(WordStore::FileName));
    if (!dir.isValid() || !QFile::copy(source, dir.filePath(QString::fromLatin1(WordStore::FileName)))) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
        return 1;
    }
    PrintedPrompts prompts;
    WordStore store;
    if (failsToOpen(store, dir.path()))
        return 1;
    ClockDrawSource draws;
    ReprintRun run(store, draws, dir.path());
    MainWindow window(run, prompts, [] {}, dir.path());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    control<TextBox>(window, "TxtContent")->setText(text);
    for (int page = 0; page < 3; ++page)
        QTest::mouseClick(control(window, "imgNxt"), Qt::LeftButton);
    control<QCheckBox>(window, "chkFit")->setChecked(true);

    if (!choicesPath.isEmpty())
        return chooseAndRun(window, choicesPath, legibility, text);

    QElapsedTimer timer;
    double opened = -1, step = -1, tick = -1;
    QString figure;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            std::fprintf(stderr, "no window opened\n");
            QApplication::exit(1);
            return;
        }
        dialog->repaint();
        opened = secondsOf(timer);
        figure = control<QLabel>(*dialog, "LblChooseFigure")->text();
        if (!shot.isEmpty()) {
            QTest::qWait(keepOpen * 1000 + 300);
            if (std::system(qPrintable(QStringLiteral("import -window root '%1'").arg(shot))) != 0)
                dialog->grab().save(shot);
        }
        auto *word = control<QLabel>(*dialog, "LblChooseWord");
        const QString first = word->text();
        step = slowest(dialog, Qt::Key_F8, 40);
        if (word->text() == first)
            std::fprintf(stderr, "F8 did not move on\n");
        const QString before = figure;
        tick = slowest(dialog, Qt::Key_1, 41);
        if (control<QLabel>(*dialog, "LblChooseFigure")->text() == before)
            std::fprintf(stderr, "the key 1 changed nothing\n");
        dialog->reject();
    });
    timer.start();
    QTest::mouseClick(control<QPushButton>(window, "CmdChoose"), Qt::LeftButton);
    if (opened < 0)
        return 1;
    std::printf("%lld words: window open %.3f s, next word at worst %.1f ms, tick at worst %.1f ms\n  %s\n",
                qint64(WordChanges::countWords(text)), opened, step * 1000, tick * 1000, qPrintable(figure));
    return 0;
}
