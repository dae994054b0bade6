// SPDX-License-Identifier: MIT
#include "app/form1.h"
#include "app/program.h"

int main(int argc, char *argv[])
{
    app::Program program(argc, argv);
    app::Form1 form1;
    form1.show();
    return QApplication::exec();
}
