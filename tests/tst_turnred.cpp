// SPDX-License-Identifier: MIT
#include "calc/dsrrecord.h"
#include "calc/headroom.h"
#include "calc/turnred.h"
#include "calc/whatif.h"
#include "exactly.h"

#include <QTest>

using calc::DsrRecord;
using tests::exactly;

namespace {

// The worked example in dimension 0, two plain dimensions after it.
DsrRecord workedRecord()
{
    DsrRecord record;
    record.scoreBox = "4.77#4.80#4.90";
    record.starBox = "85.12#10.00#3.00#1.00#0.88#"
                     "90#10#0#0#0#"
                     "100#0#0#0#0";
    record.raterBox = "1000#200#300";
    return record;
}

} // namespace

class TurnRedTest : public QObject
{
    Q_OBJECT
private slots:
    void splitsKeepingEmptyEntries_data();
    void splitsKeepingEmptyEntries();
    void jisuanRecomputesScores();
    void jisuanFailureKeepsLaterFieldsAndScores_data();
    void jisuanFailureKeepsLaterFieldsAndScores();
    void turnRedStep_data();
    void turnRedStep();
    void turnRedStepKeepsItsNumbers();
    void oneStarHeadroom_data();
    void oneStarHeadroom();
    void whatIfMoreRatings_data();
    void whatIfMoreRatings();
};

void TurnRedTest::splitsKeepingEmptyEntries_data()
{
    // clang-format off
    QTest::addColumn<QString>("joined");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("empty text has no entries") << "" << QStringList();
    QTest::newRow("one") << "4.8" << QStringList{"4.8"};
    QTest::newRow("empty pieces stay") << "#1##2#" << QStringList{"", "1", "", "2", ""};
    // clang-format on
}

void TurnRedTest::splitsKeepingEmptyEntries()
{
    QFETCH(QString, joined);
    QFETCH(QStringList, entries);
    QCOMPARE(calc::splitEntries(joined), entries);
}

void TurnRedTest::jisuanRecomputesScores()
{
    DsrRecord record = workedRecord();
    QVERIFY(calc::jisuan(record));
    QCOMPARE(record.scoreTexts, (QStringList{"4.77", "4.80", "4.90"}));
    QCOMPARE(record.starPercents.size(), 15);
    QCOMPARE(record.raterTotals, (QStringList{"1000", "200", "300"}));
    QCOMPARE(record.weightedScore[0], 4.7748);
    QCOMPARE(record.weightedScore[1], 4.9);
    QCOMPARE(record.weightedScore[2], 5.0);
    QCOMPARE(exactly(record.dimensions[0].share5), exactly(85.12 * 0.01));
    QCOMPARE(exactly(record.dimensions[0].share1), exactly(0.88 * 0.01));
    QCOMPARE(exactly(record.dimensions[2].raterTotal), exactly(300.0));
}

void TurnRedTest::jisuanFailureKeepsLaterFieldsAndScores_data()
{
    // clang-format off
    QTest::addColumn<QString>("starBox");
    QTest::addColumn<QString>("raterBox");
    QTest::addColumn<int>("dimensionsUpdated");
    QTest::newRow("ten star entries") << "1#1#1#1#1#2#2#2#2#2" << "7#8#9" << 2;
    QTest::newRow("empty entry in dimension 1") << "1#1#1#1#1#2##2#2#2#3#3#3#3#3" << "7#8#9" << 1;
    QTest::newRow("two rater totals") << "1#1#1#1#1#2#2#2#2#2#3#3#3#3#3" << "7#8" << 2;
    QTest::newRow("non-numeric total") << "1#1#1#1#1#2#2#2#2#2#3#3#3#3#3" << "x#8#9" << 0;
    QTest::newRow("nothing read") << "" << "" << 0;
    // clang-format on
}

void TurnRedTest::jisuanFailureKeepsLaterFieldsAndScores()
{
    QFETCH(QString, starBox);
    QFETCH(QString, raterBox);
    QFETCH(int, dimensionsUpdated);

    DsrRecord record = workedRecord();
    QVERIFY(calc::jisuan(record));
    const DsrRecord before = record;

    record.scoreBox = "1#2#3";
    record.starBox = starBox;
    record.raterBox = raterBox;
    QVERIFY(!calc::jisuan(record));

    QCOMPARE(record.scoreTexts, (QStringList{"1", "2", "3"}));
    QCOMPARE(record.starPercents, calc::splitEntries(starBox));
    for (int d = 0; d < calc::dimensionCount; ++d) {
        QCOMPARE(record.weightedScore[d], before.weightedScore[d]);
        if (d < dimensionsUpdated) {
            QCOMPARE(exactly(record.dimensions[d].share5), exactly((d + 1) * 0.01));
            QCOMPARE(exactly(record.dimensions[d].raterTotal), exactly(7 + d));
        } else if (d > dimensionsUpdated) {
            QCOMPARE(exactly(record.dimensions[d].share5), exactly(before.dimensions[d].share5));
            QCOMPARE(exactly(record.dimensions[d].raterTotal), exactly(before.dimensions[d].raterTotal));
        }
    }
}

void TurnRedTest::turnRedStep_data()
{
    // clang-format off
    QTest::addColumn<int>("dimension");
    QTest::addColumn<QString>("comparison");
    QTest::addColumn<QString>("result");
    QTest::newRow("worked example") << 0 << "2.00%" << "762";
    QTest::newRow("no gap needs nobody") << 0 << "0%" << "0";
    QTest::newRow("negative count loses its sign") << 0 << "-2.00%" << "293";
    QTest::newRow("not a number") << 0 << "--" << "";
    QTest::newRow("markup around the figure") << 0 << "<em>2.00</em>%" << "";
    QTest::newRow("the markup's line breaks around the figure") << 0 << "\n 2.00%\n" << "762";
    QTest::newRow("non-breaking space after the figure") << 0 << QStringLiteral("2.00%\u00A0") << "762";
    QTest::newRow("blank inside the figure") << 0 << "2. 00%" << "";
    QTest::newRow("gap of 100 percent") << 0 << "100%" << "";
    QTest::newRow("gap above 100 percent") << 0 << "150.00%" << "";
    QTest::newRow("average above 5") << 1 << "3.00%" << "";
    QTest::newRow("average exactly 5") << 1 << "2.00%" << "";
    // clang-format on
}

void TurnRedTest::turnRedStep()
{
    QFETCH(int, dimension);
    QFETCH(QString, comparison);
    QFETCH(QString, result);
    DsrRecord record = workedRecord();
    QVERIFY(calc::jisuan(record));
    QCOMPARE(calc::turnRedStep(record, dimension, comparison), result);
}

void TurnRedTest::turnRedStepKeepsItsNumbers()
{
    DsrRecord record = workedRecord();
    QVERIFY(calc::jisuan(record));
    QCOMPARE(calc::turnRedStep(record, 0, "2.00%"), "762");
    QCOMPARE(record.industryAverage[0], 4.87224);
    QCOMPARE(record.turnRedCount[0], 762.0);
}

void TurnRedTest::oneStarHeadroom_data()
{
    // clang-format off
    QTest::addColumn<double>("score");
    QTest::addColumn<double>("percent"); // as the page shows it above the industry
    QTest::addColumn<double>("raters");
    QTest::addColumn<double>("average"); // NaN: none
    QTest::addColumn<qint64>("headroom"); // -1: none
    const double none = std::nan("");
    QTest::newRow("worked example: 4911 / 1011 stands, 4912 / 1012 falls") << 4.9 << 30.0 << 1000.0 << 4.85714 << 11LL;
    // 4715.1 / 1014 is 4.65 to the last digit; in doubles it comes out a hair below 14.
    QTest::newRow("a score that lands on the average counts") << 4.7011 << 14.6 << 1000.0 << 4.65 << 14LL;
    QTest::newRow("equal to the industry") << 4.8 << 0.0 << 1000.0 << 4.8 << 0LL;
    QTest::newRow("no raters yet") << 4.9 << 30.0 << 0.0 << 4.85714 << 0LL;
    QTest::newRow("many raters") << 4.9 << 0.01 << 1e12 << 4.89999 << 2564109LL;
    QTest::newRow("below the industry: the turn-red count applies") << 4.7 << -2.0 << 1000.0 << none << -1LL;
    QTest::newRow("a gap of 100 %") << 4.9 << 100.0 << 1000.0 << none << -1LL;
    QTest::newRow("an average below 1") << 2.0 << 90.0 << 1000.0 << -25.0 << -1LL;
    QTest::newRow("a rater total that is no whole count") << 4.9 << 30.0 << 1000.5 << 4.85714 << -1LL;
    QTest::newRow("more raters than any shop has") << 4.9 << 30.0 << 2e12 << 4.85714 << -1LL;
    // clang-format on
}

void TurnRedTest::oneStarHeadroom()
{
    QFETCH(double, score);
    QFETCH(double, percent);
    QFETCH(double, raters);
    QFETCH(double, average);
    QFETCH(qint64, headroom);
    const double gap = percent * 0.01; // as the turn-red step reads a comparison
    QCOMPARE(exactly(calc::industryAverageAbove(score, gap).value_or(std::nan(""))), exactly(average));
    QCOMPARE(qint64(calc::oneStarHeadroom(score, gap, raters).value_or(-1)), headroom);
}

void TurnRedTest::whatIfMoreRatings_data()
{
    QTest::addColumn<double>("score");
    QTest::addColumn<double>("raters");
    QTest::addColumn<double>("average"); // NaN: the comparison gives none
    QTest::addColumn<qint64>("fiveStars");
    QTest::addColumn<qint64>("oneStars");
    QTest::addColumn<QString>("after"); // "score 飘红 飘绿", "-" where there is none; "none" for no result
    const double none = std::nan("");
    // clang-format off
    // The worked description: 4.7748 from 1000 raters, 2.00 % below, so the average 4.87224 and 762 to turn red.
    const double worked = *calc::industryAverageBelow(4.7748, 0.02);
    QTest::newRow("nothing added: the turn-red step's count") << 4.7748 << 1000.0 << worked << 0LL << 0LL << "4.7748 762 -";
    QTest::newRow("100 five-star ratings: 527 480 000 / 1100") << 4.7748 << 1000.0 << worked << 100LL << 0LL << "4.79527 662 -";
    QTest::newRow("lands exactly on the average: no 飘红, no headroom") << 4.8 << 100.0 << 4.9 << 100LL << 0LL << "4.9 - 0";
    QTest::newRow("just short, the count truncated as the calculators do") << 4.8 << 100.0 << 4.9 << 99LL << 0LL << "4.8995 0 -";
    QTest::newRow("one one-star rating tips it below") << 4.9 << 200.0 << 4.9 << 0LL << 1LL << "4.8806 38 -";
    QTest::newRow("above: 26 one-star ratings of headroom") << 4.9 << 1000.0 << 4.8 << 0LL << 0LL << "4.9 - 26";
    QTest::newRow("all the headroom taken: it still stands") << 4.9 << 1000.0 << 4.8 << 0LL << 26LL << "4.80117 - 0";
    QTest::newRow("one more and it falls below") << 4.9 << 1000.0 << 4.8 << 0LL << 27LL << "4.79747 12 -";
    QTest::newRow("both kinds: 497 000 000 / 1030") << 4.9 << 1000.0 << 4.8 << 10LL << 20LL << "4.82524 - 6";
    QTest::newRow("an exact half to the even digit, down") << 1.00001 << 1.0 << none << 0LL << 1LL << "1 - -";
    QTest::newRow("an exact half to the even digit, up") << 1.00003 << 1.0 << none << 0LL << 1LL << "1.00002 - -";
    QTest::newRow("below an average of 5 or more: no count") << 4.6 << 100.0 << 5.11111 << 0LL << 0LL << "4.6 top -";
    QTest::newRow("below an average of exactly 5: no count") << 4.5 << 100.0 << 5.0 << 10LL << 0LL << "4.54545 top -";
    QTest::newRow("no average: the score only") << 4.8 << 100.0 << none << 5LL << 5LL << "4.63636 - -";
    QTest::newRow("no raters and nothing added") << 4.8 << 0.0 << 4.9 << 0LL << 0LL << "none";
    QTest::newRow("a rater count that is no whole number") << 4.8 << 100.5 << 4.9 << 1LL << 0LL << "none";
    QTest::newRow("fewer ratings than none") << 4.8 << 100.0 << 4.9 << -1LL << 0LL << "none";
    QTest::newRow("more ratings than any shop takes") << 4.8 << 100.0 << 4.9 << 2'000'000'000LL << 0LL << "none";
    QTest::newRow("a score off the scale") << 5.5 << 100.0 << 4.9 << 1LL << 0LL << "none";
    // clang-format on
}

void TurnRedTest::whatIfMoreRatings()
{
    QFETCH(double, score);
    QFETCH(double, raters);
    QFETCH(double, average);
    QFETCH(qint64, fiveStars);
    QFETCH(qint64, oneStars);
    QFETCH(QString, after);
    const std::optional<double> known = std::isnan(average) ? std::nullopt : std::optional(average);
    const std::optional<calc::WhatIfResult> result = calc::whatIf({score, raters, known}, fiveStars, oneStars);
    if (!result) {
        QCOMPARE(QStringLiteral("none"), after);
        return;
    }
    QCOMPARE(result->raters, raters + double(fiveStars + oneStars));
    QCOMPARE(QStringList({QString::number(result->score, 'g', 10),
                          result->averageAtTop ? QStringLiteral("top")
                          : result->turnRed    ? QString::number(*result->turnRed)
                                               : QStringLiteral("-"),
                          result->headroom ? QString::number(*result->headroom) : QStringLiteral("-")})
                 .join(u' '),
             after);
}

QTEST_APPLESS_MAIN(TurnRedTest)
#include "tst_turnred.moc"
