#include "engine/RandomDraw.h"
#include "engine/Spintax.h"

#include <QSet>
#include <QtTest>

namespace {

// Fractions given in turn, then the last one again and again.
class Fractions : public DrawSource
{
public:
    explicit Fractions(QList<double> fractions) : m_fractions(std::move(fractions)) {}
    double nextFraction() override { return m_fractions.size() > 1 ? m_fractions.takeFirst() : m_fractions.first(); }

private:
    QList<double> m_fractions;
};

QString faultOf(const QString &text)
{
    const Spintax::Reading reading = Spintax::read(text);
    if (!reading.fault)
        return reading.isPlain() ? QStringLiteral("plain") : QStringLiteral("whole");
    return QStringLiteral("%1:%2 %3").arg(reading.fault->line).arg(reading.fault->column).arg(reading.fault->what);
}

} // namespace

class TestSpintax : public QObject
{
    Q_OBJECT

private slots:
    // Groups, nested ones inside their option, and escapes, as picked.
    void picksOneOptionOfEveryGroup_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<double>>("fractions");
        QTest::addColumn<QString>("picked");
        QTest::newRow("first") << "A {big|large|huge} dog." << QList<double>{0.0} << "A big dog.";
        QTest::newRow("last") << "A {big|large|huge} dog." << QList<double>{0.99} << "A huge dog.";
        QTest::newRow("nested, inside its option") << "{a {red|blue} car|a bike}!" << QList<double>{0.2, 0.7}
                                                   << "a blue car!";
        QTest::newRow("nested, not drawn") << "{a {red|blue} car|a bike}!" << QList<double>{0.7, 0.0} << "a bike!";
        QTest::newRow("escapes") << "\\{x\\} {a\\|b|c} \\\\ \\n" << QList<double>{0.0} << "{x} a|b \\ \\n";
        QTest::newRow("empty option") << "go{|ne}" << QList<double>{0.9} << "gone";
        QTest::newRow("one option, CR LF kept") << "{x|y}\r\n{only}" << QList<double>{0.0} << "x\r\nonly";
    }
    void picksOneOptionOfEveryGroup()
    {
        QFETCH(QString, text);
        QFETCH(QList<double>, fractions);
        QFETCH(QString, picked);
        const Spintax::Reading reading = Spintax::read(text);
        QVERIFY(reading.spintax);
        Fractions draws(fractions);
        QCOMPARE(reading.spintax->pick(draws), picked);
    }

    // Every option of a group has the same chance.
    void theDrawIsEven()
    {
        const Spintax s = *Spintax::read(QStringLiteral("{a|b|c|d}")).spintax;
        ClockDrawSource draws;
        QHash<QString, int> seen;
        for (int i = 0; i < 4000; ++i)
            ++seen[s.pick(draws)];
        QCOMPARE(seen.size(), 4);
        for (const int n : std::as_const(seen))
            QVERIFY2(n > 850 && n < 1150, qPrintable(QString::number(n)));
    }

    void countsGroupsAndVariations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("groups");
        QTest::addColumn<QString>("variations");
        QTest::newRow("two groups") << "{a|b} and {c|d|e}" << qsizetype(2) << "6";
        QTest::newRow("nested") << "{x {1|2|3}|y}" << qsizetype(2) << "4";
        QTest::newRow("options that read the same") << "{a|a|b}" << qsizetype(1) << "2";
        QTest::newRow("exactly the cap") << QString(18, QLatin1Char(' ')).replace(QLatin1String(" "), QLatin1String("{0|1|2|3|4|5|6|7|8|9}"))
                                         << qsizetype(18) << "1,000,000,000,000,000,000";
        QTest::newRow("past the cap") << QString(19, QLatin1Char(' ')).replace(QLatin1String(" "), QLatin1String("{0|1|2|3|4|5|6|7|8|9}"))
                                      << qsizetype(19) << "more than a billion billion";
        QTest::newRow("far past it, no overflow") << QString(400, QLatin1Char(' ')).replace(QLatin1String(" "), QLatin1String("{a|b}"))
                                                  << qsizetype(400) << "more than a billion billion";
    }
    void countsGroupsAndVariations()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, groups);
        QFETCH(QString, variations);
        const Spintax::Reading reading = Spintax::read(text);
        QVERIFY(reading.spintax);
        QCOMPARE(reading.spintax->groups(), groups);
        QCOMPARE(Spintax::inWords(reading.spintax->variations()), variations);
    }

    // Braces without a bar are plain text; once a group has one, each kind
    // of fault is told where, by line and column.
    void plainTextAndFaults_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fault");
        QTest::newRow("no braces") << "plain | text" << "plain";
        QTest::newRow("code in braces") << "if (x) { y(); } }" << "plain";
        QTest::newRow("escaped group") << "\\{a|b\\}" << "plain";
        QTest::newRow("whole") << "{a|b}" << "whole";
        QTest::newRow("stray closing") << "{a|b}\r\nand }" << "2:5 a closing brace has no opening one";
        QTest::newRow("never closed") << "{a|b} {c|d" << "1:7 an opening brace is never closed";
        QTest::newRow("empty pair") << "x {} {a|b}" << "1:3 a pair of braces holds nothing";
        QTest::newRow("too deep") << QString(64, QLatin1Char('{')) + "{a|b" + QString(65, QLatin1Char('}'))
                                  << "1:65 the groups are nested more than 64 deep";
        QTest::newRow("64 deep is fine") << QString(63, QLatin1Char('{')) + "{a|b" + QString(64, QLatin1Char('}')) << "whole";
    }
    void plainTextAndFaults()
    {
        QFETCH(QString, text);
        QFETCH(QString, fault);
        QCOMPARE(faultOf(text), fault);
    }

    // What is written as spintax reads back to the same options.
    void escapedGroupsReadBack()
    {
        const QStringList options = {"a {b}", "c|d", "e\\f", ""};
        const QString text = Spintax::escaped(QStringLiteral("x{|}\\ ")) + Spintax::group(options);
        const Spintax s = *Spintax::read(text).spintax;
        QSet<QString> picked;
        for (double f : {0.0, 0.3, 0.6, 0.9}) {
            Fractions draws({f});
            picked.insert(s.pick(draws));
        }
        QCOMPARE(picked, QSet<QString>({"x{|}\\ a {b}", "x{|}\\ c|d", "x{|}\\ e\\f", "x{|}\\ "}));
    }
};

QTEST_GUILESS_MAIN(TestSpintax)
#include "tst_spintax.moc"
