// SPDX-License-Identifier: MIT
#pragma once

#include "present/rowhistory.h"

#include <QWidget>

#include <array>

class QChartView;

namespace app {

// A board row's readings as charts, one per dimension, over the whole history its board keeps: the
// scores and the industry average its turn-red count compares with (dashed) against a date-time
// axis and a value axis in the scores' own decimals, drawn in the palette's colours so that they
// read on a dark one too. Hovering a reading shows its time and figures; a screen reader reads the
// window by its figures.
class ReadingChart : public QWidget
{
    Q_OBJECT
public:
    explicit ReadingChart(QWidget *parent = nullptr);

    void setReadings(const QString &shop, const QList<present::Reading> &readings);
    QSize sizeHint() const override { return {640, 600}; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void draw();
    void showReading(int dimension, const QPointF &point, bool hovered);

    QList<present::Reading> m_readings;
    std::array<QChartView *, calc::dimensionCount> m_views;
};

} // namespace app
