#include "PhrasalVerbs.h"

#include <QSet>

#include <algorithm>

QVector<PhrasalVerb> phrasalVerbs(const WordNetSenses &senses, const Inflector &inflector)
{
    static const QSet<QString> ownSense = {
        QStringLiteral("to"),     QStringLiteral("in"),      QStringLiteral("on"),    QStringLiteral("for"),
        QStringLiteral("about"),  QStringLiteral("into"),    QStringLiteral("through"), QStringLiteral("at"),
        QStringLiteral("with"),   QStringLiteral("by"),      QStringLiteral("upon"),  QStringLiteral("of"),
        QStringLiteral("after"),  QStringLiteral("across"),  QStringLiteral("under"), QStringLiteral("against"),
        QStringLiteral("from"),   QStringLiteral("as"),      QStringLiteral("behind"), QStringLiteral("onto"),
        QStringLiteral("within"), QStringLiteral("without"), QStringLiteral("it"),    QStringLiteral("oneself"),
        QStringLiteral("one"),    QStringLiteral("yourself"), QStringLiteral("before"), QStringLiteral("past"),
        QStringLiteral("beyond"), QStringLiteral("toward"),  QStringLiteral("towards"), QStringLiteral("between"),
        QStringLiteral("among"),  QStringLiteral("near"),
    };
    const auto isWord = [](const QString &w) {
        return !w.isEmpty() && std::all_of(w.begin(), w.end(), [](QChar c) { return c.isLetter(); });
    };
    QVector<PhrasalVerb> verbs;
    QSet<QString> seen;
    QStringList lemmas = senses.lemmas(WordNetSenses::Pos::Verb);
    lemmas.sort();
    for (const QString &lemma : std::as_const(lemmas)) {
        const QStringList words = lemma.split(QLatin1Char(' '));
        if (words.size() != 2 || ownSense.contains(words[1]))
            continue;
        if (!isWord(words[0]) || !isWord(words[1]))
            continue;
        QStringList forms{words[0]};
        for (const Inflector::Slot slot :
             {Inflector::Slot::ThirdPerson, Inflector::Slot::Gerund, Inflector::Slot::Past})
            forms += inflector.headForms(words[0], slot);
        for (const QString &form : std::as_const(forms)) {
            const QString key = form + QLatin1Char(' ') + words[1];
            if (!seen.contains(key)) {
                seen.insert(key);
                verbs.append(PhrasalVerb{form, words[1]});
            }
        }
    }
    return verbs;
}
