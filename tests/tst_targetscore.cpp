// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "browser/webbrowser.h"
#include "dsrpages.h"
#include "form1probe.h"
#include "userinput.h"
#include "webtest.h"
#include "webtestbase.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

namespace {

// Current scores 4.8 / 4.6 / 4.95 with 1000 / 123 / 100 raters.
QList<tests::DsrFigures> currentFigures()
{
    const QStringList shares = {"80%", "20%", "0%", "0%", "0%"};
    return {{"4.8", shares, "1000"}, {"4.6", shares, "123"}, {"4.95", shares, "100"}};
}

} // namespace

class TargetScoreTest : public tests::WebTestBase
{
    Q_OBJECT
private slots:
    void targetOf5IsRunAgainAs4_9_data();
    void targetOf5IsRunAgainAs4_9();
    void differenceIsTakenAtFourDecimals();
    void typingKeyByKey();
    void unreadableRaterTotalLeavesTheResult();
    void newRatingPageEmptiesResults();
    void copiedSummary_data();
    void copiedSummary();
    void ratingPageOpensInTheUsersBrowser_data();
    void ratingPageOpensInTheUsersBrowser();

private:
    void readRatingPage(const QList<tests::DsrFigures> &figures)
    {
        app::Form1Probe::readPage(form(), tests::ratingSnapshot(figures));
    }
    QLineEdit *input(int d) { return window().target(d); }
    QLabel *result(int d) { return window().figure(app::Role::TargetResult, d); }
};

void TargetScoreTest::targetOf5IsRunAgainAs4_9_data()
{
    // clang-format off
    QTest::addColumn<int>("dimension");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownInput");
    QTest::addColumn<QString>("shownResult");
    QTest::newRow("5 becomes 4.9") << 0 << "5" << "4.9" << "1000";
    QTest::newRow("5 over a score above 4.9") << 2 << "5" << "4.9" << "";
    // clang-format on
}

void TargetScoreTest::targetOf5IsRunAgainAs4_9()
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
    QVERIFY(tests::focus(input(0)));
    tests::keyClick(input(0), Qt::Key_4);
    QCOMPARE(result(0)->text(), "");
    tests::keyClick(input(0), Qt::Key_Period);
    QCOMPARE(result(0)->text(), "");
    tests::keyClick(input(0), Qt::Key_9);
    QCOMPARE(result(0)->text(), "1000");
    tests::keyClick(input(0), Qt::Key_Backspace);
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

void TargetScoreTest::copiedSummary_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("targets");
    QTest::addColumn<QString>("targetLines");
    QTest::newRow("no target") << QStringList{"", "", ""} << QString();
    QTest::newRow("targets with and without a result")
        << QStringList{"4.9", "abc", " 5 "}
        << QStringLiteral("宝贝与描述相符提升到：4.9分 需要5分人数：1000\n");
    // clang-format on
}

void TargetScoreTest::copiedSummary()
{
    QFETCH(QStringList, targets);
    QFETCH(QString, targetLines);
    lookup::PageSnapshot shop;
    shop.locationUrl = shop.documentUrl = "https://shop1.taobao.com/view_shop.htm";
    shop.title = QStringLiteral("首页-测试旗舰店-淘宝网");
    shop.bodyHtml = QString(); // no rating link: the page flow stops here
    app::Form1Probe::readPage(form(), shop);
    lookup::PageSnapshot rating = tests::ratingSnapshot(currentFigures());
    rating.strongs = tests::workedComparisons();
    app::Form1Probe::readPage(form(), rating);
    for (int d = 0; d < 3; ++d)
        input(d)->setText(targets[d]);
    QApplication::clipboard()->clear();

    // A right click on the results opens their menu, whose first entry copies them.
    QStringList entries;
    QTimer::singleShot(0, this, [&entries] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) return;
        for (const QAction *action : menu->actions())
            entries << action->text();
        tests::click(menu, menu->actionGeometry(menu->actions().value(0)).center());
    });
    tests::click(form().findChild<QWidget *>("Frame2"), QPoint(40, 40), Qt::RightButton);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(entries, (QStringList{QStringLiteral("复制结果"), QStringLiteral("在浏览器中打开评分页"),
                                   QStringLiteral("加入对比"), QStringLiteral("打开店铺对比")}));
    const QString summary = QStringLiteral("测试旗舰店-DRS查询\n"
                                           "宝贝与描述相符：4.8分 低于行业平均 2.00% 飘红需要5分人数：960\n"
                                           "卖家的服务态度：4.6分 与行业平均持平 0.00% 飘红需要5分人数：0\n"
                                           "物流服务的质量：4.95分 高于行业平均 3.00% 飘红需要5分人数：0\n")
                            + targetLines + QStringLiteral("https://rate.taobao.com/user-rate-abc.htm\n");
    QCOMPARE(QApplication::clipboard()->text(), summary);

    // Ctrl+C does the same unless a text box has the focus, which copies its own selection.
    QApplication::clipboard()->clear();
    QVERIFY(tests::focus(form().findChild<QWidget *>("Command1")));
    tests::keySequence(&form(), QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), summary);
    QApplication::clipboard()->clear();
    QVERIFY(tests::focus(input(0)));
    input(0)->selectAll();
    tests::keySequence(&form(), QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), targets[0]);
    QCOMPARE(input(0)->text(), targets[0]);
}

void TargetScoreTest::ratingPageOpensInTheUsersBrowser_data()
{
    // clang-format off
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("opens");
    QTest::newRow("the marketplace's rating page") << "https://rate.taobao.com/user-rate-abc.htm" << true;
    QTest::newRow("a page elsewhere named like one") << "https://evil.example/rate.taobao.com/user-rate-abc.htm" << false;
    // clang-format on
}

void TargetScoreTest::ratingPageOpensInTheUsersBrowser()
{
    QFETCH(QString, address);
    QFETCH(bool, opens);
    tests::DesktopStub desktop({"http", "https"});
    QAction *open = form().findChild<QWidget *>("Frame2")->actions().value(1);
    QVERIFY(open);
    QCOMPARE(open->text(), QStringLiteral("在浏览器中打开评分页"));
    QVERIFY(!open->isEnabled());

    lookup::PageSnapshot page = tests::ratingSnapshot(currentFigures());
    page.locationUrl = page.documentUrl = address;
    app::Form1Probe::readPage(form(), page);
    QCOMPARE(open->isEnabled(), opens);
    open->trigger();
    QCOMPARE(desktop.opened, opens ? QStringList{address} : QStringList());

    // A new query has read no rating page yet.
    window().query("abc");
    QVERIFY(!open->isEnabled());
}

LARKSPIRE_WEB_TEST_MAIN(TargetScoreTest)
#include "tst_targetscore.moc"
