// SPDX-License-Identifier: MIT
#pragma once

#include "present/boardrun.h"

#include <QAbstractTableModel>

namespace present {

// The comparison board's rows as a table: one column per entry of boardColumns(), each cell as
// its text, its sort key and, for a comparison, its colour. Copying a set of rows gives the
// spreadsheet's two forms of the table. Rows are added and removed through the model, so that the
// views hear of it; the run tells of every other change (rowChanged).
class BoardModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int sortRole = Qt::UserRole;
    static constexpr int idRole = Qt::UserRole + 1;

    explicit BoardModel(BoardRun &run, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
    // The rows of these cells, in the order given, header first.
    QMimeData *mimeData(const QModelIndexList &indexes) const override;

    // Whether the cells show what moved since a row's first reading, and a copy adds its columns.
    void setShowChanges(bool shown);
    bool showsChanges() const { return m_showChanges; }

    int addEntry(const QString &entry);
    // The report of a query the person ran, in the row of its entry: a new row where there is none,
    // or where that row's own query runs.
    void addReport(const QueryReport &report);
    void removeEntry(int id);
    void rowChanged(int id);
    // The run's rows replaced all at once (a board file opened), between these two.
    void beginReplacingRows() { beginResetModel(); }
    void endReplacingRows() { endResetModel(); }

private:
    BoardRun &m_run;
    bool m_showChanges = true;
};

} // namespace present
