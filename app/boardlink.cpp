// SPDX-License-Identifier: MIT
#include "app/boardlink.h"

#include "app/board.h"
#include "app/form1.h"

#include <QAction>
#include <QWidget>

namespace app {

BoardLink::BoardLink(Form1 &form, QWidget *results)
    : QObject(&form)
    , m_form(form)
    , m_addToBoard(new QAction(QStringLiteral("加入对比"), this))
{
    m_addToBoard->setEnabled(false);
    connect(m_addToBoard, &QAction::triggered, this, &BoardLink::addShownShop);
    auto *openBoard = new QAction(QStringLiteral("打开店铺对比"), this);
    openBoard->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(openBoard, &QAction::triggered, this, &BoardLink::open);
    form.addAction(openBoard);
    results->addActions({m_addToBoard, openBoard});
    connect(&form.querySession(), &session::QuerySession::queryStarted, this, &BoardLink::forget);
    connect(&form.querySession(), &session::QuerySession::queryEnded, this, &BoardLink::remember);
}

BoardLink::~BoardLink() = default;

Board &BoardLink::board()
{
    if (!m_board) {
        m_board = std::make_unique<Board>(m_form.loginGate());
        connect(m_board.get(), &Board::mainWindowAsked, &m_form, [this] {
            m_form.showNormal();
            m_form.raise();
            m_form.activateWindow();
        });
        // As closing the main window does: the program ends, login window included.
        connect(m_board.get(), &Board::quitAsked, &m_form, &QWidget::close);
    }
    return *m_board;
}

void BoardLink::forget() { m_addToBoard->setEnabled(false); }

void BoardLink::remember(const present::QueryReport &report)
{
    m_last = report;
    m_addToBoard->setEnabled(report.ending == present::QueryEnding::Figures);
}

void BoardLink::addShownShop()
{
    board().add(m_last);
    open();
}

void BoardLink::open() { board().showAndRaise(); }

} // namespace app
