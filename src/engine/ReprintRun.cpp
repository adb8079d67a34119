#include "engine/ReprintRun.h"

#include "platform/Numbers.h"
#include "engine/VariationObserver.h"
#include "sources/TextFiles.h"

#include <QDir>

ReprintRun::ReprintRun(WordStore &store, DrawSource &draws, QString programFolder)
    : m_generator(m_list, store, draws), m_programFolder(std::move(programFolder))
{
}

QString ReprintRun::workingCopyName(qint64 number)
{
    return QStringLiteral("Quillmorph%1.txt").arg(number);
}

QString ReprintRun::savedCopyName(qint64 number)
{
    return QStringLiteral("Quillmorpht%1.txt").arg(number);
}

QString ReprintRun::workingCopyPath(qint64 number) const
{
    return QDir(m_programFolder).filePath(workingCopyName(number));
}

bool ReprintRun::SaveReprints(const RewriteSettings &settings, ReprintObserver *observer)
{
    return run(settings, true, observer);
}

bool ReprintRun::ShowReprints(const RewriteSettings &settings, ReprintObserver *observer)
{
    return run(settings, false, observer);
}

bool ReprintRun::run(const RewriteSettings &settings, bool save, ReprintObserver *observer)
{
    const qint64 count = settings.reprintCount;
    m_viewCountText = settings.reprintCountText;
    m_viewPosition = 1;
    m_made = 0;
    bool completed = true;
    // One variation into one file; false when the run must stop.
    auto produce = [&](const QString &path) {
        const Variation variation = m_generator.GenerateVariation(settings, observer);
        if (variation.storeFailure && observer)
            observer->storeFailed(*variation.storeFailure);
        if (observer && !observer->carryOn())
            return false; // the user is leaving: a variation cut short is not written
        if (auto error = WriteTextFile(path, {variation.text})) {
            if (observer)
                observer->runFailed(*error);
            return false;
        }
        // A failed query stops the run after this variation.
        return !variation.storeFailure;
    };

    for (qint64 i = 1; i <= count && completed; ++i) {
        if (observer)
            observer->reprintStarted(i, count);
        if (save) {
            // The output folder as typed, joined by one separator.
            completed = produce(settings.outputFolder + QLatin1Char('/') + savedCopyName(i));
            if (!completed)
                break;
        }
        completed = produce(workingCopyPath(i));
        if (completed)
            m_made = i;
    }
    // A window that is being closed gets no text to show.
    const bool staying = !observer || observer->carryOn();
    if (observer) {
        observer->runEnded();
        if (!completed)
            observer->runStopped(m_made, count);
    }
    // A run that stopped before its first working copy shows none: one left
    // from an earlier run must not pass for the new content.
    if ((completed || m_made > 0) && staying)
        showFirstWorkingCopy(observer);
    return completed;
}

void ReprintRun::showFirstWorkingCopy(ReprintObserver *observer)
{
    const QString path = workingCopyPath(1);
    if (!FileExists(path) || !observer)
        return;
    const TextFileContent content = ReadTextFile(path);
    if (content.ok())
        observer->showResult(content.text);
    else
        observer->runFailed(content.error);
}

std::optional<ReprintRun::ViewStep> ReprintRun::ViewNext()
{
    const std::optional<double> count = decimalNumber(m_viewCountText);
    if (!count || *count <= 1)
        return std::nullopt;
    ++m_viewPosition;
    ViewStep step;
    step.label = QStringLiteral("%1 Of %2").arg(m_viewPosition).arg(m_viewCountText);
    const QString path = workingCopyPath(m_viewPosition);
    if (m_made >= 0 && m_viewPosition > m_made) {
        step.error = QStringLiteral("Reprint %1 was not made: the run stopped after %2.").arg(m_viewPosition).arg(m_made);
    } else if (FileExists(path)) {
        const TextFileContent content = ReadTextFile(path);
        if (content.ok())
            step.text = content.text;
        else
            step.error = content.error;
    }
    if (*count == double(m_viewPosition))
        m_viewPosition = 0;
    return step;
}
