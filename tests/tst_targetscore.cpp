#include "app/form1.h"
#include "browser/webbrowser.h"
#include "dsrpages.h"
#include "webtest.h"

#include <QLabel>
#include <QLineEdit>

#include <memory>

namespace {

// Current scores 4.8 / 4.6 / 4.95 with 1000 / 123 / 100 raters.
QList<tests::DsrFigures> currentFigures()
{
    const QStringList shares = {"80%", "20%", "0%", "0%", "0%"};
    return {{"4.8", shares, "1000"}, {"4.6", shares, "123"}, {"4.95", shares, "100"}};
}

lookup::PageSnapshot ratingPage(const QList<tests::DsrFigures> &figures)
{
    lookup::PageSnapshot page;
    page.locationUrl = page.documentUrl = "https://rate.taobao.com/user-rate-abc.htm";
    page.dsrListHtml = tests::dsrListMarkup(figures);
    page.bodyHtml = QString();
    return page;
}

} // namespace

class TargetScoreTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void emptyBeforeAnyRatingPage();
    void target_data();
    void target();
    void differenceIsTakenAtFourDecimals();
    void typingKeyByKey();
    void unreadableRaterTotalLeavesTheResult();
    void newRatingPageEmptiesResults();

private:
    void readRatingPage(const QList<tests::DsrFigures> &figures)
    {
        emit m_form->webBrowser2()->documentComplete(ratingPage(figures));
    }
    QLineEdit *input(int d) const { return m_form->findChild<QLineEdit *>(QStringList{"Text2", "Text3", "Text4"}[d]); }
    QLabel *result(int d) const { return m_form->findChild<QLabel *>(QStringList{"Label20", "Label23", "Label26"}[d]); }

    std::unique_ptr<app::Form1> m_form;
};

void TargetScoreTest::init()
{
    m_form = std::make_unique<app::Form1>();
    m_form->show();
}

void TargetScoreTest::cleanup() { m_form.reset(); }

void TargetScoreTest::emptyBeforeAnyRatingPage()
{
    for (int d = 0; d < 3; ++d) {
        for (const QString &typed : {"4.9", "0", "abc", "5", "6"}) {
            input(d)->setText(typed);
            QCOMPARE(result(d)->text(), "");
        }
    }
}

void TargetScoreTest::target_data()
{
    QTest::addColumn<int>("dimension");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownInput");
    QTest::addColumn<QString>("shownResult");
    for (int d = 0; d < 3; ++d) {
        const QByteArray row = QByteArray::number(d) + ": ";
        QTest::newRow(row + "empty") << d << "" << "" << "";
        QTest::newRow(row + "zero") << d << "0" << "0" << "";
        QTest::newRow(row + "not a number") << d << "abc" << "abc" << "";
        QTest::newRow(row + "above 5") << d << "6" << "6" << "";
    }
    QTest::newRow("below the current score") << 0 << "4.7" << "4.7" << "";
    QTest::newRow("the current score") << 0 << "4.8" << "4.8" << "0";
    QTest::newRow("one tenth up") << 0 << "4.9" << "4.9" << "1000";
    QTest::newRow("blanks around") << 0 << "  4.9 " << "  4.9 " << "1000";
    QTest::newRow("ideographic and non-breaking spaces around")
        << 0 << QStringLiteral("\u30004.9\u00A0") << QStringLiteral("\u30004.9\u00A0") << "1000";
    QTest::newRow("tab inside is no number") << 0 << "4.\t9" << "4.\t9" << "";
    QTest::newRow("5 becomes 4.9") << 0 << "5" << "4.9" << "1000";
    QTest::newRow("5 at four decimals becomes 4.9") << 0 << "5.00004" << "4.9" << "1000";
    QTest::newRow("truncated, not rounded") << 1 << "4.85" << "4.85" << "204";
    QTest::newRow("5 over a score above 4.9") << 2 << "5" << "4.9" << "";
}

void TargetScoreTest::target()
{
    QFETCH(int, dimension);
    QFETCH(QString, typed);
    QFETCH(QString, shownInput);
    QFETCH(QString, shownResult);
    readRatingPage(currentFigures());
    input(dimension)->setText("x");
    input(dimension)->setText(typed);
    QCOMPARE(input(dimension)->text(), shownInput);
    QCOMPARE(result(dimension)->text(), shownResult);
}

void TargetScoreTest::differenceIsTakenAtFourDecimals()
{
    // 4.34 - 4.01 in doubles is a hair under 0.33, which would give 50 instead of 49.
    const QStringList shares = {"80%", "20%", "0%", "0%", "0%"};
    readRatingPage({{"4.01", shares, "100"}, {"4.6", shares, "123"}, {"4.95", shares, "100"}});
    input(0)->setText("4.34");
    QCOMPARE(result(0)->text(), "49");
}

void TargetScoreTest::typingKeyByKey()
{
    readRatingPage(currentFigures());
    input(0)->setFocus();
    QTest::keyClick(input(0), Qt::Key_4);
    QCOMPARE(result(0)->text(), "");
    QTest::keyClick(input(0), Qt::Key_Period);
    QCOMPARE(result(0)->text(), "");
    QTest::keyClick(input(0), Qt::Key_9);
    QCOMPARE(result(0)->text(), "1000");
    QTest::keyClick(input(0), Qt::Key_Backspace);
    QCOMPARE(result(0)->text(), "");
}

void TargetScoreTest::unreadableRaterTotalLeavesTheResult()
{
    QList<tests::DsrFigures> figures = currentFigures();
    figures[0].raters = "many";
    readRatingPage(figures);
    result(0)->setText("123");
    input(0)->setText("4.9");
    QCOMPARE(result(0)->text(), "123");
    input(0)->setText("4.7"); // needs no rater total
    QCOMPARE(result(0)->text(), "");
}

void TargetScoreTest::newRatingPageEmptiesResults()
{
    readRatingPage(currentFigures());
    input(0)->setText("4.9");
    input(1)->setText("4.85");
    QCOMPARE(result(0)->text(), "1000");
    readRatingPage(currentFigures());
    QCOMPARE(result(0)->text(), "");
    QCOMPARE(result(1)->text(), "");
    QCOMPARE(input(0)->text(), "4.9");
    QCOMPARE(input(1)->text(), "4.85");
}

LARKSPIRE_WEB_TEST_MAIN(TargetScoreTest)
#include "tst_targetscore.moc"
