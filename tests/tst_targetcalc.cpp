// SPDX-License-Identifier: MIT
#include "calc/targetscore.h"

#include <QTest>

using Action = calc::TargetOutcome::Action;

Q_DECLARE_METATYPE(Action)

class TargetCalcTest : public QObject
{
    Q_OBJECT
private slots:
    void outcome_data();
    void outcome();
};

void TargetCalcTest::outcome_data()
{
    // clang-format off
    QTest::addColumn<QString>("score"); // the shown score label; the record holds its number
    QTest::addColumn<QString>("raters");
    QTest::addColumn<QString>("target");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("text");
    const QString s48 = QStringLiteral("4.8分");
    for (const char *target : {"4.9", "0", "abc", "5", "6"})
        QTest::newRow(QByteArray("no rating page read yet: ") + target) << "" << "1000" << target << Action::Show << "";
    QTest::newRow("empty") << s48 << "1000" << "" << Action::Show << "";
    QTest::newRow("zero") << s48 << "1000" << "0" << Action::Show << "";
    QTest::newRow("not a number") << s48 << "1000" << "abc" << Action::Show << "";
    QTest::newRow("above 5") << s48 << "1000" << "6" << Action::Show << "";
    QTest::newRow("below the current score") << s48 << "1000" << "4.7" << Action::Show << "";
    QTest::newRow("the current score") << s48 << "1000" << "4.8" << Action::Show << "0";
    QTest::newRow("one tenth up") << s48 << "1000" << "4.9" << Action::Show << "1000";
    QTest::newRow("blanks around") << s48 << "1000" << "  4.9 " << Action::Show << "1000";
    QTest::newRow("ideographic and non-breaking spaces around")
        << s48 << "1000" << QStringLiteral("\u30004.9\u00A0") << Action::Show << "1000";
    QTest::newRow("tab inside is no number") << s48 << "1000" << "4.\t9" << Action::Show << "";
    QTest::newRow("5 becomes 4.9") << s48 << "1000" << "5" << Action::ReplaceTarget << "4.9";
    QTest::newRow("5 at four decimals becomes 4.9") << s48 << "1000" << "5.00004" << Action::ReplaceTarget << "4.9";
    QTest::newRow("truncated, not rounded") << "4.6" << "123" << "4.85" << Action::Show << "204";
    QTest::newRow("difference at four decimals") << "4.01" << "100" << "4.34" << Action::Show << "49";
    QTest::newRow("rater total with a non-breaking space") << s48 << QStringLiteral("1000\u00A0") << "4.9" << Action::Show
                                                           << "1000";
    QTest::newRow("unreadable rater total") << s48 << "many" << "4.9" << Action::Keep << "";
    QTest::newRow("unreadable rater total, not needed") << s48 << "many" << "4.7" << Action::Show << "";
    QTest::newRow("target out of range") << s48 << "1000" << "1e300" << Action::Keep << "";
    // clang-format on
}

void TargetCalcTest::outcome()
{
    QFETCH(QString, score);
    QFETCH(QString, raters);
    QFETCH(QString, target);
    QFETCH(Action, action);
    QFETCH(QString, text);
    calc::DsrRecord record;
    record.scoreTexts = {QString(score).remove(QStringLiteral("分"))};
    record.raterTotals = {raters};
    const calc::TargetOutcome outcome = calc::targetOutcome(record, 0, score, target);
    QCOMPARE(outcome.action, action);
    QCOMPARE(outcome.text, text);
}

QTEST_APPLESS_MAIN(TargetCalcTest)
#include "tst_targetcalc.moc"
