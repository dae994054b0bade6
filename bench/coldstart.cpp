// SPDX-License-Identifier: MIT
#include "coldstart.h"

#include "app/form1.h"
#include "app/program.h"
#include "browser/webbrowser.h"
#include "form1probe.h"
#include "heavymarketplace.h"
#include "loop.h"
#include "webtest.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTextStream>
#include <QWebEnginePage>

namespace bench {

namespace {

class StartReporter : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QTextStream(stdout) << "shown" << Qt::endl;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

} // namespace

StartTimes measureColdStarts(int runs)
{
    StartTimes times;
    for (int run = 0; run < runs; ++run) {
        QProcess child;
        QEventLoop loop;
        QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
        double shownAt = -1, promotionAt = -1;
        QObject::connect(&child, &QProcess::readyReadStandardOutput, [&] {
            while (child.canReadLine()) {
                const QByteArray line = child.readLine().trimmed();
                if (line == "shown") shownAt = nowMs();
                if (line == "promotion") promotionAt = nowMs();
            }
        });
        child.setStandardErrorFile(QProcess::nullDevice());
        const double start = nowMs();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--cold-start-child")});
        if (!runUntilQuit(loop, 60000)) fail("a start-up hung");
        if (shownAt < 0 || promotionAt < 0) fail("a start-up did not show its window and promotion page");
        times.shown << shownAt - start;
        times.promotion << promotionAt - start;
    }
    return times;
}

int coldStartChild(int argc, char *argv[])
{
    tests::prepareWebEnvironment(); // the promotion page comes from the fake marketplace
    app::Program program(argc, argv);
    tests::marketplace().setHandler(heavyAnswer);
    app::Form1 form;
    StartReporter reporter;
    form.installEventFilter(&reporter);
    QObject::connect(app::Form1Probe::promotionBrowser(form)->page(), &QWebEnginePage::loadFinished, [] {
        QTextStream(stdout) << "promotion" << Qt::endl;
        QCoreApplication::quit();
    });
    form.show();
    return QApplication::exec();
}

} // namespace bench
