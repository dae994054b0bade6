// SPDX-License-Identifier: MIT
#include "boardsoak.h"
#include "boardperson.h"

#include "app/board.h"
#include "app/form1.h"
#include "app/program.h"
#include "browser/webbrowser.h"
#include "form1probe.h"
#include "hostiledraws.h"
#include "loop.h"
#include "present/board.h"
#include "processmemory.h"
#include "querywindow.h"
#include "userinput.h"
#include "webtest.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextStream>
#include <QTimer>
#include <QWebEnginePage>

#include <csignal>
#include <random>

namespace bench {

namespace {

constexpr int baseline = 10;
// The board's pause between two shops: short, so that a long list runs in reasonable time.
constexpr int shortestPauseMs = 80;
constexpr int longestPauseMs = 160;
// The warm-up's rows are numbered apart from the counted rows.
constexpr int warmUpRows = 9000;
// How often, in steps of the person's watch, they do something of their own: while the list runs,
// and while the board watches its rows through the day, when they are busy with other work.
constexpr double actionChance = 0.08;
constexpr double actionChanceWhileWatching = 0.01;
// While watching, a minute of the board's schedule lasts this long: 定时刷新 every 30 minutes comes
// round every three seconds or so, as often as the rows allow.
constexpr int watchMinuteMs = 100;
// While watching, a row's shop moves its figures every time its rating page is served: the figures
// of the row's number plus how often it was served. Rows are numbered this far apart.
constexpr int readingsApart = 100;
// A watch in which no row finishes for this long has stalled.
constexpr int stalledMs = 300'000;

const QString readOut = QStringLiteral("已读取");

// What a row may end as, for what its entry was answered with.
QStringList outcomesOf(const QString &draw)
{
    const QString checked = QStringLiteral("需要验证");
    const QString noRatings = QStringLiteral("无评分");
    const QString timedOut = QStringLiteral("超时");
    const QString failed = QStringLiteral("网络错误");
    if (draw.startsWith(QLatin1String("query page")) || draw.startsWith(QLatin1String("slider")))
        return {readOut, checked};
    static const QMap<QString, QStringList> outcomes = {
        {"found", {readOut}},
        {"no shop", {QStringLiteral("没有找到对应的店铺")}},
        {"no DSR list", {noRatings}},
        {"DSR cells missing", {readOut}},
        {"DSR garbage numbers", {readOut}},
        {"shop page cut", {noRatings, timedOut, failed}},
        {"rating page cut", {readOut, noRatings, timedOut, failed}},
        {"server error", {failed}},
        {"rating page beyond the timeout", {timedOut}},
        {"renderer killed", {readOut, noRatings, timedOut, failed}},
    };
    return outcomes.value(draw);
}

bool finished(const QString &state)
{
    static const QStringList underWay = {QStringLiteral("等待查询"), QStringLiteral("查询中"),
                                         QStringLiteral("等待登录"), QStringLiteral("等待验证"),
                                         QStringLiteral("未查询")};
    return !underWay.contains(state);
}

// One entry of the list: its shop's number and what it was answered with.
struct Served {
    int query;
    QString draw;
    Plan plan;
};

// How the watch went: rows finished and read with figures, each row's finishes.
struct WatchCount {
    int finishes = 0;
    int readings = 0;
    QHash<QString, int> finishesOf;
};

class BoardSoak : public QObject
{
public:
    BoardSoak(quint32 seed, QTextStream &out);
    // A list of that many rows; then, for as many minutes as given, the board watching them.
    int run(int rows, int watchMinutes);

private:
    void serve(const QList<Served> &entries);
    void startList(const QStringList &entries);
    bool listFinished() const;
    std::function<tests::Response(const tests::Shop &)> movingRatingPage(const Draw &draw, int query);
    int latestServed(const Served &entry) const;
    void watch(int minutes);
    // Runs the list to its end, the person tending the gate, looking at the main window, and acting
    // of their own if told; once ten rows are read, the step given.
    void waitForTheList(bool personActs, const std::function<void()> &atBaseline = {});
    int rowsRead() const;
    void watchRows(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void checkRow(int sourceRow);
    void watchEverySoOften();

    quint32 m_seed;
    QTextStream &m_out;
    std::mt19937 m_random;
    tests::QueryWindow m_window;
    app::Board &m_board;
    QTableView *m_table;
    QAbstractItemModel *m_rows;
    QList<tests::Shop> m_shops;
    QHash<QString, Served> m_served;
    QSet<QString> m_wrong, m_stale;
    QSet<int> m_killed;
    QHash<int, int> m_ratingPagesServed;
    QHash<QString, QString> m_stateOf;
    WatchCount m_watched;
    BoardPerson m_person;
};

BoardSoak::BoardSoak(quint32 seed, QTextStream &out)
    : m_seed(seed)
    , m_out(out)
    , m_random(seed)
    , m_board(app::Form1Probe::board(m_window.form()))
    , m_table(m_board.findChild<QTableView *>(QStringLiteral("BoardTable")))
    , m_rows(qobject_cast<QAbstractProxyModel *>(m_table->model())->sourceModel())
    , m_person(m_window, m_board, m_random, m_shops, out)
{
    tests::serveCatalogue([this](const tests::Request &request) { return tests::shopAnswer(m_shops, request); });
    m_board.session().setPauseBetweenShops(shortestPauseMs, longestPauseMs);
    m_board.showAndRaise();
    connect(m_rows, &QAbstractItemModel::dataChanged, this, &BoardSoak::watchRows);
    auto *watch = new QTimer(this);
    connect(watch, &QTimer::timeout, this, &BoardSoak::watchEverySoOften);
    watch->start(20);
}

void BoardSoak::serve(const QList<Served> &entries)
{
    for (const Served &entry : entries) {
        m_served.insert(entry.plan.searched, entry);
        if (entry.plan.shop) m_shops.append(*entry.plan.shop);
    }
}

void BoardSoak::startList(const QStringList &entries)
{
    // The person pastes the column into the list, as from a spreadsheet, and presses 全部查询.
    auto *list = m_board.findChild<QPlainTextEdit *>(QStringLiteral("BoardEntries"));
    QGuiApplication::clipboard()->setText(entries.join(QLatin1Char('\n')));
    if (!tests::focus(list)) fail(QStringLiteral("the board's list takes no focus"));
    tests::keySequence(list, QKeySequence::SelectAll);
    tests::keySequence(list, QKeySequence::Paste);
    tests::click(m_person.button(QStringLiteral("全部查询")));
}

bool BoardSoak::listFinished() const
{
    // While watching, the progress line also tells when the next round starts.
    const QString all = QString::number(m_rows->rowCount());
    return m_person.progress().section(QStringLiteral("  "), 0, 0) == all + QStringLiteral(" / ") + all
           && !m_person.button(QStringLiteral("停止"))->isEnabled() && m_person.idle();
}

std::function<tests::Response(const tests::Shop &)> BoardSoak::movingRatingPage(const Draw &draw, int query)
{
    return [this, plan = draw.plan, query](const tests::Shop &shop) {
        const int served = m_ratingPagesServed[query]++;
        return plan(query + served % readingsApart).shop->ratingPage(shop);
    };
}

int BoardSoak::latestServed(const Served &entry) const
{
    const int served = m_ratingPagesServed.value(entry.query);
    return served > 0 ? entry.query + (served - 1) % readingsApart : entry.query;
}

void BoardSoak::waitForTheList(bool personActs, const std::function<void()> &atBaseline)
{
    bool baselineTaken = !atBaseline;
    std::uniform_int_distribution<int> step(150, 900);
    std::bernoulli_distribution acts(actionChance);
    QElapsedTimer clock;
    clock.start();
    while (!listFinished()) {
        runFor(step(m_random));
        m_person.tendTheGate();
        m_person.lookAtTheMainWindow();
        if (personActs && acts(m_random)) m_person.act();
        if (!baselineTaken && rowsRead() >= baseline) {
            atBaseline();
            baselineTaken = true;
        }
        if (clock.elapsed() > qint64(m_rows->rowCount() / 10 + 30) * latestAnswerMs + 1000 * m_rows->rowCount())
            fail(QStringLiteral("the list did not finish: ") + m_person.progress());
    }
}

int BoardSoak::rowsRead() const
{
    int read = 0;
    for (int row = 0; row < m_rows->rowCount(); ++row)
        read += finished(m_rows->index(row, 2).data().toString());
    return read;
}

void BoardSoak::watchRows(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
        checkRow(row);
}

void BoardSoak::checkRow(int sourceRow)
{
    QStringList cells;
    for (int column = 0; column < m_rows->columnCount(); ++column)
        cells << m_rows->index(sourceRow, column).data().toString();
    const QStringList headers = present::boardHeaders();
    const auto served = m_served.constFind(cells[0]);
    if (served == m_served.cend()) return;
    const QString before = std::exchange(m_stateOf[cells[0]], cells[2]);
    if (!finished(cells[2])) return;
    if (before.isEmpty() || !finished(before)) {
        ++m_watched.finishes;
        m_watched.readings += cells[2] == readOut;
        ++m_watched.finishesOf[cells[0]];
        m_killed.remove(served->query); // its renderer dies again when it is read again
    }
    QStringList wrong;
    // The shop's title is its own throughout; its figures are those its rating page last served.
    bool stale = !cells[1].isEmpty() && cells[1] != titleOf(served->query);
    const QList<tests::DsrFigures> own = figuresOf(latestServed(*served));
    const QStringList scoreColumns = {QStringLiteral("描述评分"), QStringLiteral("服务评分"),
                                      QStringLiteral("物流评分")};
    for (int d = 0; d < scoreColumns.size(); ++d) {
        // A score that moved since the row's first reading carries its change: "4.10105 ↑0.00001".
        const QString score = cells[headers.indexOf(scoreColumns[d])].section(QLatin1Char(' '), 0, 0);
        if (!score.isEmpty() && score != own[d].score) stale = true;
        if (cells[2] == readOut && served->plan.figures && score != own[d].score)
            wrong << scoreColumns[d] + QLatin1Char(' ') + score;
    }
    if (!outcomesOf(served->draw).contains(cells[2])) wrong << cells[2];
    if (stale) m_stale.insert(cells[0]);
    if (!wrong.isEmpty()) m_wrong.insert(cells[0]);
    if (stale || !wrong.isEmpty())
        m_out << "board soak: row " << cells[0] << " (" << served->draw << ", seed " << m_seed << ") came out "
              << (stale ? "stale " : "") << wrong.join(QStringLiteral("; ")) << ": " << cells.join(u'|') << Qt::endl;
}

void BoardSoak::watchEverySoOften()
{
    // A row whose renderer is to die loses it once its shop page is asked for. The fake
    // marketplace's record of requests is emptied as it is read: it is no memory of the program's.
    const QList<tests::Request> requests = tests::marketplace().requests();
    tests::marketplace().clearRequests();
    for (const tests::Request &request : requests) {
        const QByteArray &host = request.host;
        for (const Served &entry : std::as_const(m_served)) {
            if (!entry.plan.killRenderer || m_killed.contains(entry.query)) continue;
            if (host != "shop" + entry.plan.shop->id + ".taobao.com") continue;
            // Only in the middle of that row's own query: its host may be asked again later.
            const QString step = m_person.progress().section(QStringLiteral("  "), 1, 1);
            if (step != QStringLiteral("正在查询：") + entry.plan.searched) continue;
            m_killed.insert(entry.query);
            const auto *hidden = dynamic_cast<const browser::WebBrowser *>(m_board.session().navigator());
            const qint64 pid = hidden ? hidden->page()->renderProcessPid() : 0;
            if (pid > 0) ::kill(pid_t(pid), SIGKILL);
        }
    }
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) m_person.answerBox(box);
}

void BoardSoak::watch(int minutes)
{
    // 定时刷新 every 30 minutes, chosen through the window; the person now and then busy with the
    // main window, never removing a row.
    m_watched = {};
    m_board.session().setWatchMinute(watchMinuteMs);
    auto *schedule = m_board.findChild<QComboBox *>(QStringLiteral("Watch"));
    if (!tests::focus(schedule)) fail(QStringLiteral("the board's schedule takes no focus"));
    tests::keyClick(schedule, Qt::Key_Down);
    if (schedule->currentText() != QStringLiteral("每30分钟"))
        fail(QStringLiteral("no schedule: ") + schedule->currentText());
    std::uniform_int_distribution<int> step(150, 900);
    std::bernoulli_distribution acts(actionChanceWhileWatching);
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer sinceFinish;
    sinceFinish.start();
    int finishes = 0;
    while (clock.elapsed() < qint64(minutes) * 60'000) {
        runFor(step(m_random));
        m_person.tendTheGate();
        m_person.lookAtTheMainWindow();
        if (acts(m_random)) m_person.act(BoardPerson::Rows::Kept);
        if (std::exchange(finishes, m_watched.finishes) != m_watched.finishes) sinceFinish.restart();
        if (sinceFinish.elapsed() > stalledMs) fail(QStringLiteral("the watch stalled: ") + m_person.progress());
    }
    waitForTheList(false);
}

int BoardSoak::run(int rows, int watchMinutes)
{
    QList<Draw> table;
    for (const Draw &draw : hostileDraws()) {
        // The catalogue's one login shop would be the same entry on every row that drew it.
        if (QLatin1String(draw.name) != QLatin1String("login page")) table << draw;
    }
    auto entriesOf = [](const QList<Served> &served) {
        QStringList entries;
        for (const Served &entry : served)
            entries << entry.plan.searched;
        return entries;
    };

    // The rows are drawn first, before anything whose timing takes draws of its own: the same seed
    // draws the same rows.
    std::vector<int> weights;
    for (const Draw &draw : table)
        weights.push_back(draw.weight);
    std::discrete_distribution<int> pick(weights.begin(), weights.end());
    QList<Served> counted;
    QMap<QString, int> drawn;
    const bool watching = watchMinutes > 0;
    for (int row = 1; row <= rows; ++row) {
        const Draw &draw = table[pick(m_random)];
        ++drawn[QLatin1String(draw.name)];
        const int query = watching ? row * readingsApart : row;
        Served entry{query, QLatin1String(draw.name), draw.plan(query)};
        if (watching && entry.plan.shop) entry.plan.shop->ratingPage = movingRatingPage(draw, query);
        counted << entry;
    }
    QStringList counts;
    for (auto it = drawn.cbegin(); it != drawn.cend(); ++it)
        counts << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    m_out << "board soak: drawn (seed " << m_seed << "): " << counts.join(QStringLiteral(", ")) << Qt::endl;

    // Every kind of answer once before the counted rows, so that what the program sets up on first
    // use is in the baseline; then those rows are removed. What they came out as counts too.
    QList<Served> warmUp;
    for (qsizetype k = 0; k < table.size(); ++k)
        warmUp << Served{warmUpRows + int(k), QLatin1String(table[k].name), table[k].plan(warmUpRows + int(k))};
    serve(warmUp);
    startList(entriesOf(warmUp));
    waitForTheList(false);
    if (!tests::focus(m_table)) fail(QStringLiteral("the board's table takes no focus"));
    tests::keySequence(m_table, QKeySequence::SelectAll);
    tests::keyClick(m_table, Qt::Key_Delete);
    if (m_rows->rowCount() != 0) fail(QStringLiteral("the warm-up's rows stay"));

    serve(counted);
    startList(entriesOf(counted));

    Footprint early{};
    if (watching) {
        waitForTheList(true);
        early = footprint();
        watch(watchMinutes);
    } else {
        waitForTheList(true, [&early] { early = footprint(); });
    }
    const Footprint late = footprint();

    for (const QString &problem : m_person.problems()) {
        m_wrong.insert(problem);
        m_out << "board soak: " << problem << Qt::endl;
    }
    if (watching) {
        const QList<int> finishesOf = m_watched.finishesOf.values();
        m_out << QStringLiteral(
                     "board watch: %1 rows for %2 minutes, %3 rows finished, %4 with figures, each row %5 to "
                     "%6 times\n")
                     .arg(rows)
                     .arg(watchMinutes)
                     .arg(m_watched.finishes)
                     .arg(m_watched.readings)
                     .arg(finishesOf.isEmpty() ? 0 : *std::min_element(finishesOf.begin(), finishesOf.end()))
                     .arg(finishesOf.isEmpty() ? 0 : *std::max_element(finishesOf.begin(), finishesOf.end()));
    }
    m_out << QStringLiteral("board soak: %1 rows, %2 wrong, %3 stale, %4 person actions, memory pss after %5: %6\n")
                 .arg(rows)
                 .arg(m_wrong.size())
                 .arg(m_stale.size())
                 .arg(m_person.actions())
                 .arg(watching ? QStringLiteral("the watch/after the first round")
                               : QStringLiteral("%1/after %2 rows").arg(rows).arg(baseline))
                 .arg(late.pssMiB / early.pssMiB, 0, 'f', 2);
    if (!watching) m_out << footprintGrowth(baseline, early, rows, late);
    return m_wrong.isEmpty() && m_stale.isEmpty() ? 0 : 1;
}

} // namespace

int boardSoak(int rows, quint32 seed, int watchMinutes, int argc, char *argv[])
{
    tests::prepareWebEnvironment();
    app::Program program(argc, argv);
    if (rows < baseline) fail(QStringLiteral("a board soak needs at least %1 rows").arg(baseline));
    if (watchMinutes > 0 && (rows + 1) * readingsApart > 10000)
        fail(QStringLiteral("a watch takes at most %1 rows").arg(10000 / readingsApart - 1));
    QTextStream out(stdout);
    BoardSoak soak(seed, out);
    return soak.run(rows, watchMinutes);
}

} // namespace bench
