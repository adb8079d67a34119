#include "WordsDbWriter.h"

#include "startup/Sqlite.h"

#include <QFile>
#include <QFileInfo>

namespace {

const char *const Schema = R"(
create table Words(word_id integer primary key, word text);
create table Synonyms(word_id integer, synonym text);
create table FitSynonyms(word text, class text, synonym text, rank integer);
create table OfferSynonyms(word text, class text, synonym text, rank integer, likely integer);
create table PhrasalVerbs(word text, particle text);
create table if not exists Tbl_Exclude(id integer primary key autoincrement, word text);
create table if not exists Tbl_Choices(word text, class text, synonym text, chosen integer);
)";

const char *const Indexes = R"(
create index Words_word on Words(word collate nocase);
create index Synonyms_word_id on Synonyms(word_id);
create index FitSynonyms_word_class on FitSynonyms(word, class);
create index OfferSynonyms_word_class on OfferSynonyms(word, class);
create index PhrasalVerbs_word_particle on PhrasalVerbs(word, particle);
create index if not exists Tbl_Exclude_word on Tbl_Exclude(word collate nocase);
)";

std::optional<QString> fill(SqliteDatabase &db, const QVector<HeadWord> &heads,
                            const QVector<ClassSynonyms> &byClass, const QVector<ClassSynonyms> &offered,
                            const QVector<PhrasalVerb> &phrasal, WordsDbCounts &counts)
{
    if (auto error = db.exec(QStringLiteral("begin immediate")))
        return error;
    auto fail = [&db](const QString &message) {
        db.exec(QStringLiteral("rollback"));
        return std::optional<QString>(message);
    };
    if (auto error = db.exec(QStringLiteral(
            "drop table if exists Words; drop table if exists Synonyms; drop table if exists FitSynonyms; "
            "drop table if exists OfferSynonyms; drop table if exists PhrasalVerbs;")))
        return fail(*error);
    if (auto error = db.exec(QString::fromLatin1(Schema)))
        return fail(*error);

    SqliteStatement addWord = db.prepare(QStringLiteral("insert into Words(word_id, word) values(?1, ?2)"));
    SqliteStatement addSynonym = db.prepare(QStringLiteral("insert into Synonyms(word_id, synonym) values(?1, ?2)"));
    SqliteStatement addFit =
        db.prepare(QStringLiteral("insert into FitSynonyms(word, class, synonym, rank) values(?1, ?2, ?3, ?4)"));
    SqliteStatement addOffer =
        db.prepare(QStringLiteral(
            "insert into OfferSynonyms(word, class, synonym, rank, likely) values(?1, ?2, ?3, ?4, ?5)"));
    SqliteStatement addPhrasal = db.prepare(QStringLiteral("insert into PhrasalVerbs(word, particle) values(?1, ?2)"));
    if (!addWord.isValid() || !addSynonym.isValid() || !addFit.isValid() || !addOffer.isValid()
        || !addPhrasal.isValid())
        return fail(db.lastError());

    counts = {};
    qint64 id = 0;
    for (const HeadWord &head : heads) {
        ++id;
        addWord.reset();
        addWord.bindInt(1, id);
        addWord.bindText(2, head.word);
        addWord.step();
        if (addWord.failed())
            return fail(db.lastError());
        for (const QString &synonym : head.synonyms) {
            addSynonym.reset();
            addSynonym.bindInt(1, id);
            addSynonym.bindText(2, synonym);
            addSynonym.step();
            if (addSynonym.failed())
                return fail(db.lastError());
        }
        ++counts.headWords;
        counts.synonymRows += head.synonyms.size();
        if (!head.synonyms.isEmpty())
            ++counts.headWordsWithSynonyms;
    }
    const auto addByClass = [&](SqliteStatement &add, const ClassSynonyms &entry) {
        const QString word = entry.word.toLower();
        const QString code = wordClassCode(entry.wordClass);
        for (qsizetype rank = 0; rank < entry.synonyms.size(); ++rank) {
            add.reset();
            add.bindText(1, word);
            add.bindText(2, code);
            add.bindText(3, entry.synonyms.at(rank));
            add.bindInt(4, rank + 1);
            if (&add == &addOffer)
                add.bindInt(5, rank < entry.likely ? 1 : 0);
            add.step();
            if (add.failed())
                return false;
        }
        return true;
    };
    for (const ClassSynonyms &entry : byClass) {
        if (!addByClass(addFit, entry))
            return fail(db.lastError());
        counts.classRows += entry.synonyms.size();
        if (!entry.synonyms.isEmpty())
            ++counts.classForms;
    }
    for (const ClassSynonyms &entry : offered) {
        if (!addByClass(addOffer, entry))
            return fail(db.lastError());
        counts.offeredRows += entry.synonyms.size();
    }
    for (const PhrasalVerb &verb : phrasal) {
        addPhrasal.reset();
        addPhrasal.bindText(1, verb.verb);
        addPhrasal.bindText(2, verb.particle);
        addPhrasal.step();
        if (addPhrasal.failed())
            return fail(db.lastError());
    }
    if (auto error = db.exec(QString::fromLatin1(Indexes)))
        return fail(*error);
    if (auto error = db.exec(QStringLiteral("pragma user_version = %1").arg(WordDataVersion)))
        return fail(*error);
    if (auto error = db.exec(QStringLiteral("commit")))
        return fail(*error);
    return std::nullopt;
}

// After a failed write to the existing file at `path` (a full disk, say): the
// engine may have given up half way and left its journal for the next opener
// to roll back. Open the file once more so that the rollback happens now, and
// the journal, which may hold most of the disk, goes away with it. Returns what
// is still wrong, if anything.
std::optional<QString> settleAfterFailure(SqliteDatabase &db, const QString &path)
{
    db.close();
    const QString journal = path + QStringLiteral("-journal");
    if (!QFileInfo::exists(journal))
        return std::nullopt;
    SqliteDatabase again;
    if (!again.open(path, SqliteDatabase::Mode::ReadWrite))
        again.exec(QStringLiteral("select count(*) from sqlite_master"));
    again.close();
    if (QFileInfo::exists(journal))
        return QStringLiteral("its journal %1 could not be rolled back; Penrook rolls it back when it next opens "
                              "the file").arg(journal);
    return std::nullopt;
}

} // namespace

std::optional<int> wordDataVersion(const QString &path)
{
    SqliteDatabase db;
    if (db.open(path, SqliteDatabase::Mode::ReadWrite))
        return std::nullopt;
    SqliteStatement version = db.prepare(QStringLiteral("pragma user_version"));
    if (!version.isValid() || !version.step())
        return std::nullopt;
    return int(version.integer(0));
}

std::optional<QString> writeWordsDb(const QString &path, const QVector<HeadWord> &heads,
                                    const QVector<ClassSynonyms> &byClass, WordsDbCounts *counts,
                                    const QVector<ClassSynonyms> &offered, const QVector<PhrasalVerb> &phrasal)
{
    WordsDbCounts local;
    WordsDbCounts &out = counts ? *counts : local;

    if (QFileInfo::exists(path)) {
        SqliteDatabase db;
        if (auto error = db.open(path, SqliteDatabase::Mode::ReadWrite))
            return QStringLiteral("%1: %2").arg(path, *error);
        // Reading the schema first proves the file is a database before anything is written.
        if (auto error = db.exec(QStringLiteral("select count(*) from sqlite_master")))
            return QStringLiteral("%1: %2").arg(path, *error);
        if (auto error = fill(db, heads, byClass, offered, phrasal, out)) {
            QString message = QStringLiteral("%1: %2").arg(path, *error);
            if (auto left = settleAfterFailure(db, path))
                message += QStringLiteral("; ") + *left;
            return message;
        }
        // The space freed is given back; the rebuild stands even where there
        // is no room to do so.
        if (db.exec(QStringLiteral("vacuum")))
            settleAfterFailure(db, path);
        return std::nullopt;
    }

    const QString building = path + QStringLiteral(".building");
    QFile::remove(building);
    {
        SqliteDatabase db;
        if (auto error = db.open(building, SqliteDatabase::Mode::ReadWriteCreate))
            return QStringLiteral("%1: %2").arg(building, *error);
        db.exec(QStringLiteral("pragma journal_mode = off; pragma synchronous = off;"));
        if (auto error = fill(db, heads, byClass, offered, phrasal, out)) {
            db.close();
            QFile::remove(building);
            return QStringLiteral("%1: %2").arg(building, *error);
        }
    }
    if (!QFile::rename(building, path)) {
        QFile::remove(building);
        return QStringLiteral("Could not move %1 into place as %2.").arg(building, path);
    }
    return std::nullopt;
}
