#include "engine/LanguageModel.h"

#include <QFileInfo>

#include <sphinxbase/err.h>
#include <sphinxbase/logmath.h>
#include <sphinxbase/ngram_model.h>

std::unique_ptr<LanguageModel> LanguageModel::load(const QString &path, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return nullptr;
    };
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("The language model %1 does not exist.").arg(path));
    err_set_logfp(nullptr); // the library's own chatter goes nowhere
    logmath_t *logMath = logmath_init(1.0001, 0, 0);
    ngram_model_t *model = ngram_model_read(nullptr, path.toLocal8Bit().constData(), NGRAM_AUTO, logMath);
    if (!model) {
        logmath_free(logMath);
        return fail(QStringLiteral("The language model %1 cannot be read.").arg(path));
    }
    std::unique_ptr<LanguageModel> lm(new LanguageModel);
    lm->m_model = model;
    lm->m_logMath = logMath; // the model reads it but never frees it
    lm->m_start = ngram_wid(model, "<s>");
    lm->m_end = ngram_wid(model, "</s>");
    return lm;
}

LanguageModel::~LanguageModel()
{
    if (m_model)
        ngram_model_free(m_model);
    if (m_logMath)
        logmath_free(m_logMath);
}

int LanguageModel::id(const QString &word) const
{
    const int wid = ngram_wid(m_model, word.toUtf8().constData());
    return wid == ngram_unknown_wid(m_model) || wid < 0 ? Unknown : wid;
}

double LanguageModel::logProbability(int word, int previous, int beforePrevious) const
{
    int32 history[2] = {previous, beforePrevious};
    const int32 length = previous == Unknown ? 0 : (beforePrevious == Unknown ? 1 : 2);
    int32 used = 0;
    const int32 score = ngram_ng_prob(m_model, word, history, length, &used);
    return logmath_log_to_ln(m_logMath, score);
}
