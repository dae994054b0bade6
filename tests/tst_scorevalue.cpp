// SPDX-License-Identifier: MIT
#include "calc/fivestar.h"
#include "calc/numbers.h"
#include "calc/scorevalue.h"
#include "exactly.h"

#include <QTest>

#include <cmath>
#include <optional>

using calc::ScoreValue;
using tests::exactly;

Q_DECLARE_METATYPE(std::optional<qint64>)
Q_DECLARE_METATYPE(std::optional<double>)

class ScoreValueTest : public QObject
{
    Q_OBJECT
private slots:
    void scoreValue_data();
    void scoreValue();
    void fiveStarWithScoreValue_data();
    void fiveStarWithScoreValue();
    void fiveStarInDouble_data();
    void fiveStarInDouble();
    void roundsToFiveDecimals_data();
    void roundsToFiveDecimals();
    void countText_data();
    void countText();
    void toDouble_data();
    void toDouble();
};

void ScoreValueTest::scoreValue_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint64>>("tenThousandths");
    using V = std::optional<qint64>;
    QTest::newRow("empty") << "" << V(0);
    QTest::newRow("letters") << "abc" << V(0);
    QTest::newRow("with unit") << QStringLiteral("4.8分") << V(0);
    QTest::newRow("blanks around") << " 4.8 " << V(48000);
    QTest::newRow("tab around") << "\t4.8\t" << V(48000);
    QTest::newRow("line breaks around") << "\r\n4.8\n" << V(48000);
    QTest::newRow("non-breaking and ideographic spaces around") << QStringLiteral("\u00A04.8\u3000") << V(48000);
    QTest::newRow("line break inside") << "4.\n8" << V(0);
    QTest::newRow("negative") << "-1" << V(-10000);
    QTest::newRow("plus sign") << "+2" << V(20000);
    QTest::newRow("exponent") << "5E-1" << V(5000);
    QTest::newRow("exponent upper bound") << "1e3" << V(10000000);
    QTest::newRow("round half up to even") << "4.85555" << V(48556);
    QTest::newRow("half to even, down") << "4.80005" << V(48000);
    QTest::newRow("half to even, up") << "4.80015" << V(48002);
    QTest::newRow("above half") << "4.800051" << V(48001);
    QTest::newRow("negative half to even") << "-0.00005" << V(0);
    QTest::newRow("negative above half") << "-0.00015" << V(-2);
    QTest::newRow("leading point") << ".5" << V(5000);
    QTest::newRow("trailing point") << "5." << V(50000);
    QTest::newRow("zeros") << "000.0000" << V(0);
    QTest::newRow("tiny") << "1e-99999" << V(0);
    QTest::newRow("two points") << "4.8.1" << V(0);
    QTest::newRow("sign only") << "-" << V(0);
    QTest::newRow("point only") << "." << V(0);
    QTest::newRow("exponent without digits") << "4e" << V(0);
    QTest::newRow("blank inside") << "4 .8" << V(0);
    QTest::newRow("full-width digits") << QStringLiteral("４.８") << V(0);
    QTest::newRow("largest") << "922337203685477.5807" << V(std::numeric_limits<qint64>::max());
    QTest::newRow("smallest") << "-922337203685477.5808" << V(std::numeric_limits<qint64>::min());
    QTest::newRow("rounds into range") << "922337203685477.58066" << V(std::numeric_limits<qint64>::max());
    QTest::newRow("just above the range") << "922337203685477.5808" << V();
    QTest::newRow("rounds out of range") << "922337203685477.58075" << V();
    QTest::newRow("huge exponent") << "1e400" << V();
    QTest::newRow("many digits") << QString(40, u'9') << V();
    // clang-format on
}

void ScoreValueTest::scoreValue()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint64>, tenThousandths);
    const auto value = calc::PE_CDbl(text);
    QCOMPARE(value.has_value(), tenThousandths.has_value());
    if (value) QCOMPARE(value->tenThousandths, *tenThousandths);
}

void ScoreValueTest::fiveStarWithScoreValue_data()
{
    // clang-format off
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("target");
    QTest::addColumn<double>("raters");
    QTest::addColumn<double>("count");
    QTest::newRow("one tenth over 4.8") << "4.8" << "4.9" << 1000.0 << 1000.0;
    QTest::newRow("5 - 4.85 is a little over 0.15") << "4.6" << "4.85" << 123.0 << 204.0;
    QTest::newRow("exact difference") << "4.01" << "4.34" << 100.0 << 49.0;
    QTest::newRow("same score") << "4.7" << "4.7" << 555.0 << 0.0;
    QTest::newRow("no raters") << "4.6" << "4.9" << 0.0 << 0.0;
    QTest::newRow("below current") << "4.8" << "4.7" << 100.0 << -33.0;
    QTest::newRow("target rounded for the difference only") << "4.8" << "4.85555" << 1000.0 << 384.0;
    // clang-format on
}

void ScoreValueTest::fiveStarWithScoreValue()
{
    QFETCH(QString, current);
    QFETCH(QString, target);
    QFETCH(double, raters);
    QFETCH(double, count);
    const auto n = calc::fiveStarCount(*calc::PE_CDbl(current), target, raters);
    QVERIFY(n.has_value());
    QCOMPARE(exactly(*n), exactly(count));
}

void ScoreValueTest::fiveStarInDouble_data()
{
    // clang-format off
    QTest::addColumn<double>("current");
    QTest::addColumn<double>("target");
    QTest::addColumn<double>("raters");
    QTest::addColumn<std::optional<double>>("count");
    using N = std::optional<double>;
    QTest::newRow("difference in double") << 4.01 << 4.34 << 100.0 << N(50.0);
    QTest::newRow("worked turn-red example") << 4.7748 << 4.87224 << 1000.0 << N(762.0);
    QTest::newRow("negative truncates toward zero") << 4.8 << 4.7 << 100.0 << N(-33.0);
    QTest::newRow("target of 5 divides by zero") << 4.8 << 5.0 << 100.0 << N();
    QTest::newRow("overflow") << 0.0 << 4.9 << 1e308 << N();
    // clang-format on
}

void ScoreValueTest::fiveStarInDouble()
{
    QFETCH(double, current);
    QFETCH(double, target);
    QFETCH(double, raters);
    QFETCH(std::optional<double>, count);
    QCOMPARE(calc::fiveStarCount(current, target, raters), count);
}

void ScoreValueTest::roundsToFiveDecimals_data()
{
    // clang-format off
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::addColumn<bool>("exactTie");
    QTest::newRow("worked average") << 4.7748 / 0.98 << 4.87224 << false;
    QTest::newRow("already five") << 4.7748 << 4.7748 << false;
    QTest::newRow("exact half to even, down") << 0.000025 << 0.00002 << true;
    QTest::newRow("exact half to even, down again") << 0.000045 << 0.00004 << true;
    QTest::newRow("exact half to even, near a score") << 4.800025 << 4.80002 << true;
    QTest::newRow("negative") << -1.234567 << -1.23457 << false;
    // clang-format on
}

void ScoreValueTest::roundsToFiveDecimals()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QFETCH(bool, exactTie);
    QCOMPARE(exactly(calc::roundTo5(value)), exactly(rounded));
    if (exactTie) {
        // The row tells half to even from half up only if the scaled value is an exact tie.
        const double scaled = value * 100000.0;
        QCOMPARE(exactly(scaled), exactly(std::floor(scaled) + 0.5));
        QVERIFY(std::floor(scaled + 0.5) / 100000.0 != rounded);
    }
}

void ScoreValueTest::countText_data()
{
    // clang-format off
    QTest::addColumn<double>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("positive") << 762.0 << "762";
    QTest::newRow("negative") << -33.0 << "-33";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("large, no exponent or separators") << 12345678901234567.0 << "12345678901234568";
    // clang-format on
}

void ScoreValueTest::countText()
{
    QFETCH(double, count);
    QFETCH(QString, text);
    QCOMPARE(calc::countText(count), text);
}

void ScoreValueTest::toDouble_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("value");
    using D = std::optional<double>;
    QTest::newRow("decimal") << "85.12" << D(85.12);
    QTest::newRow("blanks") << " 1000 " << D(1000.0);
    QTest::newRow("rater total with a non-breaking space") << QStringLiteral("1000\u00A0") << D(1000.0);
    QTest::newRow("comparison with the markup's line breaks") << "\n 2.00\n" << D(2.0);
    QTest::newRow("non-breaking space inside") << QStringLiteral("1\u00A0000") << D();
    QTest::newRow("no-break spaces as the DOM writes them back") << "&nbsp;500&nbsp;" << D(500.0);
    QTest::newRow("spaces as character references, any case") << "&#xA0;&#160; 85.12&#12288;&#Xa0;" << D(85.12);
    QTest::newRow("reference inside") << "1&nbsp;000" << D();
    QTest::newRow("reference cut short") << "&nbsp500" << D();
    QTest::newRow("exponent") << "1.5e2" << D(150.0);
    QTest::newRow("empty") << "" << D();
    QTest::newRow("comma") << "1,000" << D();
    QTest::newRow("percent") << "2%" << D();
    QTest::newRow("infinite") << "1e999" << D();
    // clang-format on
}

void ScoreValueTest::toDouble()
{
    QFETCH(QString, text);
    QFETCH(std::optional<double>, value);
    QCOMPARE(calc::toDouble(text), value);
}

QTEST_APPLESS_MAIN(ScoreValueTest)
#include "tst_scorevalue.moc"
