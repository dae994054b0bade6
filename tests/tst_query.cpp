// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "app/twips.h"
#include "browser/webbrowser.h"
#include "form1probe.h"
#include "userinput.h"
#include "webtest.h"
#include "webtestbase.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTimer>
#include <QWebEngineView>

#include <optional>

using tests::marketplace;

namespace {

const QByteArray searchSuffix = "&js=1&stats_click=search_radio_all%3A1&initiative_id=staobaoz_20170912&ie=utf8";

bool isSearch(const tests::Request &request) { return request.host == "shopsearch.taobao.com"; }

} // namespace

class QueryTest : public tests::WebTestBase
{
    Q_OBJECT
private slots:
    void init() override;
    void emptyNameAsksForOne();
    void queryGoesBusyAndSearches_data();
    void queryGoesBusyAndSearches();
    void keyStartsAQuery_data();
    void keyStartsAQuery();
    void queriedNamesAreOffered();
    void offeredNameQueries_data();
    void offeredNameQueries();
    void timeoutGivesTheButtonBackAtTheTwentyFirstTick();
    void clickAfterEarlyGiveBackRearms();
    void promotionPanel_data();
    void promotionPanel();
    void promotionLinksOpenInTheUsersBrowser_data();
    void promotionLinksOpenInTheUsersBrowser();

private:
    QLineEdit *text1() { return form().findChild<QLineEdit *>("Text1"); }
    QPushButton *command1() { return form().findChild<QPushButton *>("Command1"); }

    QByteArray m_promotionBody;
};

void QueryTest::init()
{
    WebTestBase::init();
    // The promotion page of each test's own; the names queried find no shop.
    m_promotionBody = "<html><body>ad</body></html>";
    tests::serveCatalogue([this](const tests::Request &request) -> std::optional<tests::Response> {
        if (request.host == "www.quillfen.example" && request.target == "/dsr/ad.html") {
            tests::Response response;
            response.body = m_promotionBody;
            return response;
        }
        if (request.target == "/frame.html") return tests::page("frame", "Quillfen in a frame");
        return std::nullopt;
    });
}

void QueryTest::emptyNameAsksForOne()
{
    tests::MessageBoxWatcher boxes;
    tests::click(command1());
    QCOMPARE(boxes.seen().size(), 1);
    QCOMPARE(boxes.seen()[0].title, "Larkspire");
    QCOMPARE(boxes.seen()[0].text, QStringLiteral("请输入旺旺名"));
    QCOMPARE(boxes.seen()[0].icon, int(QMessageBox::NoIcon));
    QCOMPARE(boxes.seen()[0].buttons, int(QMessageBox::Ok));
    QVERIFY(window().idle());
    QCOMPARE(app::Form1Probe::busyTicks(form()), 0);
    QVERIFY(!app::Form1Probe::timer1(form())->isActive());
    QTest::qWait(tests::lateEventsMs);
    QVERIFY(marketplace().requestsTo("shopsearch.taobao.com").isEmpty());
}

void QueryTest::queryGoesBusyAndSearches_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("ascii") << "abc" << QByteArray("abc");
    QTest::newRow("chinese") << QStringLiteral("小米旗舰店") << QByteArray("%E5%B0%8F%E7%B1%B3%E6%97%97%E8%88%B0%E5%BA%97");
    QTest::newRow("spaces around, query syntax inside")
        << QStringLiteral("  店 铺&#%x  ") << QByteArray("%E5%BA%97%20%E9%93%BA%26%23%25x");
    QTest::newRow("only spaces") << "   " << QByteArray();
    // clang-format on
}

void QueryTest::queryGoesBusyAndSearches()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, encoded);
    tests::MessageBoxWatcher boxes; // the fake search answers "no shop"
    window().query(name);
    QVERIFY(window().busy());
    QCOMPARE(app::Form1Probe::busyTicks(form()), 1);
    QVERIFY(app::Form1Probe::timer1(form())->isActive());
    QCOMPARE(app::Form1Probe::timer1(form())->interval(), 1000);

    QVERIFY(tests::waitForRequest(isSearch));
    const QList<tests::Request> searches = marketplace().requestsTo("shopsearch.taobao.com");
    QCOMPARE(searches.size(), 1);
    QCOMPARE(searches[0].method, "GET");
    QVERIFY(searches[0].https);
    QCOMPARE(searches[0].target, "/search?q=%40" + encoded + searchSuffix);
}

void QueryTest::keyStartsAQuery_data()
{
    // clang-format off
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("Return on the button") << "Command1" << int(Qt::Key_Return);
    QTest::newRow("Enter on the keypad on the button") << "Command1" << int(Qt::Key_Enter);
    QTest::newRow("Space on the button") << "Command1" << int(Qt::Key_Space);
    QTest::newRow("Return in the name input") << "Text1" << int(Qt::Key_Return);
    QTest::newRow("Enter on the keypad in the name input") << "Text1" << int(Qt::Key_Enter);
    // clang-format on
}

void QueryTest::keyStartsAQuery()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    tests::MessageBoxWatcher boxes;
    QWidget *focused = form().findChild<QWidget *>(focus);
    QVERIFY(tests::focus(focused));
    tests::keyClick(focused, Qt::Key(key)); // with no name, as the button does: a message
    QCOMPARE(boxes.seen().size(), 1);
    QCOMPARE(boxes.seen()[0].text, QStringLiteral("请输入旺旺名"));
    text1()->setText("abc");
    tests::keyClick(focused, Qt::Key(key));
    QVERIFY(window().busy());
    QVERIFY(tests::waitForRequest(isSearch));
}

void QueryTest::queriedNamesAreOffered()
{
    tests::MessageBoxWatcher boxes;
    for (const QString &name : QStringList{" abc ", "abd", QStringLiteral("\txyz\u3000"), "abc"}) {
        window().query(name);
        QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::answerTimeoutMs);
    }
    // The latest first, each once, as it was searched: without the spaces around it, tab kept.
    auto *names = qobject_cast<QStringListModel *>(text1()->completer()->model());
    QVERIFY(names);
    QCOMPARE(names->stringList(), (QStringList{"abc", "\txyz", "abd"}));
}

void QueryTest::offeredNameQueries_data()
{
    // clang-format off
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QByteArray>("searched");
    QTest::newRow("one click on the button, the popup open") << "button" << QByteArray("AB");
    QTest::newRow("the second name by arrow keys, then Enter") << "keys" << QByteArray("abd");
    QTest::newRow("a click on the first name, then on the button") << "mouse" << QByteArray("abc");
    // clang-format on
}

void QueryTest::offeredNameQueries()
{
    QFETCH(QString, choice);
    QFETCH(QByteArray, searched);
    tests::MessageBoxWatcher boxes;
    for (const char *name : {"abd", "xyz", "abc"}) {
        window().query(name);
        QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::answerTimeoutMs);
    }
    text1()->clear();
    QVERIFY(tests::focus(text1()));
    tests::type(text1(), "AB");
    QAbstractItemView *popup = text1()->completer()->popup();
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->model()->rowCount(), 2); // abc, abd: the latest first, in any letter case

    marketplace().clearRequests();
    if (choice == "keys") {
        tests::keyClick(text1(), Qt::Key_Down);
        tests::keyClick(text1(), Qt::Key_Down);
        tests::keyClick(text1(), Qt::Key_Return);
    } else {
        if (choice == "mouse") {
            tests::click(popup->viewport(), popup->visualRect(popup->model()->index(0, 0)).center());
            QTRY_VERIFY(!popup->isVisible());
            QCOMPARE(text1()->text(), "abc");
        }
        tests::click(command1());
    }
    QVERIFY(!popup->isVisible());
    QVERIFY(window().busy());
    QVERIFY(tests::waitForRequest(isSearch));
    QCOMPARE(tests::searchedName(marketplace().requestsTo("shopsearch.taobao.com").value(0)), searched);
}

void QueryTest::timeoutGivesTheButtonBackAtTheTwentyFirstTick()
{
    tests::serveCatalogue([](const tests::Request &) -> std::optional<tests::Response> {
        tests::Response never;
        never.hang = true;
        return never;
    });
    window().query("abc");
    for (int tick = 1; tick <= 20; ++tick) {
        app::Form1Probe::tick(form());
        QVERIFY2(window().busy(), qPrintable(QString("tick %1").arg(tick)));
    }
    QCOMPARE(app::Form1Probe::busyTicks(form()), 21);
    QVERIFY(app::Form1Probe::timer1(form())->isActive());
    app::Form1Probe::tick(form());
    QVERIFY(window().idle());
    QVERIFY(!app::Form1Probe::timer1(form())->isActive());
    QCOMPARE(app::Form1Probe::busyTicks(form()), 22);
}

void QueryTest::clickAfterEarlyGiveBackRearms()
{
    tests::MessageBoxWatcher boxes;
    // The ticks are counted by hand: the real timer would add its own while the answer comes.
    form().findChild<QTimer *>(QStringLiteral("Timer1"))->blockSignals(true);
    window().query("nobody");
    QTRY_VERIFY_WITH_TIMEOUT(window().idle(), tests::answerTimeoutMs); // "no shop" gave it back
    QCOMPARE(boxes.seen().size(), 1);
    QCOMPARE(boxes.seen()[0].text, QStringLiteral("没有找到对应的店铺"));
    QVERIFY(app::Form1Probe::timer1(form())->isActive());

    for (int tick = 0; tick < 5; ++tick)
        app::Form1Probe::tick(form());
    QVERIFY(window().idle());
    QCOMPARE(app::Form1Probe::busyTicks(form()), 6);
    tests::click(command1());
    QVERIFY(window().busy());
    QCOMPARE(app::Form1Probe::busyTicks(form()), 1);
    QVERIFY(app::Form1Probe::timer1(form())->isActive());
    QCOMPARE(app::Form1Probe::timer1(form())->remainingTime() > 900, true);
}

void QueryTest::promotionPanel_data()
{
    // clang-format off
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<float>("top");
    QTest::newRow("brand word") << QByteArray("<html><body><h1>Quillfen DSR</h1></body></html>") << 6655.0f;
    QTest::newRow("brand word in an attribute") << QByteArray("<html><body><a title=\"xQuillfenx\">ad</a></body></html>")
                                                << 6655.0f;
    QTest::newRow("no brand word") << QByteArray("<html><body>quillfen ad</body></html>") << 4920.0f;
    QTest::newRow("brand word only in a frame") << QByteArray("<html><body><iframe src=\"/frame.html\"></iframe></body></html>")
                                                << 4920.0f;
    // clang-format on
}

void QueryTest::promotionPanel()
{
    QFETCH(QByteArray, body);
    QFETCH(float, top);
    m_promotionBody = body;
    QWidget *panel = form().findChild<QWebEngineView *>("WebBrowser1");
    QSignalSpy completed(app::Form1Probe::promotionBrowser(form()), &browser::WebBrowser::documentComplete);
    QVERIFY(completed.wait(tests::answerTimeoutMs));
    QCOMPARE(app::twipsGeometry(panel).top, top);
    QCOMPARE(app::twipsGeometry(panel).left, 360.0f);
    QCOMPARE(app::twipsGeometry(panel).height, 1335.0f);

    // Loading it again leaves the panel where the first load put it.
    app::Form1Probe::promotionBrowser(form())->navigate("http://www.quillfen.example/dsr/ad.html");
    QVERIFY(completed.wait(tests::answerTimeoutMs));
    QCOMPARE(app::twipsGeometry(panel).top, top);
}

void QueryTest::promotionLinksOpenInTheUsersBrowser_data()
{
    // clang-format off
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QStringList>("opened");
    const QString done = QStringLiteral("https://www.quillfen.example/done");
    QTest::newRow("link to a new window")
        << "<a id=\"a\" href=\"https://www.quillfen.example/buy\" target=\"_blank\">buy</a>"
           "<script>document.getElementById('a').click();</script>"
        << QStringList{"https://www.quillfen.example/buy", done};
    QTest::newRow("window.open over http") << "<script>window.open('http://www.quillfen.example/a');</script>"
                                           << QStringList{"http://www.quillfen.example/a", done};
    QTest::newRow("file address") << "<script>window.open('file:///etc/passwd');</script>" << QStringList{done};
    QTest::newRow("script address") << "<script>window.open('javascript:alert(1)');</script>" << QStringList{done};
    // clang-format on
}

void QueryTest::promotionLinksOpenInTheUsersBrowser()
{
    QFETCH(QString, opening);
    QFETCH(QStringList, opened);
    tests::DesktopStub desktop({"http", "https", "file", "javascript"});
    // Once the row's window has been asked for, a last one shows the page went on after it.
    m_promotionBody = ("<html><body>Quillfen " + opening
                       + "<script>setTimeout(function () { window.open('https://www.quillfen.example/done'); }, 300);"
                         "</script></body></html>")
                          .toUtf8();
    form(); // the window opens, and its promotion panel loads the page
    QTRY_VERIFY_WITH_TIMEOUT(desktop.opened.contains("https://www.quillfen.example/done"), tests::answerTimeoutMs);
    QCOMPARE(desktop.opened, opened);
}

LARKSPIRE_WEB_TEST_MAIN(QueryTest)
#include "tst_query.moc"
