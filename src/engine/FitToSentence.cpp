#include "engine/FitToSentence.h"

#include "engine/Articles.h"
#include "engine/EntryParts.h"
#include "engine/LanguageModel.h"
#include "engine/PosTagger.h"
#include "engine/RandomDraw.h"
#include "engine/WordList.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

// How far after a verb its preposition is looked for, and how much less readily
// (natural log units) a candidate may take it.
constexpr int PrepositionReach = 3;
constexpr double PrepositionTolerance = 1.5;
// How far either way a synonym is looked for in its sentence.
constexpr qsizetype SentenceReach = 40;

bool isPreposition(const QString &word)
{
    static const QSet<QString> prepositions = {
        QStringLiteral("about"), QStringLiteral("against"), QStringLiteral("as"),   QStringLiteral("at"),
        QStringLiteral("by"),    QStringLiteral("for"),     QStringLiteral("from"), QStringLiteral("in"),
        QStringLiteral("into"),  QStringLiteral("of"),      QStringLiteral("on"),   QStringLiteral("onto"),
        QStringLiteral("over"),  QStringLiteral("to"),      QStringLiteral("upon"), QStringLiteral("with"),
    };
    return prepositions.contains(word);
}

// Words that complete a verb when they follow it at once: a particle ("try
// out"), "that" ("requires that") or "like" ("seem like").
bool completesVerb(const QString &word)
{
    static const QSet<QString> words = {
        QStringLiteral("that"), QStringLiteral("like"), QStringLiteral("out"),  QStringLiteral("up"),
        QStringLiteral("off"),  QStringLiteral("down"), QStringLiteral("back"),
    };
    return words.contains(word);
}

// Verbs of hindering, which take an object, "from" and an -ing form.
bool hinders(const QString &verb)
{
    static const QStringList stems = {
        QStringLiteral("ban"),     QStringLiteral("bar"),      QStringLiteral("block"),   QStringLiteral("deter"),
        QStringLiteral("discourag"), QStringLiteral("exclud"), QStringLiteral("exempt"),  QStringLiteral("forbid"),
        QStringLiteral("forbad"),  QStringLiteral("hinder"),   QStringLiteral("keep"),    QStringLiteral("kept"),
        QStringLiteral("preclud"), QStringLiteral("prevent"),  QStringLiteral("prohibit"), QStringLiteral("protect"),
        QStringLiteral("refrain"), QStringLiteral("restrain"), QStringLiteral("restrict"), QStringLiteral("stop"),
        QStringLiteral("dissuad"), QStringLiteral("disqualif"), QStringLiteral("save"),   QStringLiteral("spar"),
    };
    return std::any_of(stems.begin(), stems.end(), [&](const QString &s) { return verb.startsWith(s); });
}

// An article or a possessive: what follows it is a noun or its adjective, never a verb.
bool isDeterminer(const QString &entry)
{
    static const QSet<QString> determiners = {
        QStringLiteral("a"),   QStringLiteral("an"),   QStringLiteral("the"), QStringLiteral("my"),
        QStringLiteral("your"), QStringLiteral("his"), QStringLiteral("her"), QStringLiteral("its"),
        QStringLiteral("our"), QStringLiteral("their"),
    };
    return determiners.contains(EntryParts::of(entry).word.toLower());
}

// A word (lower case) without its commonest endings, taken off while a stem of
// four letters or more remains, so that a word's forms meet: "select",
// "selects", "selecting" and "selected"; "process" and "processes";
// "building" and "buildings"; "city" and "cities".
QString stemOf(QString word)
{
    if (word.endsWith(QLatin1String("ies")) && word.size() >= 6)
        return word.chopped(3) + QLatin1Char('y');
    for (bool chopped = true; chopped;) {
        chopped = false;
        for (const QLatin1String ending : {QLatin1String("ing"), QLatin1String("ed"), QLatin1String("es"),
                                           QLatin1String("s"), QLatin1String("e")}) {
            if (word.endsWith(ending) && word.size() - ending.size() >= 4) {
                word.chop(ending.size());
                chopped = true;
                break;
            }
        }
    }
    return word;
}

} // namespace

FitToSentence::FitToSentence(WordStore &store, const PosTagger &tagger, const LanguageModel &model,
                             double tolerance)
    : m_store(store), m_tagger(tagger), m_model(model), m_tolerance(tolerance)
{
}

FitToSentence::~FitToSentence() = default;

void FitToSentence::beginVariation(const WordList &list)
{
    if (m_generation != list.generation())
        learn(list);
}

void FitToSentence::learn(const WordList &list)
{
    m_generation = list.generation();
    m_original = list.entries();
    const size_t count = size_t(m_original.size());
    m_classes.assign(count, WordClass::None);
    m_sentenceStarts.assign(count, false);
    m_fitting.assign(count, std::nullopt);
    m_terms.assign(count, 0);
    m_phrasal.assign(count, std::nullopt);
    m_judged.assign(count, Judged());
    tagSentences();
    markTopicalNouns();
    markCompoundNouns();
    markNounsReadAsVerbs();
    markSetPhrases();
}

void FitToSentence::tagSentences()
{
    // Sentences end at a line break and after a word ending in ".", "?" or "!".
    const qsizetype count = m_original.size();
    QStringList sentence;
    qsizetype first = 0;
    auto tagSentence = [&](qsizetype end) {
        if (!sentence.isEmpty()) {
            const QVector<WordClass> classes = m_tagger.tag(sentence);
            for (qsizetype i = 0; i < classes.size() && first + i < end; ++i)
                m_classes[size_t(first + i)] = classes.at(i);
            m_sentenceStarts[size_t(first)] = true;
        }
        sentence.clear();
    };
    for (qsizetype i = 0; i < count; ++i) {
        const QString &entry = m_original.at(i);
        if (entry == WordList::LineBreak) {
            tagSentence(i);
            first = i + 1;
            continue;
        }
        sentence.append(entry);
        if (EntryParts::of(entry).endsSentence()) {
            tagSentence(i + 1);
            first = i + 1;
        }
    }
    tagSentence(count);
}

bool FitToSentence::joined(qsizetype i) const
{
    return i >= 0 && i + 1 < m_original.size() && EntryParts::of(m_original.at(i)).trailing.isEmpty()
           && EntryParts::of(m_original.at(i + 1)).leading.isEmpty() && !m_sentenceStarts[size_t(i + 1)];
}

void FitToSentence::markTopicalNouns()
{
    // A noun the text keeps coming back to is its subject ("package" in a text
    // about software), whose sense no dictionary can tell. Singular and plural
    // count together.
    const auto nounStemOf = [](const QString &entry) { return stemOf(EntryParts::of(entry).word.toLower()); };
    QHash<QString, int> uses;
    for (qsizetype i = 0; i < m_original.size(); ++i) {
        if (isNounAt(i))
            ++uses[nounStemOf(m_original.at(i))];
    }
    for (qsizetype i = 0; i < m_original.size(); ++i) {
        if (isNounAt(i) && uses.value(nounStemOf(m_original.at(i))) >= TopicalUses)
            m_terms[size_t(i)] |= Topical;
    }
}

void FitToSentence::markCompoundNouns()
{
    // Nouns in a row name one thing ("merge request", "bus station"), a term
    // of its own that a synonym of one of its words breaks.
    for (qsizetype i = 0; i < m_original.size(); ++i) {
        if (isNounAt(i) && ((joined(i) && isNounAt(i + 1)) || (joined(i - 1) && isNounAt(i - 1))))
            m_terms[size_t(i)] |= Compound;
    }
}

void FitToSentence::markNounsReadAsVerbs()
{
    // A verb form right after an article or a possessive is a noun the tagger
    // took for a verb ("a merge request", "your needs"): its synonyms would be verbs.
    for (qsizetype i = 1; i < m_original.size(); ++i) {
        if (isVerb(classAt(i)) && joined(i - 1) && isDeterminer(m_original.at(i - 1)))
            m_terms[size_t(i)] |= ReadAsVerb;
    }
}

void FitToSentence::markSetPhrases()
{
    // An adjective after a preposition with no noun of its own is part of a
    // set phrase ("in particular,", "in general").
    for (qsizetype i = 1; i < m_original.size(); ++i) {
        if (classAt(i) == WordClass::Adjective && joined(i - 1)
            && isPreposition(EntryParts::of(m_original.at(i - 1)).word.toLower())
            && (!joined(i) || (!isNounAt(i + 1) && classAt(i + 1) != WordClass::Adjective)))
            m_terms[size_t(i)] |= SetPhrase;
    }
}

WordClass FitToSentence::classAt(qsizetype position) const
{
    return position >= 0 && position < qsizetype(m_classes.size()) ? m_classes[size_t(position)] : WordClass::None;
}

bool FitToSentence::startsSentence(qsizetype position) const
{
    return position >= 0 && position < qsizetype(m_sentenceStarts.size()) && m_sentenceStarts[size_t(position)];
}

SynonymChooser::Check FitToSentence::check(const WordList &list, qsizetype position,
                                           std::span<const QString> keywords)
{
    const Check place = checkPlace(list, position, keywords);
    // A place left alone for safety opens once the user has chosen for it; a
    // part of a compound noun, or a noun the tagger read as a verb, never does.
    if (place == Check::Open && isFixedTermAt(position))
        return Check::LeftAlone;
    if (place == Check::Open && isTermAt(position)) {
        const StoreAnswer<QStringList> ticked = tickedAt(position);
        return ticked && !ticked->isEmpty() ? Check::Open : Check::LeftAlone;
    }
    return place;
}

bool FitToSentence::offersAt(const WordList &list, qsizetype position, std::span<const QString> keywords)
{
    if (checkPlace(list, position, keywords) != Check::Open || isFixedTermAt(position))
        return false;
    if (inPhrasalVerbAt(position)) {
        const StoreAnswer<QStringList> ticked = tickedAt(position);
        if (!ticked || ticked->isEmpty())
            return false;
    }
    const StoreAnswer<bool> excluded = m_store.IsExcluded(EntryParts::of(list.at(position)).word);
    return excluded && !*excluded;
}

bool FitToSentence::startsPhrasalVerbAt(qsizetype i)
{
    if (i < 0 || i >= qsizetype(m_phrasal.size()))
        return false;
    std::optional<bool> &known = m_phrasal[size_t(i)];
    if (!known) {
        const StoreAnswer<bool> phrasal =
            isVerb(classAt(i)) && joined(i)
                ? m_store.IsPhrasalVerb(wordAt(i), EntryParts::of(m_original.at(i + 1)).word.toLower())
                : StoreAnswer<bool>(false);
        known = phrasal && *phrasal;
    }
    return *known;
}

SynonymChooser::Check FitToSentence::checkPlace(const WordList &list, qsizetype position,
                                                std::span<const QString> keywords) const
{
    if (position >= list.count() || list.at(position) == WordList::LineBreak)
        return Check::Short;
    // An entry still as the text had it is judged once: all but the keywords
    // depends on the text alone, and a run draws each place many times. (The
    // list's entry shares the very characters of the original until it is
    // changed.)
    const QString &entry = list.at(position);
    if (position < m_original.size() && entry.constData() == m_original.at(position).constData()
        && entry.size() == m_original.at(position).size()) {
        Judged &known = m_judged[size_t(position)];
        if (known.verdict == Unjudged) {
            known.word = EntryParts::of(entry).word;
            known.verdict = quint8(judge(list, position, {}));
        }
        const Check verdict = Check(known.verdict);
        if (verdict != Check::Short && !keywords.empty() && isKeyword(known.word, keywords))
            return Check::Protected;
        return verdict;
    }
    return judge(list, position, keywords);
}

SynonymChooser::Check FitToSentence::judge(const WordList &list, qsizetype position,
                                           std::span<const QString> keywords) const
{
    const EntryParts parts = EntryParts::of(list.at(position));
    if (WordList::isShort(parts.word))
        return Check::Short;
    if (isKeyword(parts.word, keywords))
        return Check::Protected;
    if (list.traits(position) & WordList::Marked || parts.word.endsWith(WordList::Marker))
        return Check::Protected;
    if (list.traits(position) & WordList::Spaced || classAt(position) == WordClass::None)
        return Check::LeftAlone;
    if (EntryParts::isLeftAlone(parts.word))
        return Check::LeftAlone;
    // A capital inside a sentence makes a name; a word all in capitals among
    // small letters is an acronym or a name too ("SWIG"), and only a line set
    // in capitals ("NO WARRANTY") opens it.
    if (EntryParts::isCapitalised(parts.word) && !EntryParts::isAllCapitals(parts.word)
        && (!startsSentence(position) || afterTitle(position)))
        return Check::LeftAlone;
    if (EntryParts::isAllCapitals(parts.word) && !inCapitals(position))
        return Check::LeftAlone;
    return Check::Open;
}

bool FitToSentence::afterTitle(qsizetype position) const
{
    // "Dr. Swim" and "Mrs. Reese": the full stop of a title or an initial ends
    // no sentence, and the capital after it makes a name.
    static const QSet<QString> titles = {
        QStringLiteral("mr."),   QStringLiteral("mrs."), QStringLiteral("ms."),  QStringLiteral("dr."),
        QStringLiteral("drs."),  QStringLiteral("st."),  QStringLiteral("mt."),  QStringLiteral("gen."),
        QStringLiteral("rev."),  QStringLiteral("prof."), QStringLiteral("sen."), QStringLiteral("rep."),
        QStringLiteral("gov."),  QStringLiteral("lt."),  QStringLiteral("col."), QStringLiteral("capt."),
        QStringLiteral("sgt."),  QStringLiteral("messrs."), QStringLiteral("mmes."), QStringLiteral("mme."),
    };
    if (position <= 0 || position > m_original.size())
        return false;
    // An initial ("W. A. Swim") is as much a part of the name.
    const QString &before = m_original.at(position - 1);
    const bool initial = before.size() == 2 && before.at(0).isUpper() && before.at(1) == QLatin1Char('.');
    return initial || titles.contains(before.toLower());
}

bool FitToSentence::inCapitals(qsizetype position) const
{
    const auto capitals = [&](qsizetype i) {
        return i >= 0 && i < m_original.size() && m_original.at(i) != WordList::LineBreak
               && EntryParts::isAllCapitals(EntryParts::of(m_original.at(i)).word);
    };
    return (!startsSentence(position) && capitals(position - 1))
           || (!startsSentence(position + 1) && capitals(position + 1));
}

FitToSentence::Context FitToSentence::contextOf(qsizetype position) const
{
    // The bare words of the same sentence, as the model knows them.
    auto wordAt = [&](qsizetype i) {
        return m_model.id(EntryParts::of(m_original.at(i)).word.toLower());
    };
    Context c{LanguageModel::Unknown, m_model.sentenceStart(), m_model.sentenceEnd(), LanguageModel::Unknown, false};
    if (!startsSentence(position) && position > 0) {
        c.previous = wordAt(position - 1);
        const QString previous = EntryParts::of(m_original.at(position - 1)).word.toLower();
        c.afterArticle = previous == QLatin1String("a") || previous == QLatin1String("an");
        if (!startsSentence(position - 1) && position > 1)
            c.beforePrevious = wordAt(position - 2);
        else
            c.beforePrevious = m_model.sentenceStart();
    }
    const auto endsHere = [&](qsizetype i) {
        return i + 1 >= m_original.size() || m_original.at(i + 1) == WordList::LineBreak
               || EntryParts::of(m_original.at(i)).endsSentence();
    };
    if (!endsHere(position)) {
        c.next = wordAt(position + 1);
        c.afterNext = endsHere(position + 1) ? m_model.sentenceEnd() : wordAt(position + 2);
    }
    return c;
}

double FitToSentence::placeScore(const Context &c, const QString &text, const std::vector<int> &words) const
{
    // The words themselves, then the two words after them, each after its two
    // predecessors; an unknown neighbour ends what can be judged on that side.
    // An article before them is the one they will have.
    const int previous =
        c.afterArticle ? m_model.id(takesAn(text) ? QStringLiteral("an") : QStringLiteral("a")) : c.previous;
    std::vector<int> sequence{c.beforePrevious, previous};
    sequence.insert(sequence.end(), words.begin(), words.end());
    if (c.next != LanguageModel::Unknown) {
        sequence.push_back(c.next);
        if (c.afterNext != LanguageModel::Unknown)
            sequence.push_back(c.afterNext);
    }
    double score = 0;
    for (size_t i = 2; i < sequence.size(); ++i)
        score += m_model.logProbability(sequence[i], sequence[i - 1], sequence[i - 2]);
    // How much likelier the place makes the words than they are anywhere: a rare
    // synonym is not held against itself for being rare.
    for (const int word : words)
        score -= m_model.logProbability(word, LanguageModel::Unknown, LanguageModel::Unknown);
    return score;
}

StoreAnswer<QStringList> FitToSentence::fittingAt(qsizetype position)
{
    if (position < 0 || position >= qsizetype(m_fitting.size()))
        return QStringList();
    std::optional<Place> &known = m_fitting[size_t(position)];
    if (known)
        return known->fitting;
    const QString word = EntryParts::of(m_original.at(position)).word.toLower();
    ResultSet rows = m_store.FitSynonymsOf(word, wordClassCode(classAt(position)));
    if (!rows.isOpen())
        return rows.failure();
    Place place;
    const int wordId = m_model.id(word);
    if (wordId != LanguageModel::Unknown && rows.rowCount() > 0) {
        const Context context = contextOf(position);
        const double own = placeScore(context, word, {wordId});
        for (qsizetype r = 1; r <= rows.rowCount(); ++r) {
            // Phrases read wrongly far more often than single words: only words.
            const QString candidate = rows.text(r, 0);
            if (candidate.isEmpty() || candidate.contains(QLatin1Char(' ')))
                continue;
            const int id = m_model.id(candidate.toLower());
            if (id == LanguageModel::Unknown || sentenceHas(position, candidate.toLower()))
                continue;
            const double margin = placeScore(context, candidate, {id}) - own;
            if (margin >= -m_tolerance && keepsConstruction(position, candidate, id)) {
                place.fitting.append(candidate);
                place.margins.append(margin);
            }
        }
    }
    known = place;
    return place.fitting;
}

std::optional<double> FitToSentence::marginAt(qsizetype position, const QString &candidate)
{
    const StoreAnswer<QStringList> fitting = fittingAt(position);
    const qsizetype k = fitting ? fitting->indexOf(candidate) : -1;
    if (k < 0)
        return std::nullopt;
    return m_fitting[size_t(position)]->margins.at(k);
}

bool FitToSentence::sentenceHas(qsizetype position, const QString &word) const
{
    // "needs a feature that requires" must not become "requires ... requires",
    // nor "select ... choosing" become "select ... selecting".
    const QString stem = stemOf(word);
    const auto has = [&](qsizetype i) { return stemOf(EntryParts::of(m_original.at(i)).word.toLower()) == stem; };
    for (qsizetype i = position; i > 0 && !startsSentence(i) && position - i < SentenceReach;) {
        if (m_original.at(--i) == WordList::LineBreak)
            break;
        if (has(i))
            return true;
    }
    for (qsizetype i = position + 1; i < m_original.size() && i - position <= SentenceReach; ++i) {
        if (m_original.at(i) == WordList::LineBreak || startsSentence(i))
            break;
        if (has(i))
            return true;
    }
    return false;
}

bool FitToSentence::keepsConstruction(qsizetype position, const QString &candidate, int candidateId) const
{
    // A verb keeps the preposition that follows it within a few words, or the
    // particle, "that" or "like" right after it.
    if (!isVerb(classAt(position)))
        return true;
    for (qsizetype i = position + 1; i <= position + PrepositionReach && i < m_original.size(); ++i) {
        if (m_original.at(i) == WordList::LineBreak || startsSentence(i))
            break;
        const EntryParts parts = EntryParts::of(m_original.at(i));
        const QString word = parts.word.toLower();
        // Only a verb used as a modal takes "not" at once ("you need not know"): it stays.
        if (i == position + 1 && word == QLatin1String("not"))
            return false;
        if (isPreposition(word) || (i == position + 1 && completesVerb(word)))
            return takesThePreposition(position, i, candidate, candidateId);
        if (!parts.trailing.isEmpty())
            break; // a comma or more ends the verb's reach
    }
    return true;
}

bool FitToSentence::takesThePreposition(qsizetype position, qsizetype at, const QString &candidate,
                                        int candidateId) const
{
    const QString verb = EntryParts::of(m_original.at(position)).word.toLower();
    const QString preposition = EntryParts::of(m_original.at(at)).word.toLower();
    // Only verbs of hindering take "from" and an -ing form ("restrict them from using").
    if (preposition == QLatin1String("from") && classAt(at + 1) == WordClass::VerbGerund && hinders(verb)
        && !hinders(candidate.toLower()))
        return false;
    // Otherwise the candidate takes it about as readily as the verb.
    const int prepositionId = m_model.id(preposition);
    const int verbId = m_model.id(verb);
    if (prepositionId == LanguageModel::Unknown || verbId == LanguageModel::Unknown)
        return true;
    return m_model.logProbability(prepositionId, candidateId, LanguageModel::Unknown)
           >= m_model.logProbability(prepositionId, verbId, LanguageModel::Unknown) - PrepositionTolerance;
}

StoreAnswer<SynonymChooser::Choice> FitToSentence::choose(WordList &list, qsizetype position, DrawSource &draws)
{
    // The exclusion list, like the keywords, names the bare word.
    const EntryParts parts = EntryParts::of(list.at(position));
    const StoreAnswer<bool> excluded = m_store.IsExcluded(parts.word);
    if (!excluded)
        return excluded.failure;
    if (*excluded)
        return Choice::Excluded;
    const StoreAnswer<QStringList> ticked = tickedAt(position);
    if (!ticked)
        return ticked.failure;
    if (ticked->isEmpty())
        return Choice::NoSynonym;
    const QString synonym = ticked->at(DrawAtLeastOne(draws, ticked->size()) - 1);
    // The synonym takes the word's punctuation and capitals.
    list.setEntry(position, parts.leading + EntryParts::withCapitalsOf(synonym, parts.word) + parts.trailing
                                + WordList::Marker);
    makeTheArticleAgree(list, position, synonym);
    return Choice::Replaced;
}

void FitToSentence::makeTheArticleAgree(WordList &list, qsizetype position, const QString &synonym)
{
    if (position == 0)
        return;
    // Only an entry ending in "a" or "an" can be the article; most end otherwise.
    const QString &previous = list.at(position - 1);
    const QChar last = previous.isEmpty() ? QChar() : previous.back().toLower();
    if (last != QLatin1Char('a') && last != QLatin1Char('n'))
        return;
    const EntryParts before = EntryParts::of(list.at(position - 1));
    const QString article = before.word.toLower();
    if (before.trailing.isEmpty() && (article == QLatin1String("a") || article == QLatin1String("an"))) {
        const QString agreeing = takesAn(synonym) ? QStringLiteral("an") : QStringLiteral("a");
        if (agreeing != article)
            list.setEntry(position - 1, before.leading + EntryParts::withCapitalsOf(agreeing, before.word));
    }
}

QString FitToSentence::wordAt(qsizetype position) const
{
    return position >= 0 && position < m_original.size() ? EntryParts::of(m_original.at(position)).word.toLower()
                                                         : QString();
}

StoreAnswer<QStringList> FitToSentence::tickedAt(qsizetype position)
{
    const StoreAnswer<QStringList> fitting = fittingAt(position);
    if (!fitting || position < 0 || position >= qsizetype(m_fitting.size()))
        return fitting;
    // The store notices changes to the judgements on every lookup, and a
    // choice is looked up only after one.
    Place &place = *m_fitting[size_t(position)];
    if (place.tickedUnder == m_store.choicesVersion())
        return place.ticked;
    const StoreAnswer<QVector<WordStore::Choice>> choices = m_store.ChoicesOf(wordAt(position), classCodeAt(position));
    if (!choices)
        return choices.failure;
    QStringList ticked = isTermAt(position) ? QStringList() : place.fitting;
    const bool takesChosen = !inPhrasalVerbAt(position);
    for (const WordStore::Choice &choice : *choices) {
        if (!choice.chosen)
            ticked.removeAll(choice.synonym);
        else if (takesChosen && !ticked.contains(choice.synonym))
            ticked.append(choice.synonym);
    }
    place.ticked = ticked;
    place.tickedUnder = m_store.choicesVersion();
    return ticked;
}

QString FitToSentence::shownAt(qsizetype position, const QString &synonym) const
{
    const QString word = EntryParts::of(m_original.at(position)).word;
    const QString shown = EntryParts::withCapitalsOf(synonym, word);
    if (position == 0 || startsSentence(position))
        return shown;
    const EntryParts before = EntryParts::of(m_original.at(position - 1));
    const QString article = before.word.toLower();
    if (!before.trailing.isEmpty() || (article != QLatin1String("a") && article != QLatin1String("an")))
        return shown;
    const QString agreeing = takesAn(synonym) ? QStringLiteral("an") : QStringLiteral("a");
    return EntryParts::withCapitalsOf(agreeing, before.word) + QLatin1Char(' ') + shown;
}

bool FitToSentence::hasOffersAt(qsizetype position)
{
    const StoreAnswer<QStringList> ticked = tickedAt(position);
    if (!ticked || !ticked->isEmpty() || inPhrasalVerbAt(position))
        return ticked && !ticked->isEmpty();
    const QString word = wordAt(position);
    const QString code = classCodeAt(position);
    const StoreAnswer<QVector<WordStore::Choice>> choices = m_store.ChoicesOf(word, code);
    return m_store.OfferSynonymsOf(word, code).rowCount() > 0 || m_store.FitSynonymsOf(word, code).rowCount() > 0
           || (choices && !choices->isEmpty());
}

StoreAnswer<QVector<FitToSentence::Offer>> FitToSentence::offeredAt(qsizetype position)
{
    const StoreAnswer<QStringList> ticked = tickedAt(position);
    if (!ticked)
        return ticked.failure;
    const QString word = wordAt(position);
    const QString code = classCodeAt(position);
    ResultSet offered = m_store.OfferSynonymsOf(word, code);
    if (!offered.isOpen())
        return offered.failure();
    ResultSet shipped = m_store.FitSynonymsOf(word, code);
    if (!shipped.isOpen())
        return shipped.failure();
    const StoreAnswer<QVector<WordStore::Choice>> choices = m_store.ChoicesOf(word, code);
    if (!choices)
        return choices.failure;

    // In three groups: what is ticked, what the lists think likelier (the
    // shipped list's and the first of the offered), and the rest.
    QStringList candidates;
    QList<int> groups;
    const auto add = [&](const QString &candidate, int group) {
        if (!candidate.isEmpty() && candidate.compare(word, Qt::CaseInsensitive) != 0
            && !candidates.contains(candidate)) {
            candidates.append(candidate);
            groups.append(group);
        }
    };
    for (const QString &candidate : *ticked)
        add(candidate, 0);
    if (inPhrasalVerbAt(position)) {
        // A word of a verb of two words takes only what the shipped list fits
        // there, ticked or not.
        const StoreAnswer<QStringList> fitting = fittingAt(position);
        for (const QString &candidate : fitting ? *fitting : QStringList())
            add(candidate, 1);
    } else {
        for (qsizetype r = 1; r <= shipped.rowCount(); ++r)
            add(shipped.text(r, 0), 1);
        const bool likelyKnown = offered.columnIndex(QStringLiteral("likely")) >= 0;
        for (qsizetype r = 1; r <= offered.rowCount(); ++r) {
            if (!likelyKnown || offered.value(r, 1).toInt() != 0)
                add(offered.text(r, 0), 1);
        }
        for (qsizetype r = 1; r <= offered.rowCount(); ++r)
            add(offered.text(r, 0), 2);
        for (const WordStore::Choice &choice : *choices)
            add(choice.synonym, 2);
    }

    // Within its group, each is ranked by the place's liking for it, as the
    // fit judges it, with some weight for how common the candidate is and how
    // early the lists put it (a person reads the common, usual sense first); a
    // candidate the sentence already has, or that breaks the verb's
    // construction, goes below those that do not.
    constexpr double BreaksThePlace = 8.0;
    constexpr double CommonWeight = 0.5; // per log unit of the candidate's own likelihood
    constexpr double ListWeight = 1.0;   // per log unit of its place in the lists
    const int wordId = m_model.id(word);
    const Context context = contextOf(position);
    const double own = wordId == LanguageModel::Unknown ? 0 : placeScore(context, word, {wordId});
    QVector<Offer> offers;
    offers.reserve(candidates.size());
    for (qsizetype k = 0; k < candidates.size(); ++k) {
        const QString &candidate = candidates.at(k);
        Offer offer{candidate, shownAt(position, candidate), std::nullopt, groups.at(k) == 0};
        offer.group = groups.at(k);
        const int id = candidate.contains(QLatin1Char(' ')) ? LanguageModel::Unknown : m_model.id(candidate.toLower());
        if (wordId != LanguageModel::Unknown && id != LanguageModel::Unknown) {
            double margin = placeScore(context, candidate, {id}) - own;
            if (sentenceHas(position, candidate.toLower()) || !keepsConstruction(position, candidate, id))
                margin -= BreaksThePlace;
            offer.margin = margin;
            offer.rank = margin + CommonWeight * m_model.logProbability(id, LanguageModel::Unknown, LanguageModel::Unknown)
                         - ListWeight * std::log(double(k + 1));
        }
        offers.append(offer);
    }
    std::stable_sort(offers.begin(), offers.end(), [](const Offer &a, const Offer &b) {
        if (a.group != b.group)
            return a.group < b.group;
        if (a.margin.has_value() != b.margin.has_value())
            return a.margin.has_value();
        return a.margin && a.rank > b.rank;
    });
    return offers;
}
