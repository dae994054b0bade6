// SPDX-License-Identifier: MIT
#include "present/board.h"

#include "calc/numbers.h"

#include <QRegularExpression>

namespace present {

namespace {

constexpr int textColumns = 3; // entry, shop, state
const QString noHeadroom = QStringLiteral("—");

QString stateText(const BoardRow &row)
{
    switch (row.state) {
    case BoardRow::State::NotQueried: return QStringLiteral("未查询");
    case BoardRow::State::Pending: return QStringLiteral("等待查询");
    case BoardRow::State::Querying: return QStringLiteral("查询中");
    case BoardRow::State::WaitingForLogin:
        return row.report && row.report->ending == QueryEnding::Verification ? QStringLiteral("等待验证")
                                                                             : QStringLiteral("等待登录");
    case BoardRow::State::Done: break;
    }
    switch (row.report ? row.report->ending : QueryEnding::NoRatings) {
    case QueryEnding::Figures: return {};
    case QueryEnding::NoShop: return QStringLiteral("没有找到对应的店铺");
    case QueryEnding::Login: return QStringLiteral("需要登录");
    case QueryEnding::Verification: return QStringLiteral("需要验证");
    case QueryEnding::Timeout: return QStringLiteral("超时");
    case QueryEnding::NoRatings: break;
    }
    return QStringLiteral("无评分");
}

QString shopOf(const QString &caption)
{
    const QString suffix = lookup::resultsCaptionSuffix();
    return caption.endsWith(suffix) ? caption.chopped(suffix.size()) : caption;
}

// The comparison as a spreadsheet reads it: "+3.00%" above, "-2.00%" below, as the page wrote it
// when level.
QString signedComparison(const ShownResults::Dimension &shown)
{
    const QString text = shown.comparisonText.trimmed();
    if (!shown.comparison || text.isEmpty()) return text;
    switch (*shown.comparison) {
    case lookup::Comparison::Higher: return QLatin1Char('+') + text;
    case lookup::Comparison::Lower: return QLatin1Char('-') + text;
    case lookup::Comparison::Equal: break;
    }
    return text;
}

QString headroomCell(const ShownResults::Dimension &shown, std::optional<long long> headroom)
{
    if (!shown.comparison) return {};
    if (*shown.comparison == lookup::Comparison::Lower) return noHeadroom;
    return headroom ? QString::number(*headroom) : QString();
}

QStringList dimensionCells(const QueryReport &report, int d)
{
    const ShownResults::Dimension &shown = report.shown.dimensions[size_t(d)];
    QString score = shown.score;
    if (score.endsWith(QStringLiteral("分"))) score.chop(1);
    return {score, signedComparison(shown), shown.turnRed, headroomCell(shown, report.headroom[size_t(d)]),
            report.raters[size_t(d)].trimmed()};
}

std::optional<double> numberIn(const QString &cell)
{
    const QStringView text(cell);
    return calc::toDouble(text.endsWith(u'%') ? text.chopped(1) : text);
}

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

QStringList boardColumns()
{
    QStringList columns = {QStringLiteral("旺旺号或链接"), QStringLiteral("店铺"), QStringLiteral("状态")};
    for (const QString &dimension : {QStringLiteral("描述"), QStringLiteral("服务"), QStringLiteral("物流")}) {
        for (const QString &figure : {QStringLiteral("评分"), QStringLiteral("比行业"), QStringLiteral("飘红"),
                                      QStringLiteral("飘绿"), QStringLiteral("人数")})
            columns << dimension + figure;
    }
    return columns;
}

QStringList boardCells(const BoardRow &row)
{
    const bool figures = row.report && row.report->ending == QueryEnding::Figures;
    QStringList cells = {row.entry, row.report ? shopOf(row.report->shown.caption) : QString(), stateText(row)};
    for (int d = 0; d < 3; ++d)
        cells << (figures ? dimensionCells(*row.report, d) : QStringList(5));
    return cells;
}

QVariant boardSortKey(int column, const QString &cell)
{
    if (column < textColumns) return cell;
    const std::optional<double> number = numberIn(cell);
    return number ? QVariant(*number) : QVariant();
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

QString boardTabSeparated(const QList<QStringList> &rows)
{
    QStringList lines = {boardColumns().join(QLatin1Char('\t'))};
    for (const QStringList &row : rows) {
        QStringList cells;
        for (const QString &cell : row)
            cells << spreadsheetCell(cell);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString boardHtml(const QList<QStringList> &rows)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n<tr>");
    for (const QString &column : boardColumns())
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

} // namespace present
