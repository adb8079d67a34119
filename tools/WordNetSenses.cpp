#include "WordNetSenses.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace {

const char *const FileSuffix[WordNetSenses::PosCount] = {"noun", "verb", "adj", "adv"};

QString lemmaText(const QByteArray &field)
{
    QString text = QString::fromUtf8(field);
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    // Adjectives may carry their syntactic position: "outback(a)", "out_of_reach(p)".
    if (text.endsWith(QLatin1Char(')'))) {
        const qsizetype open = text.lastIndexOf(QLatin1Char('('));
        if (open > 0)
            text.truncate(open);
    }
    return text;
}

bool eachLine(const QString &path, const std::function<void(const QByteArray &)> &take)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray all = file.readAll();
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        // The files open with a licence, each of its lines indented by two spaces.
        if (end > start && all.at(start) != ' ')
            take(all.mid(start, end - start));
        start = end + 1;
    }
    return true;
}

} // namespace

WordNetSenses::WordNetSenses(const QString &folder)
{
    const QDir dir(folder);
    // Counts by "lemma%type" and sense number; an adjective's satellite senses
    // (type 5) are numbered with its other adjective senses.
    QHash<QString, QHash<int, int>> counts[PosCount];
    bool ok = eachLine(dir.filePath(QStringLiteral("cntlist.rev")), [&](const QByteArray &line) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3)
            return;
        const qsizetype percent = fields[0].indexOf('%');
        if (percent <= 0 || percent + 1 >= fields[0].size())
            return;
        const int type = fields[0].at(percent + 1) - '0';
        const int pos = type == 5 ? 2 : type - 1;
        if (pos < 0 || pos >= PosCount)
            return;
        counts[pos][lemmaText(fields[0].left(percent)).toCaseFolded()][fields[1].toInt()] += fields[2].toInt();
    });

    for (int pos = 0; pos < PosCount && ok; ++pos) {
        ok = eachLine(dir.filePath(QStringLiteral("index.%1").arg(QLatin1String(FileSuffix[pos]))),
                      [&](const QByteArray &line) {
            // lemma pos synset_cnt p_cnt [ptr...] sense_cnt tagsense_cnt offset...
            const QList<QByteArray> f = line.trimmed().split(' ');
            if (f.size() < 6)
                return;
            const int synsets = f[2].toInt();
            const int pointers = f[3].toInt();
            const qsizetype first = 4 + pointers + 2;
            if (synsets <= 0 || first + synsets > f.size())
                return;
            const QString lemma = lemmaText(f[0]).toCaseFolded();
            const QHash<int, int> &ofLemma = counts[pos].value(lemma);
            QVector<Sense> &senses = m_senses[pos][lemma];
            for (int i = 0; i < synsets; ++i)
                senses.append(Sense{f[first + i].toUInt(), ofLemma.value(i + 1)});
        });
        ok = ok && eachLine(dir.filePath(QStringLiteral("data.%1").arg(QLatin1String(FileSuffix[pos]))),
                            [&](const QByteArray &line) {
            // offset lex_filenum ss_type w_cnt(hex) word lex_id(hex) ...
            const QList<QByteArray> f = line.split(' ');
            if (f.size() < 4)
                return;
            bool hex = false;
            const int words = f[3].toInt(&hex, 16);
            if (!hex || 4 + 2 * words > f.size())
                return;
            const quint32 synset = f[0].toUInt();
            QStringList &members = m_members[pos][synset];
            for (int i = 0; i < words; ++i)
                members.append(lemmaText(f[4 + 2 * i]));
            // ... p_cnt, then per pointer: symbol offset pos source/target
            const qsizetype at = 4 + 2 * words;
            const int pointers = at < f.size() ? f[at].toInt() : 0;
            for (int i = 0; i < pointers && at + 4 * i + 3 < f.size(); ++i) {
                const QByteArray &symbol = f[at + 1 + 4 * i];
                if (symbol == "!")
                    m_opposites[pos][synset].append(f[at + 2 + 4 * i].toUInt());
                else if (symbol == "&" && pos == int(Pos::Adjective))
                    m_heads[synset].append(f[at + 2 + 4 * i].toUInt());
            }
        });
    }
    m_loaded = ok;
}

const QVector<WordNetSenses::Sense> &WordNetSenses::senses(const QString &lemma, Pos pos) const
{
    static const QVector<Sense> none;
    const auto &map = m_senses[int(pos)];
    const auto it = map.constFind(lemma.toCaseFolded());
    return it == map.constEnd() ? none : *it;
}

const QStringList &WordNetSenses::members(Pos pos, quint32 synset) const
{
    static const QStringList none;
    const auto &map = m_members[int(pos)];
    const auto it = map.constFind(synset);
    return it == map.constEnd() ? none : *it;
}

QSet<QString> WordNetSenses::antonyms(const QString &lemma, Pos pos) const
{
    QSet<QString> opposites;
    const auto addOf = [&](quint32 synset) {
        for (const quint32 opposite : m_opposites[int(pos)].value(synset)) {
            for (const QString &member : members(pos, opposite))
                opposites.insert(member.toCaseFolded());
        }
    };
    for (const Sense &sense : senses(lemma, pos)) {
        addOf(sense.synset);
        if (pos == Pos::Adjective) {
            for (const quint32 head : m_heads.value(sense.synset))
                addOf(head);
        }
    }
    return opposites;
}

std::optional<WordNetSenses::Pos> WordNetSenses::posOf(const QString &label)
{
    const QString l = label.trimmed().toLower();
    if (l == QLatin1String("noun"))
        return Pos::Noun;
    if (l == QLatin1String("verb"))
        return Pos::Verb;
    if (l == QLatin1String("adj"))
        return Pos::Adjective;
    if (l == QLatin1String("adv"))
        return Pos::Adverb;
    return std::nullopt;
}
