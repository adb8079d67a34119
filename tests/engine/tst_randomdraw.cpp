#include "engine/Numbers.h"
#include "engine/RandomDraw.h"
#include "fixtures/ScriptedDraws.h"

#include <QtTest>

class TestRandomDraw : public QObject
{
    Q_OBJECT

private slots:
    void roundsHalvesToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("0.5") << 0.5 << qint64(0);
        QTest::newRow("1.5") << 1.5 << qint64(2);
        QTest::newRow("2.5") << 2.5 << qint64(2);
        QTest::newRow("3.5") << 3.5 << qint64(4);
        QTest::newRow("2.4999") << 2.4999 << qint64(2);
        QTest::newRow("2.5001") << 2.5001 << qint64(3);
        QTest::newRow("0") << 0.0 << qint64(0);
        QTest::newRow("-1.5") << -1.5 << qint64(-2);
        QTest::newRow("-2.5") << -2.5 << qint64(-2);
    }
    void roundsHalvesToEven()
    {
        QFETCH(double, value);
        QFETCH(qint64, rounded);
        QCOMPARE(roundHalfEven(value), rounded);
    }

    void drawCoversZeroToBound()
    {
        ScriptedDraws draws;
        draws.then(0, 4).then(4, 4).then(2, 4);
        QCOMPARE(Draw(draws, 4), 0);
        QCOMPARE(Draw(draws, 4), 4);
        QCOMPARE(Draw(draws, 4), 2);
        ScriptedDraws zero;
        zero.thenAlways(0, 7);
        QCOMPARE(Draw(zero, 0), 0);
        QCOMPARE(DrawAtLeastOne(zero, 0), 1);
        QCOMPARE(DrawAtLeastOne(zero, 7), 1);
    }

    void clockDrawsDifferWithinOneTick()
    {
        ClockDrawSource source;
        QSet<double> seen;
        for (int i = 0; i < 1000; ++i) {
            const double r = source.nextFraction();
            QVERIFY(r >= 0.0 && r < 1.0);
            seen.insert(r);
        }
        QCOMPARE(seen.size(), 1000);
    }

    // Rows 1 to 4, 0 counting as 1: taken 3/8, 1/4, 1/4, 1/8 of the time. With
    // 400,000 draws one standard deviation is under 0.0008; the tolerance is 0.006.
    void sharesOfFourRows()
    {
        ClockDrawSource source;
        const int n = 400000;
        int counts[5] = {};
        for (int i = 0; i < n; ++i)
            ++counts[DrawAtLeastOne(source, 4)];
        QCOMPARE(counts[0], 0);
        const double expected[5] = {0, 3.0 / 8, 1.0 / 4, 1.0 / 4, 1.0 / 8};
        for (int row = 1; row <= 4; ++row) {
            const double share = double(counts[row]) / n;
            QVERIFY2(qAbs(share - expected[row]) < 0.006,
                     qPrintable(QStringLiteral("row %1: %2").arg(row).arg(share)));
        }
    }
};

QTEST_GUILESS_MAIN(TestRandomDraw)
#include "tst_randomdraw.moc"
