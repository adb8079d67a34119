// Runs the real generator against the real words.mdb (beside this program) on a
// generated English text of N words, and prints variations per second, words per
// second and the peak memory of each case. Each case runs in a process of its own
// so its peak memory is its own.
//
//   engine_bench            all cases
//   engine_bench N L S V    one case: N words, legibility L, stretch S (0 or 1), V variations

#include "BenchText.h"
#include "engine/RandomDraw.h"
#include "engine/VariationGenerator.h"
#include "engine/WordList.h"
#include "BenchStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int runCase(qsizetype words, int legibility, bool stretch, int variations)
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
    if (stretch)
        settings.targetWordCount = double(2 * words);
    qsizetype produced = 0;
    for (int v = 0; v < variations; ++v)
        produced += generator.GenerateVariation(settings).text.size() > 0 ? 1 : 0;
    const double seconds = timer.nsecsElapsed() / 1e9;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%9lld words  legibility %2d  %-9s %4d variations  %8.3f s  %9.1f variations/s  %12.0f words/s  "
                "peak %6.1f MB\n",
                qint64(words), legibility, stretch ? "stretch" : "no stretch", variations, seconds,
                produced / seconds, double(words) * produced / seconds, usage.ru_maxrss / 1024.0);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 5)
        return runCase(QByteArray(argv[1]).toLongLong(), std::atoi(argv[2]), std::atoi(argv[3]) != 0,
                       std::atoi(argv[4]));

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
                    _exit(runCase(c.words, legibility, stretch, c.variations));
                int status = 0;
                waitpid(child, &status, 0);
            }
        }
    }
    return 0;
}
