// SPDX-License-Identifier: MIT
// Times a board file of a season's watch: 200 shops read every 30 minutes for 90 days (864 000
// readings), made through the board file's own code. It reports the file's size and, each against
// its budget, the time to open it as the board does (its rows with their latest readings and what
// their changes are shown against), to show every row's changes against last week's reading, and
// to draw one row's chart. Not part of the test run: build with -DLARKSPIRE_BENCH=ON and run
// QT_QPA_PLATFORM=offscreen bench/bench_boardfile [SHOPS [DAYS]] (200 and 90 unless told).

#include "app/readingchart.h"
#include "present/board.h"
#include "session/boardsession.h"
#include "store/boardfile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>

namespace {

QTextStream out(stdout);

constexpr int readingsPerDay = 48;

// Readings made up as they are asked for: a season of them never needs to be in memory at once.
class SeasonLog : public present::ReadingLog
{
public:
    SeasonLog(int days, const QDateTime &end)
        : m_days(days)
        , m_end(end)
    {}

    QList<present::Reading> readingsOf(const QString &entry) const override
    {
        const int shop = entry.mid(4).toInt();
        const int count = m_days * readingsPerDay;
        QList<present::Reading> readings;
        readings.reserve(count);
        for (int i = 0; i < count; ++i)
            readings << reading(shop, i, m_end.addSecs(qint64(i - count + 1) * 1800));
        return readings;
    }
    // Only the readings of each row are asked for: they are what a new file is made of.
    void append(const QString &, const present::Reading &) override {}
    void keepRows(const QStringList &) override {}
    std::optional<present::Reading> firstOf(const QString &) const override { return {}; }
    std::optional<present::Reading> latestOf(const QString &) const override { return {}; }
    std::optional<present::Reading> latestAtOrBefore(const QString &, const QDateTime &) const override { return {}; }

private:
    // A shop's scores drifting by a hundredth now and then, its comparison following.
    static present::Reading reading(int shop, int i, const QDateTime &at)
    {
        const auto figure = lookup::PageFigure::read;
        present::Reading made{at, QStringLiteral("第%1家旗舰店").arg(shop), {}};
        made.figures.address = QStringLiteral("https://rate.taobao.com/user-rate-%1.htm").arg(100000 + shop);
        for (int d = 0; d < calc::dimensionCount; ++d) {
            const double score = 4.70 + 0.01 * double((shop + d + i / 97) % 25);
            const double percent = (score - 4.80) * 20.0;
            made.figures.dimensions[size_t(d)] = {figure(QString::number(score, 'f', 2)),
                                                  percent < 0 ? lookup::Comparison::Lower : lookup::Comparison::Higher,
                                                  figure(QString::number(std::abs(percent), 'f', 2) + QLatin1Char('%')),
                                                  figure(QString::number(percent < 0 ? 700 + shop : 0)),
                                                  std::nullopt,
                                                  double(20000 + shop * 13 + i / 48),
                                                  score - 0.00123};
        }
        return made;
    }

    int m_days;
    QDateTime m_end;
};

class NoLogin : public session::LoginWindow
{
public:
    void show(const QString &) override {}
    bool isShown() const override { return false; }
};

double msSince(const QElapsedTimer &clock) { return double(clock.nsecsElapsed()) / 1e6; }

void report(const QString &what, double ms, double budgetMs)
{
    out << QStringLiteral("%1: %2 ms (budget %3 ms) %4\n")
               .arg(what)
               .arg(ms, 0, 'f', 1)
               .arg(budgetMs)
               .arg(ms <= budgetMs ? QStringLiteral("within") : QStringLiteral("OVER"));
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int shops = arguments.value(1, QStringLiteral("200")).toInt();
    const int days = arguments.value(2, QStringLiteral("90")).toInt();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("season.larkspire"));
    QStringList entries;
    for (int shop = 1; shop <= shops; ++shop)
        entries << QStringLiteral("shop%1").arg(shop);
    QElapsedTimer clock;
    clock.start();
    const qint64 readings = qint64(shops) * days * readingsPerDay;
    if (!store::BoardFile::create(path, entries, 1, SeasonLog(days, QDateTime::currentDateTime())).file) return 1;
    out << QStringLiteral("made %1 readings in %2 s; file %3 MB (%4 bytes a reading)\n")
               .arg(readings)
               .arg(msSince(clock) / 1000, 0, 'f', 1)
               .arg(double(QFileInfo(path).size()) / 1e6, 0, 'f', 1)
               .arg(QFileInfo(path).size() / readings);

    NoLogin login;
    session::BoardSession board(login, [](session::QuerySession &) { return nullptr; });
    clock.restart();
    if (!board.openFile(path).isEmpty() || board.run().rows().size() != size_t(shops)) return 1;
    report(QStringLiteral("open, every row with its latest reading and its change since the first"), msSince(clock),
           1000);

    clock.restart();
    board.run().setChangeSince(present::ChangeSince::WeekBefore);
    qsizetype shown = 0;
    for (const present::BoardRow &row : board.run().rows())
        for (const present::BoardColumn &column : present::boardColumns())
            shown += present::boardCellWithChange(row, column).size();
    report(QStringLiteral("all rows' changes against 比7天前, every cell's text"), msSince(clock), 200);

    app::ReadingChart chart;
    chart.resize(chart.sizeHint());
    clock.restart();
    const present::BoardRow &row = board.run().rows()[size_t(shops / 2)];
    chart.setReadings(present::rowShop(row), board.run().log().readingsOf(row.entry));
    const QImage drawn = chart.grab().toImage();
    report(QStringLiteral("one row's chart (%1 readings), read and drawn").arg(days * readingsPerDay), msSince(clock),
           100);
    return shown > 0 && !drawn.isNull() ? 0 : 1;
}
