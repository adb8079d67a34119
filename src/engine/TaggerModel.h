#pragma once

#include "engine/WordClass.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

// The tables of the part-of-speech tagger's hidden Markov model, and the
// readers that fill them from its two files.
struct TaggerModel
{
    // One tag a word may have, with the log probability of the word given it.
    struct Candidate
    {
        float logEmission;
        quint8 tag;
    };
    struct LexiconEntry
    {
        quint32 spellingStart;
        quint32 candidateStart;
        quint16 spellingLength;
        quint8 candidateCount;
    };
    // The tags the tagger's rules and decoder name.
    struct Tags
    {
        quint8 punc, nn, nns, nnp, nnps, vb, vbp, vbz, vbg, vbd, vbn, jj, jjr, jjs, rb, cd;
    };

    // Reads the tag trigram counts in the NgramBin format into the tag tables;
    // `names` gets the tags' names, in the order the tables number them. False,
    // with `why`, when the file is malformed or lacks a tag the tagger names.
    bool readTrigrams(const QByteArray &bytes, QList<QByteArray> &names, QString *why);
    // Reads the word lexicon ("MNCL", then one line per word) into the lexicon
    // tables. Needs the tag tables read first: it drops tags a word is rarely
    // seen with, and `names` are the trigram table's. False, with `why`, when
    // the file is malformed or names a tag the trigram table lacks.
    bool readLexicon(const QByteArray &bytes, const QList<QByteArray> &names, QString *why);

    // The lexicon's entry for `word` spelt exactly so; null when it has none.
    const LexiconEntry *find(QStringView word) const;

    int tagCount = 0;
    Tags tags{};
    std::vector<WordClass> classOfTag;
    std::vector<float> logTransition; // log P(t3 | t1 t2) at (t1 * n + t2) * n + t3
    std::vector<float> logStart;      // log P(t) for a sentence's first word
    std::vector<float> logPrior;      // log P(t)
    std::vector<float> tagCounts;     // how often each tag was seen

    std::vector<char16_t> spellings;
    std::vector<LexiconEntry> entries;
    std::vector<Candidate> candidates;
    std::vector<qint32> entrySlots; // open addressing into entries; -1 is empty
};
