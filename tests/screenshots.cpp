// SPDX-License-Identifier: MIT
// Takes the README's screenshots against the fake marketplace: the main window after a query, or
// with --board the comparison board after a list of four. Not a test: run
// build/tests/take_screenshots FILE.png [--dark] [--board], with QT_SCALE_FACTOR=2 for 200 %.

#include "app/board.h"
#include "catalogue.h"
#include "form1probe.h"
#include "querywindow.h"
#include "webtest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

namespace {

QImage boardAfterAList(app::Form1 &form)
{
    app::Board &board = app::Form1Probe::board(form);
    board.setPauseBetweenShops(20, 80);
    board.resize(1340, 420); // as it opens on a screen of 1366 pixels
    board.showAndRaise();
    board.findChild<QPlainTextEdit *>()->setPlainText(
        QStringLiteral("云栖数码旗舰店\nhttps://shop1002.taobao.com\nnodsr\n没有这家店\n"));
    for (QPushButton *button : board.findChildren<QPushButton *>()) {
        if (button->text() == QStringLiteral("全部查询")) button->click();
    }
    const auto finished = [&] { return board.findChild<QLabel *>(QStringLiteral("BoardProgress"))->text() == "4 / 4"; };
    if (!QTest::qWaitFor(finished, 4 * tests::answerTimeoutMs)) qFatal("the board did not finish");
    return board.grab().toImage();
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
    window.query(QStringLiteral("云栖数码旗舰店"));
    if (!QTest::qWaitFor([&] { return window.idle() && !window.score(0).isEmpty(); }, tests::answerTimeoutMs))
        qFatal("the query did not finish");
    window.target(0)->setText(QStringLiteral("4.9"));
    QTest::qWait(tests::quietPeriodMs); // the promotion page settles below the target frame
    return window.form().grab().save(arguments.at(1)) ? 0 : 1;
}
