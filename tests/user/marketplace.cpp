// SPDX-License-Identifier: MIT
// The fake marketplace as a process of its own, for the user-level tests: it serves the test
// catalogue, prints on its first line the Chromium switches that point a browser at it, and runs
// until it is ended.
#include "catalogue.h"
#include "webtest.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    tests::prepareWebEnvironment();
    QCoreApplication application(argc, argv);
    tests::serveCatalogue();
    QTextStream(stdout) << qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS") << Qt::endl;
    return application.exec();
}
