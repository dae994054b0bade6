// SPDX-License-Identifier: MIT
#include "app/boardcontrols.h"

#include "app/boardtable.h"
#include "app/whatifpanel.h"
#include "present/readinglog.h"
#include "present/watchschedule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *made = new QPushButton(text, parent);
    made->setAutoDefault(false);
    return made;
}

// A list to choose from, each item's data the number of its choice.
QComboBox *choice(QWidget *board, const QString &name, const QString &spoken,
                  std::initializer_list<std::pair<QString, int>> items)
{
    auto *made = new QComboBox(board);
    made->setObjectName(name);
    made->setAccessibleName(spoken);
    for (const auto &[text, value] : items)
        made->addItem(text, QVariant::fromValue(value));
    return made;
}

} // namespace

BoardControls BoardControls::build(QWidget *board, present::BoardModel *model)
{
    auto *listLabel = new QLabel(QStringLiteral("店铺列表（每行一个旺旺名或店铺链接，可从表格粘贴一列）："), board);
    BoardControls made{};
    made.entries = new QPlainTextEdit(board);
    made.entries->setObjectName(QStringLiteral("BoardEntries"));
    made.entries->setAccessibleName(QStringLiteral("店铺列表"));
    made.entries->setTabChangesFocus(true);
    made.entries->setMaximumHeight(board->fontMetrics().lineSpacing() * 6);
    listLabel->setBuddy(made.entries);
    made.queryAll = button(QStringLiteral("全部查询"), board);
    made.stop = button(QStringLiteral("停止"), board);
    made.resume = button(QStringLiteral("继续"), board);
    made.queryAgain = button(QStringLiteral("重新查询所选"), board);
    made.remove = button(QStringLiteral("移除所选"), board);
    made.copy = button(QStringLiteral("复制表格"), board);
    made.exportHistory = button(QStringLiteral("导出历史"), board);
    // The rater totals are shown on request: without them every column fits the window's first width.
    made.raters = new QCheckBox(QStringLiteral("显示评分人数"), board);
    made.changes = new QCheckBox(QStringLiteral("显示变化"), board);
    made.changes->setObjectName(QStringLiteral("ShowChanges"));
    made.changes->setChecked(true);
    using Since = present::ChangeSince;
    made.changeSince = choice(board, QStringLiteral("ChangeSince"), QStringLiteral("变化比较"),
                              {{QStringLiteral("自首次读取"), int(Since::FirstReading)},
                               {QStringLiteral("比昨天"), int(Since::DayBefore)},
                               {QStringLiteral("比7天前"), int(Since::WeekBefore)}});
    QObject::connect(made.changes, &QCheckBox::toggled, made.changeSince, &QComboBox::setEnabled);
    auto *watchLabel = new QLabel(QStringLiteral("定时刷新："), board);
    using Interval = present::WatchInterval;
    made.watch = choice(board, QStringLiteral("Watch"), QStringLiteral("定时刷新"),
                        {{QStringLiteral("关闭"), int(Interval::Off)},
                         {QStringLiteral("每30分钟"), int(Interval::HalfHour)},
                         {QStringLiteral("每小时"), int(Interval::Hour)},
                         {QStringLiteral("每2小时"), int(Interval::TwoHours)}});
    watchLabel->setBuddy(made.watch);
    made.progress = new QLabel(board);
    made.progress->setObjectName(QStringLiteral("BoardProgress"));
    made.progress->setTextFormat(Qt::PlainText);
    made.fileTrouble = new QLabel(board);
    made.fileTrouble->setObjectName(QStringLiteral("BoardFileTrouble"));
    made.fileTrouble->setTextFormat(Qt::PlainText);
    made.fileTrouble->setWordWrap(true);
    made.fileTrouble->hide();
    made.table = new BoardTable(model, board);
    made.whatIf = new WhatIfPanel(board);

    auto *buttons = new QHBoxLayout;
    for (QWidget *each : std::initializer_list<QWidget *>{made.queryAll, made.stop, made.resume, made.queryAgain,
                                                          made.remove, made.copy, made.exportHistory, made.raters,
                                                          made.changes, made.changeSince, watchLabel, made.watch})
        buttons->addWidget(each);
    buttons->addWidget(made.progress, 1);
    auto *layout = new QVBoxLayout(board);
    layout->addWidget(listLabel);
    layout->addWidget(made.entries);
    layout->addLayout(buttons);
    layout->addWidget(made.fileTrouble);
    layout->addWidget(made.table, 1);
    layout->addWidget(made.whatIf);
    return made;
}

} // namespace app
