// SPDX-License-Identifier: MIT
// Takes the README's screenshots against the fake marketplace: the main window after a query, with
// --board the comparison board after a list of four, or with --watch the board after two rounds
// beside the chart of its first row. Not a test: run
// build/tests/take_screenshots FILE.png [--dark] [--board | --watch], with QT_SCALE_FACTOR=2 for 200 %.

#include "app/board.h"
#include "catalogue.h"
#include "form1probe.h"
#include "querywindow.h"
#include "userinput.h"
#include "webtest.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTableView>

namespace {

app::Board &boardWith(app::Form1 &form, const QString &entries)
{
    app::Board &board = app::Form1Probe::board(form);
    board.session().setPauseBetweenShops(20, 80);
    board.resize(1340, 420); // as it opens on a screen of 1366 pixels
    board.showAndRaise();
    board.findChild<QPlainTextEdit *>()->setPlainText(entries);
    return board;
}

void queryAll(app::Board &board, const QString &done)
{
    for (QPushButton *button : board.findChildren<QPushButton *>()) {
        if (button->text() == QStringLiteral("全部查询")) button->click();
    }
    const auto finished = [&] { return board.findChild<QLabel *>(QStringLiteral("BoardProgress"))->text() == done; };
    if (!QTest::qWaitFor(finished, 4 * tests::answerTimeoutMs)) qFatal("the board did not finish");
}

QImage boardAfterAList(app::Form1 &form)
{
    app::Board &board =
        boardWith(form, QStringLiteral("云栖数码旗舰店\nhttps://shop1002.taobao.com\nnodsr\n没有这家店\n"));
    queryAll(board, QStringLiteral("4 / 4"));
    return board.grab().toImage();
}

// The catalogue's rising shop read twice: the second round shows what moved, and its chart.
QImage boardWatched(app::Form1 &form)
{
    app::Board &board = boardWith(form, QStringLiteral("rising\n云栖数码旗舰店\n"));
    queryAll(board, QStringLiteral("2 / 2"));
    auto *table = board.findChild<QTableView *>();
    const auto moved = [&] { return table->model()->index(0, 3).data().toString().contains(QStringLiteral("↑")); };
    queryAll(board, QStringLiteral("2 / 2"));
    if (!QTest::qWaitFor(moved, 4 * tests::answerTimeoutMs)) qFatal("the second round showed nothing moved");
    tests::doubleClick(table->viewport(), table->visualRect(table->model()->index(0, 0)).center());
    auto *chart = board.findChild<QWidget *>(QStringLiteral("ReadingChart"));
    if (!chart || !QTest::qWaitFor([chart] { return chart->isVisible(); })) qFatal("no chart");
    const QImage shown = board.grab().toImage();
    const QImage drawn = chart->grab().toImage();
    QImage both(shown.width() + drawn.width(), std::max(shown.height(), drawn.height()), QImage::Format_RGB32);
    both.setDevicePixelRatio(shown.devicePixelRatio());
    both.fill(board.palette().color(QPalette::Window));
    QPainter painter(&both);
    painter.drawImage(QPoint(0, 0), shown);
    painter.drawImage(QPointF(shown.width() / shown.devicePixelRatio(), 0), drawn);
    return both;
}

} // namespace

int main(int argc, char *argv[])
{
    tests::prepareWebEnvironment();
    app::Program program(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) qFatal("usage: take_screenshots FILE.png [--dark]");
    if (arguments.contains(QStringLiteral("--dark"))) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(tests::darkPalette());
    }
    tests::serveCatalogue();

    tests::QueryWindow window;
    if (arguments.contains(QStringLiteral("--board")))
        return boardAfterAList(window.form()).save(arguments.at(1)) ? 0 : 1;
    if (arguments.contains(QStringLiteral("--watch"))) return boardWatched(window.form()).save(arguments.at(1)) ? 0 : 1;
    window.query(QStringLiteral("云栖数码旗舰店"));
    if (!QTest::qWaitFor([&] { return window.idle() && !window.score(0).isEmpty(); }, tests::answerTimeoutMs))
        qFatal("the query did not finish");
    window.target(0)->setText(QStringLiteral("4.9"));
    QTest::qWait(tests::quietPeriodMs); // the promotion page settles below the target frame
    return window.form().grab().save(arguments.at(1)) ? 0 : 1;
}
