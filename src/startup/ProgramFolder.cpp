#include "startup/ProgramFolder.h"

#include "startup/Sqlite.h"
#include "startup/WordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {

bool userCanWrite(const QString &folder)
{
    return access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

// The word data version a words.mdb was written with; -1 when it cannot be read.
int wordDataVersion(SqliteDatabase &db, const QString &schema)
{
    SqliteStatement version = db.prepare(QStringLiteral("pragma %1.user_version").arg(schema));
    return version.isValid() && version.step() ? int(version.integer(0)) : -1;
}

// Copies the installed word database into place: under another name first, so a
// copy cut short never stands under the final one.
QString copyInstalled(const QString &installed, const QString &target)
{
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    QFile source(installed);
    if (!source.copy(partial)) {
        QFile::remove(partial);
        return QStringLiteral("Could not copy %1 to %2: %3").arg(installed, partial, source.errorString());
    }
    // The installed file is read-only for its users; their own copy is not.
    QFile::setPermissions(partial, QFile::permissions(partial) | QFile::ReadOwner | QFile::WriteOwner);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        return QStringLiteral("Could not move %1 into place as %2.").arg(partial, target);
    }
    return {};
}

// Replaces the words and synonyms (by word class too, and those offered to
// choose from, where the installed file has them) of the user's copy by the
// installed ones when those are newer. The exclusion list and the chosen
// synonyms are the user's and are never touched.
QString refreshWords(const QString &installed, const QString &target)
{
    SqliteDatabase db;
    if (auto error = db.open(target, SqliteDatabase::Mode::ReadWrite))
        return QStringLiteral("%1: %2").arg(target, *error);
    SqliteStatement attach = db.prepare(QStringLiteral("attach database ?1 as installed"));
    if (!attach.isValid() || !attach.bind({installed}) || (attach.step(), attach.failed()))
        return QStringLiteral("%1: %2").arg(installed, db.lastError());
    attach = {};
    const int have = wordDataVersion(db, QStringLiteral("main"));
    const int shipped = wordDataVersion(db, QStringLiteral("installed"));
    if (have < 0 || shipped <= have)
        return {};

    // The tables and their indexes are made as the installed file makes them.
    QStringList schema, tables;
    SqliteStatement definitions = db.prepare(QStringLiteral(
        "select sql, type, name from installed.sqlite_master where tbl_name in ('Words', 'Synonyms', 'FitSynonyms', "
        "'OfferSynonyms', 'PhrasalVerbs') "
        "and sql is not null order by type = 'index'"));
    while (definitions.isValid() && definitions.step()) {
        schema << definitions.text(0);
        if (definitions.text(1) == QLatin1String("table"))
            tables << definitions.text(2);
    }
    definitions = {};
    if (schema.isEmpty())
        return QStringLiteral("%1 holds no words.").arg(installed);

    if (auto error = db.exec(QStringLiteral("begin immediate")))
        return QStringLiteral("%1: %2").arg(target, *error);
    QStringList steps{QStringLiteral("drop table if exists main.Words"),
                      QStringLiteral("drop table if exists main.Synonyms"),
                      QStringLiteral("drop table if exists main.FitSynonyms"),
                      QStringLiteral("drop table if exists main.OfferSynonyms"),
                      QStringLiteral("drop table if exists main.PhrasalVerbs")};
    for (const QString &definition : std::as_const(schema))
        steps << definition;
    for (const QString &table : std::as_const(tables))
        steps << QStringLiteral("insert into main.%1 select * from installed.%1").arg(table);
    steps << QStringLiteral("pragma main.user_version = %1").arg(shipped) << QStringLiteral("commit");
    for (const QString &step : std::as_const(steps)) {
        if (auto error = db.exec(step)) {
            db.exec(QStringLiteral("rollback"));
            return QStringLiteral("%1: %2").arg(target, *error);
        }
    }
    return {};
}

} // namespace

ProgramFolder ProgramFolder::choose(const QString &executableFolder, bool executableFolderWritable,
                                    const QString &dataHome)
{
    if (executableFolderWritable)
        return {executableFolder, {}};

    const QString folder = QDir::cleanPath(QDir(dataHome).filePath(QString::fromLatin1(DataFolderName)));
    if (!QDir().mkpath(folder))
        return {folder, QStringLiteral("Could not create the data folder %1.").arg(folder)};
    const QString fileName = QString::fromLatin1(WordStore::FileName);
    const QString installed = QDir(executableFolder).filePath(fileName);
    const QString target = QDir(folder).filePath(fileName);
    if (!QFile::exists(installed))
        return {folder, {}}; // nothing to copy; opening the store says what is missing
    const QString error = QFile::exists(target) ? refreshWords(installed, target) : copyInstalled(installed, target);
    return {folder, error};
}

ProgramFolder ProgramFolder::forThisProgram()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    return choose(executableFolder, userCanWrite(executableFolder),
                  QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}
