// SPDX-License-Identifier: MIT
#include "app/board.h"
#include "app/boardfilemenu.h"
#include "app/boardlink.h"
#include "app/form1.h"
#include "app/program.h"

int main(int argc, char *argv[])
{
    app::Program program(argc, argv);
    app::Form1 form1;
    form1.show();
    // Started by the autostart entry the board writes: the board opens on its last file.
    if (QCoreApplication::arguments().contains(QStringLiteral("--board"))) {
        app::Board &board = form1.boardLink().board();
        board.showAndRaise();
        board.fileMenu().openLatest();
    }
    return QApplication::exec();
}
