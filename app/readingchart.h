// SPDX-License-Identifier: MIT
#pragma once

#include "present/rowhistory.h"

#include <QWidget>

namespace app {

// A board row's readings over the session as a small chart: per dimension its scores, oldest on
// the left, and the industry average its turn-red count compares with as a dashed line, drawn in the palette's
// colours so that it reads on a dark one too. A screen reader reads it by its figures.
class ReadingChart : public QWidget
{
    Q_OBJECT
public:
    explicit ReadingChart(QWidget *parent = nullptr);

    void setReadings(const QString &shop, const QList<present::Reading> &readings);
    QSize sizeHint() const override { return {420, 360}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<present::Reading> m_readings;
};

} // namespace app
