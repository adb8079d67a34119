#include "engine/TaggerModel.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

namespace {

// Tags are stored as bytes.
constexpr int MaxTags = 64;
// A tag a word has less than this share as often as its likeliest one is never tried.
constexpr double PruneRatio = 1e-3;
// The log probability of what the tables never saw.
constexpr float LogFloor = -30.0f;

struct ClassName
{
    const char *tag;
    WordClass wordClass;
};
const ClassName ClassNames[] = {
    {"nn", WordClass::Noun},         {"nns", WordClass::NounPlural},
    {"vb", WordClass::Verb},         {"vbp", WordClass::Verb},
    {"vbz", WordClass::VerbThird},   {"vbg", WordClass::VerbGerund},
    {"vbd", WordClass::VerbPast},    {"vbn", WordClass::VerbPast},
    {"jj", WordClass::Adjective},    {"jjr", WordClass::AdjectiveComparative},
    {"jjs", WordClass::AdjectiveSuperlative}, {"rb", WordClass::Adverb},
};

// The next line of `bytes` from `at`, without its line feed; nothing at the end.
std::optional<std::string_view> nextLine(const QByteArray &bytes, qsizetype &at)
{
    if (at >= bytes.size())
        return std::nullopt;
    qsizetype end = bytes.indexOf('\n', at);
    if (end < 0)
        end = bytes.size();
    const std::string_view line(bytes.constData() + at, size_t(end - at));
    at = end + 1;
    return line;
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

QList<QByteArray> words(std::string_view line)
{
    return QByteArray(line.data(), qsizetype(line.size())).simplified().split(' ');
}

float logOf(double p)
{
    return p > 0 ? std::max(float(std::log(p)), LogFloor) : LogFloor;
}

// Adds `word` with the tags it is seen with often enough to be worth trying.
void addLexiconEntry(TaggerModel &model, QStringView word, std::vector<TaggerModel::Candidate> &candidates)
{
    auto seen = [&model](const TaggerModel::Candidate &c) {
        return std::exp(double(c.logEmission)) * model.tagCounts[c.tag];
    };
    double most = 0;
    for (const TaggerModel::Candidate &c : candidates)
        most = std::max(most, seen(c));
    std::erase_if(candidates, [&](const TaggerModel::Candidate &c) { return seen(c) < most * PruneRatio; });
    if (word.isEmpty() || candidates.empty() || candidates.size() > 255 || word.size() > 0xffff)
        return; // read as an unknown word
    model.entries.push_back({quint32(model.spellings.size()), quint32(model.candidates.size()),
                             quint16(word.size()), quint8(candidates.size())});
    model.spellings.insert(model.spellings.end(), word.utf16(), word.utf16() + word.size());
    model.candidates.insert(model.candidates.end(), candidates.begin(), candidates.end());
}

void readPossessivesAsDeterminers(TaggerModel &model, const QList<QByteArray> &names)
{
    // The lexicon tags "their" as it tags "they": its tags have no possessive
    // pronoun. Such a word stands before a noun as a determiner does, and is
    // read as one; "her" too, which is more often "her house" than "saw her".
    const auto dt = names.indexOf(QByteArray("dt")), prp = names.indexOf(QByteArray("prp"));
    if (dt < 0 || prp < 0)
        return;
    for (const char *spelling : {"my", "your", "his", "her", "its", "our", "their"}) {
        const TaggerModel::LexiconEntry *entry = model.find(QString::fromLatin1(spelling));
        if (!entry)
            continue;
        const auto first = model.candidates.begin() + entry->candidateStart;
        for (auto c = first; c != first + entry->candidateCount; ++c) {
            if (c->tag == prp) {
                const double seen = std::exp(double(c->logEmission)) * model.tagCounts[size_t(prp)];
                *c = {logOf(seen / model.tagCounts[size_t(dt)]), quint8(dt)};
            }
        }
    }
}

} // namespace

bool TaggerModel::readTrigrams(const QByteArray &bytes, QList<QByteArray> &names, QString *why)
{
    qsizetype at = 0;
    const auto header = nextLine(bytes, at);
    const auto vocabulary = nextLine(bytes, at);
    const auto predicted = nextLine(bytes, at);
    if (!header || trimmed(*header) != "NgramBin_2 3") {
        *why = QStringLiteral("not a table of tag trigrams (the first line is not \"NgramBin_2 3\")");
        return false;
    }
    if (!vocabulary || !predicted) {
        *why = QStringLiteral("the header ends early");
        return false;
    }
    names = words(*vocabulary);
    if (names.size() == 1 && names.front().isEmpty()) {
        *why = QStringLiteral("the vocabulary is empty");
        return false;
    }
    if (names.size() > MaxTags) {
        *why = QStringLiteral("%1 tags, more than %2").arg(names.size()).arg(MaxTags);
        return false;
    }
    if (words(*predicted) != names) {
        *why = QStringLiteral("the predicted vocabulary differs from the vocabulary");
        return false;
    }
    for (const QByteArray &name : std::as_const(names)) {
        if (names.count(name) > 1) {
            *why = QStringLiteral("the tag \"%1\" appears twice").arg(QString::fromUtf8(name));
            return false;
        }
    }

    // The counts: big-endian doubles, where -k stands for k - 1 zeros.
    const int n = int(names.size());
    const size_t cells = size_t(n) * size_t(n) * size_t(n);
    if ((bytes.size() - std::min(at, bytes.size())) % 8 != 0) {
        *why = QStringLiteral("the counts end in the middle of a number");
        return false;
    }
    std::vector<double> counts;
    counts.reserve(cells);
    for (qsizetype i = at; i + 8 <= bytes.size(); i += 8) {
        const double v = std::bit_cast<double>(qFromBigEndian<quint64>(bytes.constData() + i));
        const double zeros = -v - 1;
        if (!std::isfinite(v) || (v < 0 && (zeros < 0 || zeros != std::floor(zeros)))) {
            *why = QStringLiteral("a count that is not a number");
            return false;
        }
        if ((v >= 0 && counts.size() == cells) || (v < 0 && zeros > double(cells - counts.size()))) {
            *why = QStringLiteral("more counts than the %1 that %2 tags need").arg(cells).arg(n);
            return false;
        }
        if (v >= 0)
            counts.push_back(v);
        else
            counts.insert(counts.end(), size_t(zeros), 0.0);
    }
    if (counts.size() != cells) {
        *why = QStringLiteral("%1 counts where %2 tags need %3").arg(counts.size()).arg(n).arg(cells);
        return false;
    }

    auto id = [&names](const char *name) { return int(names.indexOf(QByteArray(name))); };
    for (const char *name : {"punc", "nn", "nns", "nnp", "nnps", "vb", "vbp", "vbz", "vbg", "vbd", "vbn", "jj",
                             "jjr", "jjs", "rb", "cd"}) {
        if (id(name) < 0) {
            *why = QStringLiteral("the vocabulary lacks the tag \"%1\"").arg(QLatin1String(name));
            return false;
        }
    }
    tags = Tags{quint8(id("punc")), quint8(id("nn")),  quint8(id("nns")), quint8(id("nnp")),
                quint8(id("nnps")), quint8(id("vb")),  quint8(id("vbp")), quint8(id("vbz")),
                quint8(id("vbg")),  quint8(id("vbd")), quint8(id("vbn")), quint8(id("jj")),
                quint8(id("jjr")),  quint8(id("jjs")), quint8(id("rb")),  quint8(id("cd"))};
    tagCount = n;
    classOfTag.assign(size_t(n), WordClass::None);
    for (const ClassName &c : ClassNames)
        classOfTag[size_t(id(c.tag))] = c.wordClass;

    // Unigram and bigram counts, summed out of the trigrams.
    const auto N = size_t(n);
    std::vector<double> pair(N * N), follow(N * N), context(N), single(N);
    double total = 0;
    for (size_t a = 0; a < N; ++a) {
        for (size_t b = 0; b < N; ++b) {
            for (size_t c = 0; c < N; ++c) {
                const double k = counts[(a * N + b) * N + c];
                pair[a * N + b] += k;
                follow[b * N + c] += k;
                context[b] += k;
                single[c] += k;
                total += k;
            }
        }
    }
    if (total <= 1) {
        *why = QStringLiteral("the table holds no counts");
        return false;
    }

    // The weights of the trigram, bigram and unigram estimates, by deleted
    // interpolation: each trigram votes, with its count, for the estimate
    // that predicts it best once it is taken out of the counts.
    double lambda[3] = {0, 0, 0};
    for (size_t a = 0; a < N; ++a) {
        for (size_t b = 0; b < N; ++b) {
            for (size_t c = 0; c < N; ++c) {
                const double k = counts[(a * N + b) * N + c];
                if (k <= 0)
                    continue;
                const double uni = (single[c] - 1) / (total - 1);
                const double bi = context[b] > 1 ? (follow[b * N + c] - 1) / (context[b] - 1) : 0;
                const double tri = pair[a * N + b] > 1 ? (k - 1) / (pair[a * N + b] - 1) : 0;
                lambda[tri >= bi && tri >= uni ? 2 : bi >= uni ? 1 : 0] += k;
            }
        }
    }
    const double votes = lambda[0] + lambda[1] + lambda[2];
    for (double &l : lambda)
        l /= votes;

    // The estimates a context lacks give their weight to the others.
    auto mix = [&](double uni, const double *bi, const double *tri) {
        double p = lambda[0] * uni, weight = lambda[0];
        if (bi) {
            p += lambda[1] * *bi;
            weight += lambda[1];
        }
        if (tri) {
            p += lambda[2] * *tri;
            weight += lambda[2];
        }
        return logOf(p / weight);
    };
    logTransition.resize(cells);
    logStart.resize(N);
    logPrior.resize(N);
    tagCounts.resize(N);
    for (size_t c = 0; c < N; ++c) {
        const double uni = single[c] / total;
        logPrior[c] = logOf(uni);
        tagCounts[c] = float(single[c]);
        // A sentence follows punctuation, two tags back unknown.
        const double punctuation = context[tags.punc];
        const double afterPunctuation = punctuation > 0 ? follow[tags.punc * N + c] / punctuation : 0;
        logStart[c] = mix(uni, punctuation > 0 ? &afterPunctuation : nullptr, nullptr);
        for (size_t b = 0; b < N; ++b) {
            const double bi = context[b] > 0 ? follow[b * N + c] / context[b] : 0;
            for (size_t a = 0; a < N; ++a) {
                const double tri = pair[a * N + b] > 0 ? counts[(a * N + b) * N + c] / pair[a * N + b] : 0;
                logTransition[(a * N + b) * N + c] =
                    mix(uni, context[b] > 0 ? &bi : nullptr, pair[a * N + b] > 0 ? &tri : nullptr);
            }
        }
    }
    return true;
}

bool TaggerModel::readLexicon(const QByteArray &bytes, const QList<QByteArray> &names, QString *why)
{
    qsizetype at = 0;
    const auto header = nextLine(bytes, at);
    if (!header || trimmed(*header) != "MNCL") {
        *why = QStringLiteral("not a part-of-speech lexicon (the first line is not \"MNCL\")");
        return false;
    }
    // Tags named by numbers mark words the treebank left undecided; they are never chosen.
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::vector<bool> undecided(names.size());
    for (qsizetype t = 0; t < names.size(); ++t)
        undecided[size_t(t)] = std::all_of(names[t].begin(), names[t].end(), isDigit);

    std::vector<Candidate> found;
    int lineNumber = 1;
    while (const auto next = nextLine(bytes, at)) {
        ++lineNumber;
        const std::string_view line = trimmed(*next);
        if (line.empty())
            continue;
        auto malformed = [&] {
            *why = QStringLiteral("line %1 is not (\"word\" ((tag logprob) ...) () )").arg(lineNumber);
            return false;
        };
        // ("word" ((tag logprob) (tag logprob) ) () )
        const size_t close = line.find("\" (", 3);
        if (!line.starts_with("(\"") || close == std::string_view::npos || !line.ends_with(')'))
            return malformed();
        const std::string_view word = line.substr(2, close - 2);
        size_t p = close + 3;
        found.clear();
        for (;;) {
            while (p < line.size() && line[p] == ' ')
                ++p;
            if (p >= line.size())
                return malformed();
            if (line[p] == ')')
                break;
            const size_t space = line.find(' ', p);
            const size_t end = line.find(')', p);
            if (line[p] != '(' || space == std::string_view::npos || end == std::string_view::npos || space > end)
                return malformed();
            const QByteArray tag(line.data() + p + 1, qsizetype(space - p - 1));
            double logProbability = 0;
            const auto parsed = std::from_chars(line.data() + space + 1, line.data() + end, logProbability);
            if (parsed.ec != std::errc() || parsed.ptr != line.data() + end || !std::isfinite(logProbability))
                return malformed();
            const auto t = names.indexOf(tag);
            if (t < 0) {
                *why = QStringLiteral("line %1: the tag \"%2\" is not in the trigram table")
                           .arg(lineNumber)
                           .arg(QString::fromUtf8(tag));
                return false;
            }
            if (!undecided[size_t(t)])
                found.push_back({float(logProbability), quint8(t)});
            p = end + 1;
        }
        addLexiconEntry(*this, QString::fromUtf8(word.data(), qsizetype(word.size())), found);
    }
    if (entries.empty()) {
        *why = QStringLiteral("the lexicon holds no words");
        return false;
    }

    entrySlots.assign(std::bit_ceil(2 * entries.size()), -1);
    const size_t mask = entrySlots.size() - 1;
    for (size_t e = 0; e < entries.size(); ++e) {
        const LexiconEntry &entry = entries[e];
        const QStringView spelling(spellings.data() + entry.spellingStart, entry.spellingLength);
        if (find(spelling))
            continue; // a word listed twice keeps its first line
        size_t slot = qHash(spelling, 0) & mask;
        while (entrySlots[slot] >= 0)
            slot = (slot + 1) & mask;
        entrySlots[slot] = qint32(e);
    }
    readPossessivesAsDeterminers(*this, names);
    return true;
}

const TaggerModel::LexiconEntry *TaggerModel::find(QStringView word) const
{
    if (entrySlots.empty())
        return nullptr;
    const size_t mask = entrySlots.size() - 1;
    for (size_t slot = qHash(word, 0) & mask; entrySlots[slot] >= 0; slot = (slot + 1) & mask) {
        const LexiconEntry &entry = entries[size_t(entrySlots[slot])];
        if (entry.spellingLength == word.size()
            && std::equal(word.utf16(), word.utf16() + word.size(), spellings.data() + entry.spellingStart))
            return &entry;
    }
    return nullptr;
}
