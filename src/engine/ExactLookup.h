#pragma once

#include "engine/SynonymChooser.h"
#include "engine/WordList.h"

#include <optional>

// The default way of choosing: the entry exactly as it stands, punctuation and
// all, is looked up in Synonyms, letter case ignored, and a synonym is drawn
// from its rows as they come, case and all.
class ExactLookup final : public SynonymChooser
{
public:
    explicit ExactLookup(WordStore &store) : m_store(store) {}

    void beginVariation(const WordList &list) override;
    Check check(const WordList &list, qsizetype position, std::span<const QString> keywords) override
    {
        const quint8 traits = list.traits(position);
        if (traits & WordList::Short)
            return Check::Short;
        if (isKeyword(list.at(position), keywords)) // not short, so not past the end
            return Check::Protected;
        if (traits & WordList::Marked)
            return Check::Protected;
        return Check::Open;
    }
    StoreAnswer<Choice> choose(WordList &list, qsizetype position, DrawSource &draws) override
    {
        // Most draws of a stretched text meet such entries: answered here, in the loop.
        if ((list.traits(position) & WordList::Spaced) && spacedNeverMatch())
            return Choice::NoSynonym;
        return lookUp(list, position, draws);
    }

private:
    StoreAnswer<Choice> lookUp(WordList &list, qsizetype position, DrawSource &draws);
    bool spacedNeverMatch()
    {
        if (!m_spacedNeverMatch)
            m_spacedNeverMatch = !m_store.excludedMayHaveSpaces() && !m_store.headWordsMayHaveSpaces();
        return *m_spacedNeverMatch;
    }

    WordStore &m_store;
    // Entries holding a space (words inserted by an earlier stretch) can have
    // synonyms only when some head word holds one; asked once a variation, when first needed.
    std::optional<bool> m_spacedMayMatch;
    // Nor can they be excluded unless some excluded word holds one; then they
    // are neither, and need no lookup at all.
    std::optional<bool> m_spacedNeverMatch;
};
