// SPDX-License-Identifier: MIT
// Times whole queries of the real main window against a marketplace of realistic weight, next to
// pages alone loading the same pages: bare Chromium, and the hidden browser's filter painted and
// unshown (see variants.h). Each runs in a process of its own and they take turns, query by query,
// so that all see the same noise of a shared machine. Also the script-redirect chain, memory over
// 100 queries and start-up. Not part of the test run: build with -DLARKSPIRE_BENCH=ON and run
// bench/bench_query [--rounds 30] [--idle-minutes 6]; with --soak N it runs N queries of varied
// outcomes in one window instead (see soak.h), and with --soak N --hostile SEED N queries answered
// by seeded draws of outcomes and faults (see hostilesoak.h); with --board-soak N --hostile SEED
// a list of N such rows on the comparison board while a simulated person acts, and with --watch
// MINUTES added the board then watching those rows as long (see boardsoak.h).

#include "boardsoak.h"
#include "coldstart.h"
#include "hostilesoak.h"
#include "loop.h"
#include "soak.h"
#include "variants.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

using bench::fail;

namespace {

QTextStream out(stdout);

struct Series {
    explicit Series(QString name = {}, QList<double> values = {}, QString unit = QStringLiteral("ms"))
        : name(std::move(name))
        , values(std::move(values))
        , unit(std::move(unit))
    {}

    QString name;
    QList<double> values;
    QString unit;
};

// The value below which the given share of the values lie, between the two nearest.
double quantile(QList<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const double at = share * double(values.size() - 1);
    const auto below = qsizetype(at);
    const qsizetype above = std::min(below + 1, values.size() - 1);
    return values[below] + (at - double(below)) * (values[above] - values[below]);
}

double median(const QList<double> &values) { return quantile(values, 0.5); }

void printTable(const QList<Series> &table)
{
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
               .arg("measure", -56)
               .arg("n", 4)
               .arg("min", 9)
               .arg("q1", 9)
               .arg("median", 9)
               .arg("q3", 9)
               .arg("max", 9);
    for (const Series &row : table) {
        if (row.values.isEmpty()) continue;
        out << QStringLiteral("%1 %2").arg(row.name + " (" + row.unit + ")", -56).arg(row.values.size(), 4);
        for (double share : {0.0, 0.25, 0.5, 0.75, 1.0})
            out << QStringLiteral(" %1").arg(quantile(row.values, share), 9, 'f', 2);
        out << '\n';
    }
}

// One variant's process, asked one command at a time.
class VariantProcess
{
public:
    explicit VariantProcess(const QString &name)
        : m_name(name)
    {
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--variant"), name});
        if (!m_process.waitForStarted()) fail(QStringLiteral("the %1 process did not start").arg(name));
    }

    ~VariantProcess()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(30000)) m_process.kill();
    }

    // The numbers of the answer to the command.
    QList<double> ask(const QString &command)
    {
        m_process.write(command.toUtf8() + '\n');
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(60000))
                fail(QStringLiteral("the %1 process gave no answer to %2").arg(m_name, command));
        }
        const QStringList words = QString::fromUtf8(m_process.readLine()).trimmed().split(u' ');
        if (words.value(0) != QLatin1String("ok"))
            fail(QStringLiteral("the %1 process answered %2 with %3").arg(m_name, command, words.join(u' ')));
        QList<double> numbers;
        for (qsizetype i = 1; i < words.size(); ++i)
            numbers << words[i].toDouble();
        return numbers;
    }

private:
    QString m_name;
    QProcess m_process;
};

QString ratioLine(const QString &what, double ratio)
{
    return QStringLiteral("%1: %2\n").arg(what).arg(ratio, 0, 'f', 2);
}

int benchmark(int rounds, int idleMinutes)
{
    constexpr int totalAppQueries = 100;
    constexpr int boardRows = 20;
    const QString shop = QStringLiteral("query found"), hops = QStringLiteral("query hops");
    std::map<QString, std::unique_ptr<VariantProcess>> variant;
    std::map<QString, Series> cold, warm;
    for (const QString &name : bench::variantNames) {
        variant[name] = std::make_unique<VariantProcess>(name);
        cold[name].name = name + QStringLiteral(": query, first (cold)");
        warm[name].name = name + QStringLiteral(": query, warm, taking turns");
    }
    VariantProcess &app = *variant[QStringLiteral("app")];
    Series toRating{QStringLiteral("app: shop page complete -> rating load started")};
    Series toIdle{QStringLiteral("app: rating page complete -> button idle")};
    Series chain{QStringLiteral("5 script redirects: app after start, app after idling, bare")};
    QList<double> memory; // MiB after 3 and after 100 queries, then with the board after its list
    Series manyApp{QStringLiteral("app: query, warm, memory run")};

    for (const QString &name : bench::variantNames)
        cold[name].values << variant[name]->ask(shop).value(0);
    chain.values << app.ask(hops).value(0);
    manyApp.values << app.ask(shop).value(0);
    memory << app.ask(QStringLiteral("memory")).value(0);
    int appQueries = 3;
    for (int round = 0; round < rounds; ++round) {
        for (const QString &name : bench::variantNames) {
            const QList<double> times = variant[name]->ask(shop);
            warm[name].values << times.value(0);
            if (name != QLatin1String("app")) continue;
            toRating.values << times.value(1);
            toIdle.values << times.value(2);
            ++appQueries;
        }
    }
    for (; appQueries < totalAppQueries; ++appQueries)
        manyApp.values << app.ask(shop).value(0);
    memory << app.ask(QStringLiteral("memory")).value(0);
    memory << app.ask(QStringLiteral("board %1").arg(boardRows)).value(0);
    if (idleMinutes > 0) {
        out << "idling for " << idleMinutes << " minutes" << Qt::endl;
        bench::runFor(idleMinutes * 60 * 1000);
        chain.values << app.ask(hops).value(0);
    }
    chain.values << variant[QStringLiteral("bare")]->ask(hops).value(0);
    variant.clear();
    bench::runFor(3000); // the variants' engine processes end a moment after the variants

    const bench::StartTimes start = bench::measureColdStarts(5);
    QList<Series> table;
    for (const QString &name : bench::variantNames)
        table << cold[name];
    for (const QString &name : bench::variantNames)
        table << warm[name];
    table << toRating << toIdle << manyApp
          << Series(QStringLiteral("start-up: process start -> window shown"), start.shown)
          << Series(QStringLiteral("start-up: process start -> promotion loaded"), start.promotion);
    out << "Queries against a marketplace of realistic weight (shop page 300 KB + 40 pictures, 2 style sheets,\n"
           "2 scripts, a web font; rating page 200 KB + 20 pictures; every answer 20 ms late)\n\n";
    printTable(table);
    out << QStringLiteral("5 script redirects, after start: %1 ms").arg(chain.values.first(), 0, 'f', 0);
    if (idleMinutes > 0)
        out << QStringLiteral(", after %1 minutes idle: %2 ms").arg(idleMinutes).arg(chain.values[1], 0, 'f', 0);
    out << QStringLiteral(", bare Chromium: %1 ms\n").arg(chain.values.last(), 0, 'f', 0);
    out << QStringLiteral(
               "memory after 3 queries: %1 MiB, after %2 queries: %3 MiB, with the board after %4 rows: %5 MiB\n")
               .arg(memory[0], 0, 'f', 1)
               .arg(totalAppQueries)
               .arg(memory[1], 0, 'f', 1)
               .arg(boardRows)
               .arg(memory[2], 0, 'f', 1);
    const double appMedian = median(warm[QStringLiteral("app")].values);
    out << ratioLine(QStringLiteral("warm query app/unshown-filtered-chromium median ratio"),
                     appMedian / median(warm[QStringLiteral("unshown")].values));
    out << ratioLine(QStringLiteral("warm query app/painted-filtered-chromium median ratio"),
                     appMedian / median(warm[QStringLiteral("painted")].values));
    out << ratioLine(QStringLiteral("warm query app/bare-chromium median ratio"),
                     appMedian / median(warm[QStringLiteral("bare")].values));
    out << ratioLine(QStringLiteral("memory pss after 100/after 3 queries"), memory[1] / memory[0]);
    // The board queries through a hidden page of its own: what that page costs beside the main window's.
    out << ratioLine(QStringLiteral("memory pss with the board after a %1-row list/before it opened").arg(boardRows),
                     memory[2] / memory[1]);
    return 0;
}

int optionValue(const QStringList &arguments, const QString &option, int otherwise)
{
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 ? arguments.value(at + 1).toInt() : otherwise;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    bench::nowMs(); // the run's clock starts
    if (arguments.contains(QStringLiteral("--cold-start-child"))) return bench::coldStartChild(argc, argv);
    if (arguments.contains(QStringLiteral("--variant")))
        return bench::runVariant(arguments.value(arguments.indexOf(QStringLiteral("--variant")) + 1), argc, argv);
    if (arguments.contains(QStringLiteral("--board-soak")))
        return bench::boardSoak(optionValue(arguments, QStringLiteral("--board-soak"), 0),
                                quint32(optionValue(arguments, QStringLiteral("--hostile"), 1)),
                                optionValue(arguments, QStringLiteral("--watch"), 0), argc, argv);
    if (arguments.contains(QStringLiteral("--hostile")))
        return bench::hostileSoak(optionValue(arguments, QStringLiteral("--soak"), 0),
                                  quint32(optionValue(arguments, QStringLiteral("--hostile"), 0)), argc, argv);
    if (arguments.contains(QStringLiteral("--soak")))
        return bench::soak(optionValue(arguments, QStringLiteral("--soak"), 0), argc, argv);
    QCoreApplication application(argc, argv);
    return benchmark(optionValue(arguments, QStringLiteral("--rounds"), 30),
                     optionValue(arguments, QStringLiteral("--idle-minutes"), 0));
}
