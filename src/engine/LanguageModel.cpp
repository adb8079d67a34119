#include "engine/LanguageModel.h"

#include "sources/TextFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <sphinxbase/err.h>
#include <sphinxbase/logmath.h>
#include <sphinxbase/ngram_model.h>

#include <algorithm>

namespace {

// The binary trie format: this header, the order as a byte, a 32-bit count of
// n-grams for each order, the trie, and at the end a 32-bit length followed by
// the words, each ending in a zero byte, as many as there are unigrams.
constexpr char TrieHeader[] = "Trie Language Model";
constexpr qsizetype TrieHeaderSize = sizeof(TrieHeader) - 1;
constexpr int MaxOrder = 6;
constexpr qint64 UnigramSize = 12; // probability, back-off, first bigram
constexpr qint64 LongestWord = 4096;

// Why the trie file `file` is not whole; empty when it is. The library reads
// such a file without looking at what it gets, so a file cut short sends it
// past what it read: the file is checked first. A file cut anywhere loses the
// words at its end, and those are checked against the counts at its start.
QString trieDamage(QFile &file)
{
    const qint64 size = file.size();
    const QByteArray head = file.read(TrieHeaderSize + 1 + 4 * MaxOrder);
    const int order = head.size() > TrieHeaderSize ? quint8(head.at(TrieHeaderSize)) : 0;
    if (order < 1 || order > MaxOrder || head.size() < TrieHeaderSize + 1 + 4 * order)
        return QStringLiteral("it is cut short before its counts");
    const quint32 unigrams = qFromLittleEndian<quint32>(head.constData() + TrieHeaderSize + 1);
    const qint64 before = TrieHeaderSize + 1 + 4 * order + UnigramSize * (qint64(unigrams) + 1);
    if (unigrams == 0 || size - before < qint64(unigrams) + 4)
        return QStringLiteral("it is cut short: it is too small for the %1 words it announces").arg(unigrams);
    // The words' block, read back from the end a piece at a time until it
    // holds as many zero bytes as words, and a little more for its length.
    constexpr qint64 Piece = 1 << 20;
    QByteArray tail;
    qint64 at = -1; // in `tail`, the zero byte that ends the first word
    quint32 ends = 0;
    while (tail.size() < size - before && (at < 0 || at < LongestWord + 4)) {
        const qint64 take = std::min(Piece, size - before - tail.size());
        if (!file.seek(size - tail.size() - take))
            return file.errorString();
        const QByteArray piece = file.read(take);
        if (piece.size() != take)
            return file.errorString();
        if (tail.isEmpty() && piece.back() != '\0')
            return QStringLiteral("it is cut short: its list of words does not end where the file does");
        tail.prepend(piece);
        if (at >= 0) {
            at += take;
            continue;
        }
        for (qint64 i = take - 1; i >= 0; --i) {
            if (piece.at(i) == '\0' && ++ends == unigrams) {
                at = i;
                break;
            }
        }
    }
    if (at < 0)
        return QStringLiteral("it is cut short: it holds fewer than the %1 words it announces").arg(unigrams);
    // `at` ends the first word, which starts just after the block's length.
    for (qint64 start = at; start >= 4 && at - start < LongestWord; --start) {
        if (start < at && tail.at(start) == '\0')
            break;
        if (qFromLittleEndian<qint32>(tail.constData() + start - 4) == tail.size() - start)
            return {};
    }
    return QStringLiteral("it is cut short or damaged: its list of words does not hold the %1 words it announces")
        .arg(unigrams);
}

} // namespace

std::unique_ptr<LanguageModel> LanguageModel::load(const QString &path, QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return nullptr;
    };
    if (!QFileInfo(path).isFile())
        return fail(notAFile(QStringLiteral("The language model"), path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("The language model %1 cannot be read: %2").arg(path, file.errorString()));
    if (file.peek(TrieHeaderSize) == QByteArray(TrieHeader)) {
        if (const QString damage = trieDamage(file); !damage.isEmpty())
            return fail(QStringLiteral("The language model %1 cannot be used: %2").arg(path, damage));
    }
    file.close();
    err_set_logfp(nullptr); // the library's own chatter goes nowhere
    logmath_t *logMath = logmath_init(1.0001, 0, 0);
    ngram_model_t *model = ngram_model_read(nullptr, path.toLocal8Bit().constData(), NGRAM_AUTO, logMath);
    if (!model) {
        logmath_free(logMath);
        return fail(QStringLiteral("The language model %1 cannot be read").arg(path));
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
