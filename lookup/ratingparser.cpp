// SPDX-License-Identifier: MIT
#include "lookup/ratingparser.h"

#include <QRegularExpression>
#include <QSet>

namespace lookup {

namespace {

constexpr int shownScores = 3;

QRegularExpression pattern(const QString &text, bool multiline = true)
{
    QRegularExpression::PatternOptions options = QRegularExpression::CaseInsensitiveOption;
    if (multiline) options |= QRegularExpression::MultilineOption;
    return QRegularExpression(text, options);
}

// For each text the pattern finds in the original, in order, removes every occurrence of it from
// the current text. A cell holds the same few tags many times over: a text already found absent
// is not searched for again as long as no removal has changed the text since.
QString removeEachFound(QString text, const QRegularExpression &re)
{
    const QString original = text;
    QSet<QString> absent;
    for (auto it = re.globalMatch(original); it.hasNext();) {
        const QString found = it.next().captured(0);
        if (absent.contains(found)) continue;
        const qsizetype before = text.size();
        text.remove(found, Qt::CaseSensitive);
        if (text.size() != before) {
            absent.clear(); // joining the pieces may have formed new occurrences of anything
            if (text.contains(found)) continue;
        }
        absent.insert(found);
    }
    return text;
}

} // namespace

RatingFigures chr(const QString &dsrMarkup)
{
    static const QRegularExpression scorePattern = pattern(QStringLiteral(R"(\：(.{2,35})title\=([\d\.\"]+)分)"));
    static const QRegularExpression starPattern =
        pattern(QStringLiteral(R"(class\=(.*?)count\scount(.*?)\>(.*?)\<\/div)"));
    static const QRegularExpression raterPattern = pattern(QStringLiteral(R"(共\<SPAN\>(.*?)\<)"));

    RatingFigures figures;
    for (auto it = scorePattern.globalMatch(dsrMarkup); it.hasNext() && figures.scores.size() < shownScores;)
        figures.scores << it.next().captured(2).remove(u'"');
    figures.scoreBox = figures.scores.join(u'#');

    QStringList stars;
    for (auto it = starPattern.globalMatch(dsrMarkup); it.hasNext();)
        stars << RemoveHTML(it.next().captured(3));
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
