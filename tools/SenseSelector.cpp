#include "SenseSelector.h"

#include "engine/Articles.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {

using Pos = WordNetSenses::Pos;
constexpr Pos AllPos[] = {Pos::Noun, Pos::Verb, Pos::Adjective, Pos::Adverb};

// Each sense counts a little even where the corpus never met it, less the
// further down WordNet's order it stands; a word the corpus hardly knows is
// then shared out by that order, and a rare sense still dilutes a common one.
constexpr double Prior = 0.5;
// How much more use a word may have in a part of speech than a synonym in it.
constexpr double RarerFactor = 20;

QString fold(const QString &text)
{
    return text.toCaseFolded();
}

QString labelOf(Pos pos)
{
    switch (pos) {
    case Pos::Noun:
        return QStringLiteral("noun");
    case Pos::Verb:
        return QStringLiteral("verb");
    case Pos::Adjective:
        return QStringLiteral("adj");
    case Pos::Adverb:
        return QStringLiteral("adv");
    }
    return {};
}

bool hasUpper(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isUpper(); });
}

// How often the word in this reading stands after "a" or "an": nouns, adjectives
// and adverbs often ("an early start", "a quickly made"), -ing and -ed forms now
// and then ("an existing file"), other verb forms never.
double afterArticle(WordNetSenses::Pos pos, std::optional<Inflector::Slot> slot)
{
    if (pos != Pos::Verb)
        return 1;
    return slot == Inflector::Slot::Gerund || slot == Inflector::Slot::Past ? 0.25 : 0;
}

// The class a word stands in when it is this form of a word of this part of speech.
WordClass classOf(Pos pos, std::optional<Inflector::Slot> slot)
{
    using Slot = Inflector::Slot;
    switch (pos) {
    case Pos::Noun:
        return slot == Slot::Plural ? WordClass::NounPlural : WordClass::Noun;
    case Pos::Verb:
        if (slot == Slot::ThirdPerson)
            return WordClass::VerbThird;
        if (slot == Slot::Gerund)
            return WordClass::VerbGerund;
        return slot == Slot::Past ? WordClass::VerbPast : WordClass::Verb;
    case Pos::Adjective:
        if (slot == Slot::Comparative)
            return WordClass::AdjectiveComparative;
        return slot == Slot::Superlative ? WordClass::AdjectiveSuperlative : WordClass::Adjective;
    case Pos::Adverb:
        return WordClass::Adverb;
    }
    return WordClass::None;
}

} // namespace

struct SenseSelector::Reading
{
    QString base; // the word whose senses these are
    Pos pos;
    std::optional<Inflector::Slot> slot; // the form of `base` the word is; none for `base` itself

    bool operator==(const Reading &other) const
    {
        return fold(base) == fold(other.base) && pos == other.pos && slot == other.slot;
    }
};

struct SenseSelector::Readings
{
    QHash<QString, QVector<Reading>> of; // folded word -> readings
    QStringList forms;                   // words that are only inflected forms, in order found
};

struct SenseSelector::Candidate
{
    QString text;            // as it replaces the word, inflected like it
    QString base;            // the synonym's own lemma
    double weight = 0;       // the word's use that it fits
    QSet<quint64> senses;    // (part of speech, synset) it shares with the word
    int attested = 0;        // times the corpus met the synonym itself in those senses
    qsizetype order = 0;     // first seen
    int rank = 1000;         // place in a hand-chosen list
    double readingMass = 0;  // the most use of a reading of the word that it came from
    double afterArticle = 0; // the part of `weight` in readings that stand after "a" or "an"
    double home = 0;
    int tier = 0;
    bool handAdverb = false; // chosen by hand for an adverb
    bool likely = true;      // offered: it would pass the looser lists' tests too
};

SenseSelector::SenseSelector(Sources sources, Rules rules)
    : m_senses(sources.senses), m_frequency(sources.frequency), m_inflector(sources.inflector),
      m_closedClass(sources.closedClass), m_curated(sources.curated),
      m_curatedForSentences(sources.curatedForSentences ? *sources.curatedForSentences : sources.curated),
      m_rules(rules)
{
}

double SenseSelector::senseWeight(const QVector<WordNetSenses::Sense> &senses, qsizetype index) const
{
    return senses.at(index).count + Prior / double(index + 1);
}

double SenseSelector::mass(const QString &lemma, Pos pos) const
{
    const QVector<WordNetSenses::Sense> &senses = m_senses.senses(lemma, pos);
    double sum = 0;
    for (qsizetype i = 0; i < senses.size(); ++i)
        sum += senseWeight(senses, i);
    return sum;
}

bool SenseSelector::formExists(const QString &form) const
{
    return m_frequency.level(form) <= 60;
}

bool SenseSelector::isCommonFor(const QString &synonym, const QString &head) const
{
    int headTier = m_frequency.tierOf(head);
    if (headTier == WordFrequency::tier(WordFrequency::Unknown))
        headTier = m_frequency.tierOf(head.toLower());
    const int limit = std::min(2, headTier + 1);
    if (m_frequency.level(synonym) != WordFrequency::Unknown)
        return m_frequency.tierOf(synonym) <= limit;
    const QStringList parts = synonym.split(QRegularExpression(QStringLiteral("[ -]")), Qt::SkipEmptyParts);
    return !parts.isEmpty()
           && std::all_of(parts.begin(), parts.end(), [&](const QString &p) { return m_frequency.tierOf(p) <= limit; });
}

namespace {

// What an offered synonym must fit to be offered among the first.
constexpr double OfferLikelyShare = 0.1;
constexpr double OfferLikelyHome = 0.2;

// Words whose slang senses WordNet lists beside the plain ones ("know" and
// "screw"): never offered, whatever the word, nor hyphenated compounds, which
// the inflections make up ("self-assurances").
bool notToOffer(const QString &text)
{
    static const QStringList stems = {
        QStringLiteral("fuck"),  QStringLiteral("screw"), QStringLiteral("shag"),  QStringLiteral("bonk"),
        QStringLiteral("hump"),  QStringLiteral("bang"),  QStringLiteral("jazz"),  QStringLiteral("piss"),
        QStringLiteral("shit"),  QStringLiteral("crap"),  QStringLiteral("bugger"), QStringLiteral("bollock"),
        QStringLiteral("whore"), QStringLiteral("slut"),  QStringLiteral("bitch"), QStringLiteral("bastard"),
        QStringLiteral("prick"), QStringLiteral("pussy"), QStringLiteral("cock"),  QStringLiteral("dick"),
        QStringLiteral("tit"),   QStringLiteral("arse"),  QStringLiteral("ass"),   QStringLiteral("damn"),
        QStringLiteral("nookie"), QStringLiteral("nooky"), QStringLiteral("boob"),  QStringLiteral("pee"),
    };
    const QString lower = text.toLower();
    if (lower.contains(QLatin1Char('-')))
        return true;
    return std::any_of(stems.begin(), stems.end(), [&](const QString &stem) {
        // The stem with the endings of its forms only: "assess" and "cockpit" stay.
        if (!lower.startsWith(stem))
            return false;
        const QStringView rest = QStringView(lower).mid(stem.size());
        return rest.isEmpty() || rest == u"s" || rest == u"es" || rest == u"ed" || rest == u"ing" || rest == u"ting"
               || rest == u"ped" || rest == u"ping" || rest == u"er" || rest == u"y" || rest == u"ies";
    });
}

} // namespace

QStringList SenseSelector::choose(const QString &surface, const QVector<Reading> &readings,
                                  const QHash<QString, const HeadWord *> &byHead, const Limits &limits,
                                  qsizetype *likely) const
{
    if (likely)
        *likely = 0;
    // A closed-class word takes only what the hand-chosen list names for it, and
    // only where the sentence is known ("often" as an adverb in its place).
    const bool closedWord = m_closedClass.contains(surface);
    if (closedWord
        && (!limits.closedByHand
            || std::none_of(readings.begin(), readings.end(),
                            [&](const Reading &r) { return limits.curated.judged(r.base, r.pos); })))
        return {};
    double total = 0;
    for (const Reading &r : readings)
        total += mass(r.base, r.pos);
    if (total <= 0)
        return {};

    QHash<QString, Candidate> candidates; // folded text -> candidate
    auto candidate = [&](const Reading &r, const QString &synonym) -> Candidate * {
        const std::optional<QString> text = r.slot ? m_inflector.synonymForm(synonym, *r.slot) : synonym;
        if (!text || fold(*text) == fold(surface) || fold(synonym) == fold(r.base))
            return nullptr;
        Candidate &c = candidates[fold(*text)];
        if (c.text.isEmpty()) {
            c.text = *text;
            c.base = synonym;
            c.order = candidates.size();
        }
        return &c;
    };
    for (const Reading &r : readings) {
        // Chosen by hand: right wherever the word is this part of speech, but
        // for the forms the list names.
        const QStringList curated =
            r.slot && limits.curated.skips(r.base, r.pos, surface) ? QStringList() : limits.curated.of(r.base, r.pos);
        QSet<QString> fitsAll;
        for (qsizetype k = 0; k < curated.size(); ++k) {
            if (Candidate *c = candidate(r, curated.at(k))) {
                c->weight += mass(r.base, r.pos);
                c->afterArticle += mass(r.base, r.pos) * afterArticle(r.pos, r.slot);
                c->rank = std::min(c->rank, int(k));
                c->handAdverb = c->handAdverb || r.pos == Pos::Adverb;
                fitsAll.insert(fold(c->text));
            }
        }
        // Where the hand-chosen list has judged the word, WordNet adds nothing
        // (unless the sentence is known, which the list did not judge).
        const HeadWord *entry = byHead.value(fold(r.base));
        if (!entry || closedWord || (limits.handListDecides && limits.curated.judged(r.base, r.pos)))
            continue;
        QSet<QString> listed;
        for (const QString &t : entry->byPartOfSpeech.value(labelOf(r.pos)))
            listed.insert(fold(t));
        if (listed.isEmpty() && !limits.broad)
            continue;
        const QVector<WordNetSenses::Sense> &senses = m_senses.senses(r.base, r.pos);
        for (qsizetype i = 0; i < senses.size(); ++i) {
            for (const QString &member : m_senses.members(r.pos, senses[i].synset)) {
                if (!limits.broad && !listed.contains(fold(member)))
                    continue;
                Candidate *c = candidate(r, member);
                if (!c || fitsAll.contains(fold(c->text)))
                    continue;
                c->weight += senseWeight(senses, i);
                c->readingMass = std::max(c->readingMass, mass(r.base, r.pos));
                c->afterArticle += senseWeight(senses, i) * afterArticle(r.pos, r.slot);
                c->senses.insert((quint64(r.pos) << 32) | senses[i].synset);
            }
        }
        // Offered, the thesaurus's terms of the part of speech come after WordNet's.
        if (limits.broad) {
            for (const QString &t : entry->byPartOfSpeech.value(labelOf(r.pos)))
                candidate(r, t);
        }
    }

    // Offered, no word WordNet gives as an opposite of the word ("paternal" for
    // "maternal"), which the thesaurus sometimes lists among its similar terms;
    // even where WordNet also has a sense in which the two go together.
    QSet<QString> opposites;
    if (limits.broad) {
        for (const Reading &r : readings)
            opposites.unite(m_senses.antonyms(r.base, r.pos));
    }

    QVector<Candidate> kept;
    const bool lowerHead = !hasUpper(surface);
    for (Candidate &c : candidates) {
        const bool byHand = c.rank < 1000 || limits.broad;
        if (c.weight / total < (byHand ? limits.minShare : limits.minSenseShare))
            continue;
        const QStringList words = c.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() > (limits.broad ? 1 : 2)
            || (words.size() == 1 && m_closedClass.contains(c.text) && !(limits.closedByHand && c.handAdverb)))
            continue;
        if (lowerHead && hasUpper(c.text))
            continue;
        if (limits.broad && (notToOffer(c.text) || opposites.contains(fold(c.base))))
            continue;
        // "a" and "an" stay as the text has them: "an important" must not become
        // "an significant" (unless the article can be made to agree).
        if (limits.keepArticle && c.afterArticle > 0.25 * c.weight && takesAn(c.text) != takesAn(surface))
            continue;
        if (!isCommonFor(c.text, surface))
            continue;
        // How much of the synonym's own use lies in the senses it shares with the word.
        double shared = 0, own = 0;
        QSet<int> posSeen;
        for (const quint64 key : std::as_const(c.senses)) {
            const Pos pos = Pos(key >> 32);
            const QVector<WordNetSenses::Sense> &senses = m_senses.senses(c.base, pos);
            for (qsizetype j = 0; j < senses.size(); ++j) {
                if (senses[j].synset == quint32(key)) {
                    shared += senseWeight(senses, j);
                    c.attested += senses[j].count;
                }
            }
            if (!posSeen.contains(int(pos))) {
                posSeen.insert(int(pos));
                own += mass(c.base, pos);
            }
        }
        c.home = own > 0 ? shared / own : 0;
        if (!byHand && c.home < limits.minHome)
            continue;
        // Outside the hand-chosen list, the corpus must have met the synonym itself
        // in the shared sense: a sense group also holds rare and technical words
        // that no one would put for the word ("concurrence" for "concurrency").
        if (!byHand && c.attested < m_rules.minAttested)
            continue;
        // A synonym the corpus hardly ever met in its part of speech, for a word it
        // met often, is rarer than the word, whatever its spelling's frequency
        // ("essay" as a verb for "try").
        if (!byHand && own * RarerFactor < c.readingMass)
            continue;
        c.tier = m_frequency.tierOf(c.text);
        // What a person is offered first: the hand-chosen synonyms, and those
        // that fit a tenth of the word's use and a fifth of their own.
        if (limits.broad)
            c.likely = c.rank < 1000
                       || (c.weight / total >= OfferLikelyShare && c.home >= OfferLikelyHome
                           && c.attested >= m_rules.minAttested && own * RarerFactor >= c.readingMass);
        kept.append(c);
    }
    std::sort(kept.begin(), kept.end(), [](const Candidate &a, const Candidate &b) {
        if (a.likely != b.likely)
            return a.likely;
        if (a.weight != b.weight)
            return a.weight > b.weight;
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.tier != b.tier)
            return a.tier < b.tier;
        if (a.home != b.home)
            return a.home > b.home;
        return a.order < b.order;
    });
    QStringList chosen;
    for (const Candidate &c : std::as_const(kept)) {
        if (chosen.size() >= limits.maxSynonyms)
            break;
        chosen.append(c.text);
        if (likely && c.likely)
            ++*likely;
    }
    return chosen;
}

SenseSelector::Readings SenseSelector::readingsOf(const QVector<HeadWord> &thesaurus,
                                                  const QHash<QString, const HeadWord *> &byHead) const
{
    // Every reading of every word: its own parts of speech, and the forms of others.
    Readings readings;
    auto add = [&readings](const QString &word, const Reading &reading) {
        QVector<Reading> &of = readings.of[fold(word)];
        if (!of.contains(reading))
            of.append(reading);
    };
    for (const HeadWord &head : thesaurus) {
        for (const Pos pos : AllPos) {
            if (m_senses.senses(head.word, pos).isEmpty())
                continue;
            add(head.word, Reading{head.word, pos, std::nullopt});
            if (!m_rules.inflect || m_closedClass.contains(head.word))
                continue;
            for (const Inflector::Slot slot : Inflector::slotsOf(labelOf(pos))) {
                for (const QString &form : m_inflector.headForms(head.word, slot)) {
                    if (fold(form) == fold(head.word) || form.contains(QLatin1Char(' ')) || !formExists(form))
                        continue;
                    if (!byHead.contains(fold(form)) && !readings.of.contains(fold(form)))
                        readings.forms.append(form);
                    add(form, Reading{head.word, pos, slot});
                }
            }
        }
    }
    // A form that WordNet knows as a word of its own is used that way too ("works").
    for (const QString &form : std::as_const(readings.forms)) {
        for (const Pos pos : AllPos) {
            if (!m_senses.senses(form, pos).isEmpty())
                add(form, Reading{form, pos, std::nullopt});
        }
    }
    return readings;
}

QHash<QString, const HeadWord *> SenseSelector::byHeadWord(const QVector<HeadWord> &thesaurus)
{
    QHash<QString, const HeadWord *> byHead;
    for (const HeadWord &head : thesaurus)
        byHead.insert(fold(head.word), &head);
    return byHead;
}

QVector<HeadWord> SenseSelector::select(const QVector<HeadWord> &thesaurus) const
{
    const QHash<QString, const HeadWord *> byHead = byHeadWord(thesaurus);
    const Readings readings = readingsOf(thesaurus, byHead);
    const Limits limits{m_rules.minShare, m_rules.minSenseShare, m_rules.minHome, m_rules.maxSynonyms, true, true, false,
                        m_curated};

    QVector<HeadWord> result;
    result.reserve(thesaurus.size() + readings.forms.size());
    for (const HeadWord &head : thesaurus)
        result.append(HeadWord{head.word, choose(head.word, readings.of.value(fold(head.word)), byHead, limits), {}});
    for (const QString &form : std::as_const(readings.forms)) {
        const QStringList chosen = choose(form, readings.of.value(fold(form)), byHead, limits);
        if (!chosen.isEmpty())
            result.append(HeadWord{form, chosen, {}});
    }
    return result;
}

QVector<ClassSynonyms> SenseSelector::selectByClass(const QVector<HeadWord> &thesaurus) const
{
    return byClassWith(thesaurus, Limits{m_rules.fitMinShare, m_rules.fitMinShare, m_rules.fitMinHome,
                                         m_rules.fitMaxSynonyms, m_rules.fitKeepArticle, m_rules.fitHandListDecides,
                                         true, m_curatedForSentences});
}

QVector<ClassSynonyms> SenseSelector::selectOffered(const QVector<HeadWord> &thesaurus) const
{
    return byClassWith(thesaurus, Limits{0, 0, 0, m_rules.offerMaxSynonyms, false, false, true,
                                         m_curatedForSentences, true});
}

QVector<ClassSynonyms> SenseSelector::byClassWith(const QVector<HeadWord> &thesaurus, const Limits &limits) const
{
    const QHash<QString, const HeadWord *> byHead = byHeadWord(thesaurus);
    const Readings readings = readingsOf(thesaurus, byHead);
    QVector<ClassSynonyms> result;
    auto addClasses = [&](const QString &word) {
        QMap<WordClass, QVector<Reading>> byClass;
        for (const Reading &r : readings.of.value(fold(word)))
            byClass[classOf(r.pos, r.slot)].append(r);
        for (auto it = byClass.cbegin(); it != byClass.cend(); ++it) {
            qsizetype likely = 0;
            const QStringList chosen = choose(word, it.value(), byHead, limits, &likely);
            if (!chosen.isEmpty())
                result.append(ClassSynonyms{word, it.key(), chosen, likely});
        }
    };
    for (const HeadWord &head : thesaurus)
        addClasses(head.word);
    for (const QString &form : std::as_const(readings.forms))
        addClasses(form);
    return result;
}
