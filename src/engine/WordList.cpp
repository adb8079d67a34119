#include "engine/WordList.h"

qsizetype WordList::FillWordList(const QString &text)
{
    m_entries.clear();
    qsizetype words = 0;
    if (!text.isEmpty()) {
        const QStringView all(text);
        qsizetype lineStart = 0;
        while (true) {
            const qsizetype lineEnd = all.indexOf(LineBreak, lineStart);
            const QStringView line = all.mid(lineStart, (lineEnd < 0 ? all.size() : lineEnd) - lineStart);
            qsizetype pieceStart = 0;
            while (pieceStart <= line.size()) {
                qsizetype pieceEnd = line.indexOf(QLatin1Char(' '), pieceStart);
                if (pieceEnd < 0)
                    pieceEnd = line.size();
                if (pieceEnd > pieceStart) {
                    m_entries.append(line.mid(pieceStart, pieceEnd - pieceStart).toString());
                    ++words;
                }
                pieceStart = pieceEnd + 1;
            }
            m_entries.append(LineBreak);
            if (lineEnd < 0)
                break;
            lineStart = lineEnd + LineBreak.size();
        }
    }
    m_originalWordCount = words;
    return words;
}

void WordList::setEntry(qsizetype position, const QString &text)
{
    if (position >= 0 && position < m_entries.size())
        m_entries[position] = text;
    else
        m_entries.append(text);
}
