// Measures the part-of-speech tagger: its accuracy on sentences tagged by
// hand, then how fast it tags a generated English text of a million words.
//
//   tagger_bench              both
//   tagger_bench N            the speed case with N words

#include "BenchText.h"
#include "engine/FitData.h"
#include "engine/PosTagger.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>

#include <cstdio>

namespace {

// Each content word carries its class code after a slash; a word without one is None.
const char *const TaggedSentences[] = {
    "The project/n needs/vz money/n before/ the end/n of the year/n.",
    "Our needs/ns are/v simple/a, and our budget/n is/vz small/a.",
    "She works/vz at the old/a mill/n, and her works/ns hang/v in the city/n museum/n.",
    "They run/v every morning/n, but the long/a run/n on Sunday tired/vd them.",
    "Turn/v off the light/n and carry/v the light/a bag/n upstairs/r.",
    "Several/a members/ns raised/vd questions/ns about the cost/n of the new/a building/n.",
    "The committee/n quickly/r approved/vd the plan/n after a long/a discussion/n.",
    "Prices/ns rose/vd sharply/r last/a week/n as investors/ns worried/vd about rising/vg interest/n rates/ns.",
    "He has/vz been/vd working/vg on the report/n for three weeks/ns.",
    "The children/ns played/vd happily/r in the garden/n while their parents/ns cooked/vd dinner/n.",
    "Most/as people/ns believe/v that the river/n is/vz cleaner/ar than it was/vd ten years/ns ago/r.",
    "Her latest/as book/n sold/vd well/r, although critics/ns called/vd it dull/a.",
    "A strong/a wind/n blew/vd the roof/n off the barn/n during the storm/n.",
    "The company's/n profits/ns fell/vd because demand/n for its products/ns dropped/vd.",
    "Don't forget/v to lock/v the door/n when you leave/v!",
    "The engineers/ns designed/vd a faster/ar and cheaper/ar engine/n.",
    "The report/n shows/vz that the plan/n works/vz well/r.",
    "We need/v light/a, comfortable/a shoes/ns for the trip/n.",
    "\"Hello,\" she said/vd, \"the train/n leaves/vz soon/r.\"",
    "Mr. Smith runs/vz a small/a bakery/n in Boston.",
    "The blogger/n posted/vd a snarky/a review/n of the gadget/n.",
    "Light/a rain/n fell/vd throughout the afternoon/n.",
    "The storm/n damaged/vd dozens/ns of homes/ns along the coast/n.",
    "Engineers/ns expect/v the new/a bridge/n to open/v next/a spring/n.",
    "She carefully/r folded/vd the letter/n and placed/vd it in a drawer/n.",
    "Many/a farmers/ns plant/v corn/n in early/a May.",
    "The museum/n displays/vz ancient/a coins/ns found/vd near the river/n.",
    "His speech/n left/vd the audience/n silent/a.",
    "Rising/vg costs/ns forced/vd the factory/n to close/v two lines/ns.",
    "We watched/vd the children/ns fly/v kites/ns in the park/n.",
    "The old/a man/n walked/vd slowly/r toward the station/n.",
    "Critics/ns praised/vd the film/n for its honest/a portrayal/n of rural/a life/n.",
    "Water/n levels/ns dropped/vd after weeks/ns of dry/a weather/n.",
    "The bank/n lowered/vd its rates/ns to attract/v more/ar borrowers/ns.",
    "Students/ns who study/v regularly/r usually/r perform/v well/r.",
    "The garden/n looks/vz beautiful/a in the spring/n.",
    "Officials/ns said/vd the talks/ns would resume/v on Monday.",
    "A small/a boat/n drifted/vd past the harbor/n lights/ns.",
    "He spends/vz most/as evenings/ns reading/vg old/a newspapers/ns.",
    "The teacher/n handed/vd out the tests/ns and asked/vd everyone/n to begin/v.",
    "Fresh/a snow/n covered/vd the quiet/a streets/ns overnight/r.",
    "Their latest/as offer/n seems/vz fair/a, but the union/n wants/vz higher/ar wages/ns.",
};

const QStringList Codes = {"n", "ns", "v", "vz", "vg", "vd", "a", "ar", "as", "r"};

WordClass classOf(const QString &code)
{
    const qsizetype i = Codes.indexOf(code);
    return i < 0 ? WordClass::None : WordClass(i + 1);
}

QString codeOf(WordClass c)
{
    return c == WordClass::None ? QStringLiteral("-") : wordClassCode(c);
}

void measureAccuracy(const PosTagger &tagger)
{
    static const QRegularExpression annotation(QStringLiteral("/([a-z]*)"));
    int content = 0, right = 0, falseContent = 0;
    for (const char *sentence : TaggedSentences) {
        QStringList tokens;
        QVector<WordClass> expected;
        for (QString token : QString::fromUtf8(sentence).split(QLatin1Char(' '))) {
            const QRegularExpressionMatch m = annotation.match(token);
            expected.append(m.hasMatch() ? classOf(m.captured(1)) : WordClass::None);
            tokens.append(token.remove(m.capturedStart(), m.capturedLength()));
        }
        const QVector<WordClass> found = tagger.tag(tokens);
        for (qsizetype i = 0; i < tokens.size(); ++i) {
            if (expected[i] != WordClass::None) {
                ++content;
                right += found[i] == expected[i] ? 1 : 0;
            } else if (found[i] != WordClass::None) {
                ++falseContent;
            }
            if (found[i] != expected[i])
                std::printf("  %-14s expected %-2s  found %s\n", qPrintable(tokens[i]), qPrintable(codeOf(expected[i])),
                            qPrintable(codeOf(found[i])));
        }
    }
    std::printf("accuracy: %d of %d content words right (%.1f%%); %d other words taken for content words\n", right,
                content, 100.0 * right / content, falseContent);
}

void measureSpeed(const PosTagger &tagger, qsizetype words)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList tokens = makeText(words).split(space, Qt::SkipEmptyParts);
    QList<QStringList> sentences;
    QStringList sentence;
    for (const QString &token : tokens) {
        sentence.append(token);
        if (token.endsWith(QLatin1Char('.')) || token.endsWith(QLatin1Char('!')) || token.endsWith(QLatin1Char('?'))) {
            sentences.append(sentence);
            sentence.clear();
        }
    }
    if (!sentence.isEmpty())
        sentences.append(sentence);

    QElapsedTimer timer;
    timer.start();
    qsizetype content = 0;
    for (const QStringList &s : std::as_const(sentences)) {
        for (const WordClass c : tagger.tag(s))
            content += c != WordClass::None ? 1 : 0;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%lld words in %lld sentences tagged in %.3f s: %.0f words/s (%lld content words)\n",
                qint64(tokens.size()), qint64(sentences.size()), seconds, tokens.size() / seconds, qint64(content));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const FitData data;
    QElapsedTimer timer;
    timer.start();
    QString error;
    const std::optional<PosTagger> tagger = PosTagger::load(data.lexicon, data.tagTrigrams, &error);
    if (!tagger) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("model loaded in %.3f s\n", timer.nsecsElapsed() / 1e9);
    if (argc == 2)
        return measureSpeed(*tagger, QByteArray(argv[1]).toLongLong()), 0;
    measureAccuracy(*tagger);
    measureSpeed(*tagger, 1000000);
    return 0;
}
