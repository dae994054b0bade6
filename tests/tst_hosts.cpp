// SPDX-License-Identifier: MIT
#include "lookup/hosts.h"

#include <QTest>
#include <QUrl>

class HostsTest : public QObject
{
    Q_OBJECT
private slots:
    void marketplaceAddresses_data();
    void marketplaceAddresses();
};

void HostsTest::marketplaceAddresses_data()
{
    // clang-format off
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("marketplace");
    QTest::newRow("shop search") << "https://shopsearch.taobao.com/search?q=%40a" << true;
    QTest::newRow("bare domain") << "https://taobao.com/" << true;
    QTest::newRow("plain http") << "http://www.tmall.com/" << true;
    QTest::newRow("static content") << "https://g.alicdn.com/a/b.js" << true;
    QTest::newRow("each listed domain: tbcdn.cn") << "https://x.tbcdn.cn/" << true;
    QTest::newRow("each listed domain: taobaocdn.com") << "https://img.taobaocdn.com/" << true;
    QTest::newRow("each listed domain: alibaba.com") << "https://login.alibaba.com/" << true;
    QTest::newRow("each listed domain: alipay.com") << "https://auth.alipay.com/" << true;
    QTest::newRow("upper-case host") << "https://RATE.TAOBAO.COM/user-rate-1.htm" << true;
    QTest::newRow("other port") << "https://rate.taobao.com:8443/" << true;
    QTest::newRow("name ending in the domain") << "https://nottaobao.com/" << false;
    QTest::newRow("domain as a label of another") << "https://taobao.com.evil.example/" << false;
    QTest::newRow("domain in the path") << "https://evil.example/taobao.com" << false;
    QTest::newRow("domain as user name") << "https://taobao.com@evil.example/" << false;
    QTest::newRow("look-alike in Cyrillic") << QStringLiteral("https://tаobao.com/") << false;
    QTest::newRow("address by number") << "https://127.0.0.1/" << false;
    QTest::newRow("promotion host") << "http://www.quillfen.example/dsr/ad.html" << false;
    QTest::newRow("file") << "file:///etc/passwd" << false;
    QTest::newRow("file on a marketplace host") << "file://taobao.com/etc/passwd" << false;
    QTest::newRow("data") << "data:text/html,view_shop.htm" << false;
    QTest::newRow("javascript") << "javascript:alert(1)" << false;
    QTest::newRow("secure web socket") << "wss://push.taobao.com/" << false;
    QTest::newRow("custom scheme") << "taobao://rate.taobao.com/" << false;
    QTest::newRow("ftp") << "ftp://taobao.com/" << false;
    QTest::newRow("empty") << "" << false;
    // clang-format on
}

void HostsTest::marketplaceAddresses()
{
    QFETCH(QString, address);
    QFETCH(bool, marketplace);
    QCOMPARE(lookup::isMarketplaceAddress(QUrl(address)), marketplace);
}

QTEST_APPLESS_MAIN(HostsTest)
#include "tst_hosts.moc"
