// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "app/form2.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Larkspire"));

    int status = 0;
    {
        app::Form1 form1;
        form1.show();
        status = application.exec();
    }
    app::Form2::unload();
    return status;
}
