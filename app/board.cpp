// SPDX-License-Identifier: MIT
#include "app/board.h"

#include "app/controls.h"
#include "app/form1.h"
#include "app/form2.h"
#include "browser/webbrowser.h"
#include "lookup/pageflow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int idRole = Qt::UserRole + 1;

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *made = new QPushButton(text, parent);
    made->setAutoDefault(false);
    return made;
}

bool isGate(lookup::Landing landing)
{
    return landing == lookup::Landing::LoginPage || landing == lookup::Landing::VerificationPage;
}

} // namespace

Board::Board(Form1 &form)
    : m_form(form)
    , m_model(new QStandardItemModel(0, int(present::boardColumns().size()), this))
    , m_pause(new QTimer(this))
{
    setObjectName(QStringLiteral("Board"));
    setWindowTitle(QStringLiteral("店铺对比"));
    setWindowIcon(toolIcon());
    setAccessibleName(QStringLiteral("店铺对比"));
    setAccessibleDescription(QStringLiteral("多个店铺的动态评分并排对比"));
    resize(1120, 520);
    buildControls();

    m_pause->setSingleShot(true);
    connect(m_pause, &QTimer::timeout, this, &Board::queryNext);
    connect(&m_form, &Form1::queryEnded, this, &Board::onQueryEnded);
    showProgress();
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

    m_queryAll = button(QStringLiteral("全部查询"), this);
    m_stop = button(QStringLiteral("停止"), this);
    m_resume = button(QStringLiteral("继续"), this);
    m_queryAgain = button(QStringLiteral("重新查询所选"), this);
    m_remove = button(QStringLiteral("移除所选"), this);
    m_copy = button(QStringLiteral("复制表格"), this);
    m_resume->hide();
    m_progress = new QLabel(this);
    m_progress->setObjectName(QStringLiteral("BoardProgress"));
    m_progress->setTextFormat(Qt::PlainText);
    connect(m_queryAll, &QPushButton::clicked, this, &Board::queryAll);
    connect(m_stop, &QPushButton::clicked, this, &Board::stop);
    connect(m_resume, &QPushButton::clicked, this, &Board::resume);
    connect(m_queryAgain, &QPushButton::clicked, this, &Board::queryAgain);
    connect(m_remove, &QPushButton::clicked, this, &Board::removeSelected);
    connect(m_copy, &QPushButton::clicked, this, &Board::copyTable);

    m_model->setHorizontalHeaderLabels(present::boardColumns());
    m_model->setSortRole(Qt::UserRole);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("BoardTable"));
    m_table->setAccessibleName(QStringLiteral("对比表"));
    m_table->setModel(m_model);
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

    auto *buttons = new QHBoxLayout;
    for (QPushButton *each : {m_queryAll, m_stop, m_resume, m_queryAgain, m_remove, m_copy})
        buttons->addWidget(each);
    buttons->addWidget(m_progress, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addWidget(m_entries);
    layout->addLayout(buttons);
    layout->addWidget(m_table, 1);
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

void Board::closeEvent(QCloseEvent *event)
{
    // A closed board queries nothing more; its rows stay for when it is opened again.
    stop();
    event->accept();
}

void Board::add(const QString &entry, const present::QueryReport &report)
{
    std::optional<int> id = rowWithEntry(entry);
    if (!id || id == m_current) id = addRow(entry);
    m_rows[*id].report = report;
    setState(*id, present::BoardRow::State::Done);
}

void Board::queryAll()
{
    for (const QString &entry : present::boardEntries(m_entries->toPlainText())) {
        if (!rowWithEntry(entry)) addRow(entry);
    }
    for (int id : idsInOrder()) {
        if (id != m_current) setState(id, present::BoardRow::State::Pending);
    }
    m_running = true;
    queryNext();
}

void Board::queryAgain()
{
    for (int id : selectedIds()) {
        if (id != m_current) setState(id, present::BoardRow::State::Pending);
    }
    m_running = true;
    queryNext();
}

void Board::removeSelected()
{
    for (int id : selectedIds()) {
        m_model->removeRow(modelRowOf(id));
        m_rows.erase(id);
        // A row that waits on the login window waits no more; one whose query runs takes no report.
        if (id == m_current && m_loginWatch) {
            endWaiting();
            pauseThenGoOn();
        }
    }
    showProgress();
}

void Board::stop()
{
    m_running = false;
    m_pause->stop();
    if (m_loginWatch) endWaiting();
    for (auto &[id, row] : m_rows) {
        if (row.state == present::BoardRow::State::Pending)
            setState(id, row.report ? present::BoardRow::State::Done : present::BoardRow::State::NotQueried);
    }
    showProgress();
}

void Board::resume()
{
    queryAgainAfterLogin();
    queryNext();
}

void Board::copyTable()
{
    QList<QStringList> rows;
    for (int id : idsInOrder())
        rows << present::boardCells(m_rows.at(id));
    auto *data = new QMimeData;
    data->setText(present::boardTabSeparated(rows));
    data->setHtml(present::boardHtml(rows));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<int> Board::nextPending() const
{
    for (int id : idsInOrder()) {
        if (m_rows.at(id).state == present::BoardRow::State::Pending) return id;
    }
    return std::nullopt;
}

void Board::queryNext()
{
    if (!m_running || m_current) return;
    const std::optional<int> next = nextPending();
    if (!next) {
        m_running = false;
        showProgress();
        return;
    }
    // The user's own query holds the button: the board asks again after a pause.
    if (!m_form.queryFor(m_rows.at(*next).entry)) {
        pauseThenGoOn();
        return;
    }
    m_current = *next;
    setState(*next, present::BoardRow::State::Querying);
}

void Board::onQueryEnded(const present::QueryReport &report)
{
    if (!m_current || m_loginWatch) return; // the user's own query
    const int id = *m_current;
    const auto row = m_rows.find(id);
    if (row == m_rows.end()) { // removed while its query ran
        m_current.reset();
        pauseThenGoOn();
        return;
    }
    row->second.report = report;
    const bool gate =
        report.ending == present::QueryEnding::Login || report.ending == present::QueryEnding::Verification;
    if (gate && m_running && Form2::ifLoaded() && Form2::ifLoaded()->isVisible()) {
        setState(id, present::BoardRow::State::WaitingForLogin);
        waitForLogin();
        return;
    }
    m_current.reset();
    setState(id, present::BoardRow::State::Done);
    pauseThenGoOn();
}

void Board::waitForLogin()
{
    // The person logs in or passes the check in the login window; the row is queried again once
    // that window's page is past it, or marked if the window is closed instead.
    Form2 *login = Form2::ifLoaded();
    m_loginWatch = new QObject(this);
    connect(login, &QObject::destroyed, m_loginWatch, [this] { onLoginClosed(); });
    connect(login->webBrowser1(), &browser::WebBrowser::documentComplete, m_loginWatch,
            [this](const lookup::PageSnapshot &page) { onLoginPageComplete(page); });
    m_resume->show();
    showProgress();
}

void Board::onLoginPageComplete(const lookup::PageSnapshot &page)
{
    if (page.locationUrl.isEmpty() || isGate(lookup::landingOf(page))) return;
    queryAgainAfterLogin();
    pauseThenGoOn();
}

void Board::onLoginClosed()
{
    endWaiting();
    pauseThenGoOn();
}

void Board::queryAgainAfterLogin()
{
    const int id = *m_current;
    endWaiting();
    setState(id, present::BoardRow::State::Pending);
}

void Board::endWaiting()
{
    // The row keeps its query's report: "需要登录" or "需要验证" unless it is queried again.
    delete m_loginWatch;
    m_loginWatch = nullptr;
    m_resume->hide();
    if (m_current && m_rows.count(*m_current)) setState(*m_current, present::BoardRow::State::Done);
    m_current.reset();
}

void Board::pauseThenGoOn()
{
    if (!nextPending()) m_running = false;
    showProgress();
    if (!m_running) return;
    m_pause->start(QRandomGenerator::global()->bounded(m_shortestPauseMs, m_longestPauseMs + 1));
}

int Board::addRow(const QString &entry)
{
    const int id = m_nextId++;
    m_rows[id].entry = entry;
    QList<QStandardItem *> items;
    for (int column = 0; column < m_model->columnCount(); ++column)
        items << new QStandardItem;
    items.front()->setData(id, idRole);
    m_model->appendRow(items);
    showRow(id);
    return id;
}

std::optional<int> Board::rowWithEntry(const QString &entry) const
{
    for (const auto &[id, row] : m_rows) {
        if (row.entry == entry) return id;
    }
    return std::nullopt;
}

int Board::modelRowOf(int id) const
{
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->item(row)->data(idRole).toInt() == id) return row;
    }
    return -1;
}

QList<int> Board::idsInOrder() const
{
    QList<int> ids;
    for (int row = 0; row < m_model->rowCount(); ++row)
        ids << m_model->item(row)->data(idRole).toInt();
    return ids;
}

QList<int> Board::selectedIds() const
{
    QList<int> ids;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        ids << m_model->item(index.row())->data(idRole).toInt();
    return ids;
}

void Board::setState(int id, present::BoardRow::State state)
{
    m_rows.at(id).state = state;
    showRow(id);
    showProgress();
}

void Board::showRow(int id)
{
    const int row = modelRowOf(id);
    const QStringList cells = present::boardCells(m_rows.at(id));
    for (int column = 0; column < cells.size(); ++column) {
        QStandardItem *item = m_model->item(row, column);
        item->setText(cells[column]);
        item->setData(present::boardSortKey(column, cells[column]), Qt::UserRole);
    }
}

void Board::showProgress()
{
    int done = 0;
    for (const auto &[id, row] : m_rows)
        done += row.state == present::BoardRow::State::Done;
    // The row being read may have been removed while its query runs.
    const auto current = m_current ? m_rows.find(*m_current) : m_rows.end();
    QString text = QStringLiteral("%1 / %2").arg(done + (current != m_rows.end() ? 1 : 0)).arg(m_rows.size());
    if (m_loginWatch)
        text += QStringLiteral("  请在登录窗口中登录或完成验证，之后自动继续");
    else if (current != m_rows.end())
        text += QStringLiteral("  正在查询：") + current->second.entry;
    m_progress->setText(text);
    m_stop->setEnabled(m_running);
}

} // namespace app
