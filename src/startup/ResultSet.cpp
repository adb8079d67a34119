#include "startup/ResultSet.h"

ResultSet ResultSet::failed(StoreFailure failure)
{
    ResultSet result;
    result.m_failure = std::move(failure);
    return result;
}

ResultSet::ResultSet(QSharedPointer<const Table> table) : m_table(std::move(table)) {}

qsizetype ResultSet::rowCount() const
{
    if (!m_table || m_table->columns.isEmpty())
        return 0;
    return m_table->cells.size() / m_table->columns.size();
}

bool ResultSet::moveTo(qsizetype row)
{
    if (row < 1 || row > rowCount()) {
        m_row = rowCount() + 1;
        return false;
    }
    m_row = row;
    return true;
}

QVariant ResultSet::value(qsizetype row, int column) const
{
    if (!m_table || row < 1 || row > rowCount() || column < 0 || column >= m_table->columns.size())
        return {};
    return m_table->cells.at((row - 1) * m_table->columns.size() + column);
}

QString ResultSet::text(qsizetype row, int column) const
{
    if (!m_table || row < 1 || row > rowCount() || column < 0 || column >= m_table->columns.size())
        return {};
    const QVariant &cell = m_table->cells.at((row - 1) * m_table->columns.size() + column);
    return cell.isNull() ? QString() : cell.toString();
}

int ResultSet::columnIndex(const QString &columnName) const
{
    if (!m_table)
        return -1;
    for (int i = 0; i < m_table->columns.size(); ++i) {
        if (m_table->columns.at(i).compare(columnName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant ResultSet::field(int column) const
{
    return value(m_row, column);
}

QVariant ResultSet::field(const QString &columnName) const
{
    return value(m_row, columnIndex(columnName));
}
