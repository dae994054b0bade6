// SPDX-License-Identifier: MIT
#include "app/boardfilemenu.h"

#include "app/boardcontrols.h"
#include "app/boardtable.h"
#include "present/board.h"
#include "present/boardmodel.h"
#include "present/namehistory.h"
#include "session/boardsession.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace app {

namespace {

const QString boardFiles = QStringLiteral("店铺对比表 (*.larkspire)");
const QString recentKey = QStringLiteral("board/recent");
constexpr int recentShown = 8;

QStringList recentFiles()
{
    return QSettings(QStringLiteral("Larkspire"), QStringLiteral("Larkspire")).value(recentKey).toStringList();
}

// The desktop's autostart entry that opens the board's last file after login (the XDG autostart
// folder, which GNOME, KDE, Xfce and the others read).
QString autostartPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/example.quillfen.Larkspire-board.desktop");
}

// A program's path as a desktop entry's Exec key takes it: quoted, its quotes, backquotes,
// dollars and backslashes escaped.
QString execArgument(QString path)
{
    for (const QChar special : {u'\\', u'"', u'`', u'$'})
        path.replace(special, QStringLiteral("\\") + special);
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

BoardFileMenu::BoardFileMenu(QWidget *board, session::BoardSession &session, present::BoardModel *model,
                             const BoardControls &controls)
    : QObject(board)
    , m_board(board)
    , m_session(session)
    , m_controls(controls)
    , m_bar(new QMenuBar(board))
{
    QMenu *file = m_bar->addMenu(QStringLiteral("文件(&F)"));
    file->addAction(QStringLiteral("打开(&O)…"), QKeySequence::Open, this, &BoardFileMenu::askToOpen);
    m_recent = file->addMenu(QStringLiteral("最近打开(&R)"));
    connect(m_recent, &QMenu::aboutToShow, this, &BoardFileMenu::fillRecent);
    file->addSeparator();
    file->addAction(QStringLiteral("保存(&S)"), QKeySequence::Save, this, &BoardFileMenu::save);
    file->addAction(QStringLiteral("另存为(&A)…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this,
                    &BoardFileMenu::saveAs);
    file->addSeparator();
    file->addAction(QStringLiteral("导出历史(&E)…"), this, &BoardFileMenu::exportHistory);
    file->addSeparator();
    QAction *autostart = file->addAction(QStringLiteral("登录后自动打开上次的对比表"));
    autostart->setCheckable(true);
    autostart->setChecked(QFileInfo::exists(autostartPath()));
    connect(autostart, &QAction::toggled, this, &BoardFileMenu::setAutostart);
    connect(&m_session, &session::BoardSession::fileChanged, this, &BoardFileMenu::showTitle);
    connect(&m_session, &session::BoardSession::fileTrouble, this, &BoardFileMenu::showTrouble);
    connect(&m_session, &session::BoardSession::rowsAboutToBeReplaced, model, &present::BoardModel::beginReplacingRows);
    connect(&m_session, &session::BoardSession::rowsReplaced, model, &present::BoardModel::endReplacingRows);
    connect(&m_session, &session::BoardSession::rowsReplaced, this, &BoardFileMenu::showWatch);
    showTitle();
}

void BoardFileMenu::askToOpen()
{
    const QString path = QFileDialog::getOpenFileName(m_board, QStringLiteral("打开店铺对比表"), QString(), boardFiles);
    if (!path.isEmpty()) open(path);
}

void BoardFileMenu::open(const QString &path)
{
    if (mayReplaceRows()) remember(path, m_session.openFile(path), QStringLiteral("打开店铺对比表"));
}

// Rows read in a board never saved would be gone: the person says so first.
bool BoardFileMenu::mayReplaceRows()
{
    if (!m_session.filePath().isEmpty() || m_session.run().rows().empty()) return true;
    return QMessageBox::question(
               m_board, QStringLiteral("打开店铺对比表"),
               QStringLiteral("当前的对比表还没有保存，打开文件后其中的店铺和读取将不再显示。继续打开吗？"))
           == QMessageBox::Yes;
}

void BoardFileMenu::save()
{
    // A board kept in a file has every change written as it comes: there is nothing left to save.
    if (m_session.filePath().isEmpty()) saveAs();
}

void BoardFileMenu::saveAs()
{
    QString path = QFileDialog::getSaveFileName(m_board, QStringLiteral("保存店铺对比表"),
                                                QStringLiteral("店铺对比.larkspire"), boardFiles);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".larkspire");
    remember(path, m_session.saveAs(path), QStringLiteral("保存店铺对比表"));
}

void BoardFileMenu::openLatest()
{
    const QString latest = recentFiles().value(0);
    if (!latest.isEmpty() && QFileInfo::exists(latest)) open(latest);
}

void BoardFileMenu::setAutostart(bool on)
{
    const QString path = autostartPath();
    if (!on) {
        QFile::remove(path);
        return;
    }
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile entry(path);
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=Larkspire 店铺对比\n"
                                        "Exec=%1 --board\nIcon=example.quillfen.Larkspire\nTerminal=false\n")
                             .arg(execArgument(QCoreApplication::applicationFilePath()));
    if (!entry.open(QIODevice::WriteOnly) || entry.write(text.toUtf8()) < 0 || !entry.commit())
        QMessageBox::warning(m_board, QStringLiteral("登录后自动打开"), QStringLiteral("无法写入 ") + path);
}

void BoardFileMenu::fillRecent()
{
    m_recent->clear();
    for (const QString &path : recentFiles()) {
        if (QFileInfo::exists(path))
            m_recent->addAction(QFileInfo(path).fileName(), this, [this, path] { open(path); })->setToolTip(path);
    }
    if (m_recent->isEmpty()) m_recent->addAction(QStringLiteral("（无）"))->setEnabled(false);
}

void BoardFileMenu::remember(const QString &path, const QString &error, const QString &action)
{
    if (!error.isEmpty()) {
        QMessageBox::warning(m_board, action, error);
        return;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QSettings(QStringLiteral("Larkspire"), QStringLiteral("Larkspire"))
        .setValue(recentKey, present::withLatest(recentFiles(), absolute).mid(0, recentShown));
}

void BoardFileMenu::showTitle()
{
    const QString path = m_session.filePath();
    m_board->setWindowTitle(path.isEmpty() ? QStringLiteral("店铺对比")
                                           : QFileInfo(path).fileName() + QStringLiteral(" - 店铺对比"));
}

void BoardFileMenu::showTrouble(const QString &trouble)
{
    m_controls.fileTrouble->setText(trouble);
    m_controls.fileTrouble->setVisible(!trouble.isEmpty());
}

void BoardFileMenu::showWatch()
{
    const int shown = m_controls.watch->findData(int(m_session.watch()));
    if (shown >= 0) m_controls.watch->setCurrentIndex(shown);
}

void BoardFileMenu::exportHistory()
{
    const QList<int> chosen = m_controls.table->selectedIds();
    QList<const present::BoardRow *> rows;
    for (int id : chosen.isEmpty() ? m_controls.table->allIds() : chosen)
        if (const present::BoardRow *row = m_session.run().rowOf(id)) rows << row;
    const QString path = QFileDialog::getSaveFileName(
        m_board, QStringLiteral("导出历史"), QStringLiteral("店铺评分历史.csv"), QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(present::historyCsv(m_session.run().log(), rows)) < 0
        || !file.commit())
        QMessageBox::warning(m_board, QStringLiteral("导出历史"),
                             QStringLiteral("无法写入文件：") + file.errorString());
}

} // namespace app
