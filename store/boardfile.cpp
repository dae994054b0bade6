// SPDX-License-Identifier: MIT
#include "store/boardfile.h"

#include "store/readingcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

namespace store {

namespace {

// The file's own mark, "LKSP": an SQLite database of another program is not a board.
constexpr int applicationId = 0x4C4B5350;
const QByteArray sqliteHeader("SQLite format 3\0", 16);

int connectionsMade = 0;

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

QString notABoard(const QString &path) { return QStringLiteral("%1 不是店铺对比文件。").arg(shown(path)); }

// What went wrong, told by SQLite's primary result code.
bool isHeld(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == 5 || code == 6; // SQLITE_BUSY, SQLITE_LOCKED
}

QString heldMessage(const QString &path)
{
    return QStringLiteral("%1 正由另一个 Larkspire 打开。请先在那里关闭它。").arg(shown(path));
}

QString messageOf(const QString &path, const QSqlError &error)
{
    if (isHeld(error)) return heldMessage(path);
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return QStringLiteral("%1 已损坏，无法读取。").arg(shown(path));
    case 13: // SQLITE_FULL
        return QStringLiteral("无法写入 %1：磁盘已满。新的读取暂存在内存中，腾出空间后随下一次读取写入；"
                              "也可以另存到其他位置。")
            .arg(shown(path));
    default: break;
    }
    return QStringLiteral("无法读写 %1：%2").arg(shown(path), error.text());
}

QString removedMessage(const QString &path)
{
    return QStringLiteral("%1 已被删除或移动。读取仍在继续，请用“另存为”保存到新的位置。").arg(shown(path));
}

const char *const schema[] = {
    "CREATE TABLE board (key TEXT PRIMARY KEY, value)",
    "CREATE TABLE rows (id INTEGER PRIMARY KEY, entry TEXT NOT NULL UNIQUE, position INTEGER NOT NULL)",
    "CREATE TABLE texts (id INTEGER PRIMARY KEY, text TEXT NOT NULL UNIQUE)",
    "CREATE TABLE readings (row INTEGER NOT NULL, at INTEGER NOT NULL, shop INTEGER, address INTEGER,"
    " figures BLOB NOT NULL)",
    "CREATE INDEX readings_of_row ON readings (row, at)",
};

QDateTime utcAt(qint64 ms)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::UTC);
#else
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
#endif
}

std::optional<present::Reading> first(const QList<present::Reading> &readings)
{
    if (readings.isEmpty()) return std::nullopt;
    return readings.first();
}

} // namespace

BoardFile::BoardFile(const QString &path, const QString &connection)
    : m_path(path)
    , m_connection(connection)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    // A file held by another program is told at once, not waited for.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
}

BoardFile::~BoardFile()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

Opened BoardFile::open(const QString &path)
{
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        return {nullptr, QStringLiteral("无法打开 %1：%2").arg(shown(path), probe.errorString())};
    if (probe.read(sqliteHeader.size()) != sqliteHeader) return {nullptr, notABoard(path)};
    probe.close();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return {nullptr, QStringLiteral("无法打开 %1：缺少 Qt 的 SQLite 驱动。").arg(shown(path))};
    std::unique_ptr<BoardFile> file(new BoardFile(path, QStringLiteral("larkspire-board-%1").arg(++connectionsMade)));
    const QString error = file->load();
    if (!error.isEmpty()) return {nullptr, error};
    return {std::move(file), {}};
}

QString BoardFile::load()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.open()) return messageOf(m_path, db.lastError());
    QSqlQuery query(db);
    // The lock taken by the first transaction is kept until the file is closed: a second Larkspire
    // cannot open it meanwhile.
    if (!query.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"))
        || !query.exec(QStringLiteral("BEGIN EXCLUSIVE")))
        return messageOf(m_path, query.lastError());
    const auto value = [&query](const QString &sql) {
        return query.exec(sql) && query.next() ? std::optional(query.value(0)) : std::nullopt;
    };
    const std::optional<QVariant> mark = value(QStringLiteral("PRAGMA application_id"));
    const std::optional<QVariant> version = value(QStringLiteral("PRAGMA user_version"));
    QString error;
    if (!mark || !version)
        error = messageOf(m_path, query.lastError());
    else if (mark->toInt() != applicationId)
        error = notABoard(m_path);
    else if (version->toInt() > formatVersion)
        error = QStringLiteral("%1 由更新版本的 Larkspire 保存，请先更新 Larkspire。").arg(shown(m_path));
    else if (!query.exec(QStringLiteral("SELECT id, entry FROM rows ORDER BY position")))
        error = messageOf(m_path, query.lastError());
    while (error.isEmpty() && query.next()) {
        m_rows.insert(query.value(1).toString(), query.value(0).toLongLong());
        m_entries << query.value(1).toString();
    }
    if (error.isEmpty() && !query.exec(QStringLiteral("SELECT id, text FROM texts")))
        error = messageOf(m_path, query.lastError());
    while (error.isEmpty() && query.next()) {
        m_texts.insert(query.value(1).toString(), query.value(0).toLongLong());
        m_textOf.insert(query.value(0).toLongLong(), query.value(1).toString());
    }
    const std::optional<QVariant> watch =
        error.isEmpty() ? value(QStringLiteral("SELECT value FROM board WHERE key = 'watch'")) : std::nullopt;
    m_watch = watch ? watch->toInt() : 0;
    if (!query.exec(error.isEmpty() ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK")) && error.isEmpty())
        error = messageOf(m_path, query.lastError());
    // Each reading is a transaction: written ahead into a log beside the file, which a program
    // killed leaves whole, without waiting for the disk on every one.
    if (error.isEmpty() && !query.exec(QStringLiteral("PRAGMA synchronous = NORMAL")))
        error = messageOf(m_path, query.lastError());
    return error;
}

bool BoardFile::heldElsewhere(const QString &path)
{
    BoardFile probe(path, QStringLiteral("larkspire-board-%1").arg(++connectionsMade));
    QSqlDatabase db = QSqlDatabase::database(probe.m_connection, false);
    if (!db.open()) return false;
    QSqlQuery query(db);
    const bool held = !query.exec(QStringLiteral("BEGIN EXCLUSIVE")) && isHeld(query.lastError());
    query.exec(QStringLiteral("ROLLBACK"));
    return held;
}

Opened BoardFile::create(const QString &path, const QStringList &entries, int watch, const present::ReadingLog &from)
{
    // A board another Larkspire keeps in that file goes on there: it is not replaced under it.
    if (QFile::exists(path) && heldElsewhere(path)) return {nullptr, heldMessage(path)};
    // Made whole beside the chosen path, then put in its place: a failure leaves what was there.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    QString error;
    {
        BoardFile made(partial, QStringLiteral("larkspire-board-%1").arg(++connectionsMade));
        QSqlDatabase db = QSqlDatabase::database(made.m_connection, false);
        QSqlQuery query(db);
        const auto run = [&query](const QString &sql) { return query.exec(sql); };
        bool done = db.open() && run(QStringLiteral("PRAGMA application_id = %1").arg(applicationId))
                    && run(QStringLiteral("PRAGMA user_version = %1").arg(formatVersion))
                    && run(QStringLiteral("PRAGMA journal_mode = WAL")) && db.transaction();
        for (const char *table : schema)
            done = done && run(QString::fromLatin1(table));
        done = done && db.commit() && made.writeRows(entries);
        if (done) made.setWatch(watch);
        // A row at a time: a board of months holds more readings than memory should.
        for (qsizetype i = 0; done && i < entries.size(); ++i) {
            QList<Unwritten> readings;
            for (const present::Reading &reading : from.readingsOf(entries[i]))
                readings.append({entries[i], reading});
            done = made.write(readings);
        }
        if (!done) {
            const QSqlError failed = query.lastError().isValid() ? query.lastError() : db.lastError();
            error = made.m_trouble.isEmpty() ? messageOf(path, failed) : made.m_trouble;
        }
    }
    QFile::remove(partial + QStringLiteral("-wal"));
    if (error.isEmpty() && QFile::exists(path) && !QFile::remove(path))
        error = QStringLiteral("无法替换 %1。").arg(shown(path));
    if (error.isEmpty() && !QFile::rename(partial, path)) error = QStringLiteral("无法写入 %1。").arg(shown(path));
    if (!error.isEmpty()) {
        QFile::remove(partial);
        return {nullptr, error};
    }
    return open(path);
}

void BoardFile::setWatch(int watch)
{
    m_watch = watch;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO board (key, value) VALUES ('watch', ?)"));
    query.addBindValue(watch);
    checkStillThere();
    if (!query.exec()) tell(messageOf(m_path, query.lastError()));
}

std::optional<qint64> BoardFile::rowId(const QString &entry, QSqlError &failed)
{
    if (const auto found = m_rows.constFind(entry); found != m_rows.cend()) return *found;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("INSERT INTO rows (entry, position) VALUES (?, ?)"));
    query.addBindValue(entry);
    query.addBindValue(m_rows.size());
    if (!query.exec()) {
        failed = query.lastError();
        return std::nullopt;
    }
    return m_rows.insert(entry, query.lastInsertId().toLongLong()).value();
}

std::optional<qint64> BoardFile::textId(const QString &text, QSqlError &failed)
{
    if (const auto found = m_texts.constFind(text); found != m_texts.cend()) return *found;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("INSERT INTO texts (text) VALUES (?)"));
    query.addBindValue(text);
    if (!query.exec()) {
        failed = query.lastError();
        return std::nullopt;
    }
    const qint64 id = query.lastInsertId().toLongLong();
    m_textOf.insert(id, text);
    return m_texts.insert(text, id).value();
}

bool BoardFile::write(const QList<Unwritten> &readings)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // The keys a failed transaction made are not in the file: they go with it.
    const QHash<QString, qint64> rows = m_rows;
    const QHash<QString, qint64> texts = m_texts;
    const QHash<qint64, QString> textOf = m_textOf;
    QSqlQuery insert(db);
    QSqlError failed;
    bool done = db.transaction()
                && insert.prepare(
                    QStringLiteral("INSERT INTO readings (row, at, shop, address, figures) VALUES (?, ?, ?, ?, ?)"));
    for (qsizetype i = 0; done && i < readings.size(); ++i) {
        const present::Reading &reading = readings[i].reading;
        const std::optional<qint64> row = rowId(readings[i].entry, failed);
        const std::optional<qint64> shop = row ? textId(reading.shop, failed) : std::nullopt;
        const std::optional<qint64> address = shop ? textId(reading.figures.address, failed) : std::nullopt;
        if (!address) break;
        insert.addBindValue(*row);
        insert.addBindValue(reading.at.toMSecsSinceEpoch());
        insert.addBindValue(*shop);
        insert.addBindValue(*address);
        insert.addBindValue(encodeFigures(reading.figures.dimensions));
        done = insert.exec();
        if (!done) failed = insert.lastError();
    }
    if (done && !failed.isValid() && db.commit()) return true;
    if (!failed.isValid()) failed = insert.lastError().isValid() ? insert.lastError() : db.lastError();
    db.rollback();
    m_rows = rows;
    m_texts = texts;
    m_textOf = textOf;
    tell(messageOf(m_path, failed));
    return false;
}

bool BoardFile::writeRows(const QStringList &entries)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QHash<QString, qint64> rows = m_rows;
    QSqlQuery query(db);
    QSqlError failed;
    bool done = db.transaction();
    for (auto row = m_rows.cbegin(); done && row != m_rows.cend(); ++row) {
        if (entries.contains(row.key())) continue;
        for (const char *sql : {"DELETE FROM readings WHERE row = ?", "DELETE FROM rows WHERE id = ?"}) {
            query.prepare(QString::fromLatin1(sql));
            query.addBindValue(row.value());
            done = done && query.exec();
        }
    }
    for (qsizetype i = 0; done && i < entries.size(); ++i) {
        const std::optional<qint64> id = rowId(entries[i], failed);
        query.prepare(QStringLiteral("UPDATE rows SET position = ? WHERE id = ?"));
        query.addBindValue(i);
        query.addBindValue(id.value_or(-1));
        done = id && query.exec();
    }
    if (done && db.commit()) {
        m_rows.removeIf([&entries](const auto &row) { return !entries.contains(row.key()); });
        m_entries = entries;
        return true;
    }
    if (!failed.isValid()) failed = query.lastError().isValid() ? query.lastError() : db.lastError();
    db.rollback();
    m_rows = rows;
    tell(messageOf(m_path, failed));
    return false;
}

void BoardFile::keepRows(const QStringList &entries)
{
    m_unwritten.removeIf([&entries](const Unwritten &kept) { return !entries.contains(kept.entry); });
    checkStillThere();
    if (writeRows(entries)) retellAfterWriting();
}

void BoardFile::append(const QString &entry, const present::Reading &reading)
{
    m_unwritten.append({entry, reading});
    checkStillThere();
    if (!write(m_unwritten)) return;
    m_unwritten.clear();
    retellAfterWriting();
}

void BoardFile::checkStillThere()
{
    if (!QFileInfo::exists(m_path)) m_removed = true;
}

void BoardFile::retellAfterWriting() { tell(m_removed ? removedMessage(m_path) : QString()); }

void BoardFile::tell(const QString &trouble)
{
    // A file removed stays the trouble to tell: what is written goes where no one finds it.
    const QString told = m_removed ? removedMessage(m_path) : trouble;
    if (told == m_trouble) return;
    m_trouble = told;
    if (m_told) m_told(told);
}

QList<present::Reading> BoardFile::select(const QString &entry, Qt::SortOrder order, const QDateTime &atOrBefore,
                                          int limit) const
{
    QList<present::Reading> readings;
    const auto row = m_rows.constFind(entry);
    if (row == m_rows.cend()) return readings;
    QString sql = QStringLiteral("SELECT at, shop, address, figures FROM readings WHERE row = ?");
    if (atOrBefore.isValid()) sql += QStringLiteral(" AND at <= ?");
    sql += order == Qt::AscendingOrder ? QStringLiteral(" ORDER BY at") : QStringLiteral(" ORDER BY at DESC");
    if (limit > 0) sql += QStringLiteral(" LIMIT %1").arg(limit);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(sql);
    query.addBindValue(row.value());
    if (atOrBefore.isValid()) query.addBindValue(atOrBefore.toMSecsSinceEpoch());
    if (!query.exec()) return readings;
    while (query.next()) {
        // A reading whose figures are not whole is left out, not shown as something else.
        const std::optional<Dimensions> figures = decodeFigures(query.value(3).toByteArray());
        if (!figures) continue;
        present::Reading &reading = readings.emplace_back();
        // In UTC: a local time costs the C library a look at the time zone file for every reading,
        // and a season's chart reads thousands. It is the same moment; it is shown in local time.
        reading.at = utcAt(query.value(0).toLongLong());
        reading.shop = m_textOf.value(query.value(1).toLongLong());
        reading.figures.address = m_textOf.value(query.value(2).toLongLong());
        reading.figures.dimensions = *figures;
    }
    return readings;
}

QList<present::Reading> BoardFile::unwrittenOf(const QString &entry, const QDateTime &atOrBefore) const
{
    QList<present::Reading> readings;
    for (const Unwritten &kept : m_unwritten)
        if (kept.entry == entry && (!atOrBefore.isValid() || kept.reading.at <= atOrBefore)) readings << kept.reading;
    return readings;
}

QList<present::Reading> BoardFile::readingsOf(const QString &entry) const
{
    return select(entry, Qt::AscendingOrder) + unwrittenOf(entry);
}

std::optional<present::Reading> BoardFile::firstOf(const QString &entry) const
{
    return first(select(entry, Qt::AscendingOrder, {}, 1) + unwrittenOf(entry));
}

std::optional<present::Reading> BoardFile::latestOf(const QString &entry) const { return latestAtOrBefore(entry, {}); }

std::optional<present::Reading> BoardFile::latestAtOrBefore(const QString &entry, const QDateTime &at) const
{
    // A reading not yet written is later than every one that is.
    const QList<present::Reading> unwritten = unwrittenOf(entry, at);
    if (!unwritten.isEmpty()) return unwritten.last();
    return first(select(entry, Qt::DescendingOrder, at, 1));
}

} // namespace store
