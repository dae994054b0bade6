// SPDX-License-Identifier: MIT
#include "lookup/ratingparser.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

QString dataFile(const char *name)
{
    QFile file(QStringLiteral(TEST_DATA_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) qFatal("missing test data %s", name);
    return QString::fromUtf8(file.readAll());
}

QString scoreCell(const QString &title)
{
    return QStringLiteral("<span>描述相符：</span><em title=%1分>x</em>").arg(title);
}

} // namespace

class RatingParserTest : public QObject
{
    Q_OBJECT
private slots:
    void completeList();
    void scores_data();
    void scores();
    void starShares_data();
    void starShares();
    void raterTotals_data();
    void raterTotals();
    void cleansCells_data();
    void cleansCells();
    void cleaningSkipsNoRemoval();
};

void RatingParserTest::completeList()
{
    const lookup::RatingFigures figures = lookup::chr(dataFile("dsr_complete.html"));
    QCOMPARE(figures.scores, (QStringList{"4.77", "4.80", "4.90"}));
    QCOMPARE(figures.scoreBox, "4.77#4.80#4.90");
    QCOMPARE(figures.starBox, "85.12#10.00#3.00#1.00#0.88#85.00#10.00#5.00#0.00#0#92.50#5.00#2.50#0.00#0.00");
    QCOMPARE(figures.raterBox, "1000#200#300");
}

void RatingParserTest::scores_data()
{
    // clang-format off
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QStringList>("scores");
    QTest::newRow("empty markup") << "" << QStringList();
    QTest::newRow("quoted title") << scoreCell("\"4.84") << QStringList{"4.84"};
    QTest::newRow("unquoted title") << scoreCell("4.84") << QStringList{"4.84"};
    QTest::newRow("only the first three")
        << scoreCell("4.1") + scoreCell("4.2") + "\n" + scoreCell("4.3") + scoreCell("4.4") << QStringList{"4.1", "4.2", "4.3"};
    QTest::newRow("colon too far away")
        << QStringLiteral("：") + QString(36, u'x') + "title=4.8分" << QStringList();
    QTest::newRow("colon too close") << QStringLiteral("：xtitle=4.8分") << QStringList();
    QTest::newRow("title on the next line") << QStringLiteral("：<span>\n<em title=4.8分") << QStringList();
    QTest::newRow("ascii colon does not count") << "Score: <em title=4.8分" << QStringList();
    QTest::newRow("upper-case title") << QStringLiteral("：</span><EM TITLE=\"4.5分") << QStringList{"4.5"};
    // clang-format on
}

void RatingParserTest::scores()
{
    QFETCH(QString, markup);
    QFETCH(QStringList, scores);
    const lookup::RatingFigures figures = lookup::chr(markup);
    QCOMPARE(figures.scores, scores);
    QCOMPARE(figures.scoreBox, scores.join('#'));
}

void RatingParserTest::starShares_data()
{
    // clang-format off
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("starBox");
    QTest::newRow("nothing") << "<div class=\"other\">1</div>" << "";
    QTest::newRow("one cell") << "<div class=\"count count5\">85%</div>" << "85";
    QTest::newRow("placeholder") << QStringLiteral("<div class=\"count count1\">暂无人打分</div>") << "0";
    QTest::newRow("empty cell keeps its place")
        << "<div class=\"count count5\"><em></em></div>\n<div class=\"count count4\">10%</div>" << "#10";
    QTest::newRow("cell across a line break") << "<div class=\"count count5\">85\n%</div>" << "";
    QTest::newRow("more than fifteen all kept") << QString("<div class=\"count count5\">1%</div>\n").repeated(17)
                                                << QString("1#").repeated(16) + "1";
    QTest::newRow("white space between the words") << "<DIV CLASS=count\tCOUNT>7</DIV>" << "7";
    // clang-format on
}

void RatingParserTest::starShares()
{
    QFETCH(QString, markup);
    QFETCH(QString, starBox);
    QCOMPARE(lookup::chr(markup).starBox, starBox);
}

void RatingParserTest::raterTotals_data()
{
    // clang-format off
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("raterBox");
    QTest::newRow("lower case") << QStringLiteral("共<span>1000</span>人") << "1000";
    QTest::newRow("upper case") << QStringLiteral("共<SPAN>1000</SPAN>人") << "1000";
    QTest::newRow("all appended") << QStringLiteral("共<span>1</span>共<span>2</span>\n共<span>3</span>共<span>4</span>")
                                  << "1#2#3#4";
    QTest::newRow("not cleaned") << QStringLiteral("共<span> 1,000 <b>") << " 1,000 ";
    QTest::newRow("empty total keeps its place") << QStringLiteral("共<span></span>共<span>2</span>") << "#2";
    QTest::newRow("attribute on the span") << QStringLiteral("共<span class=\"n\">1000</span>") << "";
    // clang-format on
}

void RatingParserTest::raterTotals()
{
    QFETCH(QString, markup);
    QFETCH(QString, raterBox);
    QCOMPARE(lookup::chr(markup).raterBox, raterBox);
}

void RatingParserTest::cleansCells_data()
{
    // clang-format off
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("cleaned");
    QTest::newRow("worked example") << " <em>\t85.12%</em> " << "85.12";
    QTest::newRow("placeholder") << QStringLiteral("暂无人打分") << "0";
    QTest::newRow("unit") << QStringLiteral("<b>4.8分</b>") << "4.8";
    QTest::newRow("line breaks") << "\r\n1\r2\n" << "12";
    QTest::newRow("tag across a line break stays") << "<em\n>5" << "<em>5";
    QTest::newRow("nested looking tags") << "<<b>>7" << ">7";
    QTest::newRow("empty") << "" << "";
    // clang-format on
}

void RatingParserTest::cleansCells()
{
    QFETCH(QString, cell);
    QFETCH(QString, cleaned);
    QCOMPARE(lookup::RemoveHTML(cell), cleaned);
}

// Cleaning searches a tag again only when a removal may have formed it anew; the result must
// be exactly that of removing every found text in turn.
void RatingParserTest::cleaningSkipsNoRemoval()
{
    const auto removeInTurn = [](QString text, const QString &pattern) {
        const QString original = text;
        for (auto it = QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption).globalMatch(original);
             it.hasNext();)
            text.remove(it.next().captured(0));
        return text;
    };
    const QStringList pieces = {"<a>",
                                "<b>",
                                "<",
                                ">",
                                "a",
                                "b",
                                "x",
                                " ",
                                "\t",
                                "\n",
                                "\r",
                                "%",
                                QStringLiteral("分"),
                                QStringLiteral("暂无人打分"),
                                "<<a>>",
                                "<a<b>>"};
    QRandomGenerator random(20261207);
    for (int round = 0; round < 20000; ++round) {
        QString cell;
        for (int i = random.bounded(1, 14); i > 0; --i)
            cell += pieces[random.bounded(pieces.size())];
        QString expected = removeInTurn(cell, "<.+?>");
        expected = removeInTurn(expected, "(\r|\n|\r\n| |\t| )");
        expected.remove('%').replace(QStringLiteral("暂无人打分"), "0").remove(QStringLiteral("分"));
        QCOMPARE(lookup::RemoveHTML(cell), expected);
    }
}

QTEST_APPLESS_MAIN(RatingParserTest)
#include "tst_ratingparser.moc"
