// SPDX-License-Identifier: MIT
#include "lookup/linkextract.h"

#include <QFile>
#include <QTest>

class LinkExtractTest : public QObject
{
    Q_OBJECT
private slots:
    void ratingAddress_data();
    void ratingAddress();
    void titleToken_data();
    void titleToken();
};

void LinkExtractTest::ratingAddress_data()
{
    // clang-format off
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("address");
    QTest::newRow("no link") << "<a href=\"//shop.taobao.com/\">shop</a>" << "";
    QTest::newRow("empty markup") << "" << "";
    QTest::newRow("one link") << "<a href=\"//rate.taobao.com/user-rate-UvFkuOmcGMCQy.htm?spm=1\">rate</a>"
                              << "//rate.taobao.com/user-rate-UvFkuOmcGMCQy.htm";
    QTest::newRow("first link wins") << "x user-rate-first.htm y user-rate-second.htm"
                                     << "//rate.taobao.com/user-rate-first.htm";
    QTest::newRow("capitals found, fixed parts lower case") << "HREF=//RATE.TAOBAO.COM/USER-RATE-AbC.HTM"
                                                             << "//rate.taobao.com/user-rate-AbC.htm";
    QTest::newRow("empty identifier") << "user-rate-.htm" << "//rate.taobao.com/user-rate-.htm";
    QTest::newRow("html cut to htm") << "user-rate-abc.html" << "//rate.taobao.com/user-rate-abc.htm";
    QTest::newRow("line break in between") << "user-rate-abc\n.htm" << "";
    QTest::newRow("line break, later link matches") << "user-rate-abc\n.htm user-rate-def.htm"
                                                    << "//rate.taobao.com/user-rate-def.htm";
    QTest::newRow("carriage return is crossed") << "user-rate-a\rb.htm" << "//rate.taobao.com/user-rate-a\rb.htm";
    QTest::newRow("shortest run") << "user-rate-a.htm.htm" << "//rate.taobao.com/user-rate-a.htm";
    QTest::newRow("nested start") << "user-rate-user-rate-x.htm" << "//rate.taobao.com/user-rate-user-rate-x.htm";
    QFile shop(QStringLiteral(TEST_DATA_DIR "/shop_body.html"));
    QVERIFY(shop.open(QIODevice::ReadOnly));
    QTest::newRow("shop page") << QString::fromUtf8(shop.readAll()) << "//rate.taobao.com/user-rate-UvFkuOmcGMCQyMkL4.htm";
    // clang-format on
}

void LinkExtractTest::ratingAddress()
{
    QFETCH(QString, markup);
    QFETCH(QString, address);
    QCOMPARE(lookup::wenz(markup), address);
}

void LinkExtractTest::titleToken_data()
{
    // clang-format off
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("token");
    QTest::newRow("shop title") << QStringLiteral("首页-小米官方旗舰店-淘宝网") << QStringLiteral("小米官方旗舰店");
    QTest::newRow("a-b-c") << "a-b-c" << "b";
    QTest::newRow("one dash") << "a-b" << "";
    QTest::newRow("no dash") << "abc" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("dashes side by side") << "a--b" << "";
    QTest::newRow("line break between the first two") << "a-b\nc-d-e" << "d";
    QTest::newRow("line break, none after") << "a-b\nc-d" << "";
    QTest::newRow("leading dash") << "-x-y" << "x";
    // clang-format on
}

void LinkExtractTest::titleToken()
{
    QFETCH(QString, title);
    QFETCH(QString, token);
    QCOMPARE(lookup::huqus(title), token);
}

QTEST_APPLESS_MAIN(LinkExtractTest)
#include "tst_linkextract.moc"
