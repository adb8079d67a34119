#pragma once

#include "engine/SynonymChooser.h"

#include <optional>

// The default way of choosing: the entry exactly as it stands, punctuation and
// all, is looked up in Synonyms, letter case ignored, and a synonym is drawn
// from its rows as they come, case and all.
class ExactLookup : public SynonymChooser
{
public:
    explicit ExactLookup(WordStore &store) : m_store(store) {}

    void beginVariation(const WordList &list) override;
    Check check(const WordList &list, qsizetype position, std::span<const QString> keywords) override;
    StoreAnswer<Choice> choose(WordList &list, qsizetype position, DrawSource &draws) override;

private:
    WordStore &m_store;
    // Entries holding a space (words inserted by an earlier stretch) can have
    // synonyms only when some head word holds one; asked once a variation, when first needed.
    std::optional<bool> m_spacedMayMatch;
};
