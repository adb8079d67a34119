#pragma once

#include "engine/WordChanges.h"
#include "startup/ResultSet.h"

#include <QString>

// What the generator and the reprint runs tell the window while they work.
class VariationObserver
{
public:
    virtual ~VariationObserver() = default;

    // A variation begins: the finish page's notice and actions are put away.
    virtual void variationStarted() = 0;
    // The number of replacements planned is known: show progress up to `maximum`
    // and give the event loop one turn so the window repaints.
    virtual void progressShown(qint64 maximum) = 0;
    virtual void progressChanged(qint64 value) = 0;
    // The variation is complete: progress away, notice and actions back; the
    // saving controls only when the variation is being saved.
    virtual void variationFinished(bool saveToFiles) = 0;
    // Asked now and then during a long stage and between variations: a chance
    // for the window to stay alive. False once the user wants the run to stop
    // (the window is being closed); the run then ends as soon as it can.
    virtual bool carryOn() { return true; }
};

// What a reprint run tells the window besides each variation's progress.
class ReprintObserver : public VariationObserver
{
public:
    // Reprint `number` of `count` is being made.
    virtual void reprintStarted(qint64 number, qint64 count) = 0;
    // The run is over, whether it completed or stopped.
    virtual void runEnded() = 0;
    // A text for the finish page's result box.
    virtual void showResult(const QString &text) = 0;
    // The words of the text just shown that the run changed.
    virtual void showChanges(const WordChanges & /*changes*/) {}
    // The run stopped: `message` says why (a file could not be written, for one).
    virtual void runFailed(const QString &message) = 0;
    // A query failed in the word database; the run stops after the variation in hand.
    virtual void storeFailed(const StoreFailure &failure) = 0;
    // The fit to the sentence cannot be had; `message` says why. Told once.
    virtual void fitUnavailable(const QString & /*message*/) {}
    // The run ended early with `made` of its `count` reprints made.
    virtual void runStopped(qint64 /*made*/, qint64 /*count*/) {}
};
