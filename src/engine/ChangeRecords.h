#pragma once

#include "engine/WordChanges.h"

#include <QString>
#include <QTemporaryFile>

#include <optional>
#include <vector>

// The word changes of each working copy of a run, kept in a temporary file so
// that memory grows with the text, not with the number of reprints. Each is
// kept with a checksum of the text it belongs to, and given back only for
// that text.
class ChangeRecords
{
public:
    // Forgets every record; the file is used again from its start.
    void clear();

    // Keeps `changes` as those of reprint `number` (1 up), made for `text`. A
    // record that cannot be written is simply not kept.
    void keep(qint64 number, QStringView text, const WordChanges &changes);

    // The changes of reprint `number` when `text` is the text they were kept
    // for; nothing otherwise, or when none were kept.
    std::optional<WordChanges> find(qint64 number, QStringView text);

private:
    struct Record
    {
        qint64 offset = -1; // in the file; -1 when none was kept
        qint64 words = 0;
        qsizetype length = 0;
        size_t checksum = 0;
    };
    QTemporaryFile m_file;
    std::vector<Record> m_records; // by number - 1
    qint64 m_end = 0;
};
