// Replacements in context, for a person to read: what the generator makes of
// real prose with a given word database.
//
//   quality_bench [--db FOLDER]... [--sample N] [--legibility L] [--seed S]
//                 [--key FILE] [--reprint] [--fit [--tolerance T]] TEXT...
//   quality_bench --offer [--sample N] [--seed S] [--db FOLDER] [--key FILE] TEXT...
//
// For each database (a folder holding words.mdb; the one beside the program by
// default) it runs the real generator over each text, fresh from the original
// every time, until it has at least N replacements per database, and prints
// their coverage. It then prints N replacements per database drawn at random,
// all databases shuffled together and numbered, each as its sentence with the
// replaced word shown as [word -> synonym]. With --key the database of every
// item goes to FILE instead of the listing, so the reading can be blind; in fit
// mode with the synonym's margin over the word in its place and its rank among
// the fitting candidates, so one reading gives the share let through at each
// tolerance. With
// --reprint it prints instead one variation of each text, whole, made with the
// first database. With --fit the synonyms are fitted to their sentences (the
// language model's tolerance T, in natural log units), and the coverage counts
// the bare words of four letters or more that can change in their place.
//
// With --offer it prints what the Choose synonyms window offers instead: the
// share of the bare words of four letters or more that are offered, the share
// ticked at start (which a fit-mode run may change before the user chooses),
// and N offered words drawn at random, each in its sentence with its candidates
// best first, for reading; with --key, each item's word, class, number of
// candidates and each candidate's fit go to FILE.

#include "BenchFit.h"
#include "BenchStore.h"
#include "Coverage.h"
#include "engine/EntryParts.h"
#include "engine/FitToSentence.h"
#include "engine/LanguageModel.h"
#include "engine/PosTagger.h"
#include "engine/RandomDraw.h"
#include "engine/ReprintRun.h"
#include "engine/VariationGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

struct Replacement
{
    int database = 0;
    QString sentence; // with the replacement marked
    // In fit mode, how much likelier than the word the synonym is in its place,
    // and its place among the fitting candidates (from 1).
    std::optional<double> margin;
    qsizetype rank = 0;
};

bool endsSentence(const QString &entry)
{
    static const QString ends = QStringLiteral(".!?:;");
    return entry == WordList::LineBreak || (!entry.isEmpty() && ends.contains(entry.back()));
}

// The sentence around `at` in the original entries, the word at `at` shown as
// [original -> synonym]; at most 30 words either side.
QString inContext(const QStringList &original, qsizetype at, const QString &synonym)
{
    qsizetype from = at, to = at;
    while (from > 0 && at - from < 30 && !endsSentence(original.at(from - 1)))
        --from;
    while (to + 1 < original.size() && to - at < 30 && !endsSentence(original.at(to)))
        ++to;
    QStringList words;
    for (qsizetype i = from; i <= to; ++i) {
        if (original.at(i) == WordList::LineBreak)
            continue;
        words << (i == at ? QStringLiteral("[%1 -> %2]").arg(original.at(i), synonym) : original.at(i));
    }
    return words.join(QLatin1Char(' '));
}

// The bare words of four letters or more, and those the fit can change in their place.
Coverage fitCoverageOf(WordStore &store, FitToSentence &fit, const WordList &list)
{
    Coverage coverage;
    fit.beginVariation(list);
    for (qsizetype i = 0; i < list.count(); ++i) {
        const QString word = EntryParts::of(list.at(i)).word;
        if (list.at(i) == WordList::LineBreak || WordList::isShort(word))
            continue;
        ++coverage.words;
        if (fit.check(list, i, {}) != SynonymChooser::Check::Open || store.IsExcluded(word) != std::optional(false))
            continue;
        const StoreAnswer<QStringList> fitting = fit.fittingAt(i);
        coverage.replaceable += fitting && !fitting->isEmpty() ? 1 : 0;
    }
    return coverage;
}

// What the Choose synonyms window offers over `texts`, as described above.
int printOffers(WordStore &store, FitModels &models, const QStringList &texts, int sample, std::mt19937 &random,
                QFile *key)
{
    struct Offered
    {
        QString sentence;
        QStringList candidates;
        QString key; // the word, its class and each candidate's fit, for the key file
    };
    Coverage offered, ticked;
    QVector<Offered> found;
    for (const QString &text : texts) {
        WordList list;
        list.FillWordList(text);
        const auto fit = std::make_unique<FitToSentence>(store, *models.tagger, *models.model, models.tolerance);
        fit->beginVariation(list);
        for (qsizetype i = 0; i < list.count(); ++i) {
            const QString word = EntryParts::of(list.at(i)).word;
            if (list.at(i) == WordList::LineBreak || WordList::isShort(word))
                continue;
            ++offered.words;
            ++ticked.words;
            if (!fit->offersAt(list, i, {}))
                continue;
            const StoreAnswer<QVector<FitToSentence::Offer>> offers = fit->offeredAt(i);
            if (!offers || offers->isEmpty())
                continue;
            ++offered.replaceable;
            ticked.replaceable += std::any_of(offers->begin(), offers->end(),
                                              [](const FitToSentence::Offer &o) { return o.ticked; });
            const int wordId = models.model->id(fit->wordAt(i));
            Offered item{inContext(list.entries(), i, QStringLiteral("?")), {},
                         fit->wordAt(i) + QLatin1Char(' ') + fit->classCodeAt(i) + QLatin1Char(' ')
                             + QString::number(offers->size()) + QLatin1Char(' ')
                             + QString::number(wordId == LanguageModel::Unknown
                                                   ? -99
                                                   : models.model->logProbability(wordId, LanguageModel::Unknown,
                                                                                  LanguageModel::Unknown),
                                               'f', 2)};
            for (const FitToSentence::Offer &offer : *offers) {
                item.candidates << offer.shown;
                const int id = models.model->id(offer.synonym.toLower());
                const double alone = id == LanguageModel::Unknown
                                         ? -99
                                         : models.model->logProbability(id, LanguageModel::Unknown, LanguageModel::Unknown);
                item.key += QStringLiteral(" %1:%2:%3:%4:%5")
                                .arg(offer.synonym)
                                .arg(offer.margin.value_or(-99), 0, 'f', 2)
                                .arg(offer.ticked ? 1 : 0)
                                .arg(alone, 0, 'f', 2)
                                .arg(offer.group);
            }
            found.append(item);
        }
    }
    std::printf("offered %.1f%% and ticked at start %.1f%% of %lld words of 4+ letters\n\n", offered.share(),
                ticked.share(), qint64(offered.words));
    std::shuffle(found.begin(), found.end(), random);
    for (qsizetype i = 0; i < found.size() && i < sample; ++i) {
        std::printf("%4lld  %s\n      %s\n", qint64(i + 1), qPrintable(found[i].sentence),
                    qPrintable(found[i].candidates.mid(0, 10).join(QStringLiteral(" | "))));
        if (key)
            key->write(QStringLiteral("%1 %2\n").arg(i + 1).arg(found[i].key).toUtf8());
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QStringList databases;
    int sample = 100, legibility = 50;
    unsigned seed = std::random_device()();
    QString keyPath;
    bool reprint = false;
    bool fitMode = false;
    bool offer = false;
    QStringList texts;
    FitModels models;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--db") && hasValue)
            databases << args.at(++i);
        else if (a == QLatin1String("--sample") && hasValue)
            sample = args.at(++i).toInt();
        else if (a == QLatin1String("--legibility") && hasValue)
            legibility = args.at(++i).toInt();
        else if (a == QLatin1String("--seed") && hasValue)
            seed = args.at(++i).toUInt();
        else if (a == QLatin1String("--key") && hasValue)
            keyPath = args.at(++i);
        else if (a == QLatin1String("--reprint"))
            reprint = true;
        else if (a == QLatin1String("--fit"))
            fitMode = true;
        else if (a == QLatin1String("--offer"))
            offer = true;
        else if (a == QLatin1String("--tolerance") && hasValue)
            models.tolerance = args.at(++i).toDouble();
        else
            texts << a;
    }
    if (texts.isEmpty() || sample <= 0) {
        std::fprintf(stderr, "usage: quality_bench [--db FOLDER]... [--sample N] [--legibility L] [--seed S] "
                             "[--key FILE] [--reprint] [--fit [--tolerance T]] TEXT...\n");
        return 2;
    }
    if (databases.isEmpty())
        databases << QCoreApplication::applicationDirPath();

    if ((fitMode || offer) && !models.load())
        return 1;
    RewriteSettings settings;
    settings.legibility = legibility;
    settings.fitToSentence = fitMode;

    QStringList originals;
    for (const QString &path : texts) {
        const std::optional<QString> text = readProse(path);
        if (!text)
            return 1;
        originals << *text;
    }

    if (offer) {
        WordStore store;
        if (failsToOpen(store, databases.first()))
            return 1;
        std::mt19937 random(seed);
        QFile key(keyPath);
        if (!keyPath.isEmpty() && !key.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        return printOffers(store, models, originals, sample, random, key.isOpen() ? &key : nullptr);
    }

    if (reprint) {
        WordStore store;
        if (failsToOpen(store, databases.first()))
            return 1;
        ClockDrawSource draws;
        for (const QString &text : originals) {
            WordList list;
            list.FillWordList(text);
            VariationGenerator generator(list, store, draws);
            const auto fit = models.fitTo(generator, store);
            std::printf("%s\n\n", qPrintable(generator.GenerateVariation(settings).text));
        }
        return 0;
    }

    std::mt19937 random(seed);
    QVector<Replacement> chosen;
    for (int d = 0; d < databases.size(); ++d) {
        WordStore store;
        if (failsToOpen(store, databases.at(d)))
            return 1;
        Coverage coverage;
        QVector<Replacement> found;
        ClockDrawSource draws;
        for (int round = 0; round < 50 && found.size() < sample * 3; ++round) {
            for (const QString &text : originals) {
                WordList list;
                list.FillWordList(text);
                VariationGenerator generator(list, store, draws);
                const auto fit = models.fitTo(generator, store);
                if (round == 0)
                    coverage.add(fit ? fitCoverageOf(store, *fit, list) : coverageOf(store, list));
                const QStringList before = list.entries();
                generator.GenerateVariation(settings);
                for (qsizetype i = 0; i < before.size() && i < list.count(); ++i) {
                    if (list.at(i) == before.at(i))
                        continue;
                    // An article that changed with the word after it is part of that replacement.
                    if (i + 1 < list.count() && list.at(i + 1) != before.at(i + 1)
                        && EntryParts::of(before.at(i)).word.size() <= 2)
                        continue;
                    QStringList shown = before;
                    if (i > 0)
                        shown[i - 1] = list.at(i - 1);
                    Replacement r{d, inContext(shown, i, list.at(i)), std::nullopt, 0};
                    if (fit) {
                        const QString synonym = EntryParts::of(list.at(i)).word;
                        const QStringList fitting = fit->fittingAt(i).value_or(QStringList());
                        for (qsizetype k = 0; k < fitting.size() && !r.margin; ++k) {
                            if (fitting.at(k).compare(synonym, Qt::CaseInsensitive) == 0) {
                                r.margin = fit->marginAt(i, fitting.at(k));
                                r.rank = k + 1;
                            }
                        }
                    }
                    found.append(r);
                }
            }
        }
        std::shuffle(found.begin(), found.end(), random);
        chosen += found.mid(0, sample);
        std::printf("database %d (%s): coverage %.1f%% of %lld words of 4+ letters, %lld replacements made\n", d + 1,
                    qPrintable(QDir(databases.at(d)).absolutePath()), coverage.share(), qint64(coverage.words),
                    qint64(found.size()));
    }
    std::shuffle(chosen.begin(), chosen.end(), random);

    QFile key(keyPath);
    if (!keyPath.isEmpty() && !key.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(keyPath));
        return 1;
    }
    std::printf("\n");
    for (qsizetype i = 0; i < chosen.size(); ++i) {
        if (key.isOpen())
            key.write(QStringLiteral("%1 %2%3\n")
                          .arg(i + 1)
                          .arg(chosen[i].database + 1)
                          .arg(chosen[i].margin ? QStringLiteral(" %1 %2").arg(*chosen[i].margin, 0, 'f', 2).arg(chosen[i].rank)
                                                : QString())
                          .toUtf8());
        const QString tag = key.isOpen() || databases.size() == 1 ? QString()
                                                                   : QStringLiteral(" (db %1)").arg(chosen[i].database + 1);
        std::printf("%4lld%s  %s\n", qint64(i + 1), qPrintable(tag), qPrintable(chosen[i].sentence));
    }
    return 0;
}
