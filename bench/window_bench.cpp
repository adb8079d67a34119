// Where the user waits for a run of reprints: the real main window against the
// engine alone, on the same text and settings.
//
//   window_bench [N L S V [save] [fit] [choices] [spintax]]   N words, legibility L, stretch S
//                                   (0 or 1: to 2N words), V reprints; default 10000 5 0 100
//
// With "save" the run also saves a copy of every reprint to an output folder, and
// the bench prints what both runs wrote and at what rate. With "fit" the synonyms
// are fitted to their sentences; the time includes loading the tagger and the
// language model and tagging the text. With "choices" the word database holds
// 2,000 of the user's choices, half of them for the text's own words. With
// "spintax" the text is spintax, three words in ten a group of two options.
//
// The window case types a text of N words into the original page, walks the
// wizard as a person would (preview, keywords, the legibility slider, the stretch
// target, the reprint count, "No" to saving) and clicks Next on the output page; it
// prints the time until that click has made the last working copy, and how long
// after the run's end the finish page had painted the first reprint with its
// changed words marked. The engine
// case runs the same reprints through ReprintRun with no window. Each case runs
// in a process of its own, so each peak memory is its own. The working copies go
// to a scratch folder holding a copy of the words.mdb beside this program.
// Offscreen unless QT_QPA_PLATFORM says otherwise.

#include "BenchText.h"
#include "BenchWindow.h"
#include "engine/Numbers.h"
#include "engine/RandomDraw.h"
#include "engine/Spintax.h"
#include "engine/ReprintRun.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"
#include "sources/WebPageFetcher.h"
#include "startup/MainWindow.h"
#include "wizard/ChangeMarks.h"
#include "BenchStore.h"
#include "startup/Sqlite.h"

#include <QRegularExpression>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Case
{
    qsizetype words = 10000;
    int legibility = 5;
    bool stretch = false;
    qint64 reprints = 100;
    bool save = false;
    bool fit = false;
    bool choices = false;
    bool spintax = false;

    QString target() const { return stretch ? QString::number(2 * words) : QString(); }
};

// The bench's text, as spintax when the case asks for it: three words in ten
// become a group of the word and its plural-looking twin.
QString textOf(const Case &c)
{
    const QString text = makeText(c.words);
    if (!c.spintax)
        return text;
    QString out;
    qsizetype word = 0;
    for (const QString &line : text.split(QLatin1String("\r\n"))) {
        QStringList words = line.split(QLatin1Char(' '));
        for (QString &w : words) {
            if (!w.isEmpty() && word++ % 10 % 3 == 0 && word % 10 != 0)
                w = QStringLiteral("{%1|%1s}").arg(Spintax::escaped(w));
            else
                w = Spintax::escaped(w);
        }
        out += words.join(QLatin1Char(' ')) + QLatin1String("\r\n");
    }
    out.chop(2);
    return out;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// A scratch program folder with a copy of the word database; empty on failure.
QString makeProgramFolder(QTemporaryDir &dir, const Case &c)
{
    const QString source = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(WordStore::FileName));
    const QString target = dir.filePath(QString::fromLatin1(WordStore::FileName));
    if (!dir.isValid() || !QFile::copy(source, target)) {
        std::fprintf(stderr, "cannot copy %s to a scratch folder\n", qPrintable(source));
        return {};
    }
    if (c.choices) {
        // Every other offered synonym of the text's words ticked, the rest
        // unticked, and as many again for other words.
        QStringList words;
        for (const QString &word : makeText(400).split(QRegularExpression(QStringLiteral("[ .,\r\n]+")),
                                                        Qt::SkipEmptyParts))
            words << QStringLiteral("'%1'").arg(word.toLower());
        SqliteDatabase db;
        const auto failed = db.open(target, SqliteDatabase::Mode::ReadWrite);
        const QString fill = QStringLiteral(
            "create table if not exists Tbl_Choices(word text, class text, synonym text, chosen integer);"
            "insert into Tbl_Choices select word, class, synonym, rank % 2 from OfferSynonyms where word in (%1) "
            "limit 1000;"
            "insert into Tbl_Choices select word, class, synonym, rank % 2 from OfferSynonyms where word not in (%1) "
            "and rowid % 50 = 0 limit 1000;").arg(words.join(QLatin1Char(',')));
        if (failed || db.exec(fill)) {
            std::fprintf(stderr, "cannot fill the choices\n");
            return {};
        }
    }
    return dir.path();
}

bool lastCopyWritten(const QString &folder, qint64 reprints)
{
    return QFile::exists(QDir(folder).filePath(ReprintRun::workingCopyName(reprints)));
}

// Megabytes of the text files in `folder`.
double writtenMegabytes(const QString &folder)
{
    qint64 bytes = 0;
    for (const QFileInfo &file : QDir(folder).entryInfoList({QStringLiteral("*.txt")}, QDir::Files))
        bytes += file.size();
    return bytes / 1e6;
}

// What a run measured: seconds (negative on failure) and megabytes written.
struct Figures
{
    double seconds = -1;
    double megabytes = 0;
    double peak = 0;
    double shownAfterEnd = -1; // seconds from the run's end to the marked reprint painted
    qint64 marks = 0;
};

// When a widget was last hidden, on a running clock.
class HideClock : public QObject
{
public:
    explicit HideClock(const QElapsedTimer &clock) : m_clock(clock) {}
    qint64 hiddenAt = -1;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            hiddenAt = m_clock.nsecsElapsed();
        return false;
    }

private:
    const QElapsedTimer &m_clock;
};

// The reprints made by ReprintRun alone.
Figures engineRun(const Case &c)
{
    QTemporaryDir dir;
    QTemporaryDir output;
    const QString folder = makeProgramFolder(dir, c);
    WordStore store;
    if (folder.isEmpty() || failsToOpen(store, folder))
        return {};
    QElapsedTimer timer;
    timer.start();
    ClockDrawSource draws;
    ReprintRun run(store, draws, folder);
    const QString text = textOf(c);
    run.FillWordList(text);
    RewriteSettings settings;
    // As the window does: the text read as spintax, the reading timed with the run.
    if (Spintax::Reading spintax = Spintax::read(text); spintax.spintax)
        settings.spintax = std::make_shared<const Spintax>(std::move(*spintax.spintax));
    settings.legibility = c.legibility;
    settings.targetWordCount = decimalNumber(c.target());
    settings.reprintCount = c.reprints;
    settings.outputFolder = output.path();
    settings.fitToSentence = c.fit;
    if (c.save)
        run.SaveReprints(settings, nullptr);
    else
        run.ShowReprints(settings, nullptr);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (!lastCopyWritten(folder, c.reprints))
        return {};
    return {seconds, writtenMegabytes(folder) + writtenMegabytes(output.path())};
}

void clickNext(MainWindow &window)
{
    QTest::mouseClick(control(window, "imgNxt"), Qt::LeftButton);
}

// The time from the click on the output page's Next to the last working copy;
// the pages before it are filled in untimed.
Figures windowRun(const Case &c)
{
    QTemporaryDir dir;
    QTemporaryDir output;
    const QString folder = makeProgramFolder(dir, c);
    PrintedPrompts prompts;
    WordStore store;
    if (folder.isEmpty() || failsToOpen(store, folder))
        return {};
    ClockDrawSource draws;
    ReprintRun run(store, draws, folder);
    MainWindow window(run, prompts, [] {}, folder);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {};

    control<TextBox>(window, "TxtContent")->setText(textOf(c));
    clickNext(window); // to the preview
    clickNext(window); // to the keywords
    clickNext(window); // to the legibility
    control<QSlider>(window, "slLeg")->setValue(c.legibility);
    control<QCheckBox>(window, "chkFit")->setChecked(c.fit);
    clickNext(window); // to the stretch, which shows the word count as the target
    if (c.stretch)
        control<QLineEdit>(window, "txtNewContent")->setText(c.target());
    clickNext(window); // to the reprint count
    control<QLineEdit>(window, "TxtReprints")->setText(QString::number(c.reprints));
    clickNext(window); // to the output choice
    if (c.save) {
        control<QRadioButton>(window, "OptYes")->click();
        control<QLineEdit>(window, "TxtBrowseFolder")->setText(output.path());
    } else {
        control<QRadioButton>(window, "OptNo")->click();
    }
    if (window.currentStep() != 6) {
        std::fprintf(stderr, "the wizard stopped on page %d\n", window.currentStep());
        return {};
    }
    QElapsedTimer timer;
    // The run's counter is hidden when the run ends.
    HideClock runEnd(timer);
    control(window, "LblOneOfOne")->installEventFilter(&runEnd);
    timer.start();
    clickNext(window);
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (window.currentStep() != 7 || !lastCopyWritten(folder, c.reprints))
        return {};
    auto *result = control<TextBox>(window, "TxtFinishContant");
    result->viewport()->repaint();
    Figures figures{seconds, writtenMegabytes(folder) + writtenMegabytes(output.path())};
    figures.shownAfterEnd = (timer.nsecsElapsed() - runEnd.hiddenAt) / 1e9;
    if (auto *marks = result->findChild<ChangeMarks *>())
        figures.marks = qint64(marks->marks().size());
    return figures;
}

// Runs `measure` in a child process; its figures with the child's peak memory.
template<class Measure>
Figures inChild(Measure measure)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        Figures figures = measure();
        figures.peak = peakMegabytes();
        const bool written = write(pipeEnds[1], &figures, sizeof figures) == ssize_t(sizeof figures);
        _exit(written ? 0 : 1);
    }
    close(pipeEnds[1]);
    Figures figures;
    if (read(pipeEnds[0], &figures, sizeof figures) != ssize_t(sizeof figures))
        figures = {};
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    Case c;
    bool known = argc == 1 || argc >= 5;
    for (int a = 5; a < argc; ++a) {
        c.save = c.save || qstrcmp(argv[a], "save") == 0;
        c.fit = c.fit || qstrcmp(argv[a], "fit") == 0;
        c.choices = c.choices || qstrcmp(argv[a], "choices") == 0;
        c.spintax = c.spintax || qstrcmp(argv[a], "spintax") == 0;
        known = known && (qstrcmp(argv[a], "save") == 0 || qstrcmp(argv[a], "fit") == 0
                          || qstrcmp(argv[a], "choices") == 0 || qstrcmp(argv[a], "spintax") == 0);
    }
    if (!known) {
        std::fprintf(stderr, "usage: window_bench [WORDS LEGIBILITY STRETCH REPRINTS [save] [fit] [choices] [spintax]]\n");
        return 2;
    }
    if (argc >= 5) {
        c.words = QByteArray(argv[1]).toLongLong();
        c.legibility = std::atoi(argv[2]);
        c.stretch = std::atoi(argv[3]) != 0;
        c.reprints = QByteArray(argv[4]).toLongLong();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const auto engine = inChild([&] {
        QCoreApplication app(argc, argv);
        return engineRun(c);
    });
    const auto window = inChild([&] {
        prepareWebEngineEnvironment();
        QApplication app(argc, argv);
        return windowRun(c);
    });
    if (engine.seconds < 0 || window.seconds < 0) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("%9lld words  legibility %2d  %-10s %-11s %4lld reprints   window %8.3f s  peak %6.1f MB   "
                "engine %8.3f s  peak %6.1f MB   window/engine %.2f\n",
                qint64(c.words), c.legibility, c.stretch ? "stretch" : "no stretch", c.spintax ? "spintax" : c.choices ? "fit+choices" : c.fit ? "fit" : "", c.reprints,
                window.seconds,
                window.peak, engine.seconds, engine.peak, window.seconds / engine.seconds);
    std::printf("%9s the first reprint shown with %lld words marked %.3f s after the run's end\n", "",
                window.marks, window.shownAfterEnd);
    if (c.save)
        std::printf("%9s written: window %.0f MB at %.0f MB/s, engine %.0f MB at %.0f MB/s\n", "", window.megabytes,
                    window.megabytes / window.seconds, engine.megabytes, engine.megabytes / engine.seconds);
    return 0;
}
