#pragma once

#include <QFileInfo>
#include <QString>

// Where the fit to the sentence finds its tagger and its language model:
// Debian's festival-dicts and pocketsphinx-en-us put them here. The program,
// its tests and its benchmarks all read them from this one place.
struct FitData
{
    QString lexicon = QStringLiteral("/usr/share/festival/dicts/wsj.wp39.poslexR");
    QString tagTrigrams = QStringLiteral("/usr/share/festival/dicts/wsj.wp39.tri.ngrambin");
    QString languageModel = QStringLiteral("/usr/share/pocketsphinx/model/en-us/en-us.lm.bin");

    // The first of the three files that is not there; empty when all are.
    QString missing() const
    {
        for (const QString *path : {&lexicon, &tagTrigrams, &languageModel}) {
            if (!QFileInfo(*path).isFile())
                return *path;
        }
        return {};
    }
};
