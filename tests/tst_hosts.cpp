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
    void handedBackPastTheGate_data();
    void handedBackPastTheGate();
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
    QTest::newRow("each listed domain: tmall.hk") << "https://name.tmall.hk/" << true;
    QTest::newRow("each listed domain: tb.cn, the app's share links") << "https://m.tb.cn/h.abc" << true;
    QTest::newRow("a name ending in the share links' domain") << "https://xtb.cn/" << false;
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

void HostsTest::handedBackPastTheGate_data()
{
    // clang-format off
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("past");
    QTest::newRow("the search the login returns to") << "https://shopsearch.taobao.com/search?q=login" << true;
    QTest::newRow("a shop page") << "https://shop1001.taobao.com/view_shop.htm" << true;
    QTest::newRow("the rating page a check returns to") << "https://rate.taobao.com/user-rate-1.htm" << true;
    QTest::newRow("the marketplace's home") << "https://www.taobao.com/" << true;
    QTest::newRow("Tmall") << "https://www.tmall.com/" << true;
    QTest::newRow("the login page") << "https://login.taobao.com/member/login.jhtml?redirectURL=x" << false;
    QTest::newRow("Tmall's login") << "https://login.tmall.com/?redirectURL=x" << false;
    QTest::newRow("a sign-on hop setting the login on Tmall") << "https://pass.tmall.com/add?_tb_token_=x" << false;
    QTest::newRow("a passport host") << "https://passport.alibaba.com/mini_login.htm" << false;
    QTest::newRow("the login's own helper host") << "https://havanalogin.taobao.com/x" << false;
    QTest::newRow("a payment login") << "https://auth.alipay.com/login/index.htm" << false;
    QTest::newRow("the query page") << "https://sec.taobao.com/query.htm?smReturn=x" << false;
    QTest::newRow("a slider") << "https://rate.taobao.com/_____tmd_____/punish?x5secdata=a" << false;
    QTest::newRow("off the marketplace") << "https://evil.example/" << false;
    QTest::newRow("a sign-on word further in the host") << "https://shop.login.example/" << false;
    QTest::newRow("a label that only starts like one") << "https://loginshop.taobao.com/" << true;
    QTest::newRow("the login window before any page") << "" << false;
    // clang-format on
}

void HostsTest::handedBackPastTheGate()
{
    QFETCH(QString, address);
    QFETCH(bool, past);
    QCOMPARE(lookup::isPastTheGate(QUrl(address)), past);
}

QTEST_APPLESS_MAIN(HostsTest)
#include "tst_hosts.moc"
