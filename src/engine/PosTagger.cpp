#include "engine/PosTagger.h"

#include "sources/TextFiles.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <utility>

namespace {

// Longer words are looked up only as they stand.
constexpr qsizetype MaxLowerCase = 64;
// A common word capitalised in mid-sentence is most likely a name: its own tags count this much less.
constexpr float LogCapitalPenalty = -3.0f;
// The lattice a thread keeps for its next sentence, at most.
constexpr size_t MaxKeptStates = size_t(1) << 20;

// The clitics read apart from their word, as the lexicon spells them.
const char *const Clitics[] = {"'s", "'re", "'ve", "'ll", "'d", "'m", "n't", "'"};
constexpr int Negation = 6;
constexpr int Apostrophe = 7;

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
    // A pipe would hold the open, and a device be read without end.
    for (const QString &path : {trigramPath, lexiconPath}) {
        if (!QFileInfo(path).isFile()) {
            const QString kind = whatIsAt(path);
            return fail(path, kind.isEmpty() ? QStringLiteral("it does not exist")
                                             : QStringLiteral("it is %1, not a file").arg(kind));
        }
    }
    QFile trigramFile(trigramPath);
    if (!trigramFile.open(QIODevice::ReadOnly))
        return fail(trigramPath, trigramFile.errorString());
    QFile lexiconFile(lexiconPath);
    if (!lexiconFile.open(QIODevice::ReadOnly))
        return fail(lexiconPath, lexiconFile.errorString());

    PosTagger tagger;
    QList<QByteArray> names;
    QString why;
    if (!tagger.m_model.readTrigrams(trigramFile.readAll(), names, &why))
        return fail(trigramPath, why);
    if (!tagger.m_model.readLexicon(lexiconFile.readAll(), names, &why))
        return fail(lexiconPath, why);
    for (size_t c = 0; c < std::size(Clitics); ++c) {
        const LexiconEntry *entry = tagger.m_model.find(QString::fromLatin1(Clitics[c]));
        tagger.m_clitics[c] = entry ? qint32(entry - tagger.m_model.entries.data()) : -1;
    }
    return tagger;
}

const PosTagger::LexiconEntry *PosTagger::findAnyCase(QStringView word) const
{
    if (const LexiconEntry *entry = m_model.find(word))
        return entry;
    if (word.size() > MaxLowerCase)
        return nullptr;
    char16_t lower[MaxLowerCase];
    bool changed = false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        lower[i] = word[i].toLower().unicode();
        changed = changed || lower[i] != word[i].unicode();
    }
    return changed ? m_model.find(QStringView(lower, word.size())) : nullptr;
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
            classes[k] = m_model.classOfTag[s.candidate(p, s.chosen[size_t(p)]).tag];
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
        addEntry(m_model.entries[size_t(m_clitics[size_t(clitic)])], s);
    if (!tail.isEmpty() && isApostrophe(tail.front()) && endsWith(word, "s") && m_clitics[Apostrophe] >= 0) {
        addEntry(m_model.entries[size_t(m_clitics[Apostrophe])], s); // "members'"
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
    auto isProper = [this](const Candidate &c) { return c.tag == m_model.tags.nnp || c.tag == m_model.tags.nnps; };
    const LexiconEntry *entry = findAnyCase(word);
    const Candidate *first = entry ? m_model.candidates.data() + entry->candidateStart : nullptr;
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
            s.candidates.push_back({-std::log(m_model.tagCounts[m_model.tags.nnp]), m_model.tags.nnp});
    }
    return s.close();
}

int PosTagger::addEntry(const LexiconEntry &entry, Scratch &s) const
{
    s.candidates.insert(s.candidates.end(), m_model.candidates.begin() + entry.candidateStart,
                        m_model.candidates.begin() + entry.candidateStart + entry.candidateCount);
    return s.close();
}

int PosTagger::addPunctuation(Scratch &s) const
{
    s.candidates.push_back({0.0f, m_model.tags.punc});
    return s.close();
}

void PosTagger::addGuess(quint8 tag, float weight, Scratch &s) const
{
    // P(word | tag) is P(tag | word) P(word) / P(tag); P(word) is the same for every tag.
    s.candidates.push_back({std::log(weight) - m_model.logPrior[tag], tag});
}

void PosTagger::guess(QStringView word, bool properName, bool sentenceStart, Scratch &s) const
{
    const TaggerModel::Tags &t = m_model.tags;
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
    const auto n = size_t(m_model.tagCount);
    const float *transition = m_model.logTransition.data();

    s.firstState.assign(size_t(positions) + 1, 0);
    for (int p = 1; p < positions; ++p)
        s.firstState[size_t(p) + 1] = s.firstState[size_t(p)] + s.count(p - 1) * s.count(p);
    s.score.resize(s.firstState.back());
    s.back.resize(s.firstState.back());

    // The first word follows the punctuation of position 0.
    for (quint32 b = 0; b < s.count(1); ++b) {
        const Candidate &c = s.candidate(1, b);
        s.score[b] = m_model.logStart[c.tag] + c.logEmission;
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
    if (!(here == 1 && s.candidate(last, 0).tag == m_model.tags.punc)) {
        for (quint32 a = 0; a < previous; ++a) {
            const size_t ta = s.candidate(last - 1, a).tag;
            for (quint32 b = 0; b < here; ++b)
                scores[a * here + b] += transition[(ta * n + s.candidate(last, b).tag) * n + m_model.tags.punc];
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
