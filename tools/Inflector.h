#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// English inflected forms of head words and their synonyms: noun plurals; verb
// third person, -ing and past forms; adjective comparatives and superlatives.
// Irregular forms come from WordNet's exception lists, regular ones from the
// spelling rules. Where a form cannot be told for certain (the past of an
// irregular verb may be its past tense or its participle) no form is made.
class Inflector
{
public:
    enum class Slot { Plural, ThirdPerson, Gerund, Past, Comparative, Superlative };

    // Reads noun.exc, verb.exc and adj.exc from `wordnetFolder`. Without them
    // only the regular rules apply.
    explicit Inflector(const QString &wordnetFolder = QStringLiteral("/usr/share/wordnet"));
    bool hasExceptionLists() const { return m_loaded; }

    // The forms a head word takes in a slot (several where the lists give several).
    QStringList headForms(const QString &word, Slot slot) const;
    // The one form a synonym takes in a slot, or none where it cannot be told
    // for certain. A phrase inflects its head: the last word of a noun phrase,
    // the first of a verb phrase.
    std::optional<QString> synonymForm(const QString &synonym, Slot slot) const;

    static QList<Slot> slotsOf(const QString &partOfSpeech);

private:
    QStringList exceptions(const QHash<QString, QStringList> &list, const QString &base) const;
    QStringList formsOfWord(const QString &word, Slot slot) const;

    bool m_loaded = false;
    QHash<QString, QStringList> m_nouns, m_verbs, m_adjectives; // base -> irregular forms
};
