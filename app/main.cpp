// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "app/startup.h"
#include "browser/profile.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    app::prepareStartUp();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Larkspire"));

    browser::SharedProfile profile;
    app::Form1 form1;
    form1.show();
    return application.exec();
}
