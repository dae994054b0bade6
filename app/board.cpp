// SPDX-License-Identifier: MIT
#include "app/board.h"

#include "app/controls.h"
#include "app/form1.h"
#include "app/logingate.h"
#include "app/readingchart.h"
#include "app/watchnotifier.h"
#include "app/whatifpanel.h"
#include "present/board.h"
#include "present/boardmodel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *made = new QPushButton(text, parent);
    made->setAutoDefault(false);
    return made;
}

} // namespace

Board::Board(Form1 &form)
    : m_form(form)
    , m_run(*this)
    , m_model(new present::BoardModel(m_run, this))
    , m_sorted(new QSortFilterProxyModel(this))
    , m_pause(new QTimer(this))
    , m_round(new QTimer(this))
    , m_notifier(new WatchNotifier(this))
{
    setObjectName(QStringLiteral("Board"));
    setWindowTitle(QStringLiteral("店铺对比"));
    setWindowIcon(toolIcon());
    setAccessibleName(QStringLiteral("店铺对比"));
    setAccessibleDescription(QStringLiteral("多个店铺的动态评分并排对比"));
    buildControls();
    showRaters(false);
    showShopCards();
    // Every column but the rater totals fits a 1366-pixel screen at this width.
    QSize size(1340, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);

    m_pause->setSingleShot(true);
    connect(m_pause, &QTimer::timeout, this, [this] { m_run.pauseElapsed(); });
    // The user-level tests watch in seconds: a minute of the schedule lasts this many milliseconds.
    if (const int minuteMs = qEnvironmentVariableIntValue("LARKSPIRE_WATCH_MINUTE_MS"); minuteMs > 0)
        m_schedule = present::WatchSchedule(minuteMs);
    // A round is due to the second: a coarse timer may wake a little early, and is then set again.
    m_round->setSingleShot(true);
    m_round->setTimerType(Qt::PreciseTimer);
    connect(m_round, &QTimer::timeout, this, &Board::roundDue);
    connect(m_notifier, &WatchNotifier::rowAsked, this, &Board::showRow);
    const QueryRunner &runner = m_form.queryRunner();
    connect(&runner, &QueryRunner::queryStarted, this, &Board::onQueryStarted);
    connect(&runner, &QueryRunner::queryEnded, this,
            [this](const present::QueryReport &report) { m_run.queryEnded(report); });
    connect(&m_form.loginGate(), &LoginGate::passed, this, [this] { m_run.gatePassed(); });
    connect(&m_form.loginGate(), &LoginGate::closed, this, [this] { m_run.gateClosed(); });
    runChanged();
}

Board::~Board() = default;

void Board::buildControls()
{
    auto *listLabel = new QLabel(QStringLiteral("店铺列表（每行一个旺旺名或店铺链接，可从表格粘贴一列）："), this);
    m_entries = new QPlainTextEdit(this);
    m_entries->setObjectName(QStringLiteral("BoardEntries"));
    m_entries->setAccessibleName(QStringLiteral("店铺列表"));
    m_entries->setTabChangesFocus(true);
    m_entries->setMaximumHeight(fontMetrics().lineSpacing() * 6);
    listLabel->setBuddy(m_entries);

    auto *queryAll = button(QStringLiteral("全部查询"), this);
    m_stop = button(QStringLiteral("停止"), this);
    m_resume = button(QStringLiteral("继续"), this);
    auto *queryAgain = button(QStringLiteral("重新查询所选"), this);
    auto *remove = button(QStringLiteral("移除所选"), this);
    auto *copy = button(QStringLiteral("复制表格"), this);
    m_raters = new QCheckBox(QStringLiteral("显示评分人数"), this);
    // The rater totals are shown on request: without them every column fits the window's first width.
    m_raters->setChecked(false);
    m_changes = new QCheckBox(QStringLiteral("显示变化"), this);
    m_changes->setObjectName(QStringLiteral("ShowChanges"));
    m_changes->setChecked(true);
    auto *watchLabel = new QLabel(QStringLiteral("定时刷新："), this);
    m_watch = new QComboBox(this);
    m_watch->setAccessibleName(QStringLiteral("定时刷新"));
    const std::pair<QString, present::WatchInterval> intervals[] = {
        {QStringLiteral("关闭"), present::WatchInterval::Off},
        {QStringLiteral("每30分钟"), present::WatchInterval::HalfHour},
        {QStringLiteral("每小时"), present::WatchInterval::Hour},
        {QStringLiteral("每2小时"), present::WatchInterval::TwoHours}};
    for (const auto &[text, interval] : intervals)
        m_watch->addItem(text, QVariant::fromValue(int(interval)));
    watchLabel->setBuddy(m_watch);
    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("BoardProgress"));
    m_progress->setTextFormat(Qt::PlainText);
    connect(queryAll, &QPushButton::clicked, this, &Board::queryAll);
    connect(m_stop, &QPushButton::clicked, this, [this] { m_run.stop(); });
    connect(m_resume, &QPushButton::clicked, this, [this] { m_run.resume(); });
    connect(queryAgain, &QPushButton::clicked, this, &Board::queryAgain);
    connect(remove, &QPushButton::clicked, this, &Board::removeSelected);
    connect(copy, &QPushButton::clicked, this, &Board::copyTable);
    connect(m_raters, &QCheckBox::toggled, this, &Board::showRaters);
    connect(m_changes, &QCheckBox::toggled, m_model, &present::BoardModel::setShowChanges);
    connect(m_watch, &QComboBox::currentIndexChanged, this, &Board::watchChosen);

    auto *buttons = new QHBoxLayout;
    for (QWidget *each : std::initializer_list<QWidget *>{queryAll, m_stop, m_resume, queryAgain, remove, copy,
                                                          m_raters, m_changes, watchLabel, m_watch})
        buttons->addWidget(each);
    buttons->addWidget(m_progress, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addWidget(m_entries);
    layout->addLayout(buttons);
    layout->addWidget(buildTable(), 1);
    m_whatIf = new WhatIfPanel(this);
    layout->addWidget(m_whatIf);
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Board::showWhatIf);
    connect(m_table, &QTableView::doubleClicked, this, &Board::showChart);
}

QTableView *Board::buildTable()
{
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(present::BoardModel::sortRole);
    // Rows stay where they are while figures come in, and new ones go last: the table is sorted
    // when the seller clicks a header, as a spreadsheet is.
    m_sorted->setDynamicSortFilter(false);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("BoardTable"));
    m_table->setAccessibleName(QStringLiteral("对比表"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    auto *removeKey = new QAction(QStringLiteral("移除所选"), m_table);
    removeKey->setShortcut(QKeySequence::Delete);
    removeKey->setShortcutContext(Qt::WidgetShortcut);
    connect(removeKey, &QAction::triggered, this, &Board::removeSelected);
    m_table->addAction(removeKey);
    // The header fits the columns to their cells once per layout, however many rows change at once.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    return m_table;
}

void Board::showAndRaise()
{
    show();
    raise();
    activateWindow();
}

void Board::setPauseBetweenShops(int shortestMs, int longestMs)
{
    m_shortestPauseMs = shortestMs;
    m_longestPauseMs = std::max(shortestMs, longestMs);
}

void Board::setWatchMinute(int ms)
{
    m_schedule = present::WatchSchedule(ms);
    watchChosen();
}

void Board::watchChosen()
{
    const auto interval = present::WatchInterval(m_watch->currentData().toInt());
    m_schedule.set(interval, QDateTime::currentMSecsSinceEpoch(), QRandomGenerator::global()->generateDouble());
    planRound();
}

void Board::roundDue()
{
    // The person comes first, and a list or a round under way finishes: a round due then is left out.
    const bool busy =
        m_run.phase() != present::BoardRun::Phase::Idle || m_form.queryRunner().isBusy() || gateShown() || !isVisible();
    if (m_schedule.fallDue(QDateTime::currentMSecsSinceEpoch(), QRandomGenerator::global()->generateDouble(), busy))
        m_run.queryAll(idsInOrder(allRows()));
    planRound();
}

void Board::planRound()
{
    const std::optional<qint64> next = m_schedule.nextRoundAtMs();
    if (next)
        m_round->start(int(std::max<qint64>(0, *next - QDateTime::currentMSecsSinceEpoch())));
    else
        m_round->stop();
    runChanged();
}

void Board::rowReadAgain(const present::BoardRow &row)
{
    const qsizetype last = row.readings.size() - 1;
    const QStringList falls = present::fallsOf(row.readings[last - 1].figures, row.readings[last].figures);
    if (falls.isEmpty()) return;
    const QString shop = row.report && !row.report->shop.isEmpty() ? row.report->shop : row.entry;
    m_notifier->notify(shop, falls, row.id);
}

void Board::showRow(int id)
{
    showAndRaise();
    const std::optional<qsizetype> row = m_run.indexOf(id);
    if (!row) return;
    const QModelIndex shown = m_sorted->mapFromSource(m_model->index(int(*row), 0));
    m_table->setCurrentIndex(shown);
    m_table->selectRow(shown.row());
    m_table->scrollTo(shown);
}

void Board::closeEvent(QCloseEvent *event)
{
    // A closed board queries nothing more; its rows stay for when it is opened again.
    m_run.stop();
    event->accept();
}

void Board::add(const present::QueryReport &report)
{
    std::optional<int> id = m_run.idOf(report.entry);
    if (!id || id == m_run.currentRow()) id = m_model->addEntry(report.entry);
    m_run.setReport(*id, report);
}

void Board::queryAll()
{
    for (const QString &entry : present::boardEntries(m_entries->toPlainText())) {
        if (!m_run.idOf(entry)) m_model->addEntry(entry);
    }
    m_run.queryAll(idsInOrder(allRows()));
}

void Board::queryAgain() { m_run.queryAgain(idsInOrder(m_table->selectionModel()->selectedRows())); }

void Board::removeSelected()
{
    for (int id : idsInOrder(m_table->selectionModel()->selectedRows()))
        m_model->removeEntry(id);
}

void Board::copyTable() { QGuiApplication::clipboard()->setMimeData(m_sorted->mimeData(allRows())); }

void Board::showColumns(const std::function<bool(const present::BoardColumn &)> &which, bool shown)
{
    const std::vector<present::BoardColumn> &columns = present::boardColumns();
    for (size_t c = 0; c < columns.size(); ++c) {
        if (which(columns[c])) m_table->setColumnHidden(int(c), !shown);
    }
}

void Board::showRaters(bool shown)
{
    showColumns([](const present::BoardColumn &column) { return column.kind == present::BoardColumn::Kind::Raters; },
                shown);
}

void Board::showShopCards()
{
    // Only a link to an item brings a shop card: its columns take room once a row has one.
    const std::vector<present::BoardRow> &rows = m_run.rows();
    const bool any = std::any_of(rows.begin(), rows.end(),
                                 [](const present::BoardRow &row) { return row.report && row.report->card; });
    showColumns(present::isCardColumn, any);
}

void Board::onQueryStarted(int, QueryRunner::Asker asker)
{
    if (asker == QueryRunner::Asker::Person) m_run.personQueried();
}

QModelIndexList Board::allRows() const
{
    QModelIndexList rows;
    for (int row = 0; row < m_sorted->rowCount(); ++row)
        rows << m_sorted->index(row, 0);
    return rows;
}

QList<int> Board::idsInOrder(const QModelIndexList &rows) const
{
    QModelIndexList sorted = rows;
    std::sort(sorted.begin(), sorted.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QList<int> ids;
    for (const QModelIndex &index : std::as_const(sorted))
        ids << index.data(present::BoardModel::idRole).toInt();
    return ids;
}

std::optional<int> Board::startQuery(const QString &entry) { return m_form.queryFor(entry); }

void Board::startPause()
{
    m_pause->start(QRandomGenerator::global()->bounded(m_shortestPauseMs, m_longestPauseMs + 1));
}

void Board::stopPause() { m_pause->stop(); }

bool Board::gateShown() const { return m_form.loginGate().isShown(); }

void Board::rowChanged(int id)
{
    m_model->rowChanged(id);
    showShopCards();
    showWhatIf();
}

void Board::showChart(const QModelIndex &index)
{
    const std::optional<qsizetype> row = m_run.indexOf(index.data(present::BoardModel::idRole).toInt());
    if (!row) return;
    const present::BoardRow &shown = m_run.rows()[size_t(*row)];
    if (!m_chart) m_chart = new ReadingChart(this);
    m_chart->setReadings(shown.report && !shown.report->shop.isEmpty() ? shown.report->shop : shown.entry,
                         shown.readings);
    m_chart->show();
    m_chart->raise();
}

void Board::showWhatIf()
{
    const QModelIndex current = m_table->currentIndex();
    const std::optional<qsizetype> row =
        current.isValid() ? m_run.indexOf(current.data(present::BoardModel::idRole).toInt()) : std::nullopt;
    const std::optional<present::QueryReport> &report = row ? m_run.rows()[size_t(*row)].report : std::nullopt;
    m_whatIf->setReading(report && report->ending == present::QueryEnding::Figures ? std::optional(report->figures)
                                                                                   : std::nullopt);
}

void Board::runChanged()
{
    const std::optional<qint64> next = m_schedule.nextRoundAtMs();
    m_progress->setText(
        m_run.progress()
        + (next ? QStringLiteral("  下一轮 ") + QDateTime::fromMSecsSinceEpoch(*next).toString(QStringLiteral("HH:mm"))
                : QString()));
    m_stop->setEnabled(m_run.phase() != present::BoardRun::Phase::Idle);
    m_resume->setVisible(m_run.phase() == present::BoardRun::Phase::Paused
                         || m_run.phase() == present::BoardRun::Phase::WaitingForGate);
}

} // namespace app
