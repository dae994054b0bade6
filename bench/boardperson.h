// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTextStream>

#include <functional>
#include <optional>
#include <random>

class QMessageBox;
class QPushButton;
class QTableView;

namespace app {
class Board;
}

namespace tests {
class QueryWindow;
}

namespace bench {

// The person at the keyboard during a board soak, acting only through the windows: queries of
// their own by click and by Enter in the main window, whose figures must stay there while the board
// runs beside them, a no-shop message box left open past the query's 21st tick, rows removed or
// queried again, 停止 then 全部查询 once, the login window passed or closed when the board waits on it.
class BoardPerson : public QObject
{
public:
    BoardPerson(tests::QueryWindow &window, app::Board &board, std::mt19937 &random, QList<tests::Shop> &shops,
                QTextStream &out);

    // Whether the person may remove rows: not while the board watches its rows through the day.
    enum class Rows { MayRemove, Kept };
    void act(Rows rows = Rows::MayRemove); // one of their own actions, drawn
    void tendTheGate();
    // Whether the main window still shows the person's own shop, or none; a shop of the board's
    // there is a fault.
    void lookAtTheMainWindow();
    void answerBox(QMessageBox *box);

    int actions() const { return m_actions; }
    // What the person saw go wrong: a shop of the board's in the main window, a box not of theirs.
    QStringList problems() const;
    bool idle() const; // the main window's button back, no box open
    QString progress() const;
    QPushButton *button(const QString &text) const;

private:
    void ownQuery(bool byEnter);
    void noShopBoxLeftOpen();
    bool queryStarted(const std::function<void()> &press);
    void clickRow();
    void removeRow();
    void queryRowAgain();
    void stopThenQueryAll();

    tests::QueryWindow &m_window;
    app::Board &m_board;
    QTableView *m_table;
    std::mt19937 &m_random;
    QList<tests::Shop> &m_shops;
    QTextStream &m_out;
    int m_actions = 0;
    int m_boxesExpected = 0;
    int m_boxesSeen = 0;
    int m_queries = 0;
    bool m_stoppedOnce = false;
    bool m_figuresGone = false;
    QSet<QString> m_ownCaptions; // the results captions of the person's own shops
    QPointer<QMessageBox> m_openBox;
};

} // namespace bench
