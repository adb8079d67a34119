// penrook-wordsdb: builds words.mdb from a MyThes thesaurus.

#include "ClosedClass.h"
#include "CuratedSynonyms.h"
#include "Inflector.h"
#include "MythesReader.h"
#include "SenseSelector.h"
#include "SynonymFilter.h"
#include "WordFrequency.h"
#include "WordNetSenses.h"
#include "WordsDbWriter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

namespace {

// Debian's thesaurus of a language: th_<ll>_<LL>_v2.dat where there is one, else
// the first th_<ll>_*_v2.dat.
QString thesaurusFor(const QString &language)
{
    const QDir dir(QStringLiteral("/usr/share/mythes"));
    const QString ll = language.left(2).toLower();
    const QString main = QStringLiteral("th_%1_%2_v2.dat").arg(ll, ll == QLatin1String("en") ? "US" : ll.toUpper());
    if (dir.exists(main))
        return dir.filePath(main);
    const QStringList any = dir.entryList({QStringLiteral("th_%1_*_v2.dat").arg(ll)}, QDir::Files, QDir::Name);
    return any.isEmpty() ? QString() : dir.filePath(any.first());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("penrook-wordsdb"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Builds the word database words.mdb from a MyThes thesaurus. An existing file keeps its "
        "exclusion list (Tbl_Exclude); only its words and synonyms are replaced."));
    parser.addHelpOption();
    const QCommandLineOption languageOption(
        QStringLiteral("language"),
        QStringLiteral("Language of Debian's thesaurus to use (en, de, fr, es, it, ru, ...; install mythes-<ll>)."),
        QStringLiteral("ll"), QStringLiteral("en"));
    const QCommandLineOption thesaurusOption(QStringLiteral("thesaurus"),
                                             QStringLiteral("A MyThes .dat file (instead of --language)."),
                                             QStringLiteral("file"));
    const QCommandLineOption outputOption(QStringLiteral("output"), QStringLiteral("The words.mdb to write."),
                                          QStringLiteral("file"));
    const QCommandLineOption ifMissingOption(QStringLiteral("if-missing"),
                                             QStringLiteral("Do nothing when the output file exists."));
    const QCommandLineOption noInflectionsOption(
        QStringLiteral("no-inflections"), QStringLiteral("English only: leave out the inflected forms."));
    const QCommandLineOption wordnetOption(QStringLiteral("wordnet"),
                                           QStringLiteral("English: folder of WordNet (sense counts, exception lists)."),
                                           QStringLiteral("folder"), QStringLiteral("/usr/share/wordnet"));
    const QCommandLineOption scowlOption(QStringLiteral("scowl"),
                                         QStringLiteral("English: folder of the SCOWL word lists by size."),
                                         QStringLiteral("folder"), QStringLiteral("/usr/share/dict/scowl"));
    const QCommandLineOption minShareOption(
        QStringLiteral("min-share"),
        QStringLiteral("English: the share of a word's use a WordNet synonym must fit (default 0.75)."),
        QStringLiteral("x"));
    const QCommandLineOption minHomeOption(
        QStringLiteral("min-home"),
        QStringLiteral("English: the share of a synonym's own use that must be in that sense (default 0.5)."),
        QStringLiteral("x"));
    const QCommandLineOption maxSynonymsOption(QStringLiteral("max-synonyms"),
                                               QStringLiteral("English: synonyms kept per word (default 4)."),
                                               QStringLiteral("n"));
    const QCommandLineOption fitMinShareOption(
        QStringLiteral("fit-min-share"),
        QStringLiteral("English: the share of a word's use in one word class a synonym must fit to be listed "
                       "for that class (default 0.75)."),
        QStringLiteral("x"));
    const QCommandLineOption fitMaxSynonymsOption(
        QStringLiteral("fit-max-synonyms"),
        QStringLiteral("English: synonyms kept per word and word class (default 6)."), QStringLiteral("n"));
    const QCommandLineOption fitMinHomeOption(
        QStringLiteral("fit-min-home"),
        QStringLiteral("English: --min-home for the synonyms by word class (default 0.5)."), QStringLiteral("x"));
    const QCommandLineOption fitKeepArticleOption(
        QStringLiteral("fit-keep-article"),
        QStringLiteral("English: by word class too, no synonym that needs the other of \"a\" and \"an\"."));
    const QCommandLineOption fitHandListOpenOption(
        QStringLiteral("fit-hand-list-open"),
        QStringLiteral("English: by word class, a word the hand-chosen list has judged may also take synonyms "
                       "from WordNet."));
    const QCommandLineOption ifOutdatedOption(
        QStringLiteral("if-outdated"),
        QStringLiteral("Do nothing when the output file holds the word data of this converter's version."));
    parser.addOptions({languageOption, thesaurusOption, outputOption, ifMissingOption, ifOutdatedOption,
                       noInflectionsOption,
                       wordnetOption, scowlOption, minShareOption, minHomeOption, maxSynonymsOption,
                       fitMinShareOption, fitMaxSynonymsOption, fitMinHomeOption, fitKeepArticleOption,
                       fitHandListOpenOption});
    parser.process(app);

    const QString output = parser.value(outputOption);
    if (output.isEmpty()) {
        std::fprintf(stderr, "penrook-wordsdb: --output is required\n");
        return 2;
    }
    if (parser.isSet(ifMissingOption) && QFileInfo::exists(output))
        return 0;
    if (parser.isSet(ifOutdatedOption) && QFileInfo::exists(output)
        && wordDataVersion(output).value_or(WordDataVersion) == WordDataVersion)
        return 0; // up to date, or no database at all: never touched

    const QString language = parser.value(languageOption).left(2).toLower();
    const QString source = parser.isSet(thesaurusOption) ? parser.value(thesaurusOption) : thesaurusFor(language);
    if (source.isEmpty()) {
        std::fprintf(stderr, "penrook-wordsdb: no thesaurus for language '%s': install mythes-%s\n",
                     qPrintable(language), qPrintable(language));
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    const Thesaurus thesaurus = readMythes(source);
    if (!thesaurus.error.isEmpty()) {
        std::fprintf(stderr, "penrook-wordsdb: %s\n", qPrintable(thesaurus.error));
        return 1;
    }
    QVector<HeadWord> heads = selectSynonyms(thesaurus);
    const ClosedClass closedClass(language);
    qsizetype inflected = 0;
    QVector<ClassSynonyms> byClass, offered;
    QVector<PhrasalVerb> phrasal;
    if (language == QLatin1String("en")) {
        const Inflector inflector(parser.value(wordnetOption));
        const WordNetSenses senses(parser.value(wordnetOption));
        const WordFrequency frequency(parser.value(scowlOption));
        if (!senses.loaded() || !frequency.loaded()) {
            std::fprintf(stderr, "penrook-wordsdb: English needs WordNet's sense counts (%s, wordnet-base) and the "
                                 "SCOWL word lists (%s, scowl)\n",
                         qPrintable(parser.value(wordnetOption)), qPrintable(parser.value(scowlOption)));
            return 1;
        }
        SenseSelector::Rules rules;
        rules.inflect = !parser.isSet(noInflectionsOption);
        if (parser.isSet(minShareOption))
            rules.minSenseShare = parser.value(minShareOption).toDouble();
        if (parser.isSet(minHomeOption))
            rules.minHome = parser.value(minHomeOption).toDouble();
        if (parser.isSet(maxSynonymsOption))
            rules.maxSynonyms = parser.value(maxSynonymsOption).toInt();
        if (parser.isSet(fitMinShareOption))
            rules.fitMinShare = parser.value(fitMinShareOption).toDouble();
        if (parser.isSet(fitMaxSynonymsOption))
            rules.fitMaxSynonyms = parser.value(fitMaxSynonymsOption).toInt();
        if (parser.isSet(fitMinHomeOption))
            rules.fitMinHome = parser.value(fitMinHomeOption).toDouble();
        rules.fitKeepArticle = parser.isSet(fitKeepArticleOption);
        rules.fitHandListDecides = !parser.isSet(fitHandListOpenOption);
        const qsizetype before = heads.size();
        const CuratedSynonyms curated(language);
        const CuratedSynonyms curatedForSentences = CuratedSynonyms::forSentences(language);
        const SenseSelector selector({senses, frequency, inflector, closedClass, curated, &curatedForSentences},
                                     rules);
        byClass = selector.selectByClass(heads);
        offered = selector.selectOffered(heads);
        phrasal = phrasalVerbs(senses, inflector);
        heads = selector.select(heads);
        inflected = heads.size() - before;
    } else {
        dropClosedClass(heads, closedClass);
    }
    WordsDbCounts counts;
    if (auto error = writeWordsDb(output, heads, byClass, &counts, offered, phrasal)) {
        std::fprintf(stderr, "penrook-wordsdb: %s\n", qPrintable(*error));
        return 1;
    }
    std::printf("%s: %lld head words (%lld of them inflected forms), %lld with synonyms, %lld synonym rows, "
                "%lld words by class with synonyms, %lld rows by class, %lld rows offered, %lld bytes, %.1f s\n",
                qPrintable(output), counts.headWords, qint64(inflected), counts.headWordsWithSynonyms,
                counts.synonymRows, counts.classForms, counts.classRows, counts.offeredRows, QFileInfo(output).size(),
                timer.elapsed() / 1000.0);
    return 0;
}
