// penrook-wordsdb: builds words.mdb from a MyThes thesaurus.

#include "MythesReader.h"
#include "SynonymFilter.h"
#include "WordsDbWriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("penrook-wordsdb"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Builds the word database words.mdb from a MyThes thesaurus. An existing file keeps its "
        "exclusion list (Tbl_Exclude); only its words and synonyms are replaced."));
    parser.addHelpOption();
    const QCommandLineOption thesaurusOption(QStringLiteral("thesaurus"), QStringLiteral("MyThes .dat file."),
                                             QStringLiteral("file"),
                                             QStringLiteral("/usr/share/mythes/th_en_US_v2.dat"));
    const QCommandLineOption outputOption(QStringLiteral("output"), QStringLiteral("The words.mdb to write."),
                                          QStringLiteral("file"));
    const QCommandLineOption ifMissingOption(QStringLiteral("if-missing"),
                                             QStringLiteral("Do nothing when the output file exists."));
    parser.addOptions({thesaurusOption, outputOption, ifMissingOption});
    parser.process(app);

    const QString output = parser.value(outputOption);
    if (output.isEmpty()) {
        std::fprintf(stderr, "penrook-wordsdb: --output is required\n");
        return 2;
    }
    if (parser.isSet(ifMissingOption) && QFileInfo::exists(output))
        return 0;

    QElapsedTimer timer;
    timer.start();
    const Thesaurus thesaurus = readMythes(parser.value(thesaurusOption));
    if (!thesaurus.error.isEmpty()) {
        std::fprintf(stderr, "penrook-wordsdb: %s\n", qPrintable(thesaurus.error));
        return 1;
    }
    const QVector<HeadWord> heads = selectSynonyms(thesaurus);
    WordsDbCounts counts;
    if (auto error = writeWordsDb(output, heads, &counts)) {
        std::fprintf(stderr, "penrook-wordsdb: %s\n", qPrintable(*error));
        return 1;
    }
    std::printf("%s: %lld head words, %lld with synonyms, %lld synonym rows, %lld bytes, %.1f s\n",
                qPrintable(output), counts.headWords, counts.headWordsWithSynonyms, counts.synonymRows,
                QFileInfo(output).size(), timer.elapsed() / 1000.0);
    return 0;
}
