#pragma once

#include "startup/ResultSet.h"
#include "startup/Sqlite.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

// An answer of the store: the value, or no value and the failure that kept the
// store from one.
template<class T>
struct StoreAnswer : std::optional<T>
{
    StoreAnswer(T value) : std::optional<T>(std::move(value)) {}
    StoreAnswer(StoreFailure why) : failure(std::move(why)) {}
    StoreFailure failure; // meaningful only without a value
};

// The one connection to words.mdb and every statement the program runs on it.
// Failures come back as values; the store never shows anything itself.
//
// Words are compared ignoring letter case for every letter (É equals é). The
// head words and their synonyms never change while the program runs, so their
// answers are kept in memory; the exclusion list is re-read as soon as this
// connection or any other program has changed the file.
class WordStore
{
public:
    // Locations of the failing steps.
    enum Location {
        LocationOpen = 10,
        LocationNotOpen = 20,
        LocationPrepare = 21,
        LocationFetch = 22,
    };

    static constexpr auto FileName = "words.mdb";

    WordStore();
    ~WordStore();
    WordStore(const WordStore &) = delete;
    WordStore &operator=(const WordStore &) = delete;

    // Opens `folder`/words.mdb. It must exist, be an SQLite database that can be
    // read now, and hold the tables Words, Synonyms and Tbl_Exclude. On failure the
    // failure is returned and the connection stays closed for good: every later
    // query fails with LocationNotOpen. A read-only file opens for reading.
    std::optional<StoreFailure> OpenWordStore(const QString &folder);
    bool isOpen() const { return m_db.isOpen(); }
    QString path() const { return m_path; }

    // True when Tbl_Exclude holds `word` in any letter case; no value, with the
    // failure, when the lookup failed.
    StoreAnswer<bool> IsExcluded(const QString &word);

    // Column `synonym` of every head word equal to `word` in any letter case, in
    // the order of the head words and then of their synonym rows. A word Words does
    // not hold gives 0 rows; a head word held twice gives both rows' synonyms. A
    // failure gives a result set that is not open, which says why.
    ResultSet SynonymsOf(const QString &word);

    // Column `synonym` of FitSynonyms for `word` (lower case) used as the word
    // class `classCode`, best first. A failure gives a result set that is not open.
    ResultSet FitSynonymsOf(const QString &word, const QString &classCode);
    // Whether the file holds the table FitSynonyms (word data of version 4 and later).
    bool hasFitSynonyms();

    // False when no head word holds a space, so that no entry holding one can
    // have synonyms; true when some does, or when that could not be learnt (the
    // next SynonymsOf says why).
    bool headWordsMayHaveSpaces();
    // The same for the exclusion list: false when no excluded word holds a space.
    bool excludedMayHaveSpaces();

    // What the Choose synonyms window offers for `word` (lower case) used as
    // `classCode`: columns `synonym` and `likely` of OfferSynonyms, best first;
    // FitSynonyms' synonyms where the file is older than that table. A failure gives a result set
    // that is not open.
    ResultSet OfferSynonymsOf(const QString &word, const QString &classCode);

    // Whether `verb` followed by `next` (both lower case) is a verb of two words
    // whose first has no sense of its own there ("found out", "takes place"):
    // a row of PhrasalVerbs. False in a file without that table.
    StoreAnswer<bool> IsPhrasalVerb(const QString &verb, const QString &next);

    // One of the user's judgements of a synonym, kept in Tbl_Choices.
    struct Choice
    {
        QString synonym;
        bool chosen = false; // ticked: may be drawn; unticked: never drawn
    };
    // The judgements of `word` (any letter case) as `classCode`, in the order
    // they were made; none in a file without Tbl_Choices.
    StoreAnswer<QVector<Choice>> ChoicesOf(const QString &word, const QString &classCode);
    // Grows whenever the judgements may have changed, here or in another program.
    quint64 choicesVersion() const { return m_choicesVersion; }
    // Sets the judgement of each (word, class, synonym) in one transaction: a
    // choice without a value forgets it. Nothing changes on failure, which is returned.
    struct ChoiceChange
    {
        QString word, classCode, synonym;
        std::optional<bool> chosen;
    };
    std::optional<QString> SaveChoices(const QVector<ChoiceChange> &changes);

    // Column `word` of every row of Words.
    ResultSet AllWords();

    // Columns `id` and `word` of Tbl_Exclude, ascending by word, letter case ignored.
    ResultSet ListExcluded();

    // Adds `word` exactly as given (blanks, case and quotes kept). Returns the failure.
    std::optional<QString> AddExcluded(const QString &word);

    // Removes every row of Tbl_Exclude equal to `word` in any letter case.
    std::optional<QString> DeleteExcluded(const QString &word);

    // The key under which words are compared.
    static QString fold(const QString &word) { return word.toCaseFolded(); }

    // Keeps one read lock on the file from construction to destruction, so that
    // a burst of lookups (one variation's) takes and releases it once, not once
    // per word. Writers elsewhere wait for it (a variation takes milliseconds).
    // Does nothing on a closed connection or inside a transaction already open.
    class ReadBurst
    {
    public:
        explicit ReadBurst(WordStore &store);
        ~ReadBurst();
        ReadBurst(const ReadBurst &) = delete;
        ReadBurst &operator=(const ReadBurst &) = delete;

    private:
        WordStore &m_store;
        bool m_began = false;
    };

private:
    SqliteStatement *statement(const QString &sql);
    // Runs a query and fetches all its rows. `values` bind to ?1, ?2, ...
    ResultSet OpenQuery(const QString &statement, const QVariantList &values = {});
    ResultSet fetch(SqliteStatement &statement, int location);
    // Rows of `sql` for (word, classCode), kept in `cache` under word TAB class.
    ResultSet byClass(QHash<QString, ResultSet> &cache, const QString &sql, const QString &word,
                      const QString &classCode);
    static ResultSet notOpen();
    void dropCachesIfChanged();
    void dropWordCaches();
    std::optional<StoreFailure> loadHeadWords();
    std::optional<StoreFailure> loadExcluded();
    std::optional<StoreFailure> loadChoices();
    std::optional<QString> ExecuteStatementOnly(const QString &sql, const QVariantList &values);
    std::optional<QString> changeExcluded(const QString &sql, const QString &word);

    SqliteDatabase m_db;
    QString m_path;
    QHash<QString, std::shared_ptr<SqliteStatement>> m_statements;

    // Change detection for the kept answers.
    qint64 m_seenChanges = 0;
    qint64 m_dataVersion = -1;
    qint64 m_lastVersionCheckMs = -1;

    std::optional<QHash<QString, QVector<qint64>>> m_headIds; // folded word -> word_id
    QHash<QString, ResultSet> m_synonyms;                     // head word as asked -> rows
    QHash<QString, ResultSet> m_fitSynonyms;                  // word TAB class -> rows
    std::optional<ResultSet> m_allWords;
    std::optional<QSet<QString>> m_excluded;                  // folded words
    bool m_headsWithSpaces = false;
    ResultSet m_noSynonyms;
    qsizetype m_longestExcluded = 0;
    bool m_excludedWithSpaces = false;
    bool m_hasOffer = false; // whether the file holds OfferSynonyms
    QHash<QString, ResultSet> m_offered; // word TAB class -> rows
    bool m_hasPhrasal = false;           // whether the file holds PhrasalVerbs
    QHash<QString, ResultSet> m_phrasal; // verb TAB next word -> rows
    std::optional<QHash<QString, QVector<Choice>>> m_choices; // folded word TAB class -> judgements
    bool m_hasChoicesTable = false;
    quint64 m_choicesVersion = 1; // never 0, which a reader may take for "not yet asked"
};
