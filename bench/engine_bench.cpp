// Runs the real generator against the real words.mdb (beside this program) on a
// generated English text of N words, and prints variations per second, words per
// second and the peak memory of each case. Each case runs in a process of its own
// so its peak memory is its own.
//
//   engine_bench [fit]           all cases
//   engine_bench N L S V [fit]   one case: N words, legibility L, stretch S (0 or 1), V variations
//   engine_bench digest [fit]    the SHA-256 of what a fixed set of runs writes with seeded
//                                draws: texts, marks and figures; the same before and after
//                                a change that must not change the output
//
// With "fit" the synonyms are fitted to their sentences; the time includes
// loading the tagger and the language model and tagging the text.

#include "BenchFit.h"
#include "BenchStore.h"
#include "BenchText.h"
#include "engine/RandomDraw.h"
#include "engine/WordList.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Draws from a fixed seed, so a run can be repeated exactly.
class SeededDraws : public DrawSource
{
public:
    explicit SeededDraws(std::uint64_t seed) : m_state(seed) {}
    double nextFraction() override
    {
        std::uint64_t x = (m_state += 0x9E3779B97F4A7C15ull);
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
        return double((x ^ (x >> 31)) >> 11) * 0x1.0p-53;
    }

private:
    std::uint64_t m_state;
};

// The runs behind the digest: every legibility band, the stretch, keyword rows
// that change, keep and empty words, and words holding lone line breaks.
int runDigest(bool fit)
{
    WordStore store;
    if (failsToOpen(store, QCoreApplication::applicationDirPath()))
        return 1;
    FitModels models;
    if (fit && !models.load())
        return 1;
    QString odd = makeText(300);
    odd.replace(QStringLiteral("cost"), QStringLiteral("co\rst"));
    odd.replace(QStringLiteral("vote."), QStringLiteral("vote.\n"));
    odd.replace(QStringLiteral("town"), QString(QStringLiteral("to")) + QChar::LineSeparator + QStringLiteral("wn"));
    odd.replace(QStringLiteral("street"), QStringLiteral("street  \r\n\r\n"));
    const QString texts[] = {makeText(2000), odd, QString(), QStringLiteral("word")};

    QCryptographicHash hash(QCryptographicHash::Sha256);
    std::uint64_t seed = 1;
    for (const QString &text : texts) {
        for (int legibility : {5, 50, 80}) {
            for (int keywords = 0; keywords < 3; ++keywords) {
                for (bool stretch : {false, true}) {
                    WordList list;
                    const qsizetype words = list.FillWordList(text);
                    SeededDraws draws(seed++);
                    VariationGenerator generator(list, store, draws);
                    const auto chooser = models.fitTo(generator, store);
                    RewriteSettings settings;
                    settings.legibility = legibility;
                    settings.fitToSentence = fit;
                    if (stretch)
                        settings.targetWordCount = double(3 * words + 7);
                    if (keywords >= 1) {
                        settings.keywordRules[0] = {QStringLiteral("the"), QStringLiteral("a")};
                        settings.keywordRules[1] = {QStringLiteral("proposal"), QStringLiteral("proposal")};
                        settings.keywordRules[2] = {QStringLiteral("budget"), QStringLiteral("budget"), true};
                    }
                    if (keywords == 2) {
                        settings.keywordRules[3] = {QStringLiteral("and "), QString()};
                        settings.keywordRules[4] = {QStringLiteral("MEMBER"), QStringLiteral("Member of it")};
                    }
                    for (int v = 0; v < 4; ++v) {
                        const Variation variation = generator.GenerateVariation(settings);
                        hash.addData(variation.text.toUtf8());
                        const std::vector<quint8> &kinds = variation.changes.kinds();
                        hash.addData(QByteArrayView(reinterpret_cast<const char *>(kinds.data()), qsizetype(kinds.size())));
                        hash.addData(QByteArray::number(variation.changes.changed()) + ' '
                                     + QByteArray::number(variation.changes.inserted()) + '\n');
                    }
                }
            }
        }
    }
    std::printf("%s\n", hash.result().toHex().constData());
    return 0;
}

int runCase(qsizetype words, int legibility, bool stretch, int variations, bool fit)
{
    WordStore store;
    QElapsedTimer timer;
    timer.start();
    if (failsToOpen(store, QCoreApplication::applicationDirPath()))
        return 1;
    WordList list;
    list.FillWordList(makeText(words));
    ClockDrawSource draws;
    VariationGenerator generator(list, store, draws);
    RewriteSettings settings;
    settings.legibility = legibility;
    settings.fitToSentence = fit;
    FitModels models;
    if (fit && !models.load())
        return 1;
    const auto chooser = models.fitTo(generator, store);
    if (stretch)
        settings.targetWordCount = double(2 * words);
    qsizetype produced = 0;
    for (int v = 0; v < variations; ++v)
        produced += generator.GenerateVariation(settings).text.size() > 0 ? 1 : 0;
    const double seconds = timer.nsecsElapsed() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%9lld words  legibility %2d  %-9s %-3s %4d variations  %8.3f s  %9.1f variations/s  %12.0f words/s  "
                "peak %6.1f MB\n",
                qint64(words), legibility, stretch ? "stretch" : "no stretch", fit ? "fit" : "", variations, seconds,
                produced / seconds, double(words) * produced / seconds, usage.ru_maxrss / 1024.0);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool fit = qstrcmp(argv[argc - 1], "fit") == 0;
    const int given = fit ? argc - 1 : argc;
    if (given == 2 && qstrcmp(argv[1], "digest") == 0)
        return runDigest(fit);
    if (given == 5)
        return runCase(QByteArray(argv[1]).toLongLong(), std::atoi(argv[2]), std::atoi(argv[3]) != 0,
                       std::atoi(argv[4]), fit);

    struct Case
    {
        qsizetype words;
        int variations;
    };
    const Case cases[] = {{1000, 100}, {10000, 100}, {100000, 10}, {1000000, 1}};
    for (const Case &c : cases) {
        for (int legibility : {5, 80}) {
            for (bool stretch : {false, true}) {
                const pid_t child = fork();
                if (child == 0)
                    _exit(runCase(c.words, legibility, stretch, c.variations, fit));
                int status = 0;
                waitpid(child, &status, 0);
            }
        }
    }
    return 0;
}
