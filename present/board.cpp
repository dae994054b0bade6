// SPDX-License-Identifier: MIT
#include "present/board.h"

#include "calc/numbers.h"
#include "present/readablecolour.h"
#include "present/rowhistory.h"
#include "present/wording.h"

#include <QRegularExpression>

#include <array>

namespace present {

namespace {

const QString noHeadroom = QStringLiteral("—");

QString stateText(const BoardRow &row)
{
    switch (row.state) {
    case BoardRow::State::NotQueried: return QStringLiteral("未查询");
    case BoardRow::State::Pending: return QStringLiteral("等待查询");
    case BoardRow::State::Querying: return QStringLiteral("查询中");
    case BoardRow::State::WaitingForGate:
        return row.report && row.report->ending == QueryEnding::Verification ? QStringLiteral("等待验证")
                                                                             : QStringLiteral("等待登录");
    case BoardRow::State::Done: break;
    }
    switch (row.report ? row.report->ending : QueryEnding::NoRatings) {
    case QueryEnding::Figures: return QStringLiteral("已读取");
    case QueryEnding::NoShop: return QStringLiteral("没有找到对应的店铺");
    case QueryEnding::Login: return QStringLiteral("需要登录");
    case QueryEnding::Verification: return QStringLiteral("需要验证");
    case QueryEnding::Timeout: return QStringLiteral("超时");
    case QueryEnding::NoShopLink: return QStringLiteral("不是店铺链接");
    case QueryEnding::FailedLoad: return QStringLiteral("网络错误");
    case QueryEnding::ShareCode: return lookup::shareCodeMessage();
    case QueryEnding::NoRatings: break;
    }
    return QStringLiteral("无评分");
}

// The dimension's figures, where the row's last query ended with figures of its own.
const lookup::DimensionReading *readingOf(const BoardRow &row, const BoardColumn &column)
{
    if (!column.dimension || !row.report || row.report->ending != QueryEnding::Figures) return nullptr;
    return &row.report->figures.dimensions[size_t(*column.dimension)];
}

// The comparison as a spreadsheet reads it: "+3.00%" above, "-2.00%" below, as the page wrote it
// when level.
QString signedComparisonText(const lookup::DimensionReading &reading)
{
    const QString text = reading.percent.text.trimmed();
    if (!reading.comparison || text.isEmpty()) return text;
    switch (*reading.comparison) {
    case lookup::Comparison::Higher: return QLatin1Char('+') + text;
    case lookup::Comparison::Lower: return QLatin1Char('-') + text;
    case lookup::Comparison::Equal: break;
    }
    return text;
}

QString headroomCell(const lookup::DimensionReading &reading)
{
    if (!reading.comparison) return {};
    if (*reading.comparison == lookup::Comparison::Lower) return noHeadroom;
    return reading.headroom ? QString::number(*reading.headroom) : QString();
}

QString figureCell(const lookup::DimensionReading &reading, BoardColumn::Kind kind)
{
    switch (kind) {
    case BoardColumn::Kind::Entry:
    case BoardColumn::Kind::Shop:
    case BoardColumn::Kind::State:
    case BoardColumn::Kind::CardOverall:
    case BoardColumn::Kind::CardPart: break;
    case BoardColumn::Kind::Score: return reading.score.text;
    case BoardColumn::Kind::Comparison: return signedComparisonText(reading);
    case BoardColumn::Kind::TurnRed: return reading.turnRed.text;
    case BoardColumn::Kind::Headroom: return headroomCell(reading);
    case BoardColumn::Kind::Raters: return reading.raters ? QString::number(*reading.raters, 'g', 15) : QString();
    }
    return {};
}

// The number a figure column sorts by, as the report holds it.
std::optional<double> figureNumber(const lookup::DimensionReading &reading, BoardColumn::Kind kind)
{
    switch (kind) {
    case BoardColumn::Kind::Entry:
    case BoardColumn::Kind::Shop:
    case BoardColumn::Kind::State:
    case BoardColumn::Kind::CardOverall:
    case BoardColumn::Kind::CardPart: break;
    case BoardColumn::Kind::Score: return reading.score.value;
    case BoardColumn::Kind::Comparison: return signedComparison(reading);
    case BoardColumn::Kind::TurnRed: return reading.turnRed.value;
    case BoardColumn::Kind::Headroom:
        if (reading.headroom && reading.comparison != lookup::Comparison::Lower) return double(*reading.headroom);
        return std::nullopt;
    case BoardColumn::Kind::Raters: return reading.raters;
    }
    return std::nullopt;
}

QString cardCell(const BoardRow &row, const BoardColumn &column)
{
    if (!row.report || !row.report->card) return {};
    const lookup::ShopCard &card = *row.report->card;
    return column.kind == BoardColumn::Kind::CardOverall ? card.overall : card.parts[size_t(column.cardPart)];
}

// The dimension's reading the changes are shown against and its latest, where the row's last
// query ended with figures and an earlier reading is there to compare with.
std::optional<std::pair<lookup::DimensionReading, lookup::DimensionReading>> readingsOf(const BoardRow &row, int d)
{
    if (!row.report || row.report->ending != QueryEnding::Figures || !row.hasChanges()) return std::nullopt;
    return std::pair{row.baseline->figures.dimensions[size_t(d)], row.latest->figures.dimensions[size_t(d)]};
}

QString joinedNonEmpty(const QStringList &parts)
{
    QStringList kept;
    for (const QString &part : parts)
        if (!part.isEmpty()) kept << part;
    return kept.join(QLatin1Char(' '));
}

QString comparisonMove(const lookup::DimensionReading &first, const lookup::DimensionReading &latest)
{
    return joinedNonEmpty({comparisonChange(first, latest), industryCrossing(first, latest)});
}

QColor higherColour() { return QColor(0xd9, 0x26, 0x1c); }
QColor lowerColour() { return QColor(0x1f, 0x8a, 0x3b); }

// A cell as a spreadsheet takes it in: on one line, and never as a formula. Shop titles come from
// the marketplace's pages, and a text such as "=HYPERLINK(…)" would run as one.
QString spreadsheetCell(QString cell)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?\\d+(\\.\\d+)?%?$"));
    cell.replace(QRegularExpression(QStringLiteral("[\\t\\r\\n]")), QStringLiteral(" "));
    static const QString formulaStarts = QStringLiteral("=+-@");
    if (!cell.isEmpty() && formulaStarts.contains(cell.front()) && !plainNumber.match(cell).hasMatch())
        cell.prepend(QLatin1Char('\''));
    return cell;
}

} // namespace

const std::vector<BoardColumn> &boardColumns()
{
    static const std::vector<BoardColumn> columns = [] {
        using K = BoardColumn::Kind;
        std::vector<BoardColumn> made = {
            {QStringLiteral("旺旺号或链接"), QStringLiteral("旺旺号或链接"), std::nullopt, K::Entry},
            {QStringLiteral("店铺"), QStringLiteral("店铺"), std::nullopt, K::Shop},
            {QStringLiteral("状态"), QStringLiteral("状态"), std::nullopt, K::State}};
        const QString dimensions[] = {QStringLiteral("描述"), QStringLiteral("服务"), QStringLiteral("物流")};
        const std::pair<QString, K> figures[] = {{QStringLiteral("评分"), K::Score},
                                                 {QStringLiteral("比行业"), K::Comparison},
                                                 {QStringLiteral("飘红"), K::TurnRed},
                                                 {QStringLiteral("飘绿"), K::Headroom},
                                                 {QStringLiteral("人数"), K::Raters}};
        for (int d = 0; d < calc::dimensionCount; ++d) {
            for (const auto &[name, kind] : figures)
                made.push_back({dimensions[d] + name, dimensions[d] + QLatin1Char('\n') + name, d, kind});
        }
        made.push_back({QStringLiteral("综合体验分"), QStringLiteral("综合\n体验分"), std::nullopt, K::CardOverall});
        const std::array<QString, 3> &parts = lookup::shopCardParts();
        for (int part = 0; part < int(parts.size()); ++part) {
            const QString &name = parts[size_t(part)];
            made.push_back({name, name.left(2) + QLatin1Char('\n') + name.mid(2), std::nullopt, K::CardPart, part});
        }
        return made;
    }();
    return columns;
}

QStringList boardHeaders()
{
    QStringList headers;
    for (const BoardColumn &column : boardColumns())
        headers << column.header;
    return headers;
}

bool isCardColumn(const BoardColumn &column)
{
    return column.kind == BoardColumn::Kind::CardOverall || column.kind == BoardColumn::Kind::CardPart;
}

QString boardCell(const BoardRow &row, const BoardColumn &column)
{
    if (column.kind == BoardColumn::Kind::Entry) return row.entry;
    if (column.kind == BoardColumn::Kind::Shop) return row.report ? row.report->shop : QString();
    if (column.kind == BoardColumn::Kind::State) return stateText(row);
    if (isCardColumn(column)) return cardCell(row, column);
    const lookup::DimensionReading *reading = readingOf(row, column);
    return reading ? figureCell(*reading, column.kind) : QString();
}

QStringList boardCells(const BoardRow &row)
{
    QStringList cells;
    for (const BoardColumn &column : boardColumns())
        cells << boardCell(row, column);
    return cells;
}

QString boardCellWithChange(const BoardRow &row, const BoardColumn &column)
{
    const QString cell = boardCell(row, column);
    const auto readings = column.dimension ? readingsOf(row, *column.dimension) : std::nullopt;
    if (!readings) return cell;
    const auto &[first, latest] = *readings;
    if (column.kind == BoardColumn::Kind::Score) return joinedNonEmpty({cell, scoreChange(first, latest)});
    if (column.kind == BoardColumn::Kind::Comparison) return joinedNonEmpty({cell, comparisonMove(first, latest)});
    return cell;
}

QStringList boardChangeHeaders()
{
    QStringList headers;
    for (const BoardColumn &column : boardColumns()) {
        if (column.kind == BoardColumn::Kind::Score || column.kind == BoardColumn::Kind::Comparison)
            headers << column.header + QStringLiteral("变化");
    }
    return headers;
}

QStringList boardChangeCells(const BoardRow &row)
{
    QStringList cells;
    for (int d = 0; d < calc::dimensionCount; ++d) {
        const auto readings = readingsOf(row, d);
        cells << (readings ? scoreChange(readings->first, readings->second) : QString())
              << (readings ? comparisonMove(readings->first, readings->second) : QString());
    }
    return cells;
}

QVariant boardSortKey(const BoardRow &row, const BoardColumn &column)
{
    if (isCardColumn(column)) {
        const std::optional<double> score = calc::toDouble(cardCell(row, column));
        return score ? QVariant(*score) : QVariant();
    }
    if (!column.dimension) return boardCell(row, column);
    const lookup::DimensionReading *reading = readingOf(row, column);
    const std::optional<double> number = reading ? figureNumber(*reading, column.kind) : std::nullopt;
    return number ? QVariant(*number) : QVariant();
}

std::optional<QColor> boardCellColour(const BoardRow &row, const BoardColumn &column, const QPalette &palette,
                                      bool withChanges)
{
    if (withChanges && column.kind == BoardColumn::Kind::Score && column.dimension) {
        if (const auto readings = readingsOf(row, *column.dimension)) {
            const std::optional<Movement> moved = scoreMovement(readings->first, readings->second);
            if (moved && moved->units != 0)
                return readableIn(moved->units > 0 ? higherColour() : lowerColour(), palette);
        }
    }
    const lookup::DimensionReading *reading = readingOf(row, column);
    if (column.kind != BoardColumn::Kind::Comparison || !reading || !reading->comparison) return std::nullopt;
    switch (*reading->comparison) {
    case lookup::Comparison::Higher: return readableIn(higherColour(), palette);
    case lookup::Comparison::Lower: return readableIn(lowerColour(), palette);
    case lookup::Comparison::Equal: break;
    }
    return readableIn(QColor(0x5a, 0x6b, 0x7b), palette);
}

QStringList boardEntries(const QString &typed)
{
    QStringList entries;
    for (const QString &line : typed.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")))) {
        const QString entry = line.section(QLatin1Char('\t'), 0, 0).trimmed();
        if (!entry.isEmpty() && !entries.contains(entry)) entries << entry;
    }
    return entries;
}

QString boardTabSeparated(const QList<QStringList> &rows, const QStringList &headers)
{
    QStringList lines = {headers.join(QLatin1Char('\t'))};
    for (const QStringList &row : rows) {
        QStringList cells;
        for (const QString &cell : row)
            cells << spreadsheetCell(cell);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString boardHtml(const QList<QStringList> &rows, const QStringList &headers)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n<tr>");
    for (const QString &column : headers)
        html += QStringLiteral("<th>") + column.toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr>\n");
    for (const QStringList &row : rows) {
        html += QStringLiteral("<tr>");
        for (const QString &cell : row)
            html += QStringLiteral("<td>") + spreadsheetCell(cell).toHtmlEscaped() + QStringLiteral("</td>");
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table></body></html>\n");
}

QString rowShop(const BoardRow &row)
{
    return row.report && !row.report->shop.isEmpty() ? row.report->shop : row.entry;
}

QString readingTip(const Reading &reading, int dimension)
{
    const lookup::DimensionReading &figures = reading.figures.dimensions[size_t(dimension)];
    QString tip = reading.at.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) + QLatin1Char('\n')
                  + dimensionName(dimension) + QLatin1Char(' ') + figureCell(figures, BoardColumn::Kind::Score);
    const QString comparison = figureCell(figures, BoardColumn::Kind::Comparison);
    if (!comparison.isEmpty()) tip += QStringLiteral("，比行业 ") + comparison;
    const QString turnRed = figureCell(figures, BoardColumn::Kind::TurnRed);
    if (!turnRed.isEmpty()) tip += QStringLiteral("，飘红 ") + turnRed;
    return tip;
}

QByteArray historyCsv(const ReadingLog &log, const QList<const BoardRow *> &rows)
{
    const auto line = [](const QStringList &cells) {
        QStringList written;
        for (const QString &cell : cells) {
            QString safe = spreadsheetCell(cell);
            if (safe.contains(QLatin1Char(',')) || safe.contains(QLatin1Char('"')))
                safe = QLatin1Char('"') + safe.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
            written << safe;
        }
        return written.join(QLatin1Char(','));
    };
    QStringList headers = {QStringLiteral("时间"), boardHeaders().value(0), boardHeaders().value(1)};
    for (const BoardColumn &column : boardColumns())
        if (column.dimension) headers << column.header;
    QStringList lines = {line(headers)};
    for (const BoardRow *row : rows) {
        for (const Reading &reading : log.readingsOf(row->entry)) {
            const QString shop = reading.shop.isEmpty() ? row->entry : reading.shop;
            QStringList cells = {reading.at.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), row->entry,
                                 shop};
            for (const BoardColumn &column : boardColumns())
                if (column.dimension)
                    cells << figureCell(reading.figures.dimensions[size_t(*column.dimension)], column.kind);
            lines << line(cells);
        }
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + QByteArrayLiteral("\r\n");
}

} // namespace present
