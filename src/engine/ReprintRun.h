#pragma once

#include "engine/ChangeRecords.h"
#include "engine/FitData.h"
#include "engine/RewriteSettings.h"
#include "engine/VariationGenerator.h"
#include "engine/WordList.h"

#include <QString>

#include <memory>
#include <optional>

class DrawSource;
class FitToSentence;
class LanguageModel;
class PosTagger;
class ReprintObserver;
class WordStore;

// A batch of reprints written to numbered files, and the View Next stepping
// through them.
//
// Working copies Quillmorph<i>.txt go to the program folder and are what the
// finish page shows; saved copies Quillmorpht<i>.txt go to the output folder.
// Each file holds one variation followed by CR LF. Files are overwritten, never
// deleted: higher numbers from an earlier, longer run stay.
//
// The run owns the word list it rewrites; each variation continues from the
// last, until the list is filled again. A spintax text is filled afresh, from
// a new pick, for every variation.
class ReprintRun
{
public:
    ReprintRun(WordStore &store, DrawSource &draws, QString programFolder, FitData fitData = {});
    ~ReprintRun();
    ReprintRun(const ReprintRun &) = delete;
    ReprintRun &operator=(const ReprintRun &) = delete;

    // Replaces the text to rewrite (see WordList::FillWordList); returns its word count.
    qsizetype FillWordList(const QString &text) { return m_list.FillWordList(text); }
    const WordList &wordList() const { return m_list; }

    static QString workingCopyName(qint64 number);
    static QString savedCopyName(qint64 number);
    QString workingCopyPath(qint64 number) const;

    // settings.reprintCount reprints, each a saved copy in the output folder
    // and, from a further variation, a working copy; then working copy 1 and
    // its word changes go to the observer. Any failure (a file, a query, the
    // window closing) stops the run at once, says how many reprints were made
    // and returns false: the user never takes a half-made batch for a whole one.
    // The fit mode's models load on its first run; without them the user is
    // told once and the runs go on with the exact lookup.
    bool SaveReprints(const RewriteSettings &settings, ReprintObserver *observer);

    // The same with working copies only, one variation each.
    bool ShowReprints(const RewriteSettings &settings, ReprintObserver *observer);

    struct ViewStep
    {
        QString label;               // "position Of count-as-typed"
        std::optional<QString> text; // the working copy, when it could be read
        QString error;               // a working copy that exists but cannot be read
        // The words of the text that the last run changed, when the text is
        // still the working copy it made.
        std::optional<WordChanges> changes;
    };
    // View Next, counting by the last run's reprint count as typed. Nothing when
    // the count is not a number above 1. Otherwise moves to the next working
    // copy; when the count equals the new position, the next step starts over at
    // 1. A copy the last run did not make, or that is no longer there, is not
    // shown: the step's error says so.
    std::optional<ViewStep> ViewNext();

    qint64 viewPosition() const { return m_viewPosition; }

    // A fit to the sentence of its own, for a window that asks what may be
    // chosen, sharing the run's models (loaded on first need). Null, with why
    // in `why` (a clause without its full stop), when they cannot be had.
    std::unique_ptr<FitToSentence> newFitChooser(QString *why);
    WordStore &store() { return m_store; }

private:
    bool run(const RewriteSettings &settings, bool save, ReprintObserver *observer);
    void showFirstWorkingCopy(ReprintObserver *observer);
    // The fit to the sentence, loaded on first need; null when it cannot be had.
    FitToSentence *fitChooser(ReprintObserver *observer);
    // The changes kept for working copy `number`, when `fileText` is what it was written as.
    std::optional<WordChanges> changesOf(qint64 number, const QString &fileText);

    WordStore &m_store;
    DrawSource &m_draws;
    FitData m_fitData;
    std::unique_ptr<PosTagger> m_tagger;
    std::unique_ptr<LanguageModel> m_model;
    std::unique_ptr<FitToSentence> m_fit;
    bool m_fitUnavailable = false; // said once; not tried again
    WordList m_list;
    VariationGenerator m_generator;
    QString m_programFolder;
    QString m_viewCountText = QStringLiteral("1"); // the last run's count as typed
    // Working copies the last run made, from 1 up; -1 before any run.
    qint64 m_made = -1;
    qint64 m_viewPosition = 0;
    ChangeRecords m_changes; // of the last run's working copies
};
