// SPDX-License-Identifier: MIT
#include "lookup/markupparts.h"

#include <QRegularExpression>

namespace lookup {

namespace {

const QString scriptOpen = QStringLiteral("<script");
const QString scriptClose = QStringLiteral("</script");

QString unescapedAmpersands(QString text) { return text.replace(QLatin1String("&amp;"), QLatin1String("&")); }

QRegularExpression openTagPattern(QLatin1StringView id)
{
    // A tag ends at its ">" and never runs into the next one: markup cut short names nothing.
    return QRegularExpression(QStringLiteral("<[a-z][a-z0-9]*\\b[^<>]*?[\\s\"']id\\s*=\\s*[\"']")
                                  + QRegularExpression::escape(id) + QStringLiteral("[\"'][^<>]*>"),
                              QRegularExpression::CaseInsensitiveOption);
}

bool isNameCharacter(QChar c) { return c.isLetterOrNumber() || c == u'-'; }

// Where the next tag of this name (such as "<div" or "</div") begins at or after from, or -1.
qsizetype nextTag(QStringView markup, QStringView tag, qsizetype from)
{
    for (qsizetype at = markup.indexOf(tag, from, Qt::CaseInsensitive); at >= 0;
         at = markup.indexOf(tag, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + tag.size();
        if (after == markup.size() || !isNameCharacter(markup[after])) return at;
    }
    return -1;
}

} // namespace

QList<QStringView> scriptTexts(const QString &markup)
{
    QList<QStringView> scripts;
    const QStringView whole(markup);
    for (qsizetype at = nextTag(whole, scriptOpen, 0); at >= 0;) {
        const qsizetype textStart = markup.indexOf(u'>', at + scriptOpen.size());
        if (textStart < 0) break;
        const qsizetype end = nextTag(whole, scriptClose, textStart + 1);
        scripts << whole.sliced(textStart + 1, (end < 0 ? markup.size() : end) - textStart - 1);
        if (end < 0) break;
        at = nextTag(whole, scriptOpen, end + scriptClose.size());
    }
    return scripts;
}

std::optional<QStringView> openTagWithId(const QString &markup, QLatin1StringView id)
{
    const QRegularExpressionMatch tag = openTagPattern(id).match(markup);
    if (!tag.hasMatch()) return std::nullopt;
    return QStringView(markup).sliced(tag.capturedStart(), tag.capturedLength());
}

std::optional<QStringView> elementFrom(const QString &markup, QStringView openTag)
{
    qsizetype nameEnd = 1;
    while (nameEnd < openTag.size() && isNameCharacter(openTag[nameEnd]))
        ++nameEnd;
    const QString name = openTag.sliced(1, nameEnd - 1).toString();
    const QString open = QLatin1Char('<') + name;
    const QString close = QStringLiteral("</") + name;
    const QStringView whole(markup);
    const qsizetype start = openTag.data() - markup.data();
    qsizetype at = start + openTag.size();
    // Each next tag is looked for once and kept until passed, so nesting costs one pass.
    qsizetype nextOpen = nextTag(whole, open, at);
    qsizetype nextClose = nextTag(whole, close, at);
    for (int depth = 1; depth > 0;) {
        if (nextClose < 0) return std::nullopt;
        if (nextOpen >= 0 && nextOpen < nextClose) {
            ++depth;
            at = nextOpen + open.size();
            nextOpen = nextTag(whole, open, at);
        } else {
            --depth;
            at = nextClose + close.size();
            nextClose = nextTag(whole, close, at);
        }
    }
    return whole.sliced(start, at - start);
}

QString attributeOf(QStringView openTag, QLatin1StringView name)
{
    const QRegularExpression attribute(QStringLiteral("[\\s\"']") + QRegularExpression::escape(name)
                                           + QStringLiteral("\\s*=\\s*[\"']([^\"']*)[\"']"),
                                       QRegularExpression::CaseInsensitiveOption);
    return unescapedAmpersands(attribute.match(openTag.toString()).captured(1));
}

QStringList linksIn(QStringView markup)
{
    static const QRegularExpression href(QStringLiteral("[\\s\"']href\\s*=\\s*[\"']([^\"']*)[\"']"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QString text = markup.toString();
    QStringList links;
    for (const QRegularExpressionMatch &link : href.globalMatch(text))
        links << unescapedAmpersands(link.captured(1));
    return links;
}

} // namespace lookup
