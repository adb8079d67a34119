#pragma once

#include <QString>
#include <QVariant>

#include <optional>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement that finalises itself; reset and rebound for each use.
class SqliteStatement
{
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3 *db, sqlite3_stmt *stmt) : m_db(db), m_stmt(stmt) {}
    ~SqliteStatement();
    SqliteStatement(SqliteStatement &&other) noexcept
        : m_db(std::exchange(other.m_db, nullptr)), m_stmt(std::exchange(other.m_stmt, nullptr)) {}
    SqliteStatement &operator=(SqliteStatement &&other) noexcept;
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    sqlite3_stmt *handle() const { return m_stmt; }

    // Clears earlier bindings and binds values to ?1, ?2, ... A null QVariant binds NULL.
    bool bind(const QVariantList &values);
    void bindText(int index, const QString &text);
    void bindInt(int index, qint64 value);

    // One step: true while a row is ready. On false, check error() for a failure.
    bool step();
    bool failed() const { return m_failed; }
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column) const;
    QString text(int column) const;
    qint64 integer(int column) const;
    bool isNull(int column) const;

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    bool m_failed = false;
};

// One SQLite connection, closed when the object goes.
class SqliteDatabase
{
public:
    enum class Mode { ReadWrite, ReadWriteCreate };

    SqliteDatabase() = default;
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    // Opens the file; on failure the connection stays closed and the engine's
    // description is returned.
    std::optional<QString> open(const QString &path, Mode mode);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }

    // Prepares a statement; on failure returns an invalid one and sets lastError().
    SqliteStatement prepare(const QString &sql);
    // Runs statements that return no rows. Returns the failure, if any.
    std::optional<QString> exec(const QString &sql);
    QString lastError() const;
    // Rows changed by this connection since it was opened.
    qint64 totalChanges() const;

private:
    sqlite3 *m_db = nullptr;
};
