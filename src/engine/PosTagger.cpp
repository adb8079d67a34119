#include "engine/PosTagger.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string_view>
#include <utility>

namespace {

// Tags are stored as bytes.
constexpr int MaxTags = 64;
// Longer words are looked up only as they stand.
constexpr qsizetype MaxLowerCase = 64;
// A tag a word has less than this share as often as its likeliest one is never tried.
constexpr double PruneRatio = 1e-3;
// A common word capitalised in mid-sentence is most likely a name: its own tags count this much less.
constexpr float LogCapitalPenalty = -3.0f;
// The lattice a thread keeps for its next sentence, at most.
constexpr size_t MaxKeptStates = size_t(1) << 20;
// The log probability of what the tables never saw.
constexpr float LogFloor = -30.0f;

// The clitics read apart from their word, as the lexicon spells them.
const char *const Clitics[] = {"'s", "'re", "'ve", "'ll", "'d", "'m", "n't", "'"};
constexpr int Negation = 6;
constexpr int Apostrophe = 7;

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

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'\u2019';
}

// Whether `word` ends in `suffix` (ASCII, lower case) in any case, either apostrophe matching "'".
bool endsWith(QStringView word, const char *suffix)
{
    const auto n = qsizetype(std::strlen(suffix));
    if (word.size() < n)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = word[word.size() - n + i];
        if (suffix[i] == '\'' ? !isApostrophe(c) : c.toLower() != QLatin1Char(suffix[i]))
            return false;
    }
    return true;
}

bool endsWithAny(QStringView word, std::initializer_list<const char *> suffixes)
{
    return std::any_of(suffixes.begin(), suffixes.end(), [word](const char *s) { return endsWith(word, s); });
}

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

} // namespace

// The working state of one call to tag(): the sentence's positions (position 0
// stands for the punctuation before it) with their candidate tags, and the
// Viterbi lattice over pairs of adjacent tags.
struct PosTagger::Scratch
{
    std::vector<Candidate> candidates;   // position by position
    std::vector<quint32> firstCandidate; // per position, then one past the last
    std::vector<quint32> firstState;     // per position from 1: where its scores start
    std::vector<float> score;            // best log probability ending in (previous tag, this tag)
    std::vector<quint8> back;            // the candidate before the previous one on that path
    std::vector<quint8> chosen;          // per position: the decoded candidate
    std::vector<int> head;               // per token: its word's position, -1 for none

    int positions() const { return int(firstCandidate.size()) - 1; }
    quint32 count(int p) const { return firstCandidate[size_t(p) + 1] - firstCandidate[size_t(p)]; }
    const Candidate &candidate(int p, quint32 i) const { return candidates[firstCandidate[size_t(p)] + i]; }
    // Ends the position whose candidates were just added; its number.
    int close()
    {
        firstCandidate.push_back(quint32(candidates.size()));
        return positions() - 1;
    }
};

std::optional<PosTagger> PosTagger::load(const QString &lexiconPath, const QString &trigramPath, QString *error)
{
    auto fail = [error](const QString &path, const QString &why) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, why);
        return std::nullopt;
    };
    QFile trigramFile(trigramPath);
    if (!trigramFile.open(QIODevice::ReadOnly))
        return fail(trigramPath, trigramFile.errorString());
    QFile lexiconFile(lexiconPath);
    if (!lexiconFile.open(QIODevice::ReadOnly))
        return fail(lexiconPath, lexiconFile.errorString());

    PosTagger tagger;
    QList<QByteArray> names;
    QString why;
    if (!tagger.readTrigrams(trigramFile.readAll(), names, &why))
        return fail(trigramPath, why);
    if (!tagger.readLexicon(lexiconFile.readAll(), names, &why))
        return fail(lexiconPath, why);
    return tagger;
}

bool PosTagger::readTrigrams(const QByteArray &bytes, QList<QByteArray> &names, QString *why)
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
    m_tag = Tags{quint8(id("punc")), quint8(id("nn")),  quint8(id("nns")), quint8(id("nnp")),
                 quint8(id("nnps")), quint8(id("vb")),  quint8(id("vbp")), quint8(id("vbz")),
                 quint8(id("vbg")),  quint8(id("vbd")), quint8(id("vbn")), quint8(id("jj")),
                 quint8(id("jjr")),  quint8(id("jjs")), quint8(id("rb")),  quint8(id("cd"))};
    m_tagCount = n;
    m_classOfTag.assign(size_t(n), WordClass::None);
    for (const ClassName &c : ClassNames)
        m_classOfTag[size_t(id(c.tag))] = c.wordClass;

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
    m_logTransition.resize(cells);
    m_logStart.resize(N);
    m_logPrior.resize(N);
    m_tagCounts.resize(N);
    for (size_t c = 0; c < N; ++c) {
        const double uni = single[c] / total;
        m_logPrior[c] = logOf(uni);
        m_tagCounts[c] = float(single[c]);
        // A sentence follows punctuation, two tags back unknown.
        const double punctuation = context[m_tag.punc];
        const double afterPunctuation = punctuation > 0 ? follow[m_tag.punc * N + c] / punctuation : 0;
        m_logStart[c] = mix(uni, punctuation > 0 ? &afterPunctuation : nullptr, nullptr);
        for (size_t b = 0; b < N; ++b) {
            const double bi = context[b] > 0 ? follow[b * N + c] / context[b] : 0;
            for (size_t a = 0; a < N; ++a) {
                const double tri = pair[a * N + b] > 0 ? counts[(a * N + b) * N + c] / pair[a * N + b] : 0;
                m_logTransition[(a * N + b) * N + c] =
                    mix(uni, context[b] > 0 ? &bi : nullptr, pair[a * N + b] > 0 ? &tri : nullptr);
            }
        }
    }
    return true;
}

bool PosTagger::readLexicon(const QByteArray &bytes, const QList<QByteArray> &names, QString *why)
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
        addLexiconEntry(QString::fromUtf8(word.data(), qsizetype(word.size())), found);
    }
    if (m_entries.empty()) {
        *why = QStringLiteral("the lexicon holds no words");
        return false;
    }

    m_slots.assign(std::bit_ceil(2 * m_entries.size()), -1);
    const size_t mask = m_slots.size() - 1;
    for (size_t e = 0; e < m_entries.size(); ++e) {
        const LexiconEntry &entry = m_entries[e];
        const QStringView spelling(m_spellings.data() + entry.spellingStart, entry.spellingLength);
        if (find(spelling))
            continue; // a word listed twice keeps its first line
        size_t slot = qHash(spelling, 0) & mask;
        while (m_slots[slot] >= 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = qint32(e);
    }
    readPossessivesAsDeterminers(names);
    for (size_t c = 0; c < std::size(Clitics); ++c) {
        const LexiconEntry *entry = find(QString::fromLatin1(Clitics[c]));
        m_clitics[c] = entry ? qint32(entry - m_entries.data()) : -1;
    }
    return true;
}

void PosTagger::addLexiconEntry(QStringView word, std::vector<Candidate> &candidates)
{
    auto seen = [this](const Candidate &c) { return std::exp(double(c.logEmission)) * m_tagCounts[c.tag]; };
    double most = 0;
    for (const Candidate &c : candidates)
        most = std::max(most, seen(c));
    std::erase_if(candidates, [&](const Candidate &c) { return seen(c) < most * PruneRatio; });
    if (word.isEmpty() || candidates.empty() || candidates.size() > 255 || word.size() > 0xffff)
        return; // read as an unknown word
    m_entries.push_back({quint32(m_spellings.size()), quint32(m_candidates.size()), quint16(word.size()),
                         quint8(candidates.size())});
    m_spellings.insert(m_spellings.end(), word.utf16(), word.utf16() + word.size());
    m_candidates.insert(m_candidates.end(), candidates.begin(), candidates.end());
}

void PosTagger::readPossessivesAsDeterminers(const QList<QByteArray> &names)
{
    // The lexicon tags "their" as it tags "they": its tags have no possessive
    // pronoun. Such a word stands before a noun as a determiner does, and is
    // read as one; "her" too, which is more often "her house" than "saw her".
    const auto dt = names.indexOf(QByteArray("dt")), prp = names.indexOf(QByteArray("prp"));
    if (dt < 0 || prp < 0)
        return;
    for (const char *spelling : {"my", "your", "his", "her", "its", "our", "their"}) {
        const LexiconEntry *entry = find(QString::fromLatin1(spelling));
        if (!entry)
            continue;
        const auto first = m_candidates.begin() + entry->candidateStart;
        for (auto c = first; c != first + entry->candidateCount; ++c) {
            if (c->tag == prp) {
                const double seen = std::exp(double(c->logEmission)) * m_tagCounts[size_t(prp)];
                *c = {logOf(seen / m_tagCounts[size_t(dt)]), quint8(dt)};
            }
        }
    }
}

const PosTagger::LexiconEntry *PosTagger::find(QStringView word) const
{
    if (m_slots.empty())
        return nullptr;
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = qHash(word, 0) & mask; m_slots[slot] >= 0; slot = (slot + 1) & mask) {
        const LexiconEntry &entry = m_entries[size_t(m_slots[slot])];
        if (entry.spellingLength == word.size()
            && std::equal(word.utf16(), word.utf16() + word.size(), m_spellings.data() + entry.spellingStart))
            return &entry;
    }
    return nullptr;
}

const PosTagger::LexiconEntry *PosTagger::findAnyCase(QStringView word) const
{
    if (const LexiconEntry *entry = find(word))
        return entry;
    if (word.size() > MaxLowerCase)
        return nullptr;
    char16_t lower[MaxLowerCase];
    bool changed = false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        lower[i] = word[i].toLower().unicode();
        changed = changed || lower[i] != word[i].unicode();
    }
    return changed ? find(QStringView(lower, word.size())) : nullptr;
}

QVector<WordClass> PosTagger::tag(const QStringList &tokens) const
{
    thread_local Scratch s;
    s.candidates.clear();
    s.firstCandidate.assign(1, 0);
    s.head.clear();
    addPunctuation(s); // what comes before the sentence
    bool sentenceStart = true;
    for (const QString &token : tokens)
        s.head.push_back(splitToken(token, sentenceStart, s));
    decode(s);

    QVector<WordClass> classes(tokens.size(), WordClass::None);
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        if (const int p = s.head[size_t(k)]; p > 0)
            classes[k] = m_classOfTag[s.candidate(p, s.chosen[size_t(p)]).tag];
    }
    if (s.score.capacity() > MaxKeptStates)
        s = Scratch(); // a text passed as one sentence keeps no lattice of its size
    return classes;
}

int PosTagger::splitToken(QStringView token, bool &sentenceStart, Scratch &s) const
{
    qsizetype first = 0, last = token.size();
    while (first < last && !token[first].isLetterOrNumber())
        ++first;
    if (first == last) { // no word: spaces, or punctuation and symbols
        const QStringView symbol = token.trimmed();
        if (!symbol.isEmpty()) {
            if (const LexiconEntry *entry = findAnyCase(symbol))
                addEntry(*entry, s);
            else
                addPunctuation(s);
        }
        return -1;
    }
    while (!token[last - 1].isLetterOrNumber())
        --last;
    if (first > 0)
        addPunctuation(s);

    QStringView word = token.sliced(first, last - first);
    QStringView tail = token.sliced(last);
    if (tail.startsWith(u'.') && findAnyCase(token.sliced(first, last - first + 1))) {
        word = token.sliced(first, last - first + 1); // "Inc.", "U.S."
        tail = tail.sliced(1);
    }
    int clitic = -1;
    for (int c = 0; c < Apostrophe; ++c) {
        const auto length = qsizetype(std::strlen(Clitics[c]));
        if (m_clitics[size_t(c)] >= 0 && word.size() > length && endsWith(word, Clitics[c])) {
            clitic = c;
            word.chop(length);
            break;
        }
    }

    const int head = addWord(word, sentenceStart, s);
    sentenceStart = false;
    if (clitic >= 0)
        addEntry(m_entries[size_t(m_clitics[size_t(clitic)])], s);
    if (!tail.isEmpty() && isApostrophe(tail.front()) && endsWith(word, "s") && m_clitics[Apostrophe] >= 0) {
        addEntry(m_entries[size_t(m_clitics[Apostrophe])], s); // "members'"
        tail = tail.sliced(1);
    }
    if (!tail.isEmpty())
        addPunctuation(s);
    return clitic == Negation ? -1 : head;
}

int PosTagger::addWord(QStringView word, bool sentenceStart, Scratch &s) const
{
    const bool capital = word.front().isUpper();
    const bool nameLike = capital && !sentenceStart && word != QLatin1String("I");
    auto isProper = [this](const Candidate &c) { return c.tag == m_tag.nnp || c.tag == m_tag.nnps; };
    const LexiconEntry *entry = findAnyCase(word);
    const Candidate *first = entry ? m_candidates.data() + entry->candidateStart : nullptr;
    const Candidate *end = entry ? first + entry->candidateCount : nullptr;
    const bool proper = std::any_of(first, end, isProper);
    const bool common = !std::all_of(first, end, isProper);
    // Lower case is no name: a word known only as a name is then unknown.
    if (!entry || (!capital && !common)) {
        guess(word, nameLike, capital && sentenceStart, s);
        return s.close();
    }
    const size_t from = s.candidates.size();
    for (const Candidate *c = first; c != end; ++c) {
        if (capital || !isProper(*c))
            s.candidates.push_back(*c);
    }
    if (nameLike) {
        for (size_t i = from; i < s.candidates.size(); ++i) {
            if (!isProper(s.candidates[i]))
                s.candidates[i].logEmission += LogCapitalPenalty;
        }
        if (!proper) // as rare as a name seen once
            s.candidates.push_back({-std::log(m_tagCounts[m_tag.nnp]), m_tag.nnp});
    }
    return s.close();
}

int PosTagger::addEntry(const LexiconEntry &entry, Scratch &s) const
{
    s.candidates.insert(s.candidates.end(), m_candidates.begin() + entry.candidateStart,
                        m_candidates.begin() + entry.candidateStart + entry.candidateCount);
    return s.close();
}

int PosTagger::addPunctuation(Scratch &s) const
{
    s.candidates.push_back({0.0f, m_tag.punc});
    return s.close();
}

void PosTagger::addGuess(quint8 tag, float weight, Scratch &s) const
{
    // P(word | tag) is P(tag | word) P(word) / P(tag); P(word) is the same for every tag.
    s.candidates.push_back({std::log(weight) - m_logPrior[tag], tag});
}

void PosTagger::guess(QStringView word, bool properName, bool sentenceStart, Scratch &s) const
{
    const Tags &t = m_tag;
    float share = 1.0f;
    auto add = [&](std::initializer_list<std::pair<quint8, float>> guesses) {
        for (const auto &[tag, weight] : guesses)
            addGuess(tag, weight * share, s);
    };
    if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); })) {
        add({{t.cd, 1.0f}}); // "1,000", "1990s", "3-year": numbers, never a word to replace
        return;
    }
    const bool plural = endsWith(word, "s") && !endsWithAny(word, {"ss", "us", "is"});
    if (properName) {
        add({{plural ? t.nnps : t.nnp, 0.9f}, {t.nn, 0.05f}, {t.jj, 0.05f}});
        return;
    }
    if (sentenceStart) { // a capital that proves nothing
        add({{t.nnp, 0.5f}});
        share = 0.5f;
    }
    if (word.contains(u'-')) {
        if (endsWith(word, "ed"))
            add({{t.jj, 0.6f}, {t.vbn, 0.4f}});
        else if (plural)
            add({{t.nns, 0.8f}, {t.jj, 0.2f}});
        else
            add({{t.jj, 0.6f}, {t.nn, 0.4f}});
    } else if (endsWith(word, "ly")) {
        add({{t.rb, 0.85f}, {t.jj, 0.15f}});
    } else if (endsWith(word, "ing")) {
        add({{t.vbg, 0.6f}, {t.nn, 0.25f}, {t.jj, 0.15f}});
    } else if (endsWith(word, "ed")) {
        add({{t.vbn, 0.45f}, {t.vbd, 0.4f}, {t.jj, 0.15f}});
    } else if (endsWithAny(word, {"tion", "sion", "ness", "ment", "ity", "ism", "ship", "hood", "ance", "ence"})) {
        add({{t.nn, 0.95f}, {t.jj, 0.05f}});
    } else if (endsWithAny(word, {"able", "ible", "ous", "ful", "ive", "al", "ic", "less", "ish", "ary"})) {
        add({{t.jj, 0.8f}, {t.nn, 0.2f}});
    } else if (endsWithAny(word, {"tions", "sions", "ments", "ities", "isms", "ists", "ers", "ors"})) {
        add({{t.nns, 1.0f}});
    } else if (plural) {
        add({{t.nns, 0.75f}, {t.vbz, 0.25f}});
    } else if (endsWithAny(word, {"ize", "ise", "ify"})) {
        add({{t.vb, 0.6f}, {t.vbp, 0.2f}, {t.nn, 0.2f}});
    } else if (endsWithAny(word, {"er", "or", "ist"})) {
        add({{t.nn, 0.85f}, {t.jjr, 0.1f}, {t.jj, 0.05f}});
    } else {
        add({{t.nn, 0.6f}, {t.jj, 0.25f}, {t.vb, 0.1f}, {t.vbp, 0.05f}});
    }
}

void PosTagger::decode(Scratch &s) const
{
    const int positions = s.positions();
    s.chosen.assign(size_t(positions), 0);
    if (positions < 2)
        return;
    const auto n = size_t(m_tagCount);
    const float *transition = m_logTransition.data();

    s.firstState.assign(size_t(positions) + 1, 0);
    for (int p = 1; p < positions; ++p)
        s.firstState[size_t(p) + 1] = s.firstState[size_t(p)] + s.count(p - 1) * s.count(p);
    s.score.resize(s.firstState.back());
    s.back.resize(s.firstState.back());

    // The first word follows the punctuation of position 0.
    for (quint32 b = 0; b < s.count(1); ++b) {
        const Candidate &c = s.candidate(1, b);
        s.score[b] = m_logStart[c.tag] + c.logEmission;
    }
    for (int p = 2; p < positions; ++p) {
        const quint32 before = s.count(p - 2), previous = s.count(p - 1), here = s.count(p);
        const float *lastScores = s.score.data() + s.firstState[size_t(p) - 1];
        float *scores = s.score.data() + s.firstState[size_t(p)];
        quint8 *back = s.back.data() + s.firstState[size_t(p)];
        for (quint32 a = 0; a < previous; ++a) {
            const size_t ta = s.candidate(p - 1, a).tag;
            for (quint32 b = 0; b < here; ++b) {
                const Candidate &c = s.candidate(p, b);
                float best = -std::numeric_limits<float>::infinity();
                quint8 from = 0;
                for (quint32 z = 0; z < before; ++z) {
                    const size_t tz = s.candidate(p - 2, z).tag;
                    const float v = lastScores[z * previous + a] + transition[(tz * n + ta) * n + c.tag];
                    if (v > best) {
                        best = v;
                        from = quint8(z);
                    }
                }
                scores[a * here + b] = best + c.logEmission;
                back[a * here + b] = from;
            }
        }
    }

    // A sentence without closing punctuation still ends where punctuation may follow.
    const int last = positions - 1;
    const quint32 previous = s.count(last - 1), here = s.count(last);
    float *scores = s.score.data() + s.firstState[size_t(last)];
    if (!(here == 1 && s.candidate(last, 0).tag == m_tag.punc)) {
        for (quint32 a = 0; a < previous; ++a) {
            const size_t ta = s.candidate(last - 1, a).tag;
            for (quint32 b = 0; b < here; ++b)
                scores[a * here + b] += transition[(ta * n + s.candidate(last, b).tag) * n + m_tag.punc];
        }
    }
    const auto best = size_t(std::max_element(scores, scores + previous * here) - scores);
    quint32 a = quint32(best / here), b = quint32(best % here);
    s.chosen[size_t(last)] = quint8(b);
    s.chosen[size_t(last) - 1] = quint8(a);
    for (int p = last; p >= 2; --p) {
        const quint8 z = s.back[s.firstState[size_t(p)] + a * s.count(p) + b];
        s.chosen[size_t(p) - 2] = z;
        b = a;
        a = z;
    }
}
