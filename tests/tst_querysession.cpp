// SPDX-License-Identifier: MIT
#include "dsrpages.h"
#include "lookup/searchaddress.h"
#include "session/boardsession.h"

#include <QTest>

using session::QuerySession;

namespace {

// A hidden browser as a script drives it: each navigation kept and numbered from 1, each page
// handed to the session by the script.
struct ScriptedNavigator : lookup::Navigator {
    explicit ScriptedNavigator(QStringList &log)
        : navigated(log)
    {}
    int navigate(const QString &address) override { return int((navigated << address).size()); }
    void renewPage() override { ++renewed; }
    QStringList &navigated;
    int renewed = 0;
};

// The window's side: the button's states, messages, the login window and the caption, in order.
struct RecordingView : session::QueryView, session::LoginWindow {
    QStringList calls;
    void showBusy(bool busy) override { calls << (busy ? "busy" : "idle"); }
    void showMessage(const QString &text) override { calls << "message " + text; }
    void showLogin(const QString &address) override { show(address); }
    void show(const QString &) override { calls << "login"; }
    bool isShown() const override { return false; }
    void setResultsCaption(const QString &caption) override { calls << "caption " + caption; }
    void clearResults() override { calls << "clear"; }
};

const QString ratingLink = "//rate.taobao.com/user-rate-1.htm";

// A completed page of the given navigation: "search", "shop" (linking its rating page), "rating"
// (the worked figures), "login", or the engine's error page shown under the search's address
// ("error") and the report of that failed load ("failed").
lookup::PageSnapshot page(int navigation, const QString &kind)
{
    lookup::PageSnapshot made =
        kind == "rating" ? tests::ratingSnapshot(tests::workedFigures()) : lookup::PageSnapshot{};
    if (kind == "search" || kind == "error" || kind == "failed") made.locationUrl = lookup::searchAddress(u"a");
    if (kind == "shop") made.locationUrl = "https://shop1.taobao.com/view_shop.htm";
    if (kind == "login") made.locationUrl = "https://login.taobao.com/member/login.jhtml";
    if (kind != "rating") made.documentUrl = made.locationUrl;
    if (kind == "error") made.documentUrl = "chrome-error://chromewebdata/";
    made.loadFailed = kind == "failed";
    made.title = "-a-";
    made.bodyHtml = "<a href=\"" + ratingLink + "\">评价</a>";
    made.navigation = navigation;
    return made;
}

QString endingOf(const present::QueryReport &report)
{
    static const char *const names[] = {"figures",   "noshop", "login",     "verification", "timeout",
                                        "noratings", "nolink", "sharecode", "failed"};
    return QString::number(report.query) + ' ' + names[int(report.ending)];
}

// A session over a scripted navigator, shown in a recording view.
struct Scripted {
    Scripted() { query.setNavigator(&navigator); }
    QStringList navigated;
    RecordingView view;
    ScriptedNavigator navigator{navigated};
    QuerySession query{view};
};

} // namespace

class QuerySessionTest : public QObject
{
    Q_OBJECT
private slots:
    void scriptsOfAQuery_data();
    void scriptsOfAQuery();
    void aPageServesFiftyQueries();
    void theBoardsBrowserIsItsOwnUntilClosed();
    void aRoundsFallsAreToldInOneNotice();
};

void QuerySessionTest::scriptsOfAQuery_data()
{
    QTest::addColumn<QStringList>("script"); // "start NAME", "page N KIND", "tick N", "died", "board"
    QTest::addColumn<QStringList>("navigated");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("reports");
    const QString search = lookup::searchAddress(u"a");
    // clang-format off
    QTest::newRow("an empty name is refused, nothing starts")
        << QStringList{"start"} << QStringList{} << QStringList{QStringLiteral("message 请输入旺旺名")} << QStringList{};
    QTest::newRow("no shop: the message, then the button back and the report")
        << QStringList{"start a", "page 1 search"} << QStringList{search}
        << QStringList{"busy", QStringLiteral("message 没有找到对应的店铺"), "idle"} << QStringList{"1 noshop"};
    QTest::newRow("a shop page leads to its rating page, in the same query")
        << QStringList{"start a", "page 1 shop", "page 2 rating"} << QStringList{search, ratingLink}
        << QStringList{"busy", "clear", "caption a-DRS查询", "clear", "idle"} << QStringList{"1 figures"};
    QTest::newRow("Timer1 gives the button back at the 21st tick, not before")
        << QStringList{"start a", "tick 20", "page 1 login", "tick 1"} << QStringList{search}
        << QStringList{"busy", "login", "idle", "idle"} << QStringList{"1 login"};
    QTest::newRow("timed out, a late page of the same query is still followed")
        << QStringList{"start a", "tick 21", "page 1 shop"} << QStringList{search, ratingLink}
        << QStringList{"busy", "idle", "clear", "caption a-DRS查询"} << QStringList{"1 timeout"};
    QTest::newRow("a page of an earlier query is left alone: it shows and navigates nothing")
        << QStringList{"start a", "tick 21", "start a", "page 1 shop", "page 1 rating"} << QStringList{search, search}
        << QStringList{"busy", "idle", "busy"} << QStringList{"1 timeout"};
    QTest::newRow("no second query while the button is busy")
        << QStringList{"start a", "start b"} << QStringList{search} << QStringList{"busy"} << QStringList{};
    QTest::newRow("the engine dying gives the button back at once")
        << QStringList{"start a", "died"} << QStringList{search} << QStringList{"busy", "idle"} << QStringList{"1 noratings"};
    QTest::newRow("the engine's error page under the search's address is no search: Timer1 ends the query")
        << QStringList{"start a", "page 1 error", "tick 21"} << QStringList{search} << QStringList{"busy", "idle"}
        << QStringList{"1 failed"};
    QTest::newRow("a failed load ends the board's query at once")
        << QStringList{"board", "start a", "page 1 failed"} << QStringList{search} << QStringList{"busy", "idle"}
        << QStringList{"1 failed"};
    QTest::newRow("a share code ends at once, told once the caller is done")
        << QStringList{QStringLiteral("start ￥AbCdEfGhIjK￥")} << QStringList{}
        << QStringList{"message " + lookup::shareCodeMessage()} << QStringList{"1 sharecode"};
    QTest::newRow("a rating link clears the last shop's figures and caption first")
        << QStringList{"start rate.taobao.com/user-rate-1.htm"} << QStringList{"https://rate.taobao.com/user-rate-1.htm"}
        << QStringList{"clear", "caption ", "busy"} << QStringList{};
    // clang-format on
}

void QuerySessionTest::scriptsOfAQuery()
{
    QFETCH(QStringList, script);
    Scripted scripted;
    QuerySession &query = scripted.query;
    QStringList reports;
    connect(&query, &QuerySession::queryEnded, this,
            [&](const present::QueryReport &report) { reports << endingOf(report); });
    for (const QString &line : script) {
        const QStringList words = line.split(' ');
        if (words[0] == "start") query.start(line.mid(6));
        if (words[0] == "page") query.follow(page(words[1].toInt(), words[2]));
        for (int tick = 0; words[0] == "tick" && tick < words[1].toInt(); ++tick)
            query.timer1Tick();
        if (words[0] == "died") query.engineDied();
        if (words[0] == "board") query.setEndsAtAFailedLoad(true);
    }
    QCoreApplication::processEvents();
    QTEST(scripted.navigated, "navigated");
    QTEST(scripted.view.calls, "calls");
    QTEST(reports, "reports");
}

void QuerySessionTest::aPageServesFiftyQueries()
{
    Scripted scripted;
    for (int n = 1; n <= 101; ++n) {
        scripted.query.start("a");
        scripted.query.follow(page(int(scripted.navigated.size()), "search"));
        QCOMPARE(scripted.navigator.renewed, n / 51 + n / 101); // the 51st and the 101st start on a fresh page
    }
}

void QuerySessionTest::theBoardsBrowserIsItsOwnUntilClosed()
{
    QStringList navigated;
    RecordingView login;
    int made = 0;
    session::BoardSession board(login, [&](QuerySession &) {
        ++made;
        return std::make_unique<ScriptedNavigator>(navigated);
    });
    board.setPauseBetweenShops(0, 0);
    QVERIFY(!board.navigator());
    board.run().addRow("a");
    board.run().queryAll({1});
    QVERIFY(board.navigator());
    QCOMPARE(navigated, QStringList{lookup::searchAddress(u"a")});
    // Closed while its query runs: the row still takes its report, then the browser goes.
    board.close();
    QVERIFY(board.navigator());
    board.querySession().follow(page(1, "login"));
    QVERIFY(!board.navigator());
    QCOMPARE(login.calls, QStringList{"login"}); // the one login window: nothing else is shown
    QCOMPARE(board.run().rows()[0].report->ending, present::QueryEnding::Login);
    board.open();
    board.run().queryAll({1});
    QCOMPARE(made, 2);
}

void QuerySessionTest::aRoundsFallsAreToldInOneNotice()
{
    QStringList navigated;
    RecordingView login;
    session::BoardSession board(login, [&](QuerySession &) { return std::make_unique<ScriptedNavigator>(navigated); });
    board.setPauseBetweenShops(0, 0);
    QList<present::FallNotice> told;
    connect(&board, &session::BoardSession::fell, this, [&](const present::FallNotice &falls) { told << falls; });
    QList<tests::DsrFigures> fallen = tests::workedFigures();
    fallen[1].score = "4.70";
    board.run().addRow("a");
    board.run().addRow("b");
    for (int queried = 1; queried <= 4; ++queried) { // two rounds of the two rows, the second fallen
        if (queried % 2) board.run().queryAll({1, 2});
        QTRY_COMPARE(navigated.size(), queried); // each row's query, after the pause before it
        lookup::PageSnapshot rating = tests::ratingSnapshot(queried > 2 ? fallen : tests::workedFigures());
        rating.navigation = queried;
        board.querySession().follow(rating);
    }
    QTRY_COMPARE(told.size(), 1);
    QCOMPARE(told[0].shops.size(), 2);
    QCOMPARE(told[0].shops[0].falls, QStringList{QStringLiteral("卖家的服务态度：4.70 ↓0.10")});
}

QTEST_GUILESS_MAIN(QuerySessionTest)
#include "tst_querysession.moc"
