#include "engine/ReprintRun.h"

#include "engine/Numbers.h"
#include "engine/FitToSentence.h"
#include "engine/LanguageModel.h"
#include "engine/PosTagger.h"
#include "engine/Spintax.h"
#include "engine/VariationObserver.h"
#include "sources/TextFiles.h"

#include <QDir>

ReprintRun::ReprintRun(WordStore &store, DrawSource &draws, QString programFolder, FitData fitData)
    : m_store(store), m_draws(draws), m_fitData(std::move(fitData)), m_generator(m_list, store, draws),
      m_programFolder(std::move(programFolder))
{
}

ReprintRun::~ReprintRun() = default;

FitToSentence *ReprintRun::fitChooser(ReprintObserver *observer)
{
    if (m_fit || m_fitUnavailable)
        return m_fit.get();
    QString error;
    m_fit = newFitChooser(&error);
    if (!m_fit) {
        m_fitUnavailable = true;
        if (observer) {
            observer->fitUnavailable(QStringLiteral("Synonyms cannot be fitted to their sentences: %1. The reprints "
                                                    "are made with the usual lookup.")
                                         .arg(error));
        }
    }
    return m_fit.get();
}

std::unique_ptr<FitToSentence> ReprintRun::newFitChooser(QString *why)
{
    QString error;
    if (m_tagger && m_model)
        return std::make_unique<FitToSentence>(m_store, *m_tagger, *m_model);
    if (!m_store.hasFitSynonyms()) {
        error = QStringLiteral("the word database holds no synonyms by part of speech; build Penrook again to "
                               "bring words.mdb up to date");
    } else if (auto tagger = PosTagger::load(m_fitData.lexicon, m_fitData.tagTrigrams, &error)) {
        m_tagger = std::make_unique<PosTagger>(std::move(*tagger));
        m_model = LanguageModel::load(m_fitData.languageModel, &error);
    }
    if (!m_tagger || !m_model) {
        if (error.endsWith(QLatin1Char('.')))
            error.chop(1); // the sentence goes on
        m_tagger.reset();
        if (why)
            *why = error;
        return nullptr;
    }
    return std::make_unique<FitToSentence>(m_store, *m_tagger, *m_model);
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
    m_generator.setFitChooser(settings.fitToSentence ? fitChooser(observer) : nullptr);
    m_viewCountText = settings.reprintCountText;
    m_viewPosition = 1;
    m_made = 0;
    m_changes.clear();
    bool completed = true;
    // One variation into one file; false when the run must stop. The changes of
    // a working copy are kept under its number.
    auto produce = [&](const QString &path, qint64 working) {
        if (settings.spintax)
            m_list.FillWordList(settings.spintax->pick(m_draws));
        const Variation variation = m_generator.GenerateVariation(settings, observer);
        // A failed query stops the run, and the variation it cut short is not
        // written: no file may stand for a reprint the run does not count as made.
        if (variation.storeFailure) {
            if (observer)
                observer->storeFailed(*variation.storeFailure);
            return false;
        }
        if (observer && !observer->carryOn())
            return false; // the user is leaving: a variation cut short is not written
        if (auto error = WriteTextFile(path, {variation.text})) {
            if (observer)
                observer->runFailed(*error);
            return false;
        }
        if (working > 0)
            m_changes.keep(working, variation.text, variation.changes);
        return true;
    };

    for (qint64 i = 1; i <= count && completed; ++i) {
        if (observer)
            observer->reprintStarted(i, count);
        if (save) {
            // The output folder as typed, joined by one separator.
            completed = produce(settings.outputFolder + QLatin1Char('/') + savedCopyName(i), 0);
            if (!completed)
                break;
        }
        completed = produce(workingCopyPath(i), i);
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
    if (content.ok()) {
        observer->showResult(content.text);
        if (const auto changes = changesOf(1, content.text))
            observer->showChanges(*changes);
    } else
        observer->runFailed(content.error);
}

std::optional<WordChanges> ReprintRun::changesOf(qint64 number, const QString &fileText)
{
    // A working copy holds its variation and one line break.
    if (number > m_made || !fileText.endsWith(QLatin1String("\r\n")))
        return std::nullopt;
    return m_changes.find(number, QStringView(fileText).chopped(2));
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
    } else if (!FileExists(path)) {
        const QString kind = whatIsAt(path);
        step.error = QStringLiteral("Working copy %1 (%2) %3 since the run made it, so it cannot be shown.")
                         .arg(QString::number(m_viewPosition), QDir::toNativeSeparators(path),
                              kind.isEmpty() ? QStringLiteral("is gone") : QStringLiteral("has become %1").arg(kind));
    } else {
        const TextFileContent content = ReadTextFile(path);
        if (content.ok()) {
            step.text = content.text;
            step.changes = changesOf(m_viewPosition, content.text);
        } else
            step.error = content.error;
    }
    if (*count == double(m_viewPosition))
        m_viewPosition = 0;
    return step;
}
