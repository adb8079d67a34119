#include "MythesReader.h"

#include "sources/TextFiles.h"

#include <QFile>
#include <QStringDecoder>

namespace {

bool isAscii(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// A line in the declared encoding, except where its bytes are valid UTF-8:
// some thesauri declare one encoding and hold lines of the other.
QString decodeAs(const QString &encoding, const QByteArray &bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (!utf8.hasError())
        return asUtf8;
    const QString name = encoding.trimmed().toUpper();
    if (name == QLatin1String("ISO8859-1") || name == QLatin1String("ISO-8859-1"))
        return QString::fromLatin1(bytes);
    if (!name.startsWith(QLatin1String("UTF"))) {
        QStringDecoder decoder(encoding.trimmed().toLatin1().constData());
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    return decodeText(bytes); // UTF-8, or Windows-1252 where the bytes are not UTF-8
}

// "Währung (Hauptform) (Oberbegriff)": the term, then its trailing labels joined by ", ".
ThesaurusTerm parseTerm(QString field)
{
    field = field.trimmed();
    QStringList tags;
    while (field.endsWith(QLatin1Char(')'))) {
        const qsizetype open = field.lastIndexOf(QLatin1String(" ("));
        if (open <= 0)
            break;
        tags.prepend(field.mid(open + 2, field.size() - open - 3).trimmed());
        field = field.left(open).trimmed();
    }
    return {field, tags.join(QStringLiteral(", "))};
}

QString stripParentheses(QString pos)
{
    pos = pos.trimmed();
    if (pos.startsWith(QLatin1Char('(')) && pos.endsWith(QLatin1Char(')')))
        pos = pos.mid(1, pos.size() - 2).trimmed();
    return pos;
}

} // namespace

Thesaurus readMythes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Thesaurus failed;
        failed.error = QStringLiteral("Could not read %1: %2").arg(path, file.errorString());
        return failed;
    }
    return parseMythes(file.readAll());
}

Thesaurus parseMythes(const QByteArray &bytes)
{
    Thesaurus thesaurus;
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines.first().trimmed().isEmpty()) {
        thesaurus.error = QStringLiteral("The thesaurus has no encoding line.");
        return thesaurus;
    }
    QByteArray first = lines.first().trimmed();
    if (first.startsWith("\xEF\xBB\xBF"))
        first.remove(0, 3); // a byte-order mark before the encoding's name
    thesaurus.encoding = QString::fromLatin1(first);

    qsizetype i = 1;
    while (i < lines.size()) {
        QByteArray headLine = lines.at(i++);
        if (headLine.endsWith('\r'))
            headLine.chop(1);
        if (headLine.trimmed().isEmpty())
            continue;
        const QString head = decodeAs(thesaurus.encoding, headLine);
        const qsizetype bar = head.lastIndexOf(QLatin1Char('|'));
        bool numeric = false;
        const int count = bar >= 0 ? head.mid(bar + 1).trimmed().toInt(&numeric) : 0;
        if (!numeric) {
            thesaurus.error = QStringLiteral("Line %1 is not a head word line: %2").arg(i).arg(head);
            return thesaurus;
        }
        ThesaurusEntry entry;
        entry.head = head.left(bar).trimmed();
        for (int m = 0; m < count && i < lines.size(); ++m) {
            QByteArray raw = lines.at(i++);
            if (raw.endsWith('\r'))
                raw.chop(1);
            const QStringList fields = decodeAs(thesaurus.encoding, raw).split(QLatin1Char('|'));
            ThesaurusMeaning meaning;
            meaning.partOfSpeech = stripParentheses(fields.value(0));
            for (qsizetype f = 1; f < fields.size(); ++f) {
                ThesaurusTerm term = parseTerm(fields.at(f));
                if (!term.text.isEmpty())
                    meaning.terms.append(term);
            }
            entry.meanings.append(meaning);
        }
        // A head line with no word ("|1") has nothing to look up: its meanings are passed over.
        if (!entry.head.isEmpty())
            thesaurus.entries.append(entry);
    }
    return thesaurus;
}
