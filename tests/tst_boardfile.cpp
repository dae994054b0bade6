// SPDX-License-Identifier: MIT
#include "store/boardfile.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using present::Reading;
using store::BoardFile;

namespace {

const QDateTime monday(QDate(2026, 12, 7), QTime(10, 0));

// A reading with every kind of figure, the page's texts as they came.
Reading reading(const QDateTime &at, const QString &score, const QString &shop = QStringLiteral("测试旗舰店"))
{
    const auto figure = lookup::PageFigure::read;
    Reading made{at, shop, {}};
    made.figures.address = QStringLiteral("https://rate.taobao.com/user-rate-1.htm");
    made.figures.dimensions = {
        {{figure(score), lookup::Comparison::Lower, figure("2.00%"), figure("762"), std::nullopt, 1000, 4.7748},
         {figure("4.80"), lookup::Comparison::Equal, figure("0.00%"), figure("0"), 0, 200, 4.9},
         {}}};
    return made;
}

// Each reading as "MM-dd HH:mm shop score value 飘红 raters", oldest first.
QStringList described(const QList<Reading> &readings)
{
    QStringList told;
    for (const Reading &each : readings) {
        const lookup::DimensionReading &first = each.figures.dimensions[0];
        told << QString("%1 %2 %3 %4 %5 %6")
                    .arg(each.at.toLocalTime().toString("MM-dd HH:mm"), each.shop, first.score.text)
                    .arg(first.score.value.value_or(-1))
                    .arg(first.turnRed.text)
                    .arg(first.raters.value_or(-1));
    }
    return told;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file made by this program with two rows, the first read twice.
std::unique_ptr<BoardFile> made(const QString &path)
{
    present::MemoryLog log;
    log.append("b", reading(monday, "4.77"));
    log.append("b", reading(monday.addDays(1), "4.78", "=HYPERLINK(\"x\")"));
    log.append("gone", reading(monday, "4.70"));
    return std::move(BoardFile::create(path, {"b", "a"}, 2, log).file);
}

void runOn(const QString &path, const QString &sql)
{
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", path);
    db.setDatabaseName(path);
    QVERIFY(db.open() && QSqlQuery(db).exec(sql));
    db.close();
}

} // namespace

class BoardFileTest : public QObject
{
    Q_OBJECT
private slots:
    void readingsComeBackAsTheyWereRead();
    void aFileThatCannotBeOpenedIsLeftAsItWas_data();
    void aFileThatCannotBeOpenedIsLeftAsItWas();
    void aFullDiskLosesNoReading();
    void aFileRemovedWhileOpenCanBeSavedElsewhere();

private:
    QTemporaryDir m_dir;
};

void BoardFileTest::readingsComeBackAsTheyWereRead()
{
    const QString path = m_dir.filePath("round.lsb");
    {
        std::unique_ptr<BoardFile> file = made(path);
        QVERIFY(file);
        file->append("a", reading(monday.addDays(8), "4.90"));
        file->keepRows({"a", "b", "c"});
    }
    store::Opened opened = BoardFile::open(path);
    QVERIFY2(opened.file, qPrintable(opened.error));
    BoardFile &file = *opened.file;
    QCOMPARE(file.entries(), (QStringList{"a", "b", "c"}));
    QCOMPARE(file.watch(), 2);
    QCOMPARE(described(file.readingsOf("b")), (QStringList{QStringLiteral("12-07 10:00 测试旗舰店 4.77 4.77 762 1000"),
                                                           "12-08 10:00 =HYPERLINK(\"x\") 4.78 4.78 762 1000"}));
    QCOMPARE(file.readingsOf("b")[0].figures.dimensions[1].headroom, 0);
    QCOMPARE(file.readingsOf("b")[0].figures.address, "https://rate.taobao.com/user-rate-1.htm");
    QVERIFY(file.readingsOf("gone").isEmpty()); // not a row of the board saved
    QCOMPARE(file.latestOf("a")->at, monday.addDays(8));
    QCOMPARE(file.firstOf("b")->at, monday);
    QCOMPARE(file.latestAtOrBefore("b", monday.addSecs(24 * 3600 - 1))->at, monday);
    QVERIFY(!file.latestAtOrBefore("b", monday.addSecs(-1)));
    file.keepRows({"a"}); // a row removed takes its readings along
    QVERIFY(file.readingsOf("b").isEmpty());
}

void BoardFileTest::aFileThatCannotBeOpenedIsLeftAsItWas_data()
{
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("told");
    QTest::newRow("a text file") << "text" << QStringLiteral("不是店铺对比文件");
    QTest::newRow("another program's database") << "other" << QStringLiteral("不是店铺对比文件");
    QTest::newRow("a newer format") << "newer" << QStringLiteral("由更新版本的 Larkspire 保存");
    QTest::newRow("damaged past its header") << "damaged" << QStringLiteral("已损坏");
    QTest::newRow("cut short") << "cut" << QStringLiteral("已损坏");
    QTest::newRow("held by another Larkspire, nor saved over") << "held" << QStringLiteral("正由另一个 Larkspire 打开");
}

void BoardFileTest::aFileThatCannotBeOpenedIsLeftAsItWas()
{
    QFETCH(QString, made);
    QFETCH(QString, told);
    const QString path = m_dir.filePath(made + ".lsb");
    std::unique_ptr<BoardFile> holder = ::made(path);
    QVERIFY(holder);
    if (made != "held") holder.reset();
    QFile file(path);
    if (made == "text" || made == "other") QVERIFY(file.remove());
    if (made == "text" && file.open(QIODevice::WriteOnly)) file.write("entry\nshop\n");
    if (made == "other") runOn(path, "CREATE TABLE notes (text)");
    if (made == "newer") runOn(path, "PRAGMA user_version = 2");
    if ((made == "damaged" || made == "cut") && file.open(QIODevice::ReadWrite)) {
        const qint64 size = file.size();
        QVERIFY(made == "cut" ? file.resize(size / 2) : file.seek(100) && file.write(QByteArray(size - 100, '\xA5')));
    }
    file.close();
    const QByteArray before = contentsOf(path);
    const store::Opened opened = BoardFile::open(path);
    QVERIFY(!opened.file);
    QVERIFY2(opened.error.contains(told), qPrintable(opened.error));
    if (made == "held") QVERIFY(BoardFile::create(path, {"x"}, 0, present::MemoryLog()).error.contains(told));
    QCOMPARE(contentsOf(path), before);
}

void BoardFileTest::aFullDiskLosesNoReading()
{
    const QString path = m_dir.filePath("full.lsb");
    std::unique_ptr<BoardFile> file = made(path);
    QVERIFY(file);
    QStringList told;
    file->setTroubleHandler([&told](const QString &trouble) { told << trouble; });
    // The file may grow no more: writing fails as on a full disk (SQLite's own "disk is full").
    QSqlQuery limit(QSqlDatabase::database(file->connectionName()));
    QVERIFY(limit.exec("PRAGMA max_page_count = 1") && limit.exec("PRAGMA page_count") && limit.next());
    const int pages = limit.value(0).toInt();
    QVERIFY(limit.exec(QString("PRAGMA max_page_count = %1").arg(pages)));
    file->append("a", reading(monday.addDays(2), "4.91", QString(20000, u'店'))); // needs pages of its own
    QVERIFY2(told.value(0).contains(QStringLiteral("磁盘已满")), qPrintable(told.value(0)));
    file->append("a", reading(monday.addDays(3), "4.92"));
    QCOMPARE(file->readingsOf("a").size(), 2); // kept to be written with the next
    QVERIFY(limit.exec(QString("PRAGMA max_page_count = %1").arg(pages * 100)));
    file->append("a", reading(monday.addDays(4), "4.93"));
    QCOMPARE(told, (QStringList{told[0], QString()}));
    file.reset();
    QCOMPARE(BoardFile::open(path).file->readingsOf("a").size(), 3);
}

void BoardFileTest::aFileRemovedWhileOpenCanBeSavedElsewhere()
{
    const QString path = m_dir.filePath("removed.lsb");
    std::unique_ptr<BoardFile> file = made(path);
    QVERIFY(file);
    QString told;
    file->setTroubleHandler([&told](const QString &trouble) { told = trouble; });
    QVERIFY(QFile::remove(path));
    file->append("a", reading(monday.addDays(2), "4.91"));
    QVERIFY2(told.contains(QStringLiteral("已被删除或移动")), qPrintable(told));
    const store::Opened saved = BoardFile::create(m_dir.filePath("saved.lsb"), file->entries(), file->watch(), *file);
    QVERIFY2(saved.file, qPrintable(saved.error));
    QCOMPARE(saved.file->readingsOf("a").size() + saved.file->readingsOf("b").size(), 3);
}

QTEST_GUILESS_MAIN(BoardFileTest)
#include "tst_boardfile.moc"
