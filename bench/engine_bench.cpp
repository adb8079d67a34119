// Runs the real generator against the real words.mdb (beside this program) on a
// generated English text of N words, and prints variations per second, words per
// second and the peak memory of each case. Each case runs in a process of its own
// so its peak memory is its own.
//
//   engine_bench [fit]           all cases
//   engine_bench N L S V [fit]   one case: N words, legibility L, stretch S (0 or 1), V variations
//
// With "fit" the synonyms are fitted to their sentences; the time includes
// loading the tagger and the language model and tagging the text.

#include "BenchText.h"
#include "engine/FitToSentence.h"
#include "engine/LanguageModel.h"
#include "engine/PosTagger.h"
#include "engine/RandomDraw.h"
#include "engine/ReprintRun.h"
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
    std::optional<PosTagger> tagger;
    std::unique_ptr<LanguageModel> model;
    std::unique_ptr<FitToSentence> chooser;
    if (fit) {
        const FitData data;
        QString error;
        tagger = PosTagger::load(data.lexicon, data.tagTrigrams, &error);
        if (tagger)
            model = LanguageModel::load(data.languageModel, &error);
        if (!model) {
            std::fprintf(stderr, "fit: %s\n", qPrintable(error));
            return 1;
        }
        chooser = std::make_unique<FitToSentence>(store, *tagger, *model);
        generator.setFitChooser(chooser.get());
    }
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
