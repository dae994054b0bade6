// SPDX-License-Identifier: MIT
// Takes the README's screenshots of the main window after a query against the fake marketplace.
// Not a test: run build/tests/take_screenshots FILE.png [--dark], with QT_SCALE_FACTOR=2 for 200 %.

#include "catalogue.h"
#include "querywindow.h"
#include "webtest.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>

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
    window.query(QStringLiteral("云栖数码旗舰店"));
    if (!QTest::qWaitFor([&] { return window.idle() && !window.score(0).isEmpty(); }, tests::answerTimeoutMs))
        qFatal("the query did not finish");
    window.target(0)->setText(QStringLiteral("4.9"));
    QTest::qWait(tests::quietPeriodMs); // the promotion page settles below the target frame
    return window.form().grab().save(arguments.at(1)) ? 0 : 1;
}
