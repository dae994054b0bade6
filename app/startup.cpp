// SPDX-License-Identifier: MIT
#include "app/startup.h"

#include "browser/engineflags.h"

#include <QCoreApplication>
#include <QLoggingCategory>

namespace app {

void prepareStartUp()
{
    // Critical and fatal messages, which tell of real failures, stay on.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));
    browser::keepUnshownPagesAwake();
    browser::readPagesToScreenReaders();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace app
