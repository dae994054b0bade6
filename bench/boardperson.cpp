// SPDX-License-Identifier: MIT
#include "boardperson.h"

#include "app/board.h"
#include "app/form1.h"
#include "app/form2.h"
#include "browser/webbrowser.h"
#include "form1probe.h"
#include "hostiledraws.h"
#include "loop.h"
#include "querywindow.h"
#include "userinput.h"
#include "webtest.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QWebEnginePage>

#include <functional>

namespace bench {

namespace {

// The person's own shops are numbered apart from the list's.
constexpr int personsShops = 50000;
// 停止 then 全部查询 reads every row again: only while this few have been read.
constexpr int rowsWorthStopping = 150;

} // namespace

BoardPerson::BoardPerson(tests::QueryWindow &window, app::Board &board, std::mt19937 &random, QList<tests::Shop> &shops,
                         QTextStream &out)
    : m_window(window)
    , m_board(board)
    , m_table(board.findChild<QTableView *>(QStringLiteral("BoardTable")))
    , m_random(random)
    , m_shops(shops)
    , m_out(out)
{}

QStringList BoardPerson::problems() const
{
    QStringList seen;
    if (m_figuresGone) seen << QStringLiteral("a shop of the board's showed in the main window");
    if (m_boxesSeen != m_boxesExpected)
        seen << QStringLiteral("%1 message boxes for %2 of the person's").arg(m_boxesSeen).arg(m_boxesExpected);
    return seen;
}

bool BoardPerson::idle() const { return m_window.idle() && !QApplication::activeModalWidget() && !m_openBox; }

void BoardPerson::answerBox(QMessageBox *box)
{
    // The person leaves it open (answering the phone) past the query's 21st tick and past the
    // board's pause, then presses OK.
    if (box == m_openBox) return;
    m_openBox = box;
    ++m_boxesSeen;
    for (int tick = 0; tick <= session::QuerySession::lastBusyTick; ++tick)
        app::Form1Probe::tick(m_window.form());
    std::uniform_int_distribution<int> open(500, 2500);
    QTimer::singleShot(open(m_random), box, [box] { tests::click(box->button(QMessageBox::Ok)); });
}

void BoardPerson::tendTheGate()
{
    app::Form2 *login = app::Form2::ifLoaded();
    if (!progress().contains(QStringLiteral("请在登录窗口")) || !login || !login->isVisible()) return;
    QWebEnginePage *page = login->webBrowser1()->page();
    if (!tests::evaluate(page, QStringLiteral("document.readyState === 'complete' && document.forms.length > 0"))
             .toBool())
        return;
    ++m_actions;
    if (std::bernoulli_distribution(0.7)(m_random))
        page->runJavaScript(QStringLiteral("document.forms[0].submit();")); // passed
    else
        login->windowHandle()->close();
}

void BoardPerson::lookAtTheMainWindow()
{
    if (!idle() || m_figuresGone) return;
    const QString caption = m_window.caption();
    if (caption.isEmpty() || m_ownCaptions.contains(caption)) return;
    m_figuresGone = true;
    m_out << "board soak: the main window showed " << caption << ", no shop of the person's" << Qt::endl;
}

void BoardPerson::act(Rows rows)
{
    std::vector<std::function<void()>> actions = {
        [this] { ownQuery(false); }, [this] { ownQuery(true); },     [this] { noShopBoxLeftOpen(); },
        [this] { queryRowAgain(); }, [this] { stopThenQueryAll(); },
    };
    if (rows == Rows::MayRemove) actions.push_back([this] { removeRow(); });
    actions[std::uniform_int_distribution<size_t>(0, actions.size() - 1)(m_random)]();
}

void BoardPerson::ownQuery(bool byEnter)
{
    if (!idle()) return; // their own query still runs
    const int shop = personsShops + ++m_queries;
    Plan plan = hostileDraws().front().plan(shop);
    m_shops.append(*plan.shop);
    auto *text1 = m_window.form().findChild<QLineEdit *>(QStringLiteral("Text1"));
    if (!tests::focus(text1)) return;
    text1->selectAll();
    tests::type(text1, plan.searched);
    ++m_actions;
    m_ownCaptions.insert(titleOf(shop) + QStringLiteral("-DRS查询"));
    queryStarted([&] { byEnter ? tests::keyClick(text1, Qt::Key_Return) : tests::click(m_window.button()); });
}

void BoardPerson::noShopBoxLeftOpen()
{
    if (!idle()) return;
    auto *text1 = m_window.form().findChild<QLineEdit *>(QStringLiteral("Text1"));
    if (!tests::focus(text1)) return;
    text1->selectAll();
    tests::type(text1, numbered("nobody", personsShops + ++m_queries));
    ++m_actions;
    if (queryStarted([text1] { tests::keyClick(text1, Qt::Key_Return); })) ++m_boxesExpected;
}

bool BoardPerson::queryStarted(const std::function<void()> &press)
{
    // The board's query may have taken the button while the person was typing.
    const int before = app::Form1Probe::currentQuery(m_window.form());
    press();
    return app::Form1Probe::currentQuery(m_window.form()) != before;
}

void BoardPerson::clickRow()
{
    const int rows = m_table->model()->rowCount();
    const QModelIndex index = m_table->model()->index(std::uniform_int_distribution<int>(0, rows - 1)(m_random), 0);
    m_table->scrollTo(index);
    tests::click(m_table->viewport(), m_table->visualRect(index).center());
}

void BoardPerson::removeRow()
{
    if (m_table->model()->rowCount() < 2) return;
    clickRow();
    ++m_actions;
    tests::keyClick(m_table, Qt::Key_Delete);
}

void BoardPerson::queryRowAgain()
{
    clickRow();
    ++m_actions;
    tests::click(button(QStringLiteral("重新查询所选")));
}

void BoardPerson::stopThenQueryAll()
{
    // Once, early: 全部查询 reads every row again. The progress line starts with the rows done.
    const int done = progress().section(QLatin1Char(' '), 0, 0).toInt();
    if (m_stoppedOnce || done > rowsWorthStopping) return;
    m_stoppedOnce = true;
    m_out << "board soak: 停止 then 全部查询 at row " << done << Qt::endl;
    m_actions += 2;
    tests::click(button(QStringLiteral("停止")));
    runFor(std::uniform_int_distribution<int>(0, 500)(m_random));
    tests::click(button(QStringLiteral("全部查询")));
}

QPushButton *BoardPerson::button(const QString &text) const
{
    for (QPushButton *candidate : m_board.findChildren<QPushButton *>()) {
        if (candidate->text() == text) return candidate;
    }
    fail(QStringLiteral("the board has no button ") + text);
}

QString BoardPerson::progress() const { return m_board.findChild<QLabel *>(QStringLiteral("BoardProgress"))->text(); }

} // namespace bench
