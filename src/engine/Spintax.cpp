#include "engine/Spintax.h"

#include "engine/RandomDraw.h"

#include <QLocale>
#include <QSet>

#include <algorithm>

namespace {

bool isSpecial(QChar c)
{
    return c == QLatin1Char('{') || c == QLatin1Char('}') || c == QLatin1Char('|') || c == QLatin1Char('\\');
}

quint64 cappedProduct(quint64 a, quint64 b)
{
    if (a == 0 || b == 0)
        return 0;
    return a > (Spintax::Cap + 1) / b ? Spintax::Cap + 1 : std::min(a * b, Spintax::Cap + 1);
}

quint64 cappedSum(quint64 a, quint64 b)
{
    return std::min(a + b, Spintax::Cap + 1); // both at most Cap + 1: no overflow
}

// Whether some pair of braces of `text` holds a bar of its own.
bool holdsAGroup(QStringView text)
{
    std::vector<bool> barred; // of each brace still open
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size() && isSpecial(text[i + 1]))
            ++i;
        else if (c == QLatin1Char('{'))
            barred.push_back(false);
        else if (c == QLatin1Char('|') && !barred.empty())
            barred.back() = true;
        else if (c == QLatin1Char('}') && !barred.empty()) {
            if (barred.back())
                return true;
            barred.pop_back();
        }
    }
    return false;
}

Spintax::Fault faultAt(QStringView text, qsizetype at, const QString &what)
{
    Spintax::Fault fault;
    const qsizetype lineStart = at == 0 ? 0 : text.left(at).lastIndexOf(QLatin1Char('\n')) + 1;
    fault.line = text.left(at).count(QLatin1Char('\n')) + 1;
    fault.column = at - lineStart + 1;
    fault.what = what;
    return fault;
}

} // namespace

Spintax::Reading Spintax::read(QStringView text)
{
    if (!holdsAGroup(text))
        return {};
    Spintax s;
    struct Open
    {
        int group;
        qsizetype at;
    };
    std::vector<Open> open;
    // The literal characters go into one string, each run of them a piece.
    QString &literal = s.m_characters;
    literal.reserve(text.size());
    qsizetype runStart = 0;
    const auto current = [&]() -> Sequence & {
        return open.empty() ? s.m_text : s.m_groups[size_t(open.back().group)].options.back();
    };
    const auto flush = [&] {
        if (literal.size() > runStart)
            current().push_back({runStart, literal.size() - runStart, -1});
        runStart = literal.size();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size() && isSpecial(text[i + 1])) {
            literal += text[++i];
        } else if (c == QLatin1Char('{')) {
            if (open.size() >= size_t(MaxDepth))
                return {std::nullopt, faultAt(text, i, QStringLiteral("the groups are nested more than %1 deep").arg(MaxDepth))};
            flush();
            s.m_groups.push_back({{Sequence()}, 0});
            open.push_back({int(s.m_groups.size() - 1), i});
        } else if (c == QLatin1Char('|') && !open.empty()) {
            flush();
            s.m_groups[size_t(open.back().group)].options.emplace_back();
        } else if (c == QLatin1Char('}')) {
            if (open.empty())
                return {std::nullopt, faultAt(text, i, QStringLiteral("a closing brace has no opening one"))};
            flush();
            const Open closing = open.back();
            open.pop_back();
            Group &group = s.m_groups[size_t(closing.group)];
            if (group.options.size() == 1 && group.options.front().empty())
                return {std::nullopt, faultAt(text, closing.at, QStringLiteral("a pair of braces holds nothing"))};
            // Options that read the same, with no group inside (and so one
            // run of characters at most), count once.
            QSet<QStringView> plain;
            for (const Sequence &option : group.options) {
                quint64 count = 1;
                bool nested = false;
                QStringView reads;
                for (const Piece &piece : option) {
                    if (piece.group >= 0) {
                        nested = true;
                        count = cappedProduct(count, s.m_groups[size_t(piece.group)].variations);
                    } else {
                        reads = QStringView(literal).mid(piece.from, piece.length);
                    }
                }
                if (!nested) {
                    if (plain.contains(reads))
                        continue;
                    plain.insert(reads);
                }
                group.variations = cappedSum(group.variations, count);
            }
            current().push_back({0, 0, closing.group});
        } else {
            literal += c;
        }
    }
    if (!open.empty())
        return {std::nullopt, faultAt(text, open.back().at, QStringLiteral("an opening brace is never closed"))};
    flush();
    for (const Piece &piece : s.m_text) {
        if (piece.group >= 0)
            s.m_variations = cappedProduct(s.m_variations, s.m_groups[size_t(piece.group)].variations);
    }
    return {std::move(s), std::nullopt};
}

QString Spintax::inWords(quint64 variations)
{
    if (variations > Cap)
        return QStringLiteral("more than a billion billion");
    return QLocale(QLocale::English).toString(variations);
}

QString Spintax::pick(DrawSource &draws) const
{
    QString out;
    pickInto(m_text, draws, out);
    return out;
}

void Spintax::pickInto(const Sequence &sequence, DrawSource &draws, QString &out) const
{
    for (const Piece &piece : sequence) {
        if (piece.group < 0) {
            out += QStringView(m_characters).mid(piece.from, piece.length);
            continue;
        }
        const std::vector<Sequence> &options = m_groups[size_t(piece.group)].options;
        const size_t k = std::min(size_t(draws.nextFraction() * double(options.size())), options.size() - 1);
        pickInto(options[k], draws, out);
    }
}

QString Spintax::escaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (isSpecial(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

QString Spintax::group(const QStringList &options)
{
    QStringList escapedOptions;
    for (const QString &option : options)
        escapedOptions << escaped(option);
    return QLatin1Char('{') + escapedOptions.join(QLatin1Char('|')) + QLatin1Char('}');
}
