// SPDX-License-Identifier: MIT
#include "present/boardmodel.h"

#include "present/board.h"

#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

namespace present {

BoardModel::BoardModel(BoardRun &run, QObject *parent)
    : QAbstractTableModel(parent)
    , m_run(run)
{}

int BoardModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_run.rows().size()); }

int BoardModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(boardColumns().size());
}

QVariant BoardModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const BoardRow &row = m_run.rows()[size_t(index.row())];
    const BoardColumn &column = boardColumns()[size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return m_showChanges ? boardCellWithChange(row, column) : boardCell(row, column);
    case sortRole: return boardSortKey(row, column);
    case idRole: return row.id;
    case Qt::ForegroundRole: {
        const std::optional<QColor> colour = boardCellColour(row, column, QGuiApplication::palette(), m_showChanges);
        return colour ? QVariant(*colour) : QVariant();
    }
    default: break;
    }
    return {};
}

QVariant BoardModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const BoardColumn &column = boardColumns()[size_t(section)];
    switch (role) {
    case Qt::DisplayRole: return column.heading;
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole: return column.header;
    default: break;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

QStringList BoardModel::mimeTypes() const { return {QStringLiteral("text/plain"), QStringLiteral("text/html")}; }

QMimeData *BoardModel::mimeData(const QModelIndexList &indexes) const
{
    QList<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && !rows.contains(index.row())) rows << index.row();
    }
    // The change columns come with the changes shown, once a copied row has been read again.
    const bool withChanges = m_showChanges && std::any_of(rows.begin(), rows.end(), [this](int row) {
                                 return m_run.rows()[size_t(row)].hasChanges();
                             });
    QList<QStringList> cells;
    for (int row : rows) {
        const BoardRow &shown = m_run.rows()[size_t(row)];
        cells << boardCells(shown) + (withChanges ? boardChangeCells(shown) : QStringList());
    }
    const QStringList headers = boardHeaders() + (withChanges ? boardChangeHeaders() : QStringList());
    auto *data = new QMimeData;
    data->setText(boardTabSeparated(cells, headers));
    data->setHtml(boardHtml(cells, headers));
    return data;
}

void BoardModel::setShowChanges(bool shown)
{
    m_showChanges = shown;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int BoardModel::addEntry(const QString &entry)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    const int id = m_run.addRow(entry);
    endInsertRows();
    return id;
}

void BoardModel::addReport(const QueryReport &report)
{
    std::optional<int> id = m_run.idOf(report.entry);
    if (!id || id == m_run.currentRow()) id = addEntry(report.entry);
    m_run.setReport(*id, report);
}

void BoardModel::removeEntry(int id)
{
    const std::optional<qsizetype> row = m_run.indexOf(id);
    if (!row) return;
    beginRemoveRows({}, int(*row), int(*row));
    m_run.removeRow(id);
    endRemoveRows();
}

void BoardModel::rowChanged(int id)
{
    const std::optional<qsizetype> row = m_run.indexOf(id);
    if (row) emit dataChanged(index(int(*row), 0), index(int(*row), columnCount() - 1));
}

} // namespace present
