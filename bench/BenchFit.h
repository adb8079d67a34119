#pragma once

// The tagger and the language model of the fit to the sentence, for a benchmark.

#include "engine/FitToSentence.h"
#include "engine/LanguageModel.h"
#include "engine/PosTagger.h"
#include "engine/ReprintRun.h"
#include "engine/VariationGenerator.h"

#include <cstdio>
#include <memory>
#include <optional>

// The tagger and the model of the fit to the sentence, loaded once.
struct FitModels
{
    std::optional<PosTagger> tagger;
    std::unique_ptr<LanguageModel> model;
    double tolerance = FitToSentence::DefaultTolerance;

    // A fit chooser for `generator`, when the models are loaded; none otherwise.
    std::unique_ptr<FitToSentence> fitTo(VariationGenerator &generator, WordStore &store) const
    {
        if (!model)
            return nullptr;
        auto fit = std::make_unique<FitToSentence>(store, *tagger, *model, tolerance);
        generator.setFitChooser(fit.get());
        return fit;
    }
    bool load()
    {
        const FitData data;
        QString error;
        tagger = PosTagger::load(data.lexicon, data.tagTrigrams, &error);
        if (tagger)
            model = LanguageModel::load(data.languageModel, &error);
        if (!model)
            std::fprintf(stderr, "fit: %s\n", qPrintable(error));
        return model != nullptr;
    }
};

