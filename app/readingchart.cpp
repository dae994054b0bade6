// SPDX-License-Identifier: MIT
#include "app/readingchart.h"

#include "present/wording.h"

#include <QPainter>

#include <algorithm>

namespace app {

namespace {

constexpr int margin = 8;
constexpr int captionHeight = 18;

// The band of scores a dimension's plot shows: its scores and averages, a little room around them.
std::pair<double, double> bandOf(const present::ChartSeries &series)
{
    QList<double> values = series.scores;
    for (const std::optional<double> &average : series.averages)
        if (average) values << *average;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return {*low - 0.02, *high + 0.02};
}

QPolygonF lineOf(const QList<std::optional<double>> &values, const QRectF &plot, std::pair<double, double> band)
{
    QPolygonF line;
    const qsizetype count = values.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (!values[i]) continue;
        const double x = plot.left() + (count > 1 ? plot.width() * double(i) / double(count - 1) : plot.width() / 2);
        const double y = plot.bottom() - plot.height() * (*values[i] - band.first) / (band.second - band.first);
        line << QPointF(x, y);
    }
    return line;
}

} // namespace

ReadingChart::ReadingChart(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ReadingChart"));
    setWindowTitle(QStringLiteral("评分走势"));
}

void ReadingChart::setReadings(const QString &shop, const QList<present::Reading> &readings)
{
    m_readings = readings;
    setWindowTitle(shop + QStringLiteral(" - 评分走势"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(present::chartDescription(readings));
    update();
}

void ReadingChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const std::array<present::ChartSeries, calc::dimensionCount> series = present::chartSeries(m_readings);
    const double bandHeight = double(height() - margin) / calc::dimensionCount;
    for (int d = 0; d < calc::dimensionCount; ++d) {
        const QRectF area(margin, margin + d * bandHeight, width() - 2 * margin, bandHeight - margin);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(area.topLeft() + QPointF(0, captionHeight - 4), present::dimensionName(d));
        const present::ChartSeries &dimension = series[size_t(d)];
        if (dimension.scores.isEmpty()) continue;
        const QRectF plot = area.adjusted(0, captionHeight, 0, 0);
        painter.setPen(QPen(palette().color(QPalette::Mid), 1));
        painter.drawRect(plot);
        const std::pair<double, double> band = bandOf(dimension);
        // The text's colour, faded: a dashed line that reads on light and dark palettes alike.
        QColor industry = palette().color(QPalette::Text);
        industry.setAlpha(170);
        painter.setPen(QPen(industry, 1.5, Qt::DashLine));
        painter.drawPolyline(lineOf(dimension.averages, plot, band));
        QList<std::optional<double>> scores;
        for (double score : dimension.scores)
            scores << score;
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        const QPolygonF line = lineOf(scores, plot, band);
        painter.drawPolyline(line);
        for (const QPointF &point : line)
            painter.drawEllipse(point, 2.5, 2.5);
    }
}

} // namespace app
