#pragma once

#include "engine/RewriteSettings.h"

#include <QString>

#include <functional>
#include <optional>

class ReprintObserver;
class VariationGenerator;

// A batch of reprints written to numbered files, and the View Next stepping
// through them.
//
// Working copies Quillmorph<i>.txt go to the program folder and are what the
// finish page shows; saved copies Quillmorpht<i>.txt go to the output folder.
// Each file holds one variation followed by CR LF. Files are overwritten, never
// deleted: higher numbers from an earlier, longer run stay.
class ReprintRun
{
public:
    using SettingsSource = std::function<RewriteSettings()>;

    ReprintRun(VariationGenerator &generator, QString programFolder, SettingsSource settings);

    static QString workingCopyName(qint64 number);
    static QString savedCopyName(qint64 number);
    QString workingCopyPath(qint64 number) const;

    // For each i from 1 to count: one variation to saved copy i in the output
    // folder (read afresh for every file), a second one to working copy i. Then
    // shows working copy 1. A file that cannot be written stops the run with a
    // message naming it; so does a failed query, after the current variation,
    // and the observer's carryOn() answering false (the window closing), which
    // leaves the variation in hand unwritten. A run that stopped tells the
    // observer how many reprints it made, and shows working copy 1 only when it
    // made it. Returns false when the run stopped early.
    bool SaveReprints(qint64 count, ReprintObserver *observer);

    // The same with working copies only, one variation each.
    bool ShowReprints(qint64 count, ReprintObserver *observer);

    struct ViewStep
    {
        QString label;               // "position Of count-as-typed"
        std::optional<QString> text; // the working copy, when it could be read
        QString error;               // a working copy that exists but cannot be read
    };
    // View Next with the reprint count as typed. Nothing when the count is not a
    // number above 1. Otherwise moves to the next working copy; when the count
    // equals the new position, the next step starts over at 1. A copy the last
    // run did not make is not shown: the step's error says so.
    std::optional<ViewStep> ViewNext(const QString &reprintCountText);

    qint64 viewPosition() const { return m_viewPosition; }

private:
    bool run(qint64 count, bool save, ReprintObserver *observer);
    void showFirstWorkingCopy(ReprintObserver *observer);

    VariationGenerator &m_generator;
    QString m_programFolder;
    SettingsSource m_settings;
    // Working copies the last run made, from 1 up; -1 before any run.
    qint64 m_made = -1;
    qint64 m_viewPosition = 0;
};
