// SPDX-License-Identifier: MIT
#include "app/board.h"

#include "app/boardfilemenu.h"
#include "app/boardtable.h"
#include "app/controls.h"
#include "app/hiddenbrowser.h"
#include "app/logingate.h"
#include "app/readingchart.h"
#include "app/watchnotifier.h"
#include "app/watchtray.h"
#include "app/whatifpanel.h"
#include "present/board.h"
#include "present/boardmodel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace app {

Board::Board(LoginGate &gate)
    : m_session(gate, [](session::QuerySession &query) { return hiddenBrowserFor(query); })
    , m_model(new present::BoardModel(m_session.run(), this))
    , m_controls(BoardControls::build(this, m_model))
    , m_fileMenu(new BoardFileMenu(this, m_session, m_model, m_controls))
    , m_notifier(new WatchNotifier(this))
    , m_tray(new WatchTray(*this))
{
    setObjectName(QStringLiteral("Board"));
    setWindowIcon(toolIcon());
    setAccessibleName(QStringLiteral("店铺对比"));
    setAccessibleDescription(QStringLiteral("多个店铺的动态评分并排对比"));
    layout()->setMenuBar(m_fileMenu->menuBar());
    wireControls();
    // Every column but the rater totals fits a 1366-pixel screen at this width.
    QSize size(1340, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    resize(size);

    connect(&m_session, &session::BoardSession::rowUpdated, this, &Board::rowUpdated);
    connect(&m_session, &session::BoardSession::progressChanged, this, &Board::showProgress);
    connect(&m_session, &session::BoardSession::fell, m_notifier, &WatchNotifier::notify);
    connect(m_notifier, &WatchNotifier::rowAsked, this, &Board::showRow);
    connect(m_tray, &WatchTray::stopAsked, this, &Board::stopWatching);
    connect(m_tray, &WatchTray::mainWindowAsked, this, &Board::mainWindowAsked);
    connect(m_tray, &WatchTray::quitAsked, this, &Board::quitAsked);
    connect(&gate, &LoginGate::passed, &m_session, &session::BoardSession::gatePassed);
    connect(&gate, &LoginGate::closed, &m_session, &session::BoardSession::gateClosed);
    showProgress();
}

Board::~Board() = default;

void Board::wireControls()
{
    const BoardControls &c = m_controls;
    present::BoardRun &run = m_session.run();
    c.table->showRaters(false);
    c.table->showShopCards(false);
    connect(c.queryAll, &QPushButton::clicked, this, &Board::queryAll);
    connect(c.stop, &QPushButton::clicked, this, [&run] { run.stop(); });
    connect(c.resume, &QPushButton::clicked, this, [&run] { run.resume(); });
    connect(c.queryAgain, &QPushButton::clicked, this, [&run, &c] { run.queryAgain(c.table->selectedIds()); });
    connect(c.remove, &QPushButton::clicked, this, &Board::removeSelected);
    connect(c.table, &BoardTable::removeAsked, this, &Board::removeSelected);
    connect(c.copy, &QPushButton::clicked, this,
            [&c] { QGuiApplication::clipboard()->setMimeData(c.table->copyAll()); });
    connect(c.exportHistory, &QPushButton::clicked, m_fileMenu, &BoardFileMenu::exportHistory);
    connect(c.raters, &QCheckBox::toggled, c.table, &BoardTable::showRaters);
    connect(c.changes, &QCheckBox::toggled, m_model, &present::BoardModel::setShowChanges);
    connect(c.changeSince, &QComboBox::currentIndexChanged, this,
            [&run, &c] { run.setChangeSince(present::ChangeSince(c.changeSince->currentData().toInt())); });
    connect(c.watch, &QComboBox::currentIndexChanged, this,
            [this] { m_session.setWatch(present::WatchInterval(m_controls.watch->currentData().toInt())); });
    connect(c.table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Board::showWhatIf);
    connect(c.table, &QTableView::doubleClicked, this, &Board::showChart);
}

void Board::showAndRaise()
{
    m_tray->release();
    m_session.open();
    show();
    raise();
    activateWindow();
}

void Board::closeEvent(QCloseEvent *event)
{
    event->accept();
    // A board that watches goes on from the tray where the desktop has one; otherwise a closed
    // board queries nothing more, and its rows stay for when it is opened again.
    if (m_session.watch() != present::WatchInterval::Off && m_tray->takeOver()) return;
    m_session.close();
}

void Board::stopWatching()
{
    m_controls.watch->setCurrentIndex(m_controls.watch->findData(int(present::WatchInterval::Off)));
    m_tray->release();
    if (!isVisible()) m_session.close();
}

void Board::add(const present::QueryReport &report) { m_model->addReport(report); }

void Board::queryAll()
{
    for (const QString &entry : present::boardEntries(m_controls.entries->toPlainText())) {
        if (!m_session.run().idOf(entry)) m_model->addEntry(entry);
    }
    m_session.run().queryAll(m_controls.table->allIds());
}

void Board::removeSelected()
{
    for (int id : m_controls.table->selectedIds())
        m_model->removeEntry(id);
}

void Board::rowUpdated(int id)
{
    m_model->rowChanged(id);
    // Only a link to an item brings a shop card: its columns take room once a row has one.
    const std::vector<present::BoardRow> &rows = m_session.run().rows();
    m_controls.table->showShopCards(std::any_of(
        rows.begin(), rows.end(), [](const present::BoardRow &row) { return row.report && row.report->card; }));
    showWhatIf();
}

void Board::showRow(int id)
{
    showAndRaise();
    m_controls.table->selectId(id);
}

void Board::showChart(const QModelIndex &index)
{
    const present::BoardRow *shown = m_session.run().rowOf(m_controls.table->idAt(index));
    if (!shown) return;
    if (!m_chart) m_chart = new ReadingChart(this);
    m_chart->setReadings(present::rowShop(*shown), m_session.run().log().readingsOf(shown->entry));
    m_chart->show();
    m_chart->raise();
}

void Board::showWhatIf()
{
    const present::BoardRow *shown = m_session.run().rowOf(m_controls.table->currentId());
    const bool figures = shown && shown->report && shown->report->ending == present::QueryEnding::Figures;
    m_controls.whatIf->setReading(figures ? std::optional(shown->report->figures) : std::nullopt);
}

void Board::showProgress()
{
    const present::BoardRun &run = m_session.run();
    m_controls.progress->setText(m_session.progress());
    m_controls.stop->setEnabled(run.phase() != present::BoardRun::Phase::Idle);
    m_controls.resume->setVisible(run.phase() == present::BoardRun::Phase::WaitingForGate);
}

} // namespace app
