#include "engine/ChangeRecords.h"

#include <QHash>

void ChangeRecords::clear()
{
    m_records.clear();
    m_end = 0;
}

void ChangeRecords::keep(qint64 number, QStringView text, const WordChanges &changes)
{
    if (number < 1)
        return;
    if (qint64(m_records.size()) < number)
        m_records.resize(size_t(number));
    Record &record = m_records[size_t(number - 1)];
    record = Record();
    if (!m_file.isOpen() && !m_file.open())
        return;
    const qint64 size = qint64(changes.kinds().size());
    if (!m_file.seek(m_end)
        || m_file.write(reinterpret_cast<const char *>(changes.kinds().data()), size) != size)
        return;
    record = {m_end, size, text.size(), qHash(text)};
    m_end += size;
}

std::optional<WordChanges> ChangeRecords::find(qint64 number, QStringView text)
{
    if (number < 1 || number > qint64(m_records.size()))
        return std::nullopt;
    const Record &record = m_records[size_t(number - 1)];
    if (record.offset < 0 || record.length != text.size() || record.checksum != qHash(text))
        return std::nullopt;
    std::vector<quint8> kinds(size_t(record.words));
    if (!m_file.seek(record.offset)
        || m_file.read(reinterpret_cast<char *>(kinds.data()), record.words) != record.words)
        return std::nullopt;
    return WordChanges(std::move(kinds));
}
