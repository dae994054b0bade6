// SPDX-License-Identifier: MIT
#include "app/readingchart.h"

#include "present/board.h"
#include "present/wording.h"

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QDateTimeAxis>
#include <QEvent>
#include <QLineSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

// Points are marked while they can be told apart; a season's are a line.
constexpr qsizetype pointsMarked = 60;

void colourAxis(QAbstractAxis *axis, const QPalette &palette)
{
    axis->setLabelsBrush(palette.color(QPalette::Text));
    axis->setLinePenColor(palette.color(QPalette::Mid));
    axis->setGridLineColor(palette.color(QPalette::Midlight));
}

// A chart is some hundreds of pixels wide: of a longer line, each stretch keeps its lowest and its
// highest point, so that the line drawn has every rise and fall of the whole.
constexpr qsizetype stretchesKept = 400;

QList<QPointF> thinned(const QList<QPointF> &points)
{
    if (points.size() <= 2 * stretchesKept) return points;
    QList<QPointF> kept;
    for (qsizetype stretch = 0; stretch < stretchesKept; ++stretch) {
        const auto from = points.cbegin() + points.size() * stretch / stretchesKept;
        const auto to = points.cbegin() + points.size() * (stretch + 1) / stretchesKept;
        const auto [low, high] =
            std::minmax_element(from, to, [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
        kept << *std::min(low, high) << *std::max(low, high);
    }
    return kept;
}

QLineSeries *lineOf(const QString &name, const QList<QPointF> &points, const QPen &pen)
{
    auto *line = new QLineSeries;
    line->setName(name);
    line->replace(thinned(points));
    line->setPen(pen);
    line->setPointsVisible(points.size() <= pointsMarked);
    return line;
}

QChart *chartOf(int dimension, const present::ChartSeries &series, const QPalette &palette)
{
    auto *chart = new QChart;
    chart->setTitle(present::dimensionName(dimension));
    chart->setTitleBrush(palette.color(QPalette::Text));
    chart->setBackgroundBrush(palette.color(QPalette::Base));
    chart->legend()->setLabelColor(palette.color(QPalette::Text));
    chart->legend()->setAlignment(Qt::AlignRight);
    QList<QPointF> scores;
    QList<QPointF> averages;
    for (qsizetype i = 0; i < series.scores.size(); ++i) {
        const auto at = double(series.times[i].toMSecsSinceEpoch());
        scores << QPointF(at, series.scores[i]);
        if (series.averages[i]) averages << QPointF(at, *series.averages[i]);
    }
    // The text's colour, faded: a dashed line that reads on light and dark palettes alike.
    QColor industry = palette.color(QPalette::Text);
    industry.setAlpha(170);
    QLineSeries *lines[] = {lineOf(QStringLiteral("行业平均"), averages, QPen(industry, 1.5, Qt::DashLine)),
                            lineOf(QStringLiteral("评分"), scores, QPen(palette.color(QPalette::Highlight), 2))};

    auto *time = new QDateTimeAxis;
    // The labels a chart's width holds: the hour within a day, the day over a week.
    const qint64 day = 24 * 3600 * 1000;
    const qint64 span = scores.isEmpty() ? 0 : qint64(scores.last().x() - scores.first().x());
    time->setFormat(span < day       ? QStringLiteral("HH:mm")
                    : span < 7 * day ? QStringLiteral("MM-dd HH:mm")
                                     : QStringLiteral("MM-dd"));
    time->setTickCount(span < 7 * day ? 4 : 6);
    auto *value = new QValueAxis;
    value->setLabelFormat(QStringLiteral("%.%1f").arg(series.decimals));
    value->setTickCount(5);
    // Room of a unit of the last decimal around the lines, so that none runs along the frame.
    const double unit = std::pow(10.0, -series.decimals);
    QList<QPointF> every = scores + averages;
    const auto [low, high] = std::minmax_element(every.cbegin(), every.cend(),
                                                 [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
    if (low != every.cend()) value->setRange(low->y() - unit, high->y() + unit);
    for (QAbstractAxis *axis : {static_cast<QAbstractAxis *>(time), static_cast<QAbstractAxis *>(value)})
        colourAxis(axis, palette);
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(value, Qt::AlignLeft);
    for (QLineSeries *line : lines) {
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(value);
    }
    return chart;
}

} // namespace

ReadingChart::ReadingChart(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ReadingChart"));
    setWindowTitle(QStringLiteral("评分走势"));
    auto *layout = new QVBoxLayout(this);
    for (QChartView *&view : m_views) {
        view = new QChartView(this);
        view->setRenderHint(QPainter::Antialiasing);
        layout->addWidget(view);
    }
}

void ReadingChart::setReadings(const QString &shop, const QList<present::Reading> &readings)
{
    m_readings = readings;
    setWindowTitle(shop + QStringLiteral(" - 评分走势"));
    setAccessibleName(windowTitle());
    setAccessibleDescription(present::chartDescription(readings));
    draw();
}

void ReadingChart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) draw();
}

void ReadingChart::draw()
{
    const std::array<present::ChartSeries, calc::dimensionCount> series = present::chartSeries(m_readings);
    for (int d = 0; d < calc::dimensionCount; ++d) {
        QChart *chart = chartOf(d, series[size_t(d)], palette());
        const QList<QAbstractSeries *> lines = chart->series();
        connect(static_cast<QLineSeries *>(lines.last()), &QLineSeries::hovered, this,
                [this, d](const QPointF &point, bool hovered) { showReading(d, point, hovered); });
        QChart *old = m_views[size_t(d)]->chart();
        m_views[size_t(d)]->setChart(chart);
        delete old;
    }
}

void ReadingChart::showReading(int dimension, const QPointF &point, bool hovered)
{
    if (!hovered || m_readings.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // The reading nearest the point in time.
    const auto at = qint64(point.x());
    const auto after =
        std::lower_bound(m_readings.cbegin(), m_readings.cend(), at,
                         [](const present::Reading &r, qint64 ms) { return r.at.toMSecsSinceEpoch() < ms; });
    const auto nearest =
        after == m_readings.cend()
                || (after != m_readings.cbegin()
                    && at - std::prev(after)->at.toMSecsSinceEpoch() < after->at.toMSecsSinceEpoch() - at)
            ? std::prev(after)
            : after;
    QToolTip::showText(QCursor::pos(), present::readingTip(*nearest, dimension), this);
}

} // namespace app
