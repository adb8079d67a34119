#include "engine/EntryParts.h"
#include "engine/FitToSentence.h"
#include "engine/LanguageModel.h"
#include "engine/PosTagger.h"
#include "engine/RandomDraw.h"
#include "engine/ReprintRun.h"
#include "engine/VariationGenerator.h"
#include "engine/WordList.h"
#include "fixtures/FitModels.h"
#include "fixtures/FixtureDb.h"
#include "fixtures/RecordingObserver.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

struct FitRow
{
    const char *word, *wordClass, *synonym;
};

// A words.mdb whose Synonyms know nothing, and whose FitSynonyms know `rows`.
void makeFitDb(const QString &folder, const QList<FitRow> &rows, const QStringList &excluded = {})
{
    makeFixtureDb(folder, {}, excluded);
    QString sql = QStringLiteral("create table FitSynonyms(word text, class text, synonym text, rank integer);");
    int rank = 0;
    for (const FitRow &r : rows) {
        sql += QStringLiteral("insert into FitSynonyms values('%1', '%2', '%3', %4);")
                   .arg(QLatin1String(r.word), QLatin1String(r.wordClass), QLatin1String(r.synonym))
                   .arg(++rank);
    }
    execOnFixtureDb(folder, sql);
}

// Gives the fixture in `folder` an OfferSynonyms table holding `values`.
void addOffers(const QString &folder, const char *values)
{
    execOnFixtureDb(folder, QStringLiteral("create table OfferSynonyms(word text, class text, synonym text, rank integer, "
                                           "likely integer); insert into OfferSynonyms values")
                                + QLatin1String(values));
}

} // namespace

class TestFitToSentence : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::optional<PosTagger> m_tagger;
    std::unique_ptr<LanguageModel> m_model;
    std::unique_ptr<WordStore> m_store;

    // `text` rewritten at legibility 5 with the fit to the sentence, `times`
    // times over from the original; every distinct result.
    QStringList rewrite(const QString &text, const QList<FitRow> &rows, const QString &keyword = QString(),
                        int times = 8, const QVector<WordStore::ChoiceChange> &choices = {},
                        const QStringList &excluded = {})
    {
        makeFitDb(m_dir.path(), rows, excluded);
        m_store = std::make_unique<WordStore>();
        if (m_store->OpenWordStore(m_dir.path()) || m_store->SaveChoices(choices))
            qFatal("the fixture database cannot be opened");
        RewriteSettings settings;
        settings.legibility = 5;
        settings.fitToSentence = true;
        settings.keywordRules[0] = {keyword, keyword, true};
        ClockDrawSource draws;
        QStringList results;
        for (int i = 0; i < times; ++i) {
            WordList list;
            list.FillWordList(text);
            FitToSentence fit(*m_store, *m_tagger, *m_model);
            VariationGenerator generator(list, *m_store, draws);
            generator.setFitChooser(&fit);
            const QString result = generator.GenerateVariation(settings).text.trimmed();
            if (!results.contains(result))
                results << result;
        }
        return results;
    }

private slots:
    void initTestCase()
    {
        FitModels models;
        if (!models.load() && !models.missing.isEmpty())
            QSKIP(qPrintable(models.missing));
        QVERIFY2(models.model, qPrintable(models.error));
        m_tagger = std::move(models.tagger);
        m_model = std::move(models.model);
    }

    void entriesComeApart_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("parts");
        QTest::newRow("quotes and comma") << "\"Hello,\"" << "\"|Hello|,\"";
        QTest::newRow("inner apostrophe stays") << "don't." << "|don't|.";
        QTest::newRow("brackets") << "(house)" << "(|house|)";
        QTest::newRow("only punctuation") << "--" << "--||";
    }
    void entriesComeApart()
    {
        QFETCH(QString, entry);
        QFETCH(QString, parts);
        const EntryParts p = EntryParts::of(entry);
        QCOMPARE(QStringList({p.leading, p.word, p.trailing}).join(QLatin1Char('|')), parts);
    }

    void shapesAndCapitals()
    {
        for (const char *alone : {"x86", "me@home", "and/or", "iPhone", "McDonald"})
            QVERIFY2(EntryParts::isLeftAlone(QString::fromLatin1(alone)), alone);
        for (const char *open : {"House", "HOUSE", "house", "well-known"})
            QVERIFY2(!EntryParts::isLeftAlone(QString::fromLatin1(open)), open);
        QCOMPARE(EntryParts::withCapitalsOf(QStringLiteral("home"), QStringLiteral("House")), QStringLiteral("Home"));
        QCOMPARE(EntryParts::withCapitalsOf(QStringLiteral("home"), QStringLiteral("HOUSE")), QStringLiteral("HOME"));
        QCOMPARE(EntryParts::withCapitalsOf(QStringLiteral("home"), QStringLiteral("house")), QStringLiteral("home"));
    }

    // The word inside its punctuation is replaced and the punctuation goes back
    // around the synonym; a keyword protects the bare word.
    void punctuationStaysAndKeywordsProtectTheBareWord()
    {
        const QString text = QStringLiteral("The crowd was (large), and loud.");
        const QList<FitRow> rows = {{"large", "a", "big"}};
        QCOMPARE(rewrite(text, rows), QStringList{"The crowd was (big), and loud."});
        QCOMPARE(rewrite(text, rows, QStringLiteral("large")), QStringList{text});
    }

    // A sentence's first word keeps its capital; a capital inside a sentence is a
    // name, and capitals among small letters an acronym.
    void capitalsAreKeptAndNamesLeftAlone()
    {
        const QList<FitRow> rows = {{"large", "a", "big"}};
        QCOMPARE(rewrite(QStringLiteral("Large crowds gathered in the square."), rows),
                 QStringList{"Big crowds gathered in the square."});
        QCOMPARE(rewrite(QStringLiteral("We met Large in the square."), rows),
                 QStringList{"We met Large in the square."});
        QCOMPARE(rewrite(QStringLiteral("The LARGE crowd gathered."), rows), QStringList{"The LARGE crowd gathered."});
        QCOMPARE(rewrite(QStringLiteral("A LARGE CROWD GATHERED."), rows), QStringList{"A BIG CROWD GATHERED."});
    }

    // The part of speech in this sentence picks the candidates, in the word's form.
    void thePartOfSpeechChoosesTheCandidates()
    {
        const QList<FitRow> rows = {{"needs", "vz", "requires"}, {"needs", "ns", "requirements"}};
        QCOMPARE(rewrite(QStringLiteral("The project needs more money."), rows),
                 QStringList{"The project requires more money."});
        QCOMPARE(rewrite(QStringLiteral("Our needs are simple."), rows), QStringList{"Our requirements are simple."});
    }

    // The language model keeps only what reads naturally in the place.
    void theModelDropsWhatDoesNotFit()
    {
        const QList<FitRow> rows = {{"needs", "vz", "requires"}, {"needs", "vz", "bananas"}};
        QCOMPARE(rewrite(QStringLiteral("The project needs more money."), rows, QString(), 20),
                 QStringList{"The project requires more money."});
    }

    // A verb keeps its construction: "limit" takes no "from" and an -ing form,
    // "included" no "into", "needs" no "that", and a modal "need" stays. Each
    // rule refuses in the first sentence and lets the same synonym in the second.
    void verbsKeepTheirConstruction_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("wordClass");
        QTest::addColumn<QString>("synonym");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("allowed");
        QTest::newRow("restrict from") << "restrict" << "v" << "limit"
                                       << "The rules restrict users from installing software."
                                       << "The rules restrict the software users can install.";
        QTest::newRow("incorporated into") << "incorporated" << "vd" << "included"
                                           << "The patch was incorporated into the kernel."
                                           << "The patch was incorporated in the kernel.";
        QTest::newRow("requires that") << "requires" << "vz" << "needs"
                                       << "The installer requires that the disk be empty."
                                       << "The installer requires an empty disk.";
        QTest::newRow("need not") << "need" << "v" << "require"
                                  << "To correct an error, you need not know its history."
                                  << "Applicants need a valid passport.";
    }
    void verbsKeepTheirConstruction()
    {
        QFETCH(QString, word);
        QFETCH(QString, wordClass);
        QFETCH(QString, synonym);
        QFETCH(QString, refused);
        QFETCH(QString, allowed);
        const QByteArray w = word.toLatin1(), c = wordClass.toLatin1(), r = synonym.toLatin1();
        const QList<FitRow> rows = {{w.constData(), c.constData(), r.constData()}};
        QCOMPARE(rewrite(refused, rows), QStringList{refused});
        QCOMPARE(rewrite(allowed, rows), QStringList{QString(allowed).replace(word, synonym)});
    }

    // Each rule of the entries that stay (FitToSentence::mark...), with a
    // sentence it keeps and one where the same synonym is taken.
    void markTopicalNouns()
    {
        const QList<FitRow> rows = {{"package", "n", "bundle"}, {"packages", "ns", "bundles"}};
        const QString subject = QStringLiteral("The package is small. Build packages with care. Sign the package.");
        QCOMPARE(rewrite(subject, rows), QStringList{subject});
        QCOMPARE(rewrite(QStringLiteral("The package is small. Build it with care."), rows),
                 QStringList{"The bundle is small. Build it with care."});
    }
    // What the user has chosen decides the draw: an unticked synonym is never
    // drawn, one's own is (the model does not judge it), the exclusion list
    // wins over both, and a noun the text keeps using opens once chosen for.
    void theUsersChoicesDecideTheDraw()
    {
        const QList<FitRow> rows = {{"needs", "vz", "requires"}};
        const QString text = QStringLiteral("The project needs more money.");
        const QVector<WordStore::ChoiceChange> choices = {{"needs", "vz", "requires", false},
                                                          {"needs", "vz", "bananas", true}};
        QCOMPARE(rewrite(text, rows, QString(), 12, choices), QStringList{"The project bananas more money."});
        QCOMPARE(rewrite(text, rows, QString(), 4, choices, {"NEEDS"}), QStringList{text});
        const QString subject = QStringLiteral("The package is small. Build packages with care. Sign the package.");
        const QStringList opened = rewrite(subject, {{"package", "n", "bundle"}}, QString(), 12,
                                           {{"package", "n", "parcel", true}});
        QVERIFY(!opened.contains(subject));
        for (const QString &result : opened)
            QVERIFY2(!result.contains(QLatin1String("bundle")) && result.contains(QLatin1String("parcel")),
                     qPrintable(result));
    }

    // The window's offer for a place: the shipped and offered lists with the
    // user's own, ranked, ticked as a run would draw, shown as they would stand.
    void theOfferIsWhatTheRunDraws()
    {
        makeFitDb(m_dir.path(), {{"estimate", "n", "guess"}});
        addOffers(m_dir.path(), "('estimate', 'n', 'appraisal', 1, 1), ('estimate', 'n', 'guess', 2, 0)");
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        QVERIFY(!store.SaveChoices({{"estimate", "n", "idea", true}}));
        WordList list;
        list.FillWordList(QStringLiteral("Give me a estimate of the cost, Bob."));
        FitToSentence fit(store, *m_tagger, *m_model);
        fit.beginVariation(list);
        QVERIFY(fit.offersAt(list, 3, {}));
        QVERIFY(!fit.offersAt(list, 3, std::vector<QString>{QStringLiteral("estimate")}));
        QVERIFY(!fit.offersAt(list, 7, {})); // a name
        WordList compound;
        compound.FillWordList(QStringLiteral("Give me a estimate of the bus station cost, Bob."));
        fit.beginVariation(compound);
        QVERIFY(fit.offersAt(compound, 3, {}));
        QVERIFY(!fit.offersAt(compound, 7, {})); // a term of its own
        compound.FillWordList(QStringLiteral("Dr. Swim celebrated his birthday. Swim celebrated too. When Dr. W. A. "
                                             "Swim celebrated his 75th birthday, the guests came."));
        fit.beginVariation(compound);
        QVERIFY(!fit.offersAt(compound, 12, {})); // a name after an initial
        QVERIFY(!fit.offersAt(compound, 1, {}));  // and after a title
        QVERIFY(fit.offersAt(compound, 6, {}));
        fit.beginVariation(list);
        const QVector<FitToSentence::Offer> offers = fit.offeredAt(3).value();
        QStringList shown, ticked, drawn;
        for (const FitToSentence::Offer &o : offers) {
            shown << o.shown;
            if (o.ticked)
                ticked << o.shown;
        }
        const QStringList tickedThere = fit.tickedAt(3).value();
        for (const QString &synonym : tickedThere)
            drawn << fit.shownAt(3, synonym);
        QCOMPARE(offers.size(), 3);
        QVERIFY(shown.contains(QStringLiteral("an appraisal")));
        QVERIFY(drawn.contains(QStringLiteral("an idea")));
        ticked.sort();
        drawn.sort();
        QCOMPARE(ticked, drawn);
    }

    // The words of a verb of two words ("found out") take neither the broad
    // list nor what the user ticked for the word elsewhere.
    void verbsOfTwoWordsKeepTheirWords()
    {
        makeFitDb(m_dir.path(), {});
        addOffers(m_dir.path(), "('found', 'vd', 'discovered', 1, 1), ('place', 'n', 'spot', 1, 1)");
        execOnFixtureDb(m_dir.path(), QStringLiteral("create table PhrasalVerbs(word text, particle text); "
                                                     "insert into PhrasalVerbs values('found', 'out'), ('takes', 'place')"));
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        QVERIFY(!store.SaveChoices({{"found", "vd", "discovered", true}}));
        WordList list;
        list.FillWordList(QStringLiteral("She found out the truth. It takes place today. She found the place."));
        FitToSentence fit(store, *m_tagger, *m_model);
        fit.beginVariation(list);
        QCOMPARE(fit.classCodeAt(1), QStringLiteral("vd"));
        QVERIFY(!fit.offersAt(list, 1, {}));
        QVERIFY(fit.tickedAt(1).value().isEmpty());
        QVERIFY(!fit.hasOffersAt(7));
        QVERIFY(fit.offersAt(list, 10, {}));
        QCOMPARE(fit.tickedAt(10).value(), QStringList{"discovered"});
        QVERIFY(fit.hasOffersAt(12));
    }

    void markCompoundNouns()
    {
        const QList<FitRow> rows = {{"station", "n", "terminal"}, {"bus", "n", "coach"}};
        const QString station = QStringLiteral("They waited at the bus station for hours.");
        QCOMPARE(rewrite(station, rows), QStringList{station});
        QCOMPARE(rewrite(QStringLiteral("They waited at the station for hours."), rows),
                 QStringList{"They waited at the terminal for hours."});
    }
    void markNounsReadAsVerbs()
    {
        const QList<FitRow> rows = {{"merge", "v", "combine"}, {"large", "a", "big"}};
        QCOMPARE(rewrite(QStringLiteral("She opened a merge request today."), rows),
                 QStringList{"She opened a merge request today."});
        QCOMPARE(rewrite(QStringLiteral("She sent a large request today."), rows),
                 QStringList{"She sent a big request today."});
    }
    void markSetPhrases()
    {
        const QList<FitRow> rows = {{"short", "a", "brief"}};
        const QString phrase = QStringLiteral("The plan, in short, failed.");
        QCOMPARE(rewrite(phrase, rows), QStringList{phrase});
        QCOMPARE(rewrite(QStringLiteral("The plan was short and failed."), rows),
                 QStringList{"The plan was brief and failed."});
    }

    // A synonym the sentence already has, in any form, would repeat itself;
    // without it the same synonym is taken.
    void noSynonymTheSentenceAlreadyHas()
    {
        const QList<FitRow> needs = {{"needs", "vz", "requires"}};
        const QString text = QStringLiteral("The project needs a tool that requires care.");
        QCOMPARE(rewrite(text, needs), QStringList{text});
        QCOMPARE(rewrite(QStringLiteral("The project needs a tool that takes care."), needs),
                 QStringList{"The project requires a tool that takes care."});
        const QList<FitRow> choosing = {{"choosing", "vg", "selecting"}};
        const QString forms = QStringLiteral("Select a folder before choosing the files.");
        QCOMPARE(rewrite(forms, choosing), QStringList{forms});
        QCOMPARE(rewrite(QStringLiteral("Open a folder before choosing the files."), choosing),
                 QStringList{"Open a folder before selecting the files."});
    }

    // "a" or "an" follows the new word.
    void articlesAgree()
    {
        QCOMPARE(rewrite(QStringLiteral("They built an enormous house by the river."), {{"enormous", "a", "huge"}}),
                 QStringList{"They built a huge house by the river."});
    }

    // A model cut short anywhere is refused before the library reads past its
    // end, and so is a path that names no ordinary file, each saying what it is.
    void aDamagedModelIsRefusedWithItsReason()
    {
        QFile whole(FitData().languageModel);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        QTemporaryDir dir;
        const QString cut = dir.filePath(QStringLiteral("cut.lm.bin"));
        for (const qint64 keep : {qint64(0), qint64(20), qint64(40), qint64(100), qint64(1) << 20, bytes.size() / 2,
                                  bytes.size() - 5, bytes.size() - 1}) {
            QFile file(cut);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes.left(keep));
            file.close();
            QString error;
            QVERIFY2(!LanguageModel::load(cut, &error), qPrintable(QString::number(keep)));
            QVERIFY2(error.contains(cut) && (error.contains(QStringLiteral("cut short")) || keep < 20),
                     qPrintable(error));
        }
        mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600);
        const QList<QPair<QString, QString>> notFiles = {{dir.path(), "is a folder, not a file"},
                                                          {dir.filePath(QStringLiteral("fifo")), "is a named pipe"},
                                                          {QStringLiteral("/dev/zero"), "is a device, not a file"},
                                                          {dir.filePath(QStringLiteral("none")), "does not exist"}};
        for (const auto &[path, why] : notFiles) {
            QString error;
            QVERIFY(!LanguageModel::load(path, &error));
            QVERIFY2(error.contains(why), qPrintable(error));
        }
    }

    // Without its data the fit is said to be unavailable once, and the runs go on
    // with the exact lookup.
    void missingDataIsSaidOnceAndTheRunGoesOn()
    {
        makeFitDb(m_dir.path(), {});
        WordStore store;
        QVERIFY(!store.OpenWordStore(m_dir.path()));
        ClockDrawSource draws;
        QTemporaryDir program;
        FitData missing;
        missing.languageModel = program.filePath(QStringLiteral("no.lm.bin"));
        ReprintRun run(store, draws, program.path(), missing);
        run.FillWordList(QStringLiteral("alpha bravo"));
        RewriteSettings settings;
        settings.fitToSentence = true;
        RecordingObserver first, second;
        QVERIFY(run.ShowReprints(settings, &first));
        QVERIFY(run.ShowReprints(settings, &second));
        QCOMPARE(first.fitMessages.size(), 1);
        QVERIFY2(first.fitMessages.first().contains(QStringLiteral("no.lm.bin")), qPrintable(first.fitMessages.first()));
        QVERIFY2(!first.fitMessages.first().contains(QStringLiteral("..")), qPrintable(first.fitMessages.first()));
        QVERIFY(second.fitMessages.isEmpty());
        QCOMPARE(first.results, QStringList{" alpha bravo \r\n\r\n"});
    }
};

QTEST_GUILESS_MAIN(TestFitToSentence)
#include "tst_fittosentence.moc"
