// SPDX-License-Identifier: MIT
#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace present {
class BoardModel;
}

namespace app {

class BoardTable;
class WhatIfPanel;

// The board's controls, laid out in its window: the list to paste, the row of buttons, the table and
// the what-if line. The window wires them.
struct BoardControls {
    QPlainTextEdit *entries;
    QPushButton *queryAll, *stop, *resume, *queryAgain, *remove, *copy, *exportHistory;
    QCheckBox *raters, *changes;
    QComboBox *changeSince; // each item's data: its present::ChangeSince
    QComboBox *watch;       // each item's data: its present::WatchInterval
    QLabel *progress;
    QLabel *fileTrouble; // what went wrong with the board's file, shown until it is over
    BoardTable *table;
    WhatIfPanel *whatIf;

    // Made in the order the keyboard's focus goes through them.
    static BoardControls build(QWidget *board, present::BoardModel *model);
};

} // namespace app
