#include "Inflector.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

bool isVowel(QChar c)
{
    return QStringLiteral("aeiou").contains(c);
}

// Lower-case letters, with inner hyphens or apostrophes at most: the words the
// spelling rules know how to inflect.
bool inflectable(const QString &word)
{
    static const QRegularExpression plain(QStringLiteral("^[a-z]+(?:[-'][a-z]+)*$"));
    // "be" has forms of its own (is, was, were) that no rule or list here gives.
    return word.size() >= 2 && word != QLatin1String("be") && plain.match(word).hasMatch();
}

int syllables(const QString &word)
{
    int groups = 0;
    bool inVowels = false;
    for (const QChar c : word) {
        const bool vowel = isVowel(c) || c == QLatin1Char('y');
        if (vowel && !inVowels)
            ++groups;
        inVowels = vowel;
    }
    if (word.endsWith(QLatin1Char('e')) && !word.endsWith(QLatin1String("le")) && groups > 1)
        --groups; // a silent final e
    return qMax(groups, 1);
}

// A short word ending consonant, single vowel, consonant (not w, x or y):
// its last letter doubles before -ed, -ing, -er and -est (stop, big).
bool doublesLast(const QString &word)
{
    const qsizetype n = word.size();
    if (n < 3 || syllables(word) != 1)
        return false;
    const QChar last = word.at(n - 1), vowel = word.at(n - 2), before = word.at(n - 3);
    return !isVowel(last) && !QStringLiteral("wxy").contains(last) && isVowel(vowel) && !isVowel(before);
}

bool endsSibilant(const QString &word)
{
    return word.endsWith(QLatin1Char('s')) || word.endsWith(QLatin1Char('x')) || word.endsWith(QLatin1Char('z'))
           || word.endsWith(QLatin1String("ch")) || word.endsWith(QLatin1String("sh"));
}

bool consonantY(const QString &word)
{
    return word.size() >= 2 && word.endsWith(QLatin1Char('y')) && !isVowel(word.at(word.size() - 2));
}

// Verbs whose past is the base itself; no rule may give them an -ed.
const QSet<QString> &unchangedPast()
{
    static const QSet<QString> verbs = {
        "bet", "bid", "broadcast", "burst", "cast", "cost", "cut", "fit", "forecast", "hit", "hurt", "input",
        "knit", "let", "offset", "output", "put", "quit", "read", "reset", "rid", "set", "shed", "shut", "slit",
        "split", "spread", "sublet", "thrust", "upset", "wet", "beat", "outbid", "overcast", "recast", "spit",
        "sweat", "telecast", "typecast", "undercut", "wed"};
    return verbs;
}

QString regularForm(const QString &w, Inflector::Slot slot)
{
    using Slot = Inflector::Slot;
    const QString stem = w.left(w.size() - 1);
    switch (slot) {
    case Slot::Plural:
        if (w.endsWith(QLatin1String("ness")))
            return {}; // abstract nouns: "successivenesses" is no word anyone writes
        if (w.endsWith(QLatin1String("ss")) || w.endsWith(QLatin1Char('x')) || w.endsWith(QLatin1Char('z'))
            || w.endsWith(QLatin1String("ch")) || w.endsWith(QLatin1String("sh")))
            return w + QStringLiteral("es");
        if (w.endsWith(QLatin1Char('s')))
            return {}; // news, physics, series: no plural by rule
        if (w.endsWith(QLatin1Char('o')) && !isVowel(w.at(w.size() - 2)))
            return {}; // photos but heroes: the lists know the -oes ones
        if (consonantY(w))
            return stem + QStringLiteral("ies");
        return w + QLatin1Char('s');
    case Slot::ThirdPerson:
        if (w.endsWith(QLatin1Char('o'))) {
            // goes, does, echoes, vetoes, but demos and radios: only the known -oes
            static const QSet<QString> takesEs = {"go", "do", "echo", "veto", "torpedo", "embargo", "undergo",
                                                  "forgo", "forego", "outdo", "overdo", "redo", "undo"};
            if (takesEs.contains(w))
                return w + QStringLiteral("es");
            return isVowel(w.at(w.size() - 2)) ? w + QLatin1Char('s') : QString();
        }
        if (endsSibilant(w))
            return w + QStringLiteral("es");
        if (consonantY(w))
            return stem + QStringLiteral("ies");
        return w + QLatin1Char('s');
    case Slot::Gerund:
        if (w.endsWith(QLatin1String("ie")))
            return w.left(w.size() - 2) + QStringLiteral("ying");
        if (w.endsWith(QLatin1String("ee")) || w.endsWith(QLatin1String("ye")) || w.endsWith(QLatin1String("oe")))
            return w + QStringLiteral("ing");
        if (w.endsWith(QLatin1Char('e')))
            return stem + QStringLiteral("ing");
        if (w.endsWith(QLatin1Char('c')))
            return {}; // panic -> panicking: the lists know these
        return (doublesLast(w) ? w + w.back() : w) + QStringLiteral("ing");
    case Slot::Past:
        if (unchangedPast().contains(w) || w.endsWith(QLatin1Char('c')))
            return {};
        if (w.endsWith(QLatin1Char('e')))
            return w + QLatin1Char('d');
        if (consonantY(w))
            return stem + QStringLiteral("ied");
        return (doublesLast(w) ? w + w.back() : w) + QStringLiteral("ed");
    case Slot::Comparative:
    case Slot::Superlative: {
        // Only short adjectives take -er and -est; longer ones, and participles
        // (kayoed, willing), go with "more".
        if (w.endsWith(QLatin1String("ed")) || w.endsWith(QLatin1String("ing")))
            return {};
        const int count = syllables(w);
        if (count > 2 || (count == 2 && !w.endsWith(QLatin1Char('y'))))
            return {};
        const QString er = slot == Slot::Comparative ? QStringLiteral("er") : QStringLiteral("est");
        if (w.endsWith(QLatin1Char('e')))
            return stem + er;
        if (consonantY(w))
            return stem + QLatin1Char('i') + er;
        return (doublesLast(w) ? w + w.back() : w) + er;
    }
    }
    return {};
}

QHash<QString, QStringList> readExceptions(const QString &path)
{
    QHash<QString, QStringList> byBase;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return byBase;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        if (fields.size() < 2)
            continue;
        const QString form = QString::fromUtf8(fields.first()).replace(QLatin1Char('_'), QLatin1Char(' '));
        for (qsizetype i = 1; i < fields.size(); ++i) {
            const QString base = QString::fromUtf8(fields.at(i)).replace(QLatin1Char('_'), QLatin1Char(' '));
            QStringList &forms = byBase[base];
            if (!forms.contains(form))
                forms.append(form);
        }
    }
    return byBase;
}

} // namespace

Inflector::Inflector(const QString &wordnetFolder)
{
    const QDir dir(wordnetFolder);
    m_nouns = readExceptions(dir.filePath(QStringLiteral("noun.exc")));
    m_verbs = readExceptions(dir.filePath(QStringLiteral("verb.exc")));
    m_adjectives = readExceptions(dir.filePath(QStringLiteral("adj.exc")));
    m_loaded = !m_nouns.isEmpty() && !m_verbs.isEmpty() && !m_adjectives.isEmpty();
}

QList<Inflector::Slot> Inflector::slotsOf(const QString &partOfSpeech)
{
    const QString pos = partOfSpeech.trimmed().toLower();
    if (pos == QLatin1String("noun"))
        return {Slot::Plural};
    if (pos == QLatin1String("verb"))
        return {Slot::ThirdPerson, Slot::Gerund, Slot::Past};
    if (pos == QLatin1String("adj"))
        return {Slot::Comparative, Slot::Superlative};
    return {};
}

QStringList Inflector::exceptions(const QHash<QString, QStringList> &list, const QString &base) const
{
    return list.value(base);
}

// The forms of a single word in a slot: the exception lists first, the rules
// where the lists say nothing.
QStringList Inflector::formsOfWord(const QString &w, Slot slot) const
{
    if (!inflectable(w))
        return {};
    QStringList listed;
    switch (slot) {
    case Slot::Plural:
        listed = exceptions(m_nouns, w);
        break;
    case Slot::ThirdPerson:
        for (const QString &f : exceptions(m_verbs, w))
            if (f.endsWith(QLatin1Char('s')) && f.startsWith(w.left(2)) && !f.endsWith(QLatin1String("ss")))
                listed << f;
        break;
    case Slot::Gerund:
        for (const QString &f : exceptions(m_verbs, w))
            if (f.endsWith(QLatin1String("ing")))
                listed << f;
        break;
    case Slot::Past: {
        const QStringList all = exceptions(m_verbs, w);
        for (const QString &f : all)
            if (!f.endsWith(QLatin1String("ing")) && !(f.endsWith(QLatin1Char('s')) && f.startsWith(w.left(2))))
                listed << f;
        break;
    }
    case Slot::Comparative:
        for (const QString &f : exceptions(m_adjectives, w))
            if (f.endsWith(QLatin1String("er")))
                listed << f;
        break;
    case Slot::Superlative:
        for (const QString &f : exceptions(m_adjectives, w))
            if (f.endsWith(QLatin1String("est")))
                listed << f;
        break;
    }
    if (!listed.isEmpty())
        return listed;
    const QString regular = regularForm(w, slot);
    return regular.isEmpty() ? QStringList() : QStringList{regular};
}

QStringList Inflector::headForms(const QString &word, Slot slot) const
{
    return formsOfWord(word, slot);
}

std::optional<QString> Inflector::synonymForm(const QString &synonym, Slot slot) const
{
    QStringList words = synonym.split(QLatin1Char(' '));
    const bool verb = slot == Slot::ThirdPerson || slot == Slot::Gerund || slot == Slot::Past;
    const bool adjective = slot == Slot::Comparative || slot == Slot::Superlative;
    if (adjective && words.size() > 1)
        return std::nullopt;
    // A verb phrase inflects its first word; a noun phrase its last, or the last
    // before "of" ("signs of the zodiac").
    qsizetype head = verb ? 0 : words.size() - 1;
    if (!verb && !adjective) {
        // "signs of the zodiac", "actions at law": the head stands before the preposition.
        static const QSet<QString> prepositions = {"of", "at", "for", "to", "with", "from", "under", "in", "on"};
        for (qsizetype i = 1; i < words.size(); ++i) {
            if (prepositions.contains(words.at(i))) {
                head = i - 1;
                break;
            }
        }
        // "coming back", "letters patent": the head is not the last word, and
        // which word it is cannot be told.
        static const QSet<QString> particles = {"about", "across", "along", "around", "away", "back", "by",
                                                "down", "in", "off", "on", "out", "over", "through", "up"};
        if (particles.contains(words.at(head)))
            return std::nullopt;
        for (qsizetype i = 0; i < head; ++i) {
            if (words.at(i).endsWith(QLatin1Char('s')) && !words.at(i).endsWith(QLatin1String("ss")))
                return std::nullopt;
        }
    }
    const QStringList forms = formsOfWord(words.at(head), slot);
    if (forms.isEmpty())
        return std::nullopt;
    // An irregular past may be the past tense or the participle: certain only
    // where the lists give one form ending in -ed (fed, led), which is both.
    if (slot == Slot::Past && (forms.size() != 1 || !forms.first().endsWith(QLatin1String("ed"))))
        return std::nullopt;
    words[head] = forms.first();
    return words.join(QLatin1Char(' '));
}
