// SPDX-License-Identifier: MIT
#include "app/program.h"

#include "browser/engineflags.h"

#include <QLoggingCategory>

namespace app {

Program::BeforeTheApplication::BeforeTheApplication()
{
    // Critical and fatal messages, which tell of real failures, stay on.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));
    browser::keepUnshownPagesAwake();
    browser::readPagesToScreenReaders();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

Program::Program(int &argc, char **argv)
    : m_application(argc, argv)
{
    QApplication::setApplicationName(QStringLiteral("Larkspire"));
}

} // namespace app
