#include "lookup/ratingparser.h"

#include "lookup/textscan.h"

#include <QRegularExpression>

namespace lookup {

namespace {

constexpr int shownScores = 3;

QRegularExpression pattern(const QString &text, bool multiline = true)
{
    QRegularExpression::PatternOptions options = QRegularExpression::CaseInsensitiveOption;
    if (multiline) options |= QRegularExpression::MultilineOption;
    return QRegularExpression(text, options);
}

// Removes every occurrence of each distinct text the pattern finds in the original text.
QString removeEachFound(QString text, const QRegularExpression &re)
{
    const QString original = text;
    for (auto it = re.globalMatch(original); it.hasNext();)
        text.remove(it.next().captured(0), Qt::CaseSensitive);
    return text;
}

} // namespace

RatingFigures chr(const QString &dsrMarkup)
{
    static const QRegularExpression scorePattern = pattern(QStringLiteral(R"(\：(.{2,35})title\=([\d\.\"]+)分)"));
    static const QRegularExpression raterPattern = pattern(QStringLiteral(R"(共\<SPAN\>(.*?)\<)"));

    RatingFigures figures;
    for (auto it = scorePattern.globalMatch(dsrMarkup); it.hasNext() && figures.scores.size() < shownScores;)
        figures.scores << it.next().captured(2).remove(u'"');
    figures.scoreBox = figures.scores.join(u'#');

    QStringList stars;
    for (const QString &cell : starShareCells(dsrMarkup))
        stars << RemoveHTML(cell);
    figures.starBox = stars.join(u'#');

    QStringList raters;
    for (auto it = raterPattern.globalMatch(dsrMarkup); it.hasNext();)
        raters << it.next().captured(1);
    figures.raterBox = raters.join(u'#');
    return figures;
}

QString RemoveHTML(const QString &cell)
{
    static const QRegularExpression tag = pattern(QStringLiteral("<.+?>"), false);
    static const QRegularExpression blank = pattern(QStringLiteral("(\r|\n|\r\n| |\t| )"), false);

    QString text = removeEachFound(cell, tag);
    text = removeEachFound(text, blank);
    text.remove(u'%');
    text.replace(QStringLiteral("暂无人打分"), QStringLiteral("0"));
    text.remove(u'分');
    return text;
}

} // namespace lookup
