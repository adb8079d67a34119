// How much of a real English text the word database can replace: the share of
// its words of four letters or more that have synonyms, looked up exactly as
// the generator looks them up (the entry as it stands, punctuation and all).
// The same share is measured for the thesaurus as it stands: its base words with
// every true synonym, before any weighing of senses and without inflected forms.
//
//   coverage_bench [--sample N] TEXT...
//
// With --sample, prints N words (drawn evenly) that only the program's database
// reaches, each with its first synonyms, for reading by eye.

#include "BenchStore.h"
#include "Coverage.h"
#include "MythesReader.h"
#include "SynonymFilter.h"
#include "WordsDbWriter.h"
#include "engine/WordList.h"
#include "sources/TextFiles.h"
#include "startup/WordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>


int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int sample = 0;
    if (args.size() >= 2 && args.first() == QLatin1String("--sample")) {
        sample = args.at(1).toInt();
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: coverage_bench [--sample N] TEXT...\n");
        return 2;
    }

    WordStore inflected;
    if (failsToOpen(inflected, QCoreApplication::applicationDirPath()))
        return 1;
    QTemporaryDir plainFolder;
    const Thesaurus thesaurus = readMythes(QStringLiteral("/usr/share/mythes/th_en_US_v2.dat"));
    if (auto error = writeWordsDb(QDir(plainFolder.path()).filePath(QStringLiteral("words.mdb")),
                                  selectSynonyms(thesaurus))) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return 1;
    }
    WordStore plain;
    plain.OpenWordStore(plainFolder.path());

    Coverage allWith, allWithout;
    QStringList reachedOnlyWithForms;
    for (const QString &path : args) {
        const std::optional<QString> text = readProse(path);
        if (!text)
            return 1;
        WordList list;
        list.FillWordList(*text);
        Coverage with, without;
        for (const QString &entry : list.entries()) {
            if (!countsForCoverage(entry))
                continue;
            ++with.words;
            ++without.words;
            const bool inflectedHit = isReplaceable(inflected, entry);
            const bool plainHit = isReplaceable(plain, entry);
            with.replaceable += inflectedHit;
            without.replaceable += plainHit;
            if (inflectedHit && !plainHit)
                reachedOnlyWithForms << entry;
        }
        std::printf("%-45s %7lld words of 4+ letters: %5.1f%% replaceable, %5.1f%% by the thesaurus as it stands "
                    "(%+.1f points)\n",
                    qPrintable(QFileInfo(path).fileName()), qint64(with.words), with.share(), without.share(),
                    with.share() - without.share());
        allWith.add(with);
        allWithout.add(without);
    }
    std::printf("%-45s %7lld words of 4+ letters: %5.1f%% replaceable, %5.1f%% by the thesaurus as it stands "
                "(%+.1f points)\n",
                "all", qint64(allWith.words), allWith.share(), allWithout.share(),
                allWith.share() - allWithout.share());

    if (sample > 0 && !reachedOnlyWithForms.isEmpty()) {
        reachedOnlyWithForms.removeDuplicates();
        std::printf("\n%d of the %lld distinct words only the program's database reaches:\n", sample,
                    qint64(reachedOnlyWithForms.size()));
        const double step = double(reachedOnlyWithForms.size()) / sample;
        for (int i = 0; i < sample && int(i * step) < reachedOnlyWithForms.size(); ++i) {
            const QString word = reachedOnlyWithForms.at(int(i * step));
            ResultSet rows = inflected.SynonymsOf(word);
            QStringList first;
            for (rows.moveFirst(); !rows.atEnd() && first.size() < 4; rows.moveNext())
                first << rows.field(0).toString();
            std::printf("  %-18s %s\n", qPrintable(word), qPrintable(first.join(QStringLiteral(", "))));
        }
    }
    return 0;
}
