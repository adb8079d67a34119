#include "startup/WordStore.h"

#include "sources/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>

namespace {

// How often another program's changes to the file are looked for, at most.
constexpr qint64 VersionCheckMs = 100;
// How much longer to leave the file alone when another program had it locked.
constexpr qint64 LockedBackOffMs = 2000;

const QString SqlExcludedAll = QStringLiteral("select word from Tbl_Exclude");
const QString SqlHeadWords = QStringLiteral("select word_id, word from Words");
const QString SqlSynonymsOfId = QStringLiteral("select synonym from Synonyms where word_id = ?1");
const QString SqlFitSynonyms =
    QStringLiteral("select synonym from FitSynonyms where word = ?1 and class = ?2 order by rank");
const QString SqlHasFitSynonyms =
    QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = 'FitSynonyms'");
const QString SqlPhrasalVerb = QStringLiteral("select 1 from PhrasalVerbs where word = ?1 and particle = ?2 limit 1");
const QString SqlOfferSynonyms =
    QStringLiteral("select synonym, likely from OfferSynonyms where word = ?1 and class = ?2 order by rank");
const QString SqlChoicesAll = QStringLiteral("select word, class, synonym, chosen from Tbl_Choices order by rowid");
const QString SqlForgetChoice = QStringLiteral(
    "delete from Tbl_Choices where penrook_fold(word) = penrook_fold(?1) and class = ?2 and synonym = ?3");
const QString SqlAddChoice =
    QStringLiteral("insert into Tbl_Choices(word, class, synonym, chosen) values(?1, ?2, ?3, ?4)");
const QString SqlAllWords = QStringLiteral("select word from Words");
const QString SqlListExcluded =
    QStringLiteral("select id, word from Tbl_Exclude order by penrook_fold(word), word");
const QString SqlAddExcluded = QStringLiteral("insert into Tbl_Exclude(word) values(?1)");
const QString SqlDeleteExcluded =
    QStringLiteral("delete from Tbl_Exclude where penrook_fold(word) = penrook_fold(?1)");

// SQL function penrook_fold(text): the text with every letter's case folded.
void sqlFold(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *data = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const QByteArray folded =
        QString::fromUtf8(data, sqlite3_value_bytes(argv[0])).toCaseFolded().toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

} // namespace

WordStore::WordStore()
{
    auto none = QSharedPointer<ResultSet::Table>::create();
    none->columns << QStringLiteral("synonym");
    m_noSynonyms = ResultSet(none);
}

WordStore::~WordStore()
{
    m_statements.clear(); // finalise before the connection closes
}

std::optional<StoreFailure> WordStore::OpenWordStore(const QString &folder)
{
    m_path = QDir(folder).filePath(QString::fromLatin1(FileName));
    auto fail = [this](const QString &message) {
        m_statements.clear();
        m_db.close();
        return std::optional<StoreFailure>(StoreFailure{message, LocationOpen});
    };

    if (!QFileInfo(m_path).isFile())
        return fail(notAFile(QStringLiteral("The word database"), m_path) + QLatin1Char('.'));
    // What SQLite says, with the file it is about and what the user can do.
    const auto unusable = [this](const QString &reason) {
        QString message = QStringLiteral("The word database %1 cannot be used: %2.")
                              .arg(QDir::toNativeSeparators(m_path), reason);
        if (reason.contains(QLatin1String("locked")))
            message += QStringLiteral(" Close the program that holds it and start Penrook again.");
        return message;
    };
    if (auto error = m_db.open(m_path, SqliteDatabase::Mode::ReadWrite))
        return fail(unusable(*error));
    sqlite3_busy_timeout(m_db.handle(), 250);
    // A run looks up thousands of different words a second; a page cache as large
    // as a rich thesaurus keeps them off the disk. (The default is 2 MB.)
    m_db.exec(QStringLiteral("pragma cache_size = -16384"));
    sqlite3_create_function(m_db.handle(), "penrook_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            sqlFold, nullptr, nullptr);

    // Reading the schema proves the file is a database and not locked against us.
    SqliteStatement tables = m_db.prepare(QStringLiteral("select name from sqlite_master where type = 'table'"));
    if (!tables.isValid())
        return fail(unusable(m_db.lastError()));
    QSet<QString> names;
    while (tables.step())
        names.insert(tables.text(0).toLower());
    if (tables.failed())
        return fail(unusable(m_db.lastError()));
    if (names.isEmpty())
        return fail(unusable(QStringLiteral("it is empty, with no table Words")));
    for (const char *table : {"Words", "Synonyms", "Tbl_Exclude"}) {
        if (!names.contains(QString::fromLatin1(table).toLower()))
            return fail(QStringLiteral("The word database has no table %1.").arg(QLatin1String(table)));
    }

    // The synonym lookup goes by word_id. A file made elsewhere may lack the
    // index; add it where the file can be written, and do without where not.
    m_db.exec(QStringLiteral("create index if not exists Synonyms_word_id on Synonyms(word_id)"));
    // A file from before the chosen synonyms gets their table where it can be written.
    m_hasChoicesTable = names.contains(QStringLiteral("tbl_choices"))
                        || !m_db.exec(QStringLiteral("create table if not exists Tbl_Choices(word text, class text, "
                                                     "synonym text, chosen integer)"));
    m_hasOffer = names.contains(QStringLiteral("offersynonyms"));
    m_hasPhrasal = names.contains(QStringLiteral("phrasalverbs"));

    m_seenChanges = m_db.totalChanges();
    m_dataVersion = -1;
    m_lastVersionCheckMs = -1;
    return std::nullopt;
}

SqliteStatement *WordStore::statement(const QString &sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        SqliteStatement prepared = m_db.prepare(sql);
        if (!prepared.isValid())
            return nullptr;
        it = m_statements.insert(sql, std::make_shared<SqliteStatement>(std::move(prepared)));
    }
    return it->get();
}

ResultSet WordStore::notOpen()
{
    return ResultSet::failed({QStringLiteral("The word database is not open."), LocationNotOpen});
}

ResultSet WordStore::fetch(SqliteStatement &stmt, int location)
{
    auto table = QSharedPointer<ResultSet::Table>::create();
    const int columns = stmt.columnCount();
    for (int c = 0; c < columns; ++c)
        table->columns << stmt.columnName(c);
    while (stmt.step()) {
        for (int c = 0; c < columns; ++c)
            table->cells << stmt.value(c);
    }
    if (stmt.failed()) {
        const QString message = m_db.lastError();
        stmt.reset();
        return ResultSet::failed({message, location});
    }
    stmt.reset();
    return ResultSet(table);
}

ResultSet WordStore::OpenQuery(const QString &sql, const QVariantList &values)
{
    if (!m_db.isOpen())
        return notOpen();
    dropCachesIfChanged();
    SqliteStatement *stmt = statement(sql);
    if (!stmt || !stmt->bind(values))
        return ResultSet::failed({m_db.lastError(), LocationPrepare});
    return fetch(*stmt, LocationFetch);
}

std::optional<QString> WordStore::ExecuteStatementOnly(const QString &sql, const QVariantList &values)
{
    if (!m_db.isOpen())
        return QStringLiteral("The word database is not open.");
    SqliteStatement *stmt = statement(sql);
    if (!stmt || !stmt->bind(values))
        return m_db.lastError();
    stmt->step();
    const bool failed = stmt->failed();
    const QString message = failed ? m_db.lastError() : QString();
    stmt->reset();
    if (failed)
        return message;
    return std::nullopt;
}

void WordStore::dropWordCaches()
{
    m_headIds.reset();
    m_synonyms.clear();
    m_fitSynonyms.clear();
    m_offered.clear();
    m_phrasal.clear();
    m_allWords.reset();
    if (m_choices) {
        m_choices.reset();
        ++m_choicesVersion;
    }
}

void WordStore::dropCachesIfChanged()
{
    // This connection's own writes show in its change counter at once.
    const qint64 changes = m_db.totalChanges();
    if (changes != m_seenChanges) {
        m_seenChanges = changes;
        m_excluded.reset();
        dropWordCaches();
    }
    // Another program's commits show in data_version; looking costs a read lock,
    // so look at most every VersionCheckMs.
    // A coarse clock is plenty for that and costs little on this hot path.
    const auto nowMs = [] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    };
    if (m_lastVersionCheckMs >= 0 && nowMs() - m_lastVersionCheckMs < VersionCheckMs)
        return;
    SqliteStatement *stmt = statement(QStringLiteral("pragma data_version"));
    if (!stmt)
        return;
    stmt->reset();
    const bool read = stmt->step();
    const qint64 version = read ? stmt->integer(0) : m_dataVersion;
    stmt->reset();
    // Counted from the end of the look: while another program holds the file
    // locked, each look waits out the busy timeout, and looking again at once
    // would stall every lookup. The cached words serve meanwhile.
    m_lastVersionCheckMs = nowMs() + (read ? 0 : LockedBackOffMs);
    if (version != m_dataVersion) {
        if (m_dataVersion != -1) {
            m_excluded.reset();
            dropWordCaches();
        }
        m_dataVersion = version;
    }
}

std::optional<StoreFailure> WordStore::loadExcluded()
{
    ResultSet rows = OpenQuery(SqlExcludedAll);
    if (!rows.isOpen())
        return rows.failure();
    QSet<QString> words;
    m_longestExcluded = 0;
    m_excludedWithSpaces = false;
    for (qsizetype r = 1; r <= rows.rowCount(); ++r) {
        const QVariant word = rows.value(r, 0);
        if (word.isNull())
            continue;
        const QString text = word.toString();
        words.insert(fold(text));
        m_longestExcluded = std::max(m_longestExcluded, text.size());
        m_excludedWithSpaces = m_excludedWithSpaces || text.contains(QLatin1Char(' '));
    }
    m_excluded = std::move(words);
    return std::nullopt;
}

std::optional<StoreFailure> WordStore::loadHeadWords()
{
    SqliteStatement *stmt = statement(SqlHeadWords);
    if (!stmt)
        return StoreFailure{m_db.lastError(), LocationPrepare};
    stmt->reset();
    QHash<QString, QVector<qint64>> heads;
    m_headsWithSpaces = false;
    while (stmt->step()) {
        if (stmt->isNull(1))
            continue;
        const QString head = fold(stmt->text(1));
        m_headsWithSpaces = m_headsWithSpaces || head.contains(QLatin1Char(' '));
        heads[head].append(stmt->integer(0));
    }
    const bool failed = stmt->failed();
    stmt->reset();
    if (failed)
        return StoreFailure{m_db.lastError(), LocationFetch};
    m_headIds = std::move(heads);
    return std::nullopt;
}

StoreAnswer<bool> WordStore::IsExcluded(const QString &word)
{
    if (!m_db.isOpen())
        return notOpen().failure();
    dropCachesIfChanged();
    if (!m_excluded) {
        if (auto failure = loadExcluded())
            return *failure;
    }
    // Folding keeps a word's length within a small factor; far longer words need
    // no folding to be told apart.
    if (m_excluded->isEmpty() || word.size() > 3 * m_longestExcluded + 4)
        return false;
    return m_excluded->contains(fold(word));
}

WordStore::ReadBurst::ReadBurst(WordStore &store) : m_store(store)
{
    sqlite3 *db = store.m_db.handle();
    m_began = db && sqlite3_get_autocommit(db) && !store.m_db.exec(QStringLiteral("begin"));
}

WordStore::ReadBurst::~ReadBurst()
{
    if (m_began && !sqlite3_get_autocommit(m_store.m_db.handle()))
        m_store.m_db.exec(QStringLiteral("commit"));
}

bool WordStore::excludedMayHaveSpaces()
{
    if (!m_db.isOpen())
        return true;
    dropCachesIfChanged();
    if (!m_excluded && loadExcluded())
        return true;
    return m_excludedWithSpaces;
}

bool WordStore::headWordsMayHaveSpaces()
{
    if (!m_db.isOpen())
        return true;
    dropCachesIfChanged();
    if (!m_headIds && loadHeadWords())
        return true;
    return m_headsWithSpaces;
}

ResultSet WordStore::SynonymsOf(const QString &word)
{
    if (!m_db.isOpen())
        return notOpen();
    dropCachesIfChanged();
    if (!m_headIds) {
        if (auto failure = loadHeadWords())
            return ResultSet::failed(*failure);
    }
    // Entries that have received inserted words hold several words: when no head
    // word has a space, they cannot match, however long they have grown. Asked
    // first, so such an entry is never hashed whole.
    if (!m_headsWithSpaces && word.contains(QLatin1Char(' ')))
        return m_noSynonyms;
    if (auto cached = m_synonyms.constFind(word); cached != m_synonyms.constEnd())
        return *cached;

    // The keys are folded, and folding a folded word changes nothing: a word found
    // as it stands needs no folding.
    auto ids = m_headIds->constFind(word);
    if (ids == m_headIds->constEnd()) {
        const QString folded = fold(word);
        if (folded != word)
            ids = m_headIds->constFind(folded);
    }
    if (ids == m_headIds->constEnd())
        return m_noSynonyms; // not a head word; not kept, as such words are endless

    SqliteStatement *stmt = statement(SqlSynonymsOfId);
    if (!stmt)
        return ResultSet::failed({m_db.lastError(), LocationPrepare});
    auto table = QSharedPointer<ResultSet::Table>::create();
    table->columns << QStringLiteral("synonym");
    for (qint64 id : *ids) {
        stmt->reset();
        stmt->bindInt(1, id);
        while (stmt->step())
            table->cells << stmt->value(0);
        if (stmt->failed()) {
            const QString message = m_db.lastError();
            stmt->reset();
            return ResultSet::failed({message, LocationFetch});
        }
    }
    stmt->reset();
    ResultSet result(table);
    m_synonyms.insert(word, result);
    return result;
}

ResultSet WordStore::byClass(QHash<QString, ResultSet> &cache, const QString &sql, const QString &word,
                             const QString &classCode)
{
    if (!m_db.isOpen())
        return notOpen();
    dropCachesIfChanged();
    const QString key = word + QLatin1Char('\t') + classCode;
    if (auto cached = cache.constFind(key); cached != cache.constEnd())
        return *cached;
    ResultSet rows = OpenQuery(sql, {word, classCode});
    if (rows.isOpen())
        cache.insert(key, rows);
    return rows;
}

ResultSet WordStore::FitSynonymsOf(const QString &word, const QString &classCode)
{
    return byClass(m_fitSynonyms, SqlFitSynonyms, word, classCode);
}

ResultSet WordStore::OfferSynonymsOf(const QString &word, const QString &classCode)
{
    if (!m_hasOffer)
        return FitSynonymsOf(word, classCode);
    return byClass(m_offered, SqlOfferSynonyms, word, classCode);
}

StoreAnswer<bool> WordStore::IsPhrasalVerb(const QString &verb, const QString &next)
{
    if (!m_hasPhrasal)
        return false;
    const ResultSet rows = byClass(m_phrasal, SqlPhrasalVerb, verb, next);
    if (!rows.isOpen())
        return rows.failure();
    return rows.rowCount() > 0;
}

std::optional<StoreFailure> WordStore::loadChoices()
{
    QHash<QString, QVector<Choice>> choices;
    if (m_hasChoicesTable) {
        ResultSet rows = OpenQuery(SqlChoicesAll);
        if (!rows.isOpen())
            return rows.failure();
        for (qsizetype r = 1; r <= rows.rowCount(); ++r) {
            if (rows.value(r, 0).isNull() || rows.value(r, 2).isNull())
                continue;
            const QString key = fold(rows.text(r, 0)) + QLatin1Char('\t') + rows.text(r, 1);
            QVector<Choice> &of = choices[key];
            const QString synonym = rows.text(r, 2);
            const bool chosen = rows.value(r, 3).toLongLong() != 0;
            auto same = std::find_if(of.begin(), of.end(), [&](const Choice &c) { return c.synonym == synonym; });
            if (same != of.end())
                same->chosen = chosen; // the later row stands
            else
                of.append({synonym, chosen});
        }
    }
    m_choices = std::move(choices);
    ++m_choicesVersion;
    return std::nullopt;
}

StoreAnswer<QVector<WordStore::Choice>> WordStore::ChoicesOf(const QString &word, const QString &classCode)
{
    if (!m_db.isOpen())
        return notOpen().failure();
    dropCachesIfChanged();
    if (!m_choices) {
        if (auto failure = loadChoices())
            return *failure;
    }
    if (m_choices->isEmpty())
        return QVector<Choice>();
    return m_choices->value(fold(word) + QLatin1Char('\t') + classCode);
}

std::optional<QString> WordStore::SaveChoices(const QVector<ChoiceChange> &changes)
{
    if (!m_db.isOpen())
        return QStringLiteral("The word database is not open.");
    if (changes.isEmpty())
        return std::nullopt;
    if (!m_hasChoicesTable)
        return QStringLiteral("The word database %1 has no table Tbl_Choices and cannot be given one.").arg(m_path);
    if (auto error = m_db.exec(QStringLiteral("begin immediate")))
        return error;
    for (const ChoiceChange &change : changes) {
        std::optional<QString> error = ExecuteStatementOnly(SqlForgetChoice, {change.word, change.classCode,
                                                                              change.synonym});
        if (!error && change.chosen) {
            error = ExecuteStatementOnly(SqlAddChoice, {change.word.toLower(), change.classCode, change.synonym,
                                                        *change.chosen ? 1 : 0});
        }
        if (error) {
            m_db.exec(QStringLiteral("rollback"));
            return error;
        }
    }
    std::optional<QString> error = m_db.exec(QStringLiteral("commit"));
    if (error)
        m_db.exec(QStringLiteral("rollback"));
    // Only the judgements changed: the kept words stay valid.
    m_choices.reset();
    ++m_choicesVersion;
    m_seenChanges = m_db.totalChanges();
    return error;
}

bool WordStore::hasFitSynonyms()
{
    if (!m_db.isOpen())
        return false;
    const ResultSet rows = OpenQuery(SqlHasFitSynonyms);
    return rows.isOpen() && rows.value(1, 0).toLongLong() > 0;
}

ResultSet WordStore::AllWords()
{
    if (!m_db.isOpen())
        return notOpen();
    dropCachesIfChanged();
    if (!m_allWords) {
        ResultSet rows = OpenQuery(SqlAllWords);
        if (!rows.isOpen())
            return rows;
        m_allWords = rows;
    }
    return *m_allWords;
}

ResultSet WordStore::ListExcluded()
{
    return OpenQuery(SqlListExcluded);
}

std::optional<QString> WordStore::changeExcluded(const QString &sql, const QString &word)
{
    // Only the exclusion list changes: the kept head words stay valid.
    auto error = ExecuteStatementOnly(sql, {word});
    m_excluded.reset();
    m_seenChanges = m_db.totalChanges();
    return error;
}

std::optional<QString> WordStore::AddExcluded(const QString &word)
{
    return changeExcluded(SqlAddExcluded, word);
}

std::optional<QString> WordStore::DeleteExcluded(const QString &word)
{
    return changeExcluded(SqlDeleteExcluded, word);
}
