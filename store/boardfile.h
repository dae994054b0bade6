// SPDX-License-Identifier: MIT
#pragma once

#include "present/readinglog.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <QSqlError>

#include <functional>
#include <memory>

namespace store {

class BoardFile;

// A board file opened, or why it could not be: a message the person reads.
struct Opened {
    std::unique_ptr<BoardFile> file;
    QString error;
};

// A comparison board kept in a file the person chose: an SQLite database holding the rows in their
// order, the watch interval and every reading with its time. The file is held for as long as it is
// open, so that a second Larkspire cannot write into it too. Every reading is written as it comes,
// in a transaction of its own, so a program killed loses at most the reading under way. A reading
// that cannot be written (a full disk) is kept and written with the next; a file removed while
// open keeps taking readings into what is still open of it, for the person to save elsewhere. Either
// trouble is told once, and again when it is over (an empty message).
class BoardFile : public present::ReadingLog
{
public:
    // The newest layout of the file this program reads and writes.
    static constexpr int formatVersion = 1;

    // A new file at the path (replacing the one there, once the new one is whole) holding these
    // rows in this order, the watch interval and every reading of theirs in the log.
    static Opened create(const QString &path, const QStringList &entries, int watch, const present::ReadingLog &from);
    static Opened open(const QString &path);
    ~BoardFile() override;

    QString path() const { return m_path; }
    QStringList entries() const { return m_entries; } // in their order
    int watch() const { return m_watch; }
    void setWatch(int watch);
    void setTroubleHandler(std::function<void(const QString &)> told) { m_told = std::move(told); }
    // The name of the file's database connection (a test limits its size to make the disk full).
    QString connectionName() const { return m_connection; }

    void append(const QString &entry, const present::Reading &reading) override;
    void keepRows(const QStringList &entries) override;
    QList<present::Reading> readingsOf(const QString &entry) const override;
    std::optional<present::Reading> firstOf(const QString &entry) const override;
    std::optional<present::Reading> latestOf(const QString &entry) const override;
    std::optional<present::Reading> latestAtOrBefore(const QString &entry, const QDateTime &at) const override;

private:
    struct Unwritten {
        QString entry;
        present::Reading reading;
    };
    BoardFile(const QString &path, const QString &connection);
    // Whether another connection, in this program or another, holds the file at the path.
    static bool heldElsewhere(const QString &path);
    QString load();
    bool write(const QList<Unwritten> &readings);
    bool writeRows(const QStringList &entries);
    // The key of a row or a text in the file, added where it has none.
    std::optional<qint64> rowId(const QString &entry, QSqlError &failed);
    std::optional<qint64> textId(const QString &text, QSqlError &failed);
    QList<present::Reading> select(const QString &entry, Qt::SortOrder order, const QDateTime &atOrBefore = {},
                                   int limit = -1) const;
    QList<present::Reading> unwrittenOf(const QString &entry, const QDateTime &atOrBefore = {}) const;
    void checkStillThere();
    void retellAfterWriting();
    void tell(const QString &trouble);

    QString m_path;
    QString m_connection;
    QStringList m_entries;
    int m_watch = 0;
    QHash<QString, qint64> m_rows;  // entry → the row's key in the file
    QHash<QString, qint64> m_texts; // shop names and addresses, each kept once
    QHash<qint64, QString> m_textOf;
    QList<Unwritten> m_unwritten;
    QString m_trouble;
    bool m_removed = false;
    std::function<void(const QString &)> m_told;
};

} // namespace store
