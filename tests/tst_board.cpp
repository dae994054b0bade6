// SPDX-License-Identifier: MIT
#include "app/board.h"
#include "app/form1.h"
#include "app/form2.h"
#include "browser/profile.h"
#include "browser/webbrowser.h"
#include "dsrpages.h"
#include "form1probe.h"
#include "notificationservice.h"
#include "present/board.h"
#include "present/wording.h"
#include "store/boardfile.h"
#include "userinput.h"
#include "webtest.h"
#include "webtestbase.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWindow>

#include <memory>

namespace {

// Columns of the board: entry, shop, state, then five per dimension.
constexpr int shopColumn = 1;
constexpr int stateColumn = 2;
constexpr int firstFigureColumn = 3;
enum Figure { Score, Comparison, TurnRed, Headroom, Raters, figuresPerDimension };

int column(int dimension, Figure figure) { return firstFigureColumn + dimension * figuresPerDimension + figure; }

// found's rating page as the catalogue has it the first time it is read, and after that with one
// dimension's score and comparison changed.
void serveFoundChangedOnceRead(int dimension, const QString &score, const lookup::StrongElement &comparison)
{
    QList<tests::DsrFigures> figures = tests::workedFigures();
    figures[dimension].score = score;
    QList<lookup::StrongElement> comparisons = tests::workedComparisons();
    comparisons[dimension] = comparison;
    auto reads = std::make_shared<int>(0);
    tests::serveCatalogue([=](const tests::Request &request) -> std::optional<tests::Response> {
        if (request.host != "rate.taobao.com" || request.target != "/user-rate-1001.htm" || (*reads)++ == 0)
            return std::nullopt;
        return tests::page(QStringLiteral("测试旗舰店 - 信用评价"), tests::ratingPageBody(figures, comparisons));
    });
}

} // namespace

class BoardTest : public tests::WebTestBase
{
    Q_OBJECT
private slots:
    void initTestCase();
    void eachRowIsItsShopsFigures();
    void rowsSortQueryAgainAndGo();
    void personsOwnQueryRunsBesideTheList();
    void messageBoxLeftOpenHoldsNoRow();
    void loginWaitEndsWhereTheLoginLands();
    void pastedLinksGiveTheMainWindowsRows();
    void watchedRowsShowWhatMoved();
    void fallenFiguresAreToldOnTheDesktop();
    void whatIfLineOfTheChosenRow();
    void savedBoardIsBackAfterARestart();
    void autostartEntryFollowsItsTick();

private:
    bool openBoard(const QStringList &entries, int pauseMs = 50);
    QString progress() const { return m_board->findChild<QLabel *>(QStringLiteral("BoardProgress"))->text(); }
    QPushButton *button(const QString &text) const;
    QTableView *table() const { return m_board->findChild<QTableView *>(QStringLiteral("BoardTable")); }
    QStringList row(const QString &entry) const;
    QString state(const QString &entry) const { return row(entry).value(stateColumn); }
    QStringList entriesInOrder() const;
    bool finished() const;

    app::Board *m_board = nullptr;
    tests::NotificationService m_notifications;
};

void BoardTest::initTestCase()
{
    QVERIFY(tests::NotificationService::startPrivateBus());
    QVERIFY(m_notifications.registerOnBus());
}

bool BoardTest::openBoard(const QStringList &entries, int pauseMs)
{
    // Ctrl+B in the main window opens the board; the entries are pasted into its list, as a column
    // copied from a spreadsheet or a chat is.
    if (!tests::focus(form().findChild<QLineEdit *>(QStringLiteral("Text1")))) return false;
    tests::keySequence(&form(), QKeySequence(Qt::CTRL | Qt::Key_B));
    const auto board = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        const auto shown = std::find_if(windows.cbegin(), windows.cend(), [](const QWidget *window) {
            return window->objectName() == QStringLiteral("Board") && window->isVisible();
        });
        return shown == windows.cend() ? nullptr : qobject_cast<app::Board *>(*shown);
    };
    if (!QTest::qWaitFor([&] { return board() != nullptr; })) return false;
    m_board = board();
    m_board->session().setPauseBetweenShops(pauseMs, pauseMs);
    auto *list = m_board->findChild<QPlainTextEdit *>(QStringLiteral("BoardEntries"));
    if (!tests::focus(list)) return false;
    QGuiApplication::clipboard()->setText(entries.join(u'\n') + u'\n');
    tests::keySequence(list, QKeySequence::Paste);
    tests::click(button(QStringLiteral("全部查询")));
    return true;
}

QPushButton *BoardTest::button(const QString &text) const
{
    for (QPushButton *candidate : m_board->findChildren<QPushButton *>()) {
        if (candidate->text() == text) return candidate;
    }
    qFatal("the board has no button %s", qPrintable(text));
}

QStringList BoardTest::row(const QString &entry) const
{
    const QAbstractItemModel *model = table()->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        if (model->index(r, 0).data().toString() != entry) continue;
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(r, c).data().toString();
        return cells;
    }
    return {};
}

QStringList BoardTest::entriesInOrder() const
{
    QStringList entries;
    for (int r = 0; r < table()->model()->rowCount(); ++r)
        entries << table()->model()->index(r, 0).data().toString();
    return entries;
}

bool BoardTest::finished() const
{
    const QString all = QString::number(table()->model()->rowCount());
    return progress() == all + QStringLiteral(" / ") + all && !button(QStringLiteral("停止"))->isEnabled();
}

void BoardTest::eachRowIsItsShopsFigures()
{
    const QString shopLink = QStringLiteral("https://shop1005.taobao.com/view_shop.htm"); // raters "\u00A01000"
    const QString ratingLink = QStringLiteral("rate.taobao.com/user-rate-1002.htm");
    const QStringList entries = {"found", "twodims", shopLink,        ratingLink,   "nobody",
                                 "login", "nodsr",   "slider-rating", "badgateway", "dropped"};
    tests::MessageBoxWatcher boxes;
    QVERIFY(openBoard(entries));

    // The person logs in when the login window asks; the board then goes on with the same entry.
    QTRY_COMPARE_WITH_TIMEOUT(state("login"), QStringLiteral("等待登录"), tests::answerTimeoutMs);
    browser::WebBrowser *login = app::Form2::ifLoaded()->webBrowser1();
    QTRY_COMPARE_WITH_TIMEOUT(login->locationUrl(), QString::fromLatin1(tests::loginPageAddress),
                              tests::answerTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(tests::evaluate(login->page(), "document.readyState === 'complete'").toBool(),
                             tests::answerTimeoutMs);
    login->page()->runJavaScript("document.forms[0].submit();");
    // At a check the person closes the login window instead: the row says what was asked.
    QTRY_COMPARE_WITH_TIMEOUT(state("slider-rating"), QStringLiteral("等待验证"), 2 * tests::answerTimeoutMs);
    app::Form2::ifLoaded()->windowHandle()->close();
    QTRY_VERIFY2_WITH_TIMEOUT(
        finished(),
        qPrintable(progress() + " " + entriesInOrder().join(',') + " " + state("login") + state("slider-rating")),
        tests::answerTimeoutMs);

    QCOMPARE(entriesInOrder(), entries);
    QVERIFY(boxes.seen().isEmpty()); // no message box held up the list
    // The board queried through a browser of its own: the main window queried nothing and shows nothing.
    QCOMPARE(app::Form1Probe::currentQuery(form()), 0);
    QCOMPARE(window().caption(), QString());
    QCOMPARE(window().score(0), QString());
    // A search that failed says so at once, within the wait above and not after the 21 ticks.
    const QMap<QString, QString> states = {{"nobody", QStringLiteral("没有找到对应的店铺")},
                                           {"nodsr", QStringLiteral("无评分")},
                                           {"slider-rating", QStringLiteral("需要验证")},
                                           {"badgateway", QStringLiteral("网络错误")},
                                           {"dropped", QStringLiteral("网络错误")}};
    for (const QString &entry : entries)
        QCOMPARE(state(entry), states.value(entry, QStringLiteral("已读取")));
    for (const QString &entry : {QStringLiteral("nobody"), QStringLiteral("nodsr"), QStringLiteral("dropped")})
        QVERIFY2(row(entry).mid(column(0, Score)).join(QString()).isEmpty(), qPrintable(entry));
    QCOMPARE(row("twodims").mid(shopColumn, 1), QStringList{QStringLiteral("第二家店")});
    QCOMPARE(row("twodims").mid(column(2, Score), figuresPerDimension).join(QString()), QString());
    QCOMPARE(row("found").mid(column(0, Score), 5),
             (QStringList{"4.77", "-2.00%", "762", QStringLiteral("—"), "1000"}));
    QCOMPARE(row(shopLink)[column(0, Raters)], "1000");
    QCOMPARE(row(ratingLink)[column(0, Comparison)], "+1.00%");
    QCOMPARE(row("login"), row("found").replaceInStrings("found", "login"));

    tests::click(button(QStringLiteral("复制表格")));
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    const QStringList lines = copied->text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + entries.size());
    QCOMPARE(lines[1].split('\t'), row("found"));
    QCOMPARE(copied->html().count("<tr>"), 1 + entries.size());
    QVERIFY(copied->html().contains("<tr><td>found</td><td>" + QStringLiteral("测试旗舰店") + "</td><td>"
                                    + QStringLiteral("已读取") + "</td><td>4.77</td>"));
}

void BoardTest::rowsSortQueryAgainAndGo()
{
    QVERIFY(openBoard({"found", "nobody", "twodims"}));
    QTRY_VERIFY_WITH_TIMEOUT(finished(), tests::answerTimeoutMs);

    // Sorted by the description's 飘红 count: 0 before 762, a row without figures last.
    QHeaderView *header = table()->horizontalHeader();
    tests::click(header->viewport(), {header->sectionViewportPosition(column(0, TurnRed)) + 5, header->height() / 2});
    QCOMPARE(entriesInOrder(), (QStringList{"twodims", "found", "nobody"}));
    tests::click(button(QStringLiteral("复制表格")));
    QVERIFY(QGuiApplication::clipboard()->text().section('\n', 1, 1).startsWith("twodims\t"));

    const auto searches = [] {
        const QList<tests::Request> &requests = tests::marketplace().requests();
        return std::count_if(requests.cbegin(), requests.cend(),
                             [](const tests::Request &request) { return tests::searchedName(request) == "nobody"; });
    };
    const auto before = searches();
    tests::click(table()->viewport(), table()->visualRect(table()->model()->index(2, 0)).center());
    tests::click(button(QStringLiteral("重新查询所选")));
    QTRY_COMPARE_WITH_TIMEOUT(searches(), before + 1, tests::answerTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(finished(), tests::answerTimeoutMs);
    QCOMPARE(state("nobody"), QStringLiteral("没有找到对应的店铺"));

    tests::click(table()->viewport(), table()->visualRect(table()->model()->index(1, 0)).center());
    tests::click(button(QStringLiteral("移除所选")));
    QCOMPARE(entriesInOrder(), (QStringList{"twodims", "nobody"}));

    // A row removed (by the Delete key) while its query runs takes no report, and the list goes on
    // without it.
    auto *list = m_board->findChild<QPlainTextEdit *>(QStringLiteral("BoardEntries"));
    QVERIFY(tests::focus(list));
    tests::type(list, "slow");
    tests::click(button(QStringLiteral("全部查询")));
    QTRY_COMPARE_WITH_TIMEOUT(state("slow"), QStringLiteral("查询中"), tests::answerTimeoutMs);
    QCOMPARE(entriesInOrder(), (QStringList{"twodims", "nobody", "found", "slow"}));
    tests::click(table()->viewport(), table()->visualRect(table()->model()->index(3, 0)).center());
    tests::keyClick(table(), Qt::Key_Delete);
    QTRY_VERIFY_WITH_TIMEOUT(finished(), tests::answerTimeoutMs);
    QCOMPARE(entriesInOrder(), (QStringList{"twodims", "nobody", "found"}));
    QCOMPARE(state("found"), QStringLiteral("已读取"));
}

void BoardTest::personsOwnQueryRunsBesideTheList()
{
    QVERIFY(openBoard({"found", "twodims", "nbsp-after"}, 1500));
    QTRY_COMPARE_WITH_TIMEOUT(state("found"), QStringLiteral("已读取"), tests::answerTimeoutMs);

    // Between two shops the person asks for a shop of their own, by Enter in 旺旺号.
    auto *text1 = form().findChild<QLineEdit *>(QStringLiteral("Text1"));
    QVERIFY(tests::focus(text1));
    text1->selectAll();
    tests::type(text1, "hops");
    tests::keyClick(text1, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(window().idle() && window().score(0) == QStringLiteral("4.77分"), tests::answerTimeoutMs);

    // The list goes on by itself, and the person's answer stays while it does.
    QTRY_VERIFY_WITH_TIMEOUT(finished(), 2 * tests::answerTimeoutMs);
    QCOMPARE(window().caption(), QStringLiteral("测试旗舰店-DRS查询"));
    QCOMPARE(text1->text(), QStringLiteral("hops"));
    QCOMPARE(entriesInOrder(), (QStringList{"found", "twodims", "nbsp-after"}));
    QCOMPARE(row("twodims").mid(shopColumn, 4),
             (QStringList{QStringLiteral("第二家店"), QStringLiteral("已读取"), "4.77", "+1.00%"}));
    QCOMPARE(row("nbsp-after")[shopColumn], QStringLiteral("空格店"));
}

void BoardTest::messageBoxLeftOpenHoldsNoRow()
{
    QVERIFY(openBoard({"found", "twodims"}, 1500));
    QTRY_COMPARE_WITH_TIMEOUT(state("found"), QStringLiteral("已读取"), tests::answerTimeoutMs);

    // Between two shops the person queries a name without a shop and leaves its message box open
    // (answering the phone) past the query's 21st tick; the list ends meanwhile.
    QTimer person;
    bool listEndedUnderTheBox = false;
    connect(&person, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !finished()) return;
        person.stop();
        listEndedUnderTheBox = true;
        tests::click(box->button(QMessageBox::Ok));
    });
    person.start(20);
    auto *text1 = form().findChild<QLineEdit *>(QStringLiteral("Text1"));
    QVERIFY(tests::focus(text1));
    text1->selectAll();
    tests::type(text1, "nobody");
    tests::keyClick(text1, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(listEndedUnderTheBox && !QApplication::activeModalWidget(), 2 * tests::answerTimeoutMs);

    QCOMPARE(row("found").mid(stateColumn, 2), (QStringList{QStringLiteral("已读取"), "4.77"}));
    QCOMPARE(row("twodims").mid(stateColumn, 4), (QStringList{QStringLiteral("已读取"), "4.77", "+1.00%", "0"}));
    QCOMPARE(entriesInOrder(), (QStringList{"found", "twodims"}));
}

void BoardTest::loginWaitEndsWhereTheLoginLands()
{
    // The login goes back to the search through two pages that move on by script: a single
    // sign-on page, then a page of the marketplace's own.
    const auto hop = [](const QByteArray &next) {
        return tests::page("hop", "<script>setTimeout(function () { location.replace('" + QString::fromLatin1(next)
                                      + "'); }, 300);</script>");
    };
    tests::serveCatalogue([&](const tests::Request &request) -> std::optional<tests::Response> {
        if (request.host == "login.taobao.com" && request.method == "POST") {
            tests::Response signedOn = tests::redirectTo("https://pass.tmall.com/add?x=1");
            signedOn.headers.append(
                qMakePair(QByteArray("Set-Cookie"), QByteArray("logged=1; Domain=.taobao.com; Path=/; Secure")));
            return signedOn;
        }
        if (request.host == "pass.tmall.com") return hop("https://www.taobao.com/welcome");
        if (request.host == "www.taobao.com" && request.target == "/welcome")
            return hop("https://shopsearch.taobao.com/search?q=login");
        return std::nullopt;
    });
    browser::sharedProfile()->cookieStore()->deleteAllCookies(); // logged out again
    QVERIFY(openBoard({"login", "twodims"}));
    QTRY_COMPARE_WITH_TIMEOUT(state("login"), QStringLiteral("等待登录"), tests::answerTimeoutMs);
    browser::WebBrowser *login = app::Form2::ifLoaded()->webBrowser1();
    QTRY_VERIFY_WITH_TIMEOUT(tests::evaluate(login->page(), "document.forms.length > 0").toBool(),
                             tests::answerTimeoutMs);
    login->page()->runJavaScript("document.forms[0].submit();");
    QTRY_VERIFY_WITH_TIMEOUT(finished(), 2 * tests::answerTimeoutMs);
    QCOMPARE(row("login").mid(stateColumn, 2), (QStringList{QStringLiteral("已读取"), "4.77"}));

    // The board queried the row again once, after the login window had left its last hop (the
    // window's own way back to the search comes from that hop).
    QList<qsizetype> boards, windows;
    const QList<tests::Request> &requests = tests::marketplace().requests();
    for (qsizetype r = 0; r < requests.size(); ++r) {
        if (requests[r].host != "shopsearch.taobao.com" || !requests[r].target.startsWith("/search")) continue;
        if (requests[r].headers.value("referer").contains("www.taobao.com")) windows << r;
        if (tests::searchedName(requests[r]) == "login" && requests[r].headers.value("referer").isEmpty()) boards << r;
    }
    QCOMPARE(windows.size(), 1);
    QCOMPARE(boards.size(), 2);
    QVERIFY(boards[0] < windows[0] && windows[0] < boards[1]);
}

void BoardTest::pastedLinksGiveTheMainWindowsRows()
{
    const QString item = QStringLiteral("https://item.taobao.com/item.htm?id=3001");
    const QString share =
        QStringLiteral("【测试旗舰店】 https://m.tb.cn/h.ItemShare?tk=HiJk 复制这条信息，打开手机淘宝");
    const QString mobile = QStringLiteral("https://shop1001.m.taobao.com/");
    const QString category = QStringLiteral("https://shop1001.taobao.com/category-1234567.htm");
    const QString tmallItem = QStringLiteral("https://detail.tmall.com/item.htm?id=3003");
    const QString search = QStringLiteral("https://s.taobao.com/search?q=view_shop.htm");
    const QString noShop = QStringLiteral("https://item.taobao.com/item.htm?id=3009");
    const QString code = QStringLiteral("￥AbCdEfGhIjK￥");
    const QStringList entries = {item, share, mobile, category, tmallItem, search, noShop, code};
    tests::MessageBoxWatcher boxes;
    tests::marketplace().clearRequests();
    QVERIFY(openBoard(entries));
    QTRY_VERIFY2_WITH_TIMEOUT(finished(), qPrintable(progress()), 2 * tests::answerTimeoutMs);

    QCOMPARE(entriesInOrder(), entries);
    QVERIFY(boxes.seen().isEmpty());
    const QStringList found = {QStringLiteral("测试旗舰店"), QStringLiteral("已读取"), "4.77", "-2.00%", "762"};
    for (const QString &entry : {item, share, mobile, category, tmallItem})
        QCOMPARE(row(entry).mid(shopColumn, 5), found);
    const qsizetype card = present::boardHeaders().indexOf(QStringLiteral("综合体验分"));
    QCOMPARE(row(item).mid(card, 4), (QStringList{"4.3", "4.5", "4.0", "4.1"}));
    QCOMPARE(row(share).mid(card, 4), row(item).mid(card, 4)); // the same item, shared
    QCOMPARE(row(category).mid(card, 4), QStringList(4));      // a shop's own page has no card
    QVERIFY(!table()->isColumnHidden(int(card)));
    QCOMPARE(state(search), QStringLiteral("不是店铺链接"));
    QCOMPARE(state(noShop), QStringLiteral("不是店铺链接"));
    QCOMPARE(state(code), QStringLiteral("淘口令需要在手机淘宝中打开，请粘贴店铺或宝贝的链接"));
    for (const QString &entry : {search, noShop, code})
        QCOMPARE(row(entry).mid(shopColumn + 2).join(QString()), QString());
    for (const tests::Request &request : tests::marketplace().requestsTo("rate.taobao.com"))
        QCOMPARE(request.target, "/user-rate-1001.htm");
}

void BoardTest::watchedRowsShowWhatMoved()
{
    // The worked shop's description rises from 2.00 % below the industry to 0.50 % above it once
    // its rating page has been read the first time.
    serveFoundChangedOnceRead(0, "4.80", {"percent over", "0.50%"});
    QVERIFY(openBoard({"found"}));
    QTRY_VERIFY_WITH_TIMEOUT(finished(), tests::answerTimeoutMs);
    QCOMPARE(row("found").mid(column(0, Score), 2), (QStringList{"4.77", "-2.00%"}));

    // 定时刷新 every 30 minutes, a minute lasting 40 ms: the next round comes some 1.2 s later.
    m_board->session().setWatchMinute(40);
    auto *watch = m_board->findChild<QComboBox *>(QStringLiteral("Watch"));
    QVERIFY(tests::focus(watch));
    tests::keyClick(watch, Qt::Key_Down);
    QCOMPARE(watch->currentText(), QStringLiteral("每30分钟"));
    QVERIFY(progress().contains(QStringLiteral("下一轮")));
    // Before the round the person asks for a shop of their own: the round leaves it shown.
    auto *text1 = form().findChild<QLineEdit *>(QStringLiteral("Text1"));
    QVERIFY(tests::focus(text1));
    tests::type(text1, "twodims");
    tests::keyClick(text1, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(row("found").mid(column(0, Score), 2),
                              (QStringList{QStringLiteral("4.80 ↑0.03"), QStringLiteral("+0.50% ↑2.50% 转红")}),
                              tests::answerTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::answerTimeoutMs);
    QCOMPARE(window().caption(), QStringLiteral("第二家店-DRS查询"));
    QCOMPARE(row("found").mid(column(1, Score), 2), (QStringList{"4.80", "0.00%"})); // unmoved: as it was
    const QModelIndex score = table()->model()->index(0, column(0, Score));
    QCOMPARE(score.data(Qt::ForegroundRole).value<QColor>().hue(), QColor(0xd9, 0x26, 0x1c).hue()); // up: red

    // Its readings as a chart, read by a screen reader by their figures. The industry line is the
    // turn-red count's: the risen page keeps the worked shares (4.7748), 0.50 % above: 4.77.
    tests::doubleClick(table()->viewport(), table()->visualRect(table()->model()->index(0, 0)).center());
    auto *chart = m_board->findChild<QWidget *>(QStringLiteral("ReadingChart"));
    QTRY_VERIFY(chart && chart->isVisible());
    QVERIFY2(
        chart->accessibleDescription().startsWith(QStringLiteral("宝贝与描述相符 4.77、4.80，行业平均 4.87、4.77；")),
        qPrintable(chart->accessibleDescription()));
    const QImage drawn = chart->grab().toImage();
    const QColor line = chart->palette().color(QPalette::Highlight);
    int linePixels = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            linePixels += drawn.pixelColor(x, y) == line;
    QVERIFY2(linePixels > 50, qPrintable(QString::number(linePixels))); // the score lines are drawn
    chart->close();

    // The copy holds the latest figures, then the change columns.
    tests::click(button(QStringLiteral("复制表格")));
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines[0].split('\t').mid(present::boardHeaders().size(), 2),
             (QStringList{QStringLiteral("描述评分变化"), QStringLiteral("描述比行业变化")}));
    const QStringList copied = lines[1].split('\t');
    QCOMPARE(copied.mid(column(0, Score), 2), (QStringList{"4.80", "+0.50%"}));
    QCOMPARE(copied.mid(present::boardHeaders().size(), 2),
             (QStringList{QStringLiteral("↑0.03"), QStringLiteral("↑2.50% 转红")}));

    // Without the changes shown, the copy is the latest figures alone; off stops the next round.
    tests::click(m_board->findChild<QCheckBox *>(QStringLiteral("ShowChanges")));
    QCOMPARE(row("found").mid(column(0, Score), 2), (QStringList{"4.80", "+0.50%"}));
    tests::click(button(QStringLiteral("复制表格")));
    QCOMPARE(QGuiApplication::clipboard()->text().section('\n', 0, 0).split('\t'), present::boardHeaders());
    QVERIFY(tests::focus(watch));
    tests::keyClick(watch, Qt::Key_Up);
    QCOMPARE(watch->currentText(), QStringLiteral("关闭"));
    QVERIFY(!progress().contains(QStringLiteral("下一轮")));
}

void BoardTest::fallenFiguresAreToldOnTheDesktop()
{
    // Read again, the worked shop's service has fallen from 4.80, level with the industry, to 4.79,
    // 0.20 % below it.
    serveFoundChangedOnceRead(1, "4.79", {"percent lower", "0.20%"});
    const qsizetype before = m_notifications.shown().size();
    QVERIFY(openBoard({"found"}));
    QTRY_VERIFY_WITH_TIMEOUT(finished(), tests::answerTimeoutMs);
    QCOMPARE(m_notifications.shown().size(), before); // a first reading tells nothing
    tests::click(table()->viewport(), table()->visualRect(table()->model()->index(0, 0)).center());
    tests::click(button(QStringLiteral("重新查询所选")));
    QTRY_COMPARE_WITH_TIMEOUT(m_notifications.shown().size(), before + 1, tests::answerTimeoutMs);
    const tests::NotificationService::Shown told = m_notifications.shown().last();
    QCOMPARE(told.summary, QStringLiteral("测试旗舰店 评分下降"));
    QCOMPARE(told.body, QStringLiteral("卖家的服务态度：4.79 ↓0.01，转绿 -0.20%"));

    // A click on it raises the board, closed meanwhile, on the shop's row.
    m_board->windowHandle()->close();
    QTRY_VERIFY(!m_board->isVisible());
    m_notifications.click(told.id);
    QTRY_VERIFY_WITH_TIMEOUT(m_board->isVisible(), tests::answerTimeoutMs);
    QCOMPARE(table()->currentIndex().data().toString(), "found");
}

void BoardTest::whatIfLineOfTheChosenRow()
{
    QVERIFY(openBoard({"found", "nobody"}));
    QTRY_VERIFY_WITH_TIMEOUT(finished(), tests::answerTimeoutMs);
    auto *after = m_board->findChild<QLabel *>(QStringLiteral("WhatIfAfter"));
    tests::click(table()->viewport(), table()->visualRect(table()->model()->index(0, 0)).center());
    QVERIFY(after->text().startsWith(QStringLiteral("宝贝与描述相符：4.7748，飘红 762；")));
    auto *fiveStars = m_board->findChild<QSpinBox *>(QStringLiteral("再有5分评价"));
    QVERIFY(tests::focus(fiveStars));
    tests::keySequence(fiveStars, QKeySequence::SelectAll);
    tests::type(fiveStars, "100");
    // 527 480 000 hundred-thousandths over 1100 ratings, 662 still to turn red.
    QVERIFY2(after->text().startsWith(QStringLiteral("宝贝与描述相符：4.79527，飘红 662；")),
             qPrintable(after->text()));
    tests::click(table()->viewport(), table()->visualRect(table()->model()->index(1, 0)).center());
    QCOMPARE(after->text(), QStringLiteral("选择一个已读取的店铺")); // no shop found: nothing to work from
}

LARKSPIRE_WEB_TEST_MAIN(BoardTest)
#include "tst_board.moc"

void BoardTest::savedBoardIsBackAfterARestart()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("watch.larkspire");
    QVERIFY(openBoard({"found"}));
    QTRY_VERIFY_WITH_TIMEOUT(finished(), tests::answerTimeoutMs);
    tests::answerFileDialog(path);
    tests::keySequence(table(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QTRY_COMPARE(m_board->windowTitle(), QStringLiteral("watch.larkspire - 店铺对比"));
    cleanup(); // the program ends

    {
        // Two readings of the days before, written as the board writes its own: the service stood
        // at 4.70 eight days ago and at 4.82 yesterday.
        store::Opened file = store::BoardFile::open(path);
        QVERIFY2(file.file, qPrintable(file.error));
        const present::Reading today = *file.file->latestOf("found");
        for (const auto &[days, score] : {std::pair{-8, "4.70"}, std::pair{-1, "4.82"}}) {
            present::Reading earlier = today;
            earlier.at = today.at.addDays(days);
            earlier.figures.dimensions[1].score = lookup::PageFigure::read(score);
            file.file->append("found", earlier);
        }
    }

    QVERIFY(openBoard({}));
    tests::answerFileDialog(path);
    tests::keySequence(table(), QKeySequence::Open);
    QTRY_COMPARE(entriesInOrder(), QStringList{"found"});
    QCOMPARE(state("found"), QStringLiteral("已读取"));
    QCOMPARE(row("found")[column(1, Score)], QStringLiteral("4.80 ↑0.10")); // since the first reading
    auto *since = m_board->findChild<QComboBox *>(QStringLiteral("ChangeSince"));
    QVERIFY(tests::focus(since));
    tests::keyClick(since, Qt::Key_Down);
    QCOMPARE(since->currentText(), QStringLiteral("比昨天"));
    QCOMPARE(row("found")[column(1, Score)], QStringLiteral("4.80 ↓0.02"));

    const QString csv = dir.filePath("history.csv");
    tests::answerFileDialog(csv);
    tests::click(button(QStringLiteral("导出历史")));
    QTRY_VERIFY(QFile::exists(csv));
    QFile exported(csv);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(exported.readAll()).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4); // the header and the three readings, oldest first
    QCOMPARE(lines[1].section(',', 1, 2), QStringLiteral("found,测试旗舰店"));
    QCOMPARE(lines[2].section(',', 3 + 5, 3 + 5), "4.82");
    QCOMPARE(lines[3].section(',', 3 + 5, 3 + 5), "4.80");
}

void BoardTest::autostartEntryFollowsItsTick()
{
    const QString entry = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                          + "/autostart/example.quillfen.Larkspire-board.desktop";
    QFile::remove(entry);
    QVERIFY(openBoard({}));
    auto *bar = m_board->findChild<QMenuBar *>();
    QMenu *file = bar->actions().value(0)->menu();
    QAction *autostart = file->actions().last();
    QCOMPARE(autostart->text(), QStringLiteral("登录后自动打开上次的对比表"));
    for (const bool ticked : {true, false}) {
        tests::click(bar, bar->actionGeometry(file->menuAction()).center());
        QTRY_VERIFY(file->isVisible());
        tests::click(file, file->actionGeometry(autostart).center());
        QFile written(entry);
        QCOMPARE(written.open(QIODevice::ReadOnly), ticked);
        QCOMPARE(
            written.readAll().contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" --board\n"),
            ticked);
    }
}
