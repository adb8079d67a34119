#include "engine/VariationGenerator.h"

#include "engine/Numbers.h"
#include "engine/RandomDraw.h"
#include "engine/VariationObserver.h"
#include "engine/WordList.h"
#include "startup/WordStore.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A stretch of this many insertions or more reports its progress this often.
constexpr qint64 StretchReportEvery = 1 << 16;

} // namespace

VariationGenerator::VariationGenerator(WordList &list, WordStore &store, DrawSource &draws)
    : m_list(list), m_store(store), m_draws(draws), m_exact(store)
{
}

qint64 VariationGenerator::plannedReplacements(int legibility, qint64 originalWordCount)
{
    return roundHalfEven(std::abs(double(qint64(100 - legibility) * originalWordCount)) / 100.0);
}

Variation VariationGenerator::GenerateVariation(const RewriteSettings &settings, VariationObserver *observer)
{
    if (observer)
        observer->variationStarted();

    // The keywords of the change rows, then of the keep rows, are never replaced.
    std::array<QString, RewriteSettings::KeywordRows> changeKeywords, replacements, keepKeywords;
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row) {
        const KeywordRule &rule = settings.keywordRules[row];
        if (!rule.keep && !rule.keyword.isEmpty()) {
            changeKeywords[row] = rule.keyword;
            replacements[row] = rule.replacement;
        }
    }
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row) {
        const KeywordRule &rule = settings.keywordRules[row];
        if (rule.keep && !rule.keyword.isEmpty())
            keepKeywords[row] = rule.keyword;
    }
    ProtectedWords protectedWords;
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row) {
        protectedWords[row] = changeKeywords[row];
        protectedWords[RewriteSettings::KeywordRows + row] = keepKeywords[row];
    }

    const qint64 planned = plannedReplacements(settings.legibility, m_list.originalWordCount());

    if (observer)
        observer->progressShown(planned == 0 ? 1 : planned);

    // After a failed query nothing more is asked of the store.
    Variation result;
    {
        WordStore::ReadBurst burst(m_store);
        // The exact lookup is called as itself, not through the seam: its checks
        // are inlined into a loop that may draw millions of times.
        result.storeFailure = settings.fitToSentence && m_fit
                                  ? replaceWords(*m_fit, planned, protectedWords, observer)
                                  : replaceWords(m_exact, planned, protectedWords, observer);
        if (!result.storeFailure)
            result.storeFailure = stretch(settings.targetWordCount, observer);
    }

    std::vector<quint8> wordKinds;
    QString text = assemble(wordKinds);

    // Most texts hold no keyword of a change row: the kinds of the words are
    // then those assemble gave, and only a text that does is followed character
    // by character.
    bool followsCharacters = false;
    for (int row = 0; row < RewriteSettings::KeywordRows; ++row) {
        const QString &keyword = changeKeywords[row];
        const qsizetype found = keyword.isEmpty() ? -1 : text.indexOf(keyword, 0, Qt::CaseInsensitive);
        if (found < 0)
            continue;
        if (!followsCharacters)
            characterKinds();
        followsCharacters = true;
        text = changeKeyword(text, found, keyword, replacements[row]);
    }
    result.changes = followsCharacters ? WordChanges::ofCharacters(text, m_kinds) : WordChanges(std::move(wordKinds));

    if (observer)
        observer->variationFinished(settings.saveToFiles);
    result.text = text;
    return result;
}

template<class Chooser>
std::optional<StoreFailure> VariationGenerator::replaceWords(Chooser &chooser, qint64 planned,
                                                             const ProtectedWords &protectedWords,
                                                             VariationObserver *observer)
{
    int failures = 0;
    qint64 replaced = 0;
    // Counts a failed pick; false once the byte-wide count would overflow.
    auto fail = [&failures] { return ++failures <= FailureCeiling; };

    // The keywords that are set, so a draw looks at those only.
    ProtectedWords keywords;
    qsizetype keywordCount = 0;
    for (const QString &keyword : protectedWords) {
        if (!keyword.isEmpty())
            keywords[keywordCount++] = keyword;
    }
    const std::span<const QString> setKeywords(keywords.data(), size_t(keywordCount));
    chooser.beginVariation(m_list);
    while (replaced < planned) {
        const qint64 position = Draw(m_draws, m_list.count());
        switch (chooser.check(m_list, position, setKeywords)) {
        case SynonymChooser::Check::Short:
            if (!fail() || failures > FailureLimit)
                return std::nullopt;
            continue;
        case SynonymChooser::Check::Protected:
            if (!fail())
                return std::nullopt;
            continue;
        case SynonymChooser::Check::LeftAlone:
            continue;
        case SynonymChooser::Check::Open:
            break;
        }
        if (failures > FailureLimit)
            break;

        const StoreAnswer<SynonymChooser::Choice> choice = chooser.choose(m_list, position, m_draws);
        if (!choice)
            return choice.failure;
        if (*choice == SynonymChooser::Choice::Excluded) {
            if (!fail())
                break;
            continue;
        }
        if (*choice == SynonymChooser::Choice::NoSynonym)
            continue;
        ++replaced;
        if (observer)
            observer->progressChanged(replaced);
        failures = 0;
    }
    return std::nullopt;
}

std::optional<StoreFailure> VariationGenerator::stretch(std::optional<double> target, VariationObserver *observer)
{
    const qint64 words = m_list.originalWordCount();
    if (!target || roundHalfEven(*target) <= words)
        return std::nullopt;
    const qint64 attempts = roundHalfEven(*target - double(words));

    ResultSet allWords = m_store.AllWords();
    if (!allWords.isOpen())
        return allWords.failure();
    const qint64 rows = allWords.rowCount();
    if (rows == 0)
        return std::nullopt; // nothing to insert from
    // A long stretch shows its own progress and lets the window live meanwhile.
    const bool reports = observer && attempts >= StretchReportEvery;
    if (reports)
        observer->progressShown(attempts);
    for (qint64 attempt = 0; attempt < attempts; ++attempt) {
        if (reports && attempt % StretchReportEvery == 0 && attempt > 0) {
            observer->progressChanged(attempt);
            if (!observer->carryOn())
                return std::nullopt; // stopped: what is there so far is the variation
        }
        // A null word reads as the empty text, which is too short as well.
        const QString word = allWords.text(DrawAtLeastOne(m_draws, rows), 0);
        if (WordList::isShort(word))
            continue;
        const qint64 position = DrawAtLeastOne(m_draws, m_list.count());
        if (position >= m_list.count()) {
            m_list.setEntry(position, word); // past the last entry: a new last entry
            continue;
        }
        m_list.appendWord(position, word);
    }
    return std::nullopt;
}

QString VariationGenerator::assemble(std::vector<quint8> &wordKinds)
{
    qsizetype length = 0;
    qsizetype words = 0;
    for (qsizetype i = 0; i < m_list.count(); ++i) {
        if (m_list.traits(i) & WordList::Marked)
            m_list.unmark(i);
        length += m_list.at(i).size() + 1;
        words += m_list.parts(i).headWords + m_list.parts(i).insertedWords;
    }
    // Written in place: a stretched text runs to megabytes, in a million entries.
    QString &result = m_text;
    result.resize(0); // keeps the storage unless a caller still holds the text
    result.resize(length);
    QChar *out = result.data();
    wordKinds.resize(size_t(words));
    quint8 *kinds = wordKinds.data();
    for (qsizetype i = 0; i < m_list.count(); ++i) {
        const QString &entry = m_list.at(i);
        *out++ = QLatin1Char(' ');
        std::copy_n(entry.constData(), entry.size(), out);
        out += entry.size();

        // Words never run from one entry into the next, nor from its head into
        // the words inserted after it, which begin with a space.
        const WordList::Parts &parts = m_list.parts(i);
        kinds = std::fill_n(kinds, parts.headWords, parts.headKind);
        kinds = std::fill_n(kinds, parts.insertedWords, quint8(WordChanges::Inserted));
    }
    return result;
}

void VariationGenerator::characterKinds()
{
    m_kinds.clear();
    m_kinds.reserve(size_t(m_text.size()));
    for (qsizetype i = 0; i < m_list.count(); ++i) {
        const WordList::Parts &parts = m_list.parts(i);
        m_kinds.push_back(WordChanges::Same); // the joining space
        m_kinds.insert(m_kinds.end(), size_t(m_list.at(i).size() - parts.inserted), parts.headKind);
        m_kinds.insert(m_kinds.end(), size_t(parts.inserted), WordChanges::Inserted);
    }
}

QString VariationGenerator::changeKeyword(const QString &text, qsizetype found, const QString &keyword,
                                          const QString &replacement)
{
    // The text comes out as replaceAll makes it, ignoring case.
    QString out;
    std::vector<quint8> &outKinds = m_changedKinds;
    outKinds.clear();
    qsizetype from = 0;
    // A changed neighbour of a keyword replaced by nothing; no word when it is a space.
    auto markAt = [&](qsizetype at) {
        if (at >= 0 && at < out.size() && !WordChanges::separates(out.at(at)))
            outKinds[size_t(at)] = WordChanges::Changed;
    };
    std::vector<qsizetype> emptied; // where a keyword was replaced by nothing, in `out`
    for (; found >= 0; found = text.indexOf(keyword, from, Qt::CaseInsensitive)) {
        out += QStringView(text).mid(from, found - from);
        outKinds.insert(outKinds.end(), m_kinds.begin() + from, m_kinds.begin() + found);
        out += replacement;
        if (QStringView(text).mid(found, keyword.size()) == replacement)
            outKinds.insert(outKinds.end(), m_kinds.begin() + found, m_kinds.begin() + found + keyword.size());
        else
            outKinds.insert(outKinds.end(), size_t(replacement.size()), WordChanges::Changed);
        if (replacement.isEmpty())
            emptied.push_back(out.size());
        from = found + keyword.size();
    }
    out += QStringView(text).mid(from);
    outKinds.insert(outKinds.end(), m_kinds.begin() + from, m_kinds.end());
    for (const qsizetype at : emptied) {
        markAt(at - 1);
        markAt(at);
    }
    std::swap(m_kinds, m_changedKinds);
    return out;
}
