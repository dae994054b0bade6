// SPDX-License-Identifier: MIT
#include "present/boardmodel.h"

#include "present/board.h"

#include <QGuiApplication>
#include <QMimeData>

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
    case Qt::AccessibleTextRole: return boardCell(row, column);
    case sortRole: return boardSortKey(row, column);
    case idRole: return row.id;
    case Qt::ForegroundRole: {
        const std::optional<QColor> colour = boardCellColour(row, column, QGuiApplication::palette());
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
    QList<QStringList> cells;
    for (int row : rows)
        cells << boardCells(m_run.rows()[size_t(row)]);
    auto *data = new QMimeData;
    data->setText(boardTabSeparated(cells));
    data->setHtml(boardHtml(cells));
    return data;
}

int BoardModel::addEntry(const QString &entry)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    const int id = m_run.addRow(entry);
    endInsertRows();
    return id;
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
