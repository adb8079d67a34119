#pragma once

#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// What kept the store from an answer: the engine's description and a number
// that locates the failing step, for the error report.
struct StoreFailure
{
    QString description;
    int location = 0;
};

// The rows of one query, fetched whole: exact row count, rows numbered from 1,
// fields by column name or number. Copies share the rows; each has its own cursor.
class ResultSet
{
public:
    struct Table
    {
        QStringList columns;
        QVector<QVariant> cells; // row after row
    };

    // A result set that is not open: the query behind it failed.
    ResultSet() = default;
    static ResultSet failed(StoreFailure failure);
    explicit ResultSet(QSharedPointer<const Table> table);

    bool isOpen() const { return !m_table.isNull(); }
    QString error() const { return m_failure.description; }
    // Why the query failed; meaningful only when the result set is not open.
    const StoreFailure &failure() const { return m_failure; }

    // Row count; 0 for a result set that is not open.
    qsizetype rowCount() const;

    // Puts the cursor on row `row` (1-based). False, with the cursor at the end,
    // when there is no such row.
    bool moveTo(qsizetype row);
    void moveFirst() { m_row = 1; }
    void moveNext() { ++m_row; }
    bool atEnd() const { return m_row < 1 || m_row > rowCount(); }
    qsizetype position() const { return m_row; }

    // Fields of the current row; a null QVariant past the end or for an unknown column.
    QVariant field(int column) const;
    QVariant field(const QString &columnName) const;

    // Direct access without moving the cursor (1-based row).
    QVariant value(qsizetype row, int column) const;
    // The same as text: the empty text for a null value or no such cell.
    QString text(qsizetype row, int column) const;
    int columnIndex(const QString &columnName) const;

private:
    QSharedPointer<const Table> m_table;
    StoreFailure m_failure;
    qsizetype m_row = 1;
};
