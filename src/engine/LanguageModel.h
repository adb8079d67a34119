#pragma once

#include <QString>

#include <memory>

struct logmath_s;
struct ngram_model_s;

// An English word trigram model, read from a file in the formats of the CMU
// Sphinx tools (binary or ARPA), through libsphinxbase. It tells how likely a
// word is after the two words before it.
class LanguageModel
{
public:
    static constexpr int Unknown = -1;

    // The model of `path`; nothing, with `error` saying why, when the file is
    // missing or cannot be read as a model.
    static std::unique_ptr<LanguageModel> load(const QString &path, QString *error);
    ~LanguageModel();
    LanguageModel(const LanguageModel &) = delete;
    LanguageModel &operator=(const LanguageModel &) = delete;

    // The id of a word (the model knows lower-case words), Unknown for one it
    // does not know. SentenceStart and SentenceEnd stand for "<s>" and "</s>".
    int id(const QString &word) const;
    int sentenceStart() const { return m_start; }
    int sentenceEnd() const { return m_end; }

    // The natural logarithm of the probability of `word` after `previous`, which
    // follows `beforePrevious`; an Unknown history word shortens the history.
    double logProbability(int word, int previous, int beforePrevious) const;

private:
    LanguageModel() = default;

    ngram_model_s *m_model = nullptr;
    logmath_s *m_logMath = nullptr;
    int m_start = Unknown;
    int m_end = Unknown;
};
