// SPDX-License-Identifier: MIT
#include "present/board.h"
#include "present/namehistory.h"
#include "present/readablecolour.h"
#include "present/resultsummary.h"
#include "present/rowhistory.h"
#include "present/whatif.h"

#include <QTest>

using present::BoardRow;
using present::QueryEnding;
using present::QueryReport;
using present::ShownResults;

Q_DECLARE_METATYPE(ShownResults)
Q_DECLARE_METATYPE(BoardRow)

class PresentTest : public QObject
{
    Q_OBJECT
private slots:
    void layoutColoursReadOnEveryPalette_data();
    void layoutColoursReadOnEveryPalette();
    void summaryHoldsWhatIsShown_data();
    void summaryHoldsWhatIsShown();
    void latestNameFirst_data();
    void latestNameFirst();
    void boardRowShowsItsQuery_data();
    void boardRowShowsItsQuery();
    void boardSortsByTheReportsNumbers_data();
    void boardSortsByTheReportsNumbers();
    void boardComparisonsInTheWindowsColours_data();
    void boardComparisonsInTheWindowsColours();
    void reportHoldsWhatItsQueryFound_data();
    void reportHoldsWhatItsQueryFound();
    void boardTablePastesIntoCells();
    void historyOpensAsCsv();
    void boardEntriesFromAList_data();
    void boardEntriesFromAList();
    void rowShowsWhatMoved_data();
    void rowShowsWhatMoved();
    void boardShowsMovesOfItsOwnReadings_data();
    void boardShowsMovesOfItsOwnReadings();
    void watchedRowTellsWhatFell_data();
    void watchedRowTellsWhatFell();
    void roundsFallsInOneNotice();
    void whatIfMoreRatings_data();
    void whatIfMoreRatings();
    void chartReadsByItsFigures();
};

namespace {

// The worked shop's report as the main window gives it: description below the industry, service
// level with it, logistics above.
QueryReport workedReport()
{
    QueryReport report;
    report.ending = QueryEnding::Figures;
    report.shop = QStringLiteral("测试旗舰店");
    const auto figure = lookup::PageFigure::read;
    report.figures.dimensions = {
        {{figure("4.77"), lookup::Comparison::Lower, figure("2.00%"), figure("762"), std::nullopt, 1000, 4.7748},
         {figure("4.80"), lookup::Comparison::Equal, figure("0.00%"), figure("0"), 0, 200, 4.9},
         {figure("4.90"), lookup::Comparison::Higher, figure("3.00%"), figure("0"), 4, 300, std::nullopt}}};
    return report;
}

BoardRow row(BoardRow::State state, std::optional<QueryReport> report = std::nullopt)
{
    return {1, QStringLiteral("旺旺"), state, std::move(report), std::nullopt, std::nullopt};
}

} // namespace

void PresentTest::layoutColoursReadOnEveryPalette_data()
{
    // clang-format off
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("kept");
    QTest::newRow("blue on white") << QColor(Qt::white) << QColor(Qt::black) << QColor(0, 0, 255) << true;
    QTest::newRow("red on a pale grey, even below 4.5 : 1") << QColor(0xf0, 0xf0, 0xf0) << QColor(Qt::black)
                                                          << QColor(255, 0, 0) << true;
    QTest::newRow("blue on a dark grey") << QColor(0x2b, 0x2b, 0x2b) << QColor(0xe8, 0xe8, 0xe8) << QColor(0, 0, 255) << false;
    QTest::newRow("dark orange on a dark grey") << QColor(0x2b, 0x2b, 0x2b) << QColor(0xe8, 0xe8, 0xe8)
                                                << QColor(192, 64, 0) << false;
    QTest::newRow("red on black, readable as it is") << QColor(Qt::black) << QColor(Qt::white) << QColor(255, 0, 0)
                                                     << true;
    // clang-format on
}

void PresentTest::layoutColoursReadOnEveryPalette()
{
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QFETCH(QColor, colour);
    QFETCH(bool, kept);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    const QColor shown = present::readableIn(colour, palette);
    if (kept) {
        QCOMPARE(shown, colour); // the layout's own colour
        return;
    }
    QVERIFY2(present::contrast(shown, window) >= 4.5, qPrintable(shown.name()));
    QVERIFY(qAbs(shown.hslHue() - colour.hslHue()) <= 1); // the same hue, lighter
    QVERIFY(shown.lightness() > colour.lightness());
}

void PresentTest::summaryHoldsWhatIsShown_data()
{
    ShownResults figures;
    figures.caption = QStringLiteral("店-DRS查询");
    figures.dimensions = {{{QStringLiteral("4.77分"), lookup::Comparison::Lower, "2.00%", "762", "", ""},
                           {QStringLiteral("4.80分"), lookup::Comparison::Equal, "0.00%", "0", "", ""},
                           {QStringLiteral("4.90分"), lookup::Comparison::Higher, "3.00%", "0", "", ""}}};
    figures.ratingAddress = "https://rate.taobao.com/user-rate-1001.htm";

    ShownResults targets = figures;
    targets.ratingAddress.clear();
    targets.dimensions[1].comparison.reset();
    targets.dimensions[0].target = " 4.9 ";
    targets.dimensions[0].targetResult = "1300";
    targets.dimensions[2].target = "4.95"; // typed, but no result shown

    // clang-format off
    QTest::addColumn<ShownResults>("shown");
    QTest::addColumn<QString>("summary");
    QTest::newRow("figures and their page") << figures << QStringLiteral(
        "店-DRS查询\n"
        "宝贝与描述相符：4.77分 低于行业平均 2.00% 飘红需要5分人数：762\n"
        "卖家的服务态度：4.80分 与行业平均持平 0.00% 飘红需要5分人数：0\n"
        "物流服务的质量：4.90分 高于行业平均 3.00% 飘红需要5分人数：0\n"
        "https://rate.taobao.com/user-rate-1001.htm\n");
    QTest::newRow("a target's result, a comparison without a picture") << targets << QStringLiteral(
        "店-DRS查询\n"
        "宝贝与描述相符：4.77分 低于行业平均 2.00% 飘红需要5分人数：762\n"
        "卖家的服务态度：4.80分 飘红需要5分人数：0\n"
        "物流服务的质量：4.90分 高于行业平均 3.00% 飘红需要5分人数：0\n"
        "宝贝与描述相符提升到：4.9分 需要5分人数：1300\n");
    // clang-format on
}

void PresentTest::summaryHoldsWhatIsShown()
{
    QFETCH(ShownResults, shown);
    QFETCH(QString, summary);
    QCOMPARE(present::resultSummary(shown), summary);
}

void PresentTest::latestNameFirst_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("queried");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("latest first") << QStringList{"a", "b", "c"} << QStringList{"c", "b", "a"};
    QTest::newRow("a name again moves to the front, once") << QStringList{"a", "b", "a"} << QStringList{"a", "b"};
    QTest::newRow("an empty name is no query") << QStringList{"a", ""} << QStringList{"a"};
    QTest::newRow("names differing in case or spaces are two") << QStringList{"ab", "AB", "ab "}
                                                               << QStringList{"ab ", "AB", "ab"};
    // clang-format on
}

void PresentTest::latestNameFirst()
{
    QFETCH(QStringList, queried);
    QFETCH(QStringList, offered);
    QStringList names;
    for (const QString &name : queried)
        names = present::withLatest(names, name);
    QCOMPARE(names, offered);
}

void PresentTest::boardRowShowsItsQuery_data()
{
    QueryReport noShop = workedReport(); // figures a report keeps are no figures of a row that found none
    noShop.ending = QueryEnding::NoShop;
    noShop.shop.clear();
    QueryReport noRatings;
    noRatings.shop = QStringLiteral("无评分店");
    QueryReport verification = noShop;
    verification.ending = QueryEnding::Verification;
    QueryReport login = noShop;
    login.ending = QueryEnding::Login;
    QueryReport timedOut = noRatings;
    timedOut.ending = QueryEnding::Timeout;
    timedOut.shop = QStringLiteral("挂店");
    QueryReport twoDimensions = workedReport();
    twoDimensions.figures.dimensions[2] = {};
    twoDimensions.figures.dimensions[1].headroom.reset(); // at the industry, but no estimate

    const QStringList noCard(4);
    const QStringList none = QStringList(15) + noCard;
    QueryReport withCard = workedReport();
    withCard.card = lookup::ShopCard{"4.3", {"4.5", "", "4.1"}};
    QueryReport timedOutWithCard = timedOut;
    timedOutWithCard.card = withCard.card;
    QueryReport noShopLink;
    noShopLink.ending = QueryEnding::NoShopLink;
    QueryReport shareCode;
    shareCode.ending = QueryEnding::ShareCode;
    const QString found = QStringLiteral("已读取");
    // clang-format off
    const QStringList worked = {"4.77", "-2.00%", "762", QStringLiteral("—"), "1000",
                                "4.80", "0.00%",  "0",   "0",                 "200",
                                "4.90", "+3.00%", "0",   "4",                 "300"};
    QTest::addColumn<BoardRow>("row");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("figures") << row(BoardRow::State::Done, workedReport())
                             << QStringList{QStringLiteral("旺旺"), QStringLiteral("测试旗舰店"), found} + worked + noCard;
    QTest::newRow("through an item page: its shop card") << row(BoardRow::State::Done, withCard)
        << QStringList{QStringLiteral("旺旺"), QStringLiteral("测试旗舰店"), found} + worked + QStringList{"4.3", "4.5", "", "4.1"};
    QTest::newRow("the card stays when the ratings time out") << row(BoardRow::State::Done, timedOutWithCard)
        << QStringList{QStringLiteral("旺旺"), QStringLiteral("挂店"), QStringLiteral("超时")} + QStringList(15)
               + QStringList{"4.3", "4.5", "", "4.1"};
    QTest::newRow("a link to no shop") << row(BoardRow::State::Done, noShopLink)
        << QStringList{QStringLiteral("旺旺"), "", QStringLiteral("不是店铺链接")} + none;
    QTest::newRow("a share code") << row(BoardRow::State::Done, shareCode)
        << QStringList{QStringLiteral("旺旺"), "", QStringLiteral("淘口令需要在手机淘宝中打开，请粘贴店铺或宝贝的链接")} + none;
    QTest::newRow("two dimensions, one without estimate")
        << row(BoardRow::State::Done, twoDimensions)
        << QStringList{QStringLiteral("旺旺"), QStringLiteral("测试旗舰店"), found} + worked.mid(0, 5)
               + QStringList{"4.80", "0.00%", "0", "", "200"} + QStringList(5) + noCard;
    QTest::newRow("no shop") << row(BoardRow::State::Done, noShop)
                             << QStringList{QStringLiteral("旺旺"), "", QStringLiteral("没有找到对应的店铺")} + none;
    QTest::newRow("no ratings, the shop named") << row(BoardRow::State::Done, noRatings)
        << QStringList{QStringLiteral("旺旺"), QStringLiteral("无评分店"), QStringLiteral("无评分")} + none;
    QTest::newRow("waiting on a verification") << row(BoardRow::State::WaitingForGate, verification)
        << QStringList{QStringLiteral("旺旺"), "", QStringLiteral("等待验证")} + none;
    QTest::newRow("verification not passed") << row(BoardRow::State::Done, verification)
        << QStringList{QStringLiteral("旺旺"), "", QStringLiteral("需要验证")} + none;
    QTest::newRow("login not done") << row(BoardRow::State::Done, login)
                                    << QStringList{QStringLiteral("旺旺"), "", QStringLiteral("需要登录")} + none;
    QTest::newRow("timed out after the shop page") << row(BoardRow::State::Done, timedOut)
        << QStringList{QStringLiteral("旺旺"), QStringLiteral("挂店"), QStringLiteral("超时")} + none;
    QTest::newRow("queried again: the last figures stay") << row(BoardRow::State::Querying, workedReport())
        << QStringList{QStringLiteral("旺旺"), QStringLiteral("测试旗舰店"), QStringLiteral("查询中")} + worked + noCard;
    QTest::newRow("not queried") << row(BoardRow::State::NotQueried)
                                 << QStringList{QStringLiteral("旺旺"), "", QStringLiteral("未查询")} + none;
    // clang-format on
}

void PresentTest::boardRowShowsItsQuery()
{
    QFETCH(BoardRow, row);
    QFETCH(QStringList, cells);
    QCOMPARE(present::boardCells(row), cells);
    QCOMPARE(cells.size(), present::boardHeaders().size());
}

void PresentTest::boardSortsByTheReportsNumbers_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QVariant>("worked");
    QTest::addColumn<QVariant>("noFigures");
    // A row without figures has no sort key and sorts last; a text column sorts by its text.
    QTest::newRow("score") << QStringLiteral("描述评分") << QVariant(4.77) << QVariant();
    QTest::newRow("comparison below, signed") << QStringLiteral("描述比行业") << QVariant(-2.0) << QVariant();
    QTest::newRow("comparison above") << QStringLiteral("物流比行业") << QVariant(3.0) << QVariant();
    QTest::newRow("turn-red count") << QStringLiteral("描述飘红") << QVariant(762.0) << QVariant();
    QTest::newRow("no headroom below the industry") << QStringLiteral("描述飘绿") << QVariant() << QVariant();
    QTest::newRow("headroom") << QStringLiteral("物流飘绿") << QVariant(4.0) << QVariant();
    QTest::newRow("rater total") << QStringLiteral("服务人数") << QVariant(200.0) << QVariant();
    QTest::newRow("shop card's overall score") << QStringLiteral("综合体验分") << QVariant(4.3) << QVariant();
    QTest::newRow("shop card's part") << QStringLiteral("宝贝质量") << QVariant(4.5) << QVariant();
    QTest::newRow("shop card's part it lacks") << QStringLiteral("物流速度") << QVariant() << QVariant();
    QTest::newRow("shop by its text") << QStringLiteral("店铺") << QVariant(QStringLiteral("测试旗舰店"))
                                      << QVariant(QString());
}

void PresentTest::boardSortsByTheReportsNumbers()
{
    QFETCH(QString, header);
    QFETCH(QVariant, worked);
    QFETCH(QVariant, noFigures);
    const qsizetype column = present::boardHeaders().indexOf(header);
    QVERIFY(column >= 0);
    const present::BoardColumn &shown = present::boardColumns()[size_t(column)];
    QueryReport withCard = workedReport();
    withCard.card = lookup::ShopCard{"4.3", {"4.5", "", "4.1"}};
    QCOMPARE(present::boardSortKey(row(BoardRow::State::Done, withCard), shown), worked);
    QueryReport timedOut;
    timedOut.ending = QueryEnding::Timeout;
    QCOMPARE(present::boardSortKey(row(BoardRow::State::Done, timedOut), shown), noFigures);
}

void PresentTest::boardComparisonsInTheWindowsColours_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QColor>("onLight");
    QTest::newRow("below: the lower picture's green") << QStringLiteral("描述比行业") << QColor(0x1f, 0x8a, 0x3b);
    QTest::newRow("level: the equal picture's grey") << QStringLiteral("服务比行业") << QColor(0x5a, 0x6b, 0x7b);
    QTest::newRow("above: the higher picture's red") << QStringLiteral("物流比行业") << QColor(0xd9, 0x26, 0x1c);
}

void PresentTest::boardComparisonsInTheWindowsColours()
{
    QFETCH(QString, header);
    QFETCH(QColor, onLight);
    const present::BoardColumn &column = present::boardColumns()[size_t(present::boardHeaders().indexOf(header))];
    const BoardRow worked = row(BoardRow::State::Done, workedReport());
    QCOMPARE(present::boardCellColour(worked, column, QPalette(Qt::black, Qt::white)), onLight);
    const QPalette dark(Qt::white, QColor(0x20, 0x20, 0x20));
    const std::optional<QColor> onDark = present::boardCellColour(worked, column, dark);
    QVERIFY(onDark && present::contrast(*onDark, dark.color(QPalette::Window)) >= 4.5);
    // Only a comparison of a row's own figures is coloured.
    QCOMPARE(present::boardCellColour(row(BoardRow::State::NotQueried), column, dark), std::nullopt);
    QCOMPARE(present::boardCellColour(worked, present::boardColumns()[3], dark), std::nullopt);
}

void PresentTest::reportHoldsWhatItsQueryFound_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("ending");
    QTest::addColumn<QString>("shop");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("card"); // the shop card's overall score
    // clang-format off
    QTest::newRow("figures of its own") << QStringList{"shop A", "ratings 4.77"} << int(QueryEnding::Figures) << "A" << "4.77" << "";
    QTest::newRow("an item page's card, then its shop's figures") << QStringList{"card 4.3", "shop A", "ratings 4.77"}
                                                                  << int(QueryEnding::Figures) << "A" << "4.77" << "4.3";
    QTest::newRow("the card of a shop whose ratings timed out") << QStringList{"card 4.3", "shop A", "timeout"}
                                                                << int(QueryEnding::Timeout) << "A" << "" << "4.3";
    QTest::newRow("a link to no shop") << QStringList{"nolink"} << int(QueryEnding::NoShopLink) << "" << "" << "";
    QTest::newRow("a share code") << QStringList{"sharecode", "timeout"} << int(QueryEnding::ShareCode) << "" << "" << "";
    QTest::newRow("a new query keeps no card") << QStringList{"card 4.3", "restart"} << int(QueryEnding::NoRatings) << "" << "" << "";
    QTest::newRow("a DSR list that yields no score") << QStringList{"shop A", "ratings"} << int(QueryEnding::NoRatings) << "A" << "" << "";
    QTest::newRow("a rating page opened by its link") << QStringList{"ratings 4.77"} << int(QueryEnding::Figures) << "" << "4.77" << "";
    QTest::newRow("no shop") << QStringList{"noshop"} << int(QueryEnding::NoShop) << "" << "" << "";
    QTest::newRow("the first ending told counts") << QStringList{"noshop", "timeout"} << int(QueryEnding::NoShop) << "" << "" << "";
    QTest::newRow("a check at the rating page") << QStringList{"shop A", "check"} << int(QueryEnding::Verification) << "A" << "" << "";
    QTest::newRow("a login") << QStringList{"login"} << int(QueryEnding::Login) << "" << "" << "";
    QTest::newRow("timed out after the shop page") << QStringList{"shop A", "timeout"} << int(QueryEnding::Timeout) << "A" << "" << "";
    QTest::newRow("an ending keeps no figures") << QStringList{"ratings 4.77", "timeout"} << int(QueryEnding::Timeout) << "" << "" << "";
    QTest::newRow("every report starts empty") << QStringList{"shop A", "ratings 4.77", "restart"}
                                               << int(QueryEnding::NoRatings) << "" << "" << "";
    // clang-format on
}

void PresentTest::reportHoldsWhatItsQueryFound()
{
    QFETCH(QStringList, events);
    QFETCH(int, ending);
    QFETCH(QString, shop);
    QFETCH(QString, score);
    QFETCH(QString, card);
    present::QueryTracker tracker;
    tracker.start(1, "a");
    for (const QString &event : events) {
        const QString argument = event.section(u' ', 1);
        if (event.startsWith("shop")) tracker.foundShop(argument);
        if (event.startsWith("ratings")) {
            lookup::RatingReading reading;
            reading.dimensions[1].score = lookup::PageFigure::read(argument);
            reading.dimensions[1].raters = 200;
            reading.dimensions[2].headroom = 4;
            tracker.foundRatings(reading);
        }
        if (event.startsWith("card")) tracker.foundShopCard({argument, {}});
        if (event == "noshop") tracker.foundNoShop();
        if (event == "nolink") tracker.foundNoShopLink();
        if (event == "sharecode") tracker.refusedShareCode();
        if (event == "login") tracker.foundGate(lookup::Gate::Login);
        if (event == "check") tracker.foundGate(lookup::Gate::Verification);
        if (event == "timeout") tracker.timedOut();
        if (event == "restart") tracker.start(2, "b");
    }
    const std::optional<QueryReport> report = tracker.finish();
    QVERIFY(report);
    QCOMPARE(int(report->ending), ending);
    QCOMPARE(report->shop, shop);
    QCOMPARE(report->figures.dimensions[1].score.text, score);
    QCOMPARE(report->card ? report->card->overall : QString(), card);
    // Figures go only with a report that ended with them: no rater total or headroom otherwise.
    QCOMPARE(report->figures.dimensions[1].raters.has_value(), !score.isEmpty());
    QCOMPARE(report->figures.dimensions[2].headroom.has_value(), !score.isEmpty());
    QVERIFY(!tracker.finish()); // once per query
}

void PresentTest::boardTablePastesIntoCells()
{
    // Shop titles come from the marketplace: markup stays text, a formula stays text, a tab or a
    // line break does not split a cell.
    const QList<QStringList> rows = {{"a<b>&", "=HYPERLINK(\"x\")", "-2.00%"}, {"@x", "tab\there", "line\nbreak"}};
    const QString columns = present::boardHeaders().join('\t');
    QCOMPARE(present::boardTabSeparated(rows),
             columns + "\na<b>&\t'=HYPERLINK(\"x\")\t-2.00%\n'@x\ttab here\tline break\n");
    const QString html = present::boardHtml(rows);
    QVERIFY(html.contains("<tr><td>a&lt;b&gt;&amp;</td><td>'=HYPERLINK(&quot;x&quot;)</td><td>-2.00%</td></tr>"));
    QVERIFY(html.contains("<tr><td>'@x</td><td>tab here</td><td>line break</td></tr>"));
    QCOMPARE(html.count("<th>"), present::boardHeaders().size());
}

void PresentTest::historyOpensAsCsv()
{
    QueryReport report = workedReport();
    report.shop = "A\"B";
    BoardRow read = row(BoardRow::State::Done, report);
    read.entry = "=cmd,1";
    const QDateTime at(QDate(2026, 12, 8), QTime(10, 0));
    present::MemoryLog log;
    log.append(read.entry, {at, report.shop, report.figures});
    log.append(read.entry, {at.addDays(1), report.shop, report.figures});
    const QByteArray csv = present::historyCsv(log, {&read});
    QVERIFY(csv.startsWith("\xEF\xBB\xBF")); // UTF-8's byte-order mark: a spreadsheet reads it as UTF-8
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split("\r\n");
    QVERIFY(lines[0].startsWith(QStringLiteral("时间,旺旺号或链接,店铺,描述评分,描述比行业,描述飘红,")));
    QCOMPARE(lines.size(), 4); // the header, a line per reading, and the last line's end
    QCOMPARE(lines[2], "2026-12-09 10:00:00,\"'=cmd,1\",\"A\"\"B\"," + present::boardCells(read).mid(3, 15).join(','));
}

void PresentTest::boardEntriesFromAList_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("one per line, blanks dropped") << QStringLiteral(" a \n\n\u3000b\u3000\r\nc\r")
                                                  << QStringList{"a", "b", "c"};
    QTest::newRow("a pasted column with more cells") << "a\tx\nb\ty\n" << QStringList{"a", "b"};
    QTest::newRow("repeats once") << "a\nb\na" << QStringList{"a", "b"};
    QTest::newRow("nothing") << " \n\t" << QStringList{};
    // clang-format on
}

void PresentTest::boardEntriesFromAList()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, entries);
    QCOMPARE(present::boardEntries(typed), entries);
}

void PresentTest::rowShowsWhatMoved_data()
{
    using C = lookup::Comparison;
    QTest::addColumn<QString>("firstScore");
    QTest::addColumn<int>("firstComparison"); // -1 for none
    QTest::addColumn<QString>("firstPercent");
    QTest::addColumn<QString>("latestScore");
    QTest::addColumn<int>("latestComparison");
    QTest::addColumn<QString>("latestPercent");
    QTest::addColumn<QStringList>("moved"); // score change, comparison change, crossing
    // clang-format off
    QTest::newRow("the score down a hundredth") << "4.79" << int(C::Lower) << "2.00%" << "4.78" << int(C::Lower) << "2.00%"
                                                << QStringList{QStringLiteral("↓0.01"), "", ""};
    QTest::newRow("up, in the finer text's decimals") << "4.7" << int(C::Higher) << "1.0%" << "4.75" << int(C::Higher) << "1.25%"
                                                      << QStringList{QStringLiteral("↑0.05"), QStringLiteral("↑0.25%"), ""};
    QTest::newRow("nothing moved") << "4.77" << int(C::Equal) << "0.00%" << "4.77" << int(C::Equal) << "0.00%"
                                   << QStringList{"", "", ""};
    QTest::newRow("below, the gap narrowing counts up") << "4.70" << int(C::Lower) << "2.00%" << "4.71" << int(C::Lower) << "1.50%"
                                                        << QStringList{QStringLiteral("↑0.01"), QStringLiteral("↑0.50%"), ""};
    QTest::newRow("from below to above: 转红") << "4.70" << int(C::Lower) << "0.50%" << "4.72" << int(C::Higher) << "0.20%"
                                              << QStringList{QStringLiteral("↑0.02"), QStringLiteral("↑0.70%"), QStringLiteral("转红")};
    QTest::newRow("from level to below: 转绿") << "4.80" << int(C::Equal) << "0.00%" << "4.79" << int(C::Lower) << "0.10%"
                                              << QStringList{QStringLiteral("↓0.01"), QStringLiteral("↓0.10%"), QStringLiteral("转绿")};
    QTest::newRow("from level to above: no crossing") << "4.80" << int(C::Equal) << "0.00%" << "4.80" << int(C::Higher) << "1.00%"
                                                      << QStringList{"", QStringLiteral("↑1.00%"), ""};
    QTest::newRow("a first reading without the figures") << "" << -1 << "" << "4.80" << int(C::Higher) << "1.00%"
                                                         << QStringList{"", "", ""};
    QTest::newRow("a comparison that is no number") << "4.80" << int(C::Lower) << "x%" << "4.80" << int(C::Lower) << "1.00%"
                                                    << QStringList{"", "", ""};
    QTest::newRow("a score of more decimals than can be counted") << "4.8" << int(C::Lower) << "1%" << "4." + QString(40, '7')
                                                                  << int(C::Lower) << "1e300%" << QStringList{"", "", ""};
    // clang-format on
}

void PresentTest::rowShowsWhatMoved()
{
    QFETCH(QString, firstScore);
    QFETCH(int, firstComparison);
    QFETCH(QString, firstPercent);
    QFETCH(QString, latestScore);
    QFETCH(int, latestComparison);
    QFETCH(QString, latestPercent);
    QFETCH(QStringList, moved);
    const auto reading = [](const QString &score, int comparison, const QString &percent) {
        lookup::DimensionReading made;
        made.score = lookup::PageFigure::read(score);
        if (comparison >= 0) made.comparison = lookup::Comparison(comparison);
        made.percent = lookup::PageFigure::read(percent);
        return made;
    };
    const lookup::DimensionReading first = reading(firstScore, firstComparison, firstPercent);
    const lookup::DimensionReading latest = reading(latestScore, latestComparison, latestPercent);
    QCOMPARE((QStringList{present::scoreChange(first, latest), present::comparisonChange(first, latest),
                          present::industryCrossing(first, latest)}),
             moved);
}

void PresentTest::boardShowsMovesOfItsOwnReadings_data()
{
    QTest::addColumn<int>("readings");
    QTest::addColumn<int>("lastEnding");
    QTest::addColumn<QStringList>("cells"); // description score and comparison, then the copy's change cells
    // clang-format off
    QTest::newRow("read twice") << 2 << int(QueryEnding::Figures)
        << QStringList{QStringLiteral("4.80 ↑0.03"), QStringLiteral("+0.50% ↑2.50% 转红"), QStringLiteral("↑0.03"),
                       QStringLiteral("↑2.50% 转红"), "", "", "", ""};
    QTest::newRow("read once: nothing moved yet") << 1 << int(QueryEnding::Figures)
        << QStringList{"4.77", "-2.00%", "", "", "", "", "", ""};
    QTest::newRow("the last query read nothing: no figures, no moves") << 2 << int(QueryEnding::Timeout)
        << QStringList{"", "", "", "", "", "", "", ""};
    // clang-format on
}

void PresentTest::boardShowsMovesOfItsOwnReadings()
{
    QFETCH(int, readings);
    QFETCH(int, lastEnding);
    QFETCH(QStringList, cells);
    QueryReport risen = workedReport();
    risen.figures.dimensions[0].score = lookup::PageFigure::read("4.80");
    risen.figures.dimensions[0].comparison = lookup::Comparison::Higher;
    risen.figures.dimensions[0].percent = lookup::PageFigure::read("0.50%");
    BoardRow moved = row(BoardRow::State::Done, readings == 1 ? workedReport() : risen);
    moved.report->ending = QueryEnding(lastEnding);
    const QDateTime at(QDate(2026, 12, 8), QTime(10, 0));
    moved.baseline = {at, {}, workedReport().figures};
    moved.latest = readings == 2 ? present::Reading{at.addDays(1), {}, risen.figures} : *moved.baseline;
    const std::vector<present::BoardColumn> &columns = present::boardColumns();
    QCOMPARE(
        (QStringList{present::boardCellWithChange(moved, columns[3]), present::boardCellWithChange(moved, columns[4])}
         + present::boardChangeCells(moved)),
        cells);
    QCOMPARE(present::boardChangeHeaders().size(), present::boardChangeCells(moved).size());
}

void PresentTest::watchedRowTellsWhatFell_data()
{
    // The service dimension at each reading, oldest first: score, comparison ("lower 0.20%",
    // "normal 0.00%", "higher 1.00%").
    QTest::addColumn<QStringList>("readings");
    QTest::addColumn<QStringList>("falls");
    // clang-format off
    QTest::newRow("a score fallen by 0.01") << QStringList{"4.79 lower 1.00%", "4.78 lower 1.00%"}
                                            << QStringList{QStringLiteral("卖家的服务态度：4.78 ↓0.01")};
    QTest::newRow("fallen less than 0.01") << QStringList{"4.7800 higher 1.00%", "4.7791 higher 1.00%"} << QStringList();
    QTest::newRow("fallen exactly 0.01 in finer decimals") << QStringList{"4.7800 higher 1.00%", "4.7700 higher 1.00%"}
                                                           << QStringList{QStringLiteral("卖家的服务态度：4.7700 ↓0.0100")};
    QTest::newRow("fallen below the industry") << QStringList{"4.80 normal 0.00%", "4.80 lower 0.20%"}
                                               << QStringList{QStringLiteral("卖家的服务态度：转绿 -0.20%")};
    QTest::newRow("both") << QStringList{"4.82 higher 1.00%", "4.80 lower 0.20%"}
                          << QStringList{QStringLiteral("卖家的服务态度：4.80 ↓0.02，转绿 -0.20%")};
    QTest::newRow("risen above: nothing to tell") << QStringList{"4.78 lower 0.20%", "4.80 higher 0.50%"} << QStringList();
    QTest::newRow("still below, lower still: only the score tells") << QStringList{"4.78 lower 0.20%", "4.76 lower 0.90%"}
                                                                    << QStringList{QStringLiteral("卖家的服务态度：4.76 ↓0.02")};
    QTest::newRow("a reading without the score") << QStringList{" higher 1.00%", "4.70 higher 1.00%"} << QStringList();
    QTest::newRow("back and forth between two readings: told the first time only")
        << QStringList{"4.80 normal 0.00%", "4.79 lower 0.20%", "4.80 normal 0.00%", "4.79 lower 0.20%"} << QStringList();
    QTest::newRow("back, then lower than ever: the new low tells")
        << QStringList{"4.80 normal 0.00%", "4.79 lower 0.20%", "4.80 normal 0.00%", "4.78 lower 0.40%"}
        << QStringList{QStringLiteral("卖家的服务态度：4.78 ↓0.02")};
    // clang-format on
}

void PresentTest::watchedRowTellsWhatFell()
{
    QFETCH(QStringList, readings);
    QFETCH(QStringList, falls);
    QList<present::Reading> read;
    for (const QString &figures : readings) {
        lookup::RatingReading made;
        lookup::DimensionReading &service = made.dimensions[1];
        service.score = lookup::PageFigure::read(figures.section(u' ', 0, 0));
        service.comparison = lookup::comparisonOf(figures.section(u' ', 1, 1));
        service.percent = lookup::PageFigure::read(figures.section(u' ', 2));
        read.append({QDateTime(), {}, made});
    }
    QCOMPARE(present::fallsOf(read), falls);
}

void PresentTest::roundsFallsInOneNotice()
{
    // A page's texts may hold anything: a service that reads markup gets them escaped.
    const present::FallNotice two{
        {{QStringLiteral("A&B店"), {"-<b>1</b>%"}}, {QStringLiteral("第二家店"), {"x", "y"}}}};
    QCOMPARE(two.summary(), QStringLiteral("2家店铺评分下降"));
    QCOMPARE(two.body(false), QStringLiteral("A&B店 -<b>1</b>%\n第二家店 x\n第二家店 y"));
    QCOMPARE(two.body(true), QStringLiteral("A&amp;B店 -&lt;b&gt;1&lt;/b&gt;%\n第二家店 x\n第二家店 y"));
}

void PresentTest::whatIfMoreRatings_data()
{
    QTest::addColumn<qint64>("fiveStars");
    QTest::addColumn<qint64>("oneStars");
    QTest::addColumn<QStringList>("lines");
    // The worked report: description 4.7748 from 1000 raters 2.00 % below (average 4.87224),
    // service 4.9 from 200 level with the industry, logistics without all its figures read.
    // clang-format off
    QTest::newRow("nothing more: the calculators' counts") << 0LL << 0LL
        << QStringList{QStringLiteral("宝贝与描述相符：4.7748，飘红 762"), QStringLiteral("卖家的服务态度：4.9，飘绿 0"),
                       QStringLiteral("物流服务的质量：无法计算")};
    // 527 480 000 / 1100 and 148 000 000 / 300 hundred-thousandths; 300 · 3333 / 390 000 = 2.56.
    QTest::newRow("100 more five-star ratings") << 100LL << 0LL
        << QStringList{QStringLiteral("宝贝与描述相符：4.79527，飘红 662"), QStringLiteral("卖家的服务态度：4.93333，飘绿 2"),
                       QStringLiteral("物流服务的质量：无法计算")};
    // 477 580 000 / 1001 = 477 102.9; 98 100 000 / 201 = 488 059.7: 4.8806, below the level 4.9.
    QTest::newRow("one more one-star rating") << 0LL << 1LL
        << QStringList{QStringLiteral("宝贝与描述相符：4.77103，飘红 792"), QStringLiteral("卖家的服务态度：4.8806，飘红 38"),
                       QStringLiteral("物流服务的质量：无法计算")};
    QTest::newRow("fewer than none") << -1LL << 0LL
        << QStringList{QStringLiteral("宝贝与描述相符：无法计算"), QStringLiteral("卖家的服务态度：无法计算"),
                       QStringLiteral("物流服务的质量：无法计算")};
    // clang-format on
}

void PresentTest::whatIfMoreRatings()
{
    QFETCH(qint64, fiveStars);
    QFETCH(qint64, oneStars);
    QFETCH(QStringList, lines);
    QCOMPARE(present::whatIfLines(workedReport().figures, fiveStars, oneStars), lines);
}

void PresentTest::chartReadsByItsFigures()
{
    QueryReport risen = workedReport();
    risen.figures.dimensions[0].score = lookup::PageFigure::read("4.80");
    risen.figures.dimensions[0].comparison = lookup::Comparison::Higher;
    risen.figures.dimensions[0].percent = lookup::PageFigure::read("0.50%");
    risen.figures.dimensions[0].weightedScore = 4.79;
    risen.figures.dimensions[1] = {}; // read without the service's figures
    lookup::RatingReading empty;
    // The averages the turn-red counts compare with, from the weighted scores: 4.7748 / 0.98 = 4.87224;
    // (4.79 - 0.025) / 0.995 = 4.789; 4.9 level. Without a weighted score there is no count, nor an
    // average to draw.
    QCOMPARE(
        present::chartDescription(
            {{QDateTime(), {}, workedReport().figures}, {QDateTime(), {}, empty}, {QDateTime(), {}, risen.figures}}),
        QStringLiteral("宝贝与描述相符 4.77、4.80，行业平均 4.87、4.79；卖家的服务态度 4.80，行业平均 4.90；"
                       "物流服务的质量 4.90、4.90"));
    const auto series =
        present::chartSeries({{QDateTime(), {}, workedReport().figures}, {QDateTime(), {}, risen.figures}});
    QCOMPARE(series[1].scores, QList<double>{4.8});
    QCOMPARE(series[0].averages.value(0).value_or(0), 4.87224); // as the count has it, to five decimals
    QCOMPARE(series[0].averages.size(), series[0].scores.size());

    // A season is told by its span and extremes, not score by score.
    QList<present::Reading> season;
    const QDateTime start(QDate(2026, 12, 1), QTime(8, 0));
    for (int i = 0; i < 20; ++i)
        season.append({start.addSecs(1800 * i), {}, i == 7 ? risen.figures : workedReport().figures});
    QCOMPARE(present::chartDescription(season).section(QStringLiteral("；"), 0, 0),
             QStringLiteral("2026-12-01 08:00 至 2026-12-01 17:30 共 20 次读取：宝贝与描述相符 最新 4.77，最低 4.77，"
                            "最高 4.80，行业平均 4.87"));
}

QTEST_APPLESS_MAIN(PresentTest)
#include "tst_present.moc"
