// SPDX-License-Identifier: MIT
#include "present/namehistory.h"
#include "present/readablecolour.h"
#include "present/resultsummary.h"

#include <QTest>

using present::ShownResults;

Q_DECLARE_METATYPE(ShownResults)

class PresentTest : public QObject
{
    Q_OBJECT
private slots:
    void layoutColoursReadOnEveryPalette_data();
    void layoutColoursReadOnEveryPalette();
    void summaryHoldsWhatIsShown_data();
    void summaryHoldsWhatIsShown();
    void latestNameFirst_data();
    void latestNameFirst();
};

void PresentTest::layoutColoursReadOnEveryPalette_data()
{
    // clang-format off
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("kept");
    QTest::newRow("blue on white") << QColor(Qt::white) << QColor(Qt::black) << QColor(0, 0, 255) << true;
    QTest::newRow("red on a pale grey, even below 4.5 : 1") << QColor(0xf0, 0xf0, 0xf0) << QColor(Qt::black)
                                                          << QColor(255, 0, 0) << true;
    QTest::newRow("blue on a dark grey") << QColor(0x2b, 0x2b, 0x2b) << QColor(0xe8, 0xe8, 0xe8) << QColor(0, 0, 255) << false;
    QTest::newRow("dark orange on a dark grey") << QColor(0x2b, 0x2b, 0x2b) << QColor(0xe8, 0xe8, 0xe8)
                                                << QColor(192, 64, 0) << false;
    QTest::newRow("red on black, readable as it is") << QColor(Qt::black) << QColor(Qt::white) << QColor(255, 0, 0)
                                                     << true;
    // clang-format on
}

void PresentTest::layoutColoursReadOnEveryPalette()
{
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QFETCH(QColor, colour);
    QFETCH(bool, kept);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    const QColor shown = present::readableIn(colour, palette);
    if (kept) {
        QCOMPARE(shown, colour); // the layout's own colour
        return;
    }
    QVERIFY2(present::contrast(shown, window) >= 4.5, qPrintable(shown.name()));
    QVERIFY(qAbs(shown.hslHue() - colour.hslHue()) <= 1); // the same hue, lighter
    QVERIFY(shown.lightness() > colour.lightness());
}

void PresentTest::summaryHoldsWhatIsShown_data()
{
    ShownResults figures;
    figures.caption = QStringLiteral("店-DRS查询");
    figures.dimensions = {{{QStringLiteral("4.77分"), lookup::Comparison::Lower, "2.00%", "762", "", ""},
                           {QStringLiteral("4.80分"), lookup::Comparison::Equal, "0.00%", "0", "", ""},
                           {QStringLiteral("4.90分"), lookup::Comparison::Higher, "3.00%", "0", "", ""}}};
    figures.ratingAddress = "https://rate.taobao.com/user-rate-1001.htm";

    ShownResults targets = figures;
    targets.ratingAddress.clear();
    targets.dimensions[1].comparison.reset();
    targets.dimensions[0].target = " 4.9 ";
    targets.dimensions[0].targetResult = "1300";
    targets.dimensions[2].target = "4.95"; // typed, but no result shown

    // clang-format off
    QTest::addColumn<ShownResults>("shown");
    QTest::addColumn<QString>("summary");
    QTest::newRow("figures and their page") << figures << QStringLiteral(
        "店-DRS查询\n"
        "宝贝与描述相符：4.77分 低于行业平均 2.00% 飘红需要5分人数：762\n"
        "卖家的服务态度：4.80分 与行业平均持平 0.00% 飘红需要5分人数：0\n"
        "物流服务的质量：4.90分 高于行业平均 3.00% 飘红需要5分人数：0\n"
        "https://rate.taobao.com/user-rate-1001.htm\n");
    QTest::newRow("a target's result, a comparison without a picture") << targets << QStringLiteral(
        "店-DRS查询\n"
        "宝贝与描述相符：4.77分 低于行业平均 2.00% 飘红需要5分人数：762\n"
        "卖家的服务态度：4.80分 飘红需要5分人数：0\n"
        "物流服务的质量：4.90分 高于行业平均 3.00% 飘红需要5分人数：0\n"
        "宝贝与描述相符提升到：4.9分 需要5分人数：1300\n");
    // clang-format on
}

void PresentTest::summaryHoldsWhatIsShown()
{
    QFETCH(ShownResults, shown);
    QFETCH(QString, summary);
    QCOMPARE(present::resultSummary(shown), summary);
}

void PresentTest::latestNameFirst_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("queried");
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("latest first") << QStringList{"a", "b", "c"} << QStringList{"c", "b", "a"};
    QTest::newRow("a name again moves to the front, once") << QStringList{"a", "b", "a"} << QStringList{"a", "b"};
    QTest::newRow("an empty name is no query") << QStringList{"a", ""} << QStringList{"a"};
    QTest::newRow("names differing in case or spaces are two") << QStringList{"ab", "AB", "ab "}
                                                               << QStringList{"ab ", "AB", "ab"};
    // clang-format on
}

void PresentTest::latestNameFirst()
{
    QFETCH(QStringList, queried);
    QFETCH(QStringList, offered);
    QStringList names;
    for (const QString &name : queried)
        names = present::withLatest(names, name);
    QCOMPARE(names, offered);
}

QTEST_APPLESS_MAIN(PresentTest)
#include "tst_present.moc"
