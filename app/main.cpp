// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "app/messages.h"
#include "browser/engineflags.h"
#include "browser/profile.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    app::quietQtMessages();
    browser::keepUnshownPagesAwake();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Larkspire"));

    browser::SharedProfile profile;
    app::Form1 form1;
    form1.show();
    return application.exec();
}
