// SPDX-License-Identifier: MIT
// The DSR list parser on any markup, and its cell cleaner against the literal algorithm.

#include "fuzzcheck.h"
#include "lookup/ratingparser.h"

#include <QRegularExpression>

namespace {

// For each text the pattern finds in the cell as it was, removes every occurrence of it from
// the cell as it now is: the algorithm as written, with no shortcut.
QString removeEachMatch(const QString &cell, const QString &pattern)
{
    const QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (auto it = re.globalMatch(cell); it.hasNext();)
        found << it.next().captured(0);
    QString text = cell;
    for (const QString &value : found)
        text.replace(value, QString(), Qt::CaseSensitive);
    return text;
}

QString referenceRemoveHTML(const QString &cell)
{
    QString text = removeEachMatch(cell, QStringLiteral("<.+?>"));
    text = removeEachMatch(text, QStringLiteral("(\r|\n|\r\n| |\t| )"));
    text.replace(QStringLiteral("%"), QString());
    text.replace(QStringLiteral("暂无人打分"), QStringLiteral("0"));
    text.replace(QStringLiteral("分"), QString());
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString markup = fuzz::utf8Text(data, size);
    const lookup::RatingFigures figures = lookup::chr(markup);
    fuzz::check(figures.scores.size() <= 3, "at most three scores");
    fuzz::check(figures.scoreBox == figures.scores.join(u'#'), "the score box holds the shown scores");
    fuzz::check(lookup::RemoveHTML(markup) == referenceRemoveHTML(markup), "RemoveHTML as written");
    return 0;
}
