// SPDX-License-Identifier: MIT
// Times the rating-page readers on large and hostile markup. Not part of the test run:
// build with -DLARKSPIRE_BENCH=ON and run bench/bench_parsers.

#include "dsrpages.h"
#include "lookup/linkextract.h"
#include "lookup/ratingparser.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <functional>

namespace {

QTextStream out(stdout);

// Runs the work until at least half a second has passed, and reports the time of one run.
void measure(const char *what, const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    int runs = 0;
    do {
        work();
        ++runs;
    } while (clock.elapsed() < 500);
    out << QString("%1: %2 ms per run (%3 runs)\n")
               .arg(QLatin1String(what))
               .arg(double(clock.nsecsElapsed()) / 1e6 / runs, 0, 'f', 3)
               .arg(runs);
    out.flush();
}

// Three dimensions as the marketplace writes them, with blanks around every star share.
QString completeDsrList()
{
    const QStringList shares(5, QStringLiteral("\t19.99% "));
    return tests::dsrListMarkup({{"4.84", shares, "12345"}, {"4.84", shares, "12345"}, {"4.84", shares, "12345"}});
}

} // namespace

int main()
{
    QString body = QStringLiteral("<div class=\"shop\"><a href=\"//item.taobao.com/item.htm?id=1\">item</a></div>")
                       .repeated(26000);
    body += QStringLiteral("<a href=\"//rate.taobao.com/user-rate-UvFkuOmcGMCQy.htm\">rate</a>");
    out << "shop body: " << body.size() << " characters on one line\n";
    measure("wenz, 2 MB single-line shop page", [&] { lookup::wenz(body); });

    const QString dsr = completeDsrList();
    measure("chr, complete DSR list", [&] { lookup::chr(dsr); });

    // Fillers hold the letters the patterns end in, so no engine can rule a match out early.
    const QString manyLinks =
        QStringLiteral("user-rate-x.ht ").repeated(50000) + QStringLiteral("a.hxm ").repeated(50000);
    measure("wenz, 1 MB line, 50,000 user-rate- and no .htm", [&] { lookup::wenz(manyLinks); });

    const QString manyClasses = QStringLiteral("class=count coun> </di v ").repeated(40000);
    measure("chr, 1 MB line of class= without count count", [&] { lookup::chr(manyClasses); });

    const QString openTags = QStringLiteral("class=count count>") + QString(1'000'000, u'<') + QStringLiteral("</div");
    measure("chr, 1 MB star cell of < without >", [&] { lookup::chr(openTags); });

    const QString manyTags =
        QStringLiteral("class=count count>") + QStringLiteral("<a>x<b>y ").repeated(100000) + QStringLiteral("</div");
    measure("chr, 1 MB star cell of alternating tags and blanks", [&] { lookup::chr(manyTags); });

    return 0;
}
