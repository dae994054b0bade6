// SPDX-License-Identifier: MIT
#include "present/board.h"
#include "present/boardrun.h"
#include "present/watchschedule.h"

#include <QTest>

using present::BoardRun;
using present::QueryEnding;

namespace {

// The program as the run sees it: queries numbered from 1 as the board's session numbers them, a
// pause that runs until the script says it elapsed, a login window shown or not.
class ScriptedHost : public present::BoardRunHost
{
public:
    QStringList queried; // the entries, in the order their queries started
    bool busy = false;
    bool gate = false;
    bool pausing = false;
    int queries = 0;

    std::optional<int> startQuery(const QString &entry) override
    {
        if (busy) return std::nullopt;
        queried << entry;
        return ++queries;
    }
    void startPause() override { pausing = true; }
    void stopPause() override { pausing = false; }
    bool gateShown() const override { return gate; }
    void rowChanged(int) override {}
    void runChanged() override {}
    QDateTime now() const override { return clock.isValid() ? clock : QDateTime::currentDateTime(); }

    QDateTime clock;
};

QueryEnding endingNamed(const QString &name)
{
    static const QMap<QString, QueryEnding> endings = {
        {"figures", QueryEnding::Figures},    {"noshop", QueryEnding::NoShop},   {"login", QueryEnding::Login},
        {"check", QueryEnding::Verification}, {"timeout", QueryEnding::Timeout}, {"noratings", QueryEnding::NoRatings}};
    return endings.value(name);
}

// Runs one step of a script: "rows a b", "all", "again a", "remove a", "stop", "resume", "ended 1
// figures", "passed", "closed", "pause" (the pause elapses, if one runs), "busy", "free", "gate" (the
// login window is shown).
void step(BoardRun &run, ScriptedHost &host, const QString &line)
{
    const QStringList words = line.split(u' ');
    const QString verb = words.front();
    const auto ids = [&] {
        QList<int> found;
        for (const QString &entry : words.mid(1))
            found << run.idOf(entry).value();
        return found;
    };
    if (verb == "rows") {
        for (const QString &entry : words.mid(1))
            run.addRow(entry);
    } else if (verb == "all") {
        QList<int> every;
        for (const present::BoardRow &row : run.rows())
            every << row.id;
        run.queryAll(every);
    } else if (verb == "again") {
        run.queryAgain(ids());
    } else if (verb == "remove") {
        run.removeRow(ids().front());
    } else if (verb == "ended") {
        present::QueryReport report;
        report.query = words[1].toInt();
        report.ending = endingNamed(words[2]);
        if (report.ending == QueryEnding::Figures)
            report.figures.dimensions[0].score = lookup::PageFigure::read("4.77");
        run.queryEnded(report);
    } else if (verb == "pause") {
        if (std::exchange(host.pausing, false)) run.pauseElapsed();
    } else {
        const QMap<QString, std::function<void()>> events = {
            {"stop", [&] { run.stop(); }},         {"resume", [&] { run.resume(); }},
            {"passed", [&] { run.gatePassed(); }}, {"closed", [&] { run.gateClosed(); }},
            {"busy", [&] { host.busy = true; }},   {"free", [&] { host.busy = false; }},
            {"gate", [&] { host.gate = true; }}};
        QVERIFY2(events.contains(verb), qPrintable(line));
        events[verb]();
    }
}

QString states(const BoardRun &run)
{
    QStringList shown;
    const present::BoardColumn &state = present::boardColumns()[2];
    for (const present::BoardRow &row : run.rows())
        shown << row.entry + QLatin1Char(' ') + present::boardCell(row, state);
    return shown.join(u'|');
}

} // namespace

class BoardRunTest : public QObject
{
    Q_OBJECT
private slots:
    void eventsMoveTheRun_data();
    void eventsMoveTheRun();
    void watchRoundsFallDue_data();
    void watchRoundsFallDue();
    void rowKeepsEachReadingWithFigures();
    void changesAreShownAgainstTheChosenReading_data();
    void changesAreShownAgainstTheChosenReading();
};

void BoardRunTest::eventsMoveTheRun_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("queried");
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("progress");
    // clang-format off
    QTest::newRow("a list runs through, a pause between two shops")
        << QStringList{"rows a b", "all", "ended 1 figures", "pause", "ended 2 noshop"}
        << "a b" << QStringLiteral("a 已读取|b 没有找到对应的店铺") << "2 / 2";
    QTest::newRow("the next shop waits for its pause")
        << QStringList{"rows a b", "all", "ended 1 figures"}
        << "a" << QStringLiteral("a 已读取|b 等待查询") << "1 / 2";
    QTest::newRow("a report with a stale number changes no row")
        << QStringList{"rows a b", "all", "ended 7 figures", "pause"}
        << "a" << QStringLiteral("a 查询中|b 等待查询") << QStringLiteral("1 / 2  正在查询：a");
    QTest::newRow("a row removed while queried takes no report; the list goes on")
        << QStringList{"rows a b", "all", "remove a", "ended 1 figures", "pause"}
        << "a b" << QStringLiteral("b 查询中") << QStringLiteral("1 / 1  正在查询：b");
    QTest::newRow("at a gate shown the row waits")
        << QStringList{"gate", "rows a b", "all", "ended 1 login", "pause"}
        << "a" << QStringLiteral("a 等待登录|b 等待查询") << QStringLiteral("1 / 2  请在登录窗口中登录或完成验证，之后自动继续");
    QTest::newRow("the gate passed: the row is queried again after a pause")
        << QStringList{"gate", "rows a b", "all", "ended 1 login", "passed", "pause"}
        << "a a" << QStringLiteral("a 查询中|b 等待查询") << QStringLiteral("1 / 2  正在查询：a");
    QTest::newRow("the gate closed: the row keeps its ending and the list goes on")
        << QStringList{"gate", "rows a b", "all", "ended 1 check", "closed", "pause"}
        << "a b" << QStringLiteral("a 需要验证|b 查询中") << QStringLiteral("2 / 2  正在查询：b");
    QTest::newRow("停止 while waiting: the row keeps its ending, the rest not queried")
        << QStringList{"gate", "rows a b", "all", "ended 1 login", "stop", "pause", "passed"}
        << "a" << QStringLiteral("a 需要登录|b 未查询") << "1 / 2";
    QTest::newRow("继续 with no gate waited on changes nothing")
        << QStringList{"rows a b", "all", "resume"}
        << "a" << QStringLiteral("a 查询中|b 等待查询") << QStringLiteral("1 / 2  正在查询：a");
    QTest::newRow("继续 while waiting queries the row again at once")
        << QStringList{"gate", "rows a b", "all", "ended 1 login", "resume"}
        << "a a" << QStringLiteral("a 查询中|b 等待查询") << QStringLiteral("1 / 2  正在查询：a");
    QTest::newRow("no gate shown: the row ends at once")
        << QStringList{"rows a b", "all", "ended 1 login", "pause"}
        << "a b" << QStringLiteral("a 需要登录|b 查询中") << QStringLiteral("2 / 2  正在查询：b");
    QTest::newRow("the board's query busy: asked again after a pause")
        << QStringList{"busy", "rows a", "all", "pause", "free", "pause"}
        << "a" << QStringLiteral("a 查询中") << QStringLiteral("1 / 1  正在查询：a");
    QTest::newRow("停止 lets the query under way end in its row")
        << QStringList{"rows a b", "all", "stop", "ended 1 figures", "pause"}
        << "a" << QStringLiteral("a 已读取|b 未查询") << "1 / 2";
    QTest::newRow("停止 before its turn keeps a row's last report")
        << QStringList{"rows a b", "all", "ended 1 figures", "pause", "ended 2 timeout", "all", "stop"}
        << "a b a" << QStringLiteral("a 查询中|b 超时") << "2 / 2";
    QTest::newRow("重新查询所选 after 停止 waits for the query under way")
        << QStringList{"rows a b c", "all", "ended 1 noratings", "pause", "stop", "again a", "ended 2 figures", "pause"}
        << "a b a" << QStringLiteral("a 查询中|b 已读取|c 未查询") << QStringLiteral("2 / 3  正在查询：a");
    // clang-format on
}

void BoardRunTest::eventsMoveTheRun()
{
    QFETCH(QStringList, script);
    QFETCH(QString, queried);
    QFETCH(QString, states);
    QFETCH(QString, progress);
    ScriptedHost host;
    BoardRun run(host);
    for (const QString &line : script)
        step(run, host, line);
    QCOMPARE(host.queried.join(u' '), queried);
    QCOMPARE(::states(run), states);
    QCOMPARE(run.progress(), progress);
}

void BoardRunTest::watchRoundsFallDue_data()
{
    // A minute of 1000 ms: 30 minutes are 30 000. "set <minutes|off> <draw> <now>" tells when the
    // next round is due; "due <now> <draw> <busy|idle>" whether a round starts, then the next.
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("told");
    // clang-format off
    QTest::newRow("the interval itself at the middle draw") << QStringList{"set 30 0.5 0", "due 30000 0.5 idle"}
                                                            << "next 30000|start next 60000";
    QTest::newRow("a fifth shorter at the lowest draw") << QStringList{"set 60 0 0"} << "next 48000";
    QTest::newRow("a fifth longer at the highest") << QStringList{"set 120 1 0"} << "next 144000";
    QTest::newRow("jitter drawn anew for each round") << QStringList{"set 30 0 0", "due 24000 1 idle"}
                                                      << "next 24000|start next 60000";
    QTest::newRow("skipped while the board is busy, the next planned as usual")
        << QStringList{"set 30 0.5 0", "due 30000 0.5 busy", "due 60000 0.5 idle"}
        << "next 30000|skip next 60000|start next 90000";
    QTest::newRow("not yet due") << QStringList{"set 30 0.5 0", "due 29999 0.5 idle"} << "next 30000|wait next 30000";
    QTest::newRow("off stops the next round") << QStringList{"set 30 0.5 0", "set off 0.5 10", "due 30000 0.5 idle"}
                                              << "next 30000|next none|wait next none";
    QTest::newRow("a new interval plans from the moment it is chosen") << QStringList{"set 30 0.5 0", "set 60 0.5 10000"}
                                                                       << "next 30000|next 70000";
    // clang-format on
}

void BoardRunTest::watchRoundsFallDue()
{
    QFETCH(QStringList, script);
    QFETCH(QString, told);
    present::WatchSchedule schedule(1000);
    QStringList said;
    for (const QString &line : script) {
        const QStringList word = line.split(u' ');
        QString outcome;
        if (word[0] == "set") {
            const present::WatchInterval intervals[] = {present::WatchInterval::HalfHour, present::WatchInterval::Hour,
                                                        present::WatchInterval::TwoHours};
            const int index = QStringList{"30", "60", "120"}.indexOf(word[1]);
            schedule.set(index < 0 ? present::WatchInterval::Off : intervals[index], word[3].toLongLong(),
                         word[2].toDouble());
        } else {
            const qint64 now = word[1].toLongLong();
            const bool due = schedule.nextRoundAtMs() && now >= *schedule.nextRoundAtMs();
            const bool starts = schedule.fallDue(now, word[2].toDouble(), word[3] == "busy");
            outcome = (starts ? "start" : due ? "skip" : "wait") + QStringLiteral(" ");
        }
        const std::optional<qint64> next = schedule.nextRoundAtMs();
        said << outcome + "next " + (next ? QString::number(*next) : QStringLiteral("none"));
    }
    QCOMPARE(said.join(u'|'), told);
}

void BoardRunTest::rowKeepsEachReadingWithFigures()
{
    ScriptedHost host;
    BoardRun run(host);
    for (const char *line : {"rows a b", "all", "ended 1 figures", "pause", "ended 2 figures", "again a",
                             "ended 3 timeout", "again a", "ended 4 figures"})
        step(run, host, line);
    QCOMPARE(run.log().readingsOf("a").size(), 2); // the timeout read nothing
    QCOMPARE(run.log().readingsOf("b").size(), 1);
    present::QueryReport own; // the person's own query, reported to the row
    own.ending = QueryEnding::Figures;
    run.setReport(run.rows()[1].id, own);
    QCOMPARE(run.log().readingsOf("b").size(), 2);
    QVERIFY(run.log().readingsOf("a")[0].at <= run.log().readingsOf("a")[1].at);
    step(run, host, "remove a"); // a row removed takes its readings along
    QVERIFY(run.log().readingsOf("a").isEmpty());
}

void BoardRunTest::changesAreShownAgainstTheChosenReading_data()
{
    QTest::addColumn<int>("since");
    QTest::addColumn<QStringList>("readAt");   // "MM-dd HH:mm", oldest first
    QTest::addColumn<QString>("shownAgainst"); // empty for no change shown
    const QStringList days = {"11-30 10:00", "12-01 10:00", "12-07 10:00", "12-07 11:00", "12-08 10:30"};
    const auto first = int(present::ChangeSince::FirstReading);
    const auto day = int(present::ChangeSince::DayBefore);
    const auto week = int(present::ChangeSince::WeekBefore);
    QTest::newRow("since the first reading") << first << days << "11-30 10:00";
    QTest::newRow("比昨天: the latest at or before a day earlier") << day << days << "12-07 10:00";
    QTest::newRow("比7天前") << week << days << "12-01 10:00";
    QTest::newRow("比昨天 with nothing a day old") << day << QStringList{"12-08 09:00", "12-08 10:30"} << "";
    QTest::newRow("a single reading is no change") << first << QStringList{"12-08 10:30"} << "";
}

void BoardRunTest::changesAreShownAgainstTheChosenReading()
{
    QFETCH(int, since);
    QFETCH(QStringList, readAt);
    QFETCH(QString, shownAgainst);
    ScriptedHost host;
    BoardRun run(host);
    const int id = run.addRow("a");
    present::QueryReport read;
    read.ending = QueryEnding::Figures;
    for (const QString &at : readAt) {
        host.clock = QDateTime::fromString("2026-" + at, "yyyy-MM-dd HH:mm");
        run.setReport(id, read);
    }
    run.setChangeSince(present::ChangeSince(since));
    const present::BoardRow &row = run.rows()[0];
    QCOMPARE(row.hasChanges() ? row.baseline->at.toString("MM-dd HH:mm") : QString(), shownAgainst);
}

QTEST_APPLESS_MAIN(BoardRunTest)
#include "tst_boardrun.moc"
