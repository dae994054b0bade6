#include "lookup/textscan.h"

namespace lookup {

namespace {

const QLatin1StringView linkStart{"user-rate-"};
const QLatin1StringView linkEnd{".htm"};
const QLatin1StringView cellStart{"class="};
const QLatin1StringView countWord{"count"};
const QLatin1StringView cellEnd{"</div"};

qsizetype findCaseless(QStringView text, QLatin1StringView what, qsizetype from)
{
    return text.indexOf(what, from, Qt::CaseInsensitive);
}

qsizetype lineEnd(QStringView text, qsizetype from)
{
    const qsizetype lf = text.indexOf(u'\n', from);
    return lf < 0 ? text.size() : lf;
}

bool isRegexSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool startsWithCaseless(QStringView text, qsizetype at, QLatin1StringView what)
{
    return at >= 0 && at + what.size() <= text.size()
        && text.mid(at, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// "count", a white-space character, "count" at position at.
bool isCountPair(QStringView text, qsizetype at)
{
    return startsWithCaseless(text, at, countWord) && at + 5 < text.size() && isRegexSpace(text[at + 5])
        && startsWithCaseless(text, at + 6, countWord);
}

struct Cell { qsizetype begin = -1, end = -1, matchEnd = -1; };

// (.*?)\>(.*?)\<\/div from position from: the first ">" on the line, then the first "</div" after
// it on the same line. A later ">" could only find a later "</div", so the first decides.
Cell cellAfter(QStringView text, qsizetype from)
{
    const QStringView line = text.first(lineEnd(text, from));
    const qsizetype close = line.indexOf(u'>', from);
    if (close < 0) return {};
    const qsizetype end = line.indexOf(cellEnd, close + 1, Qt::CaseInsensitive);
    if (end < 0) return {};
    return {close + 1, end, end + cellEnd.size()};
}

// The match starting at the "class=" at position start, if any. Candidates for the pair lie on
// the line of start; one whose separator is not a line feed is followed on that same line, so if
// the first such candidate fails, every later one fails too. Only a pair whose separator is the
// line feed itself (it must end the line) continues on the next line.
Cell cellFrom(QStringView text, qsizetype start, qsizetype &lineStop)
{
    const qsizetype from = start + cellStart.size();
    lineStop = lineEnd(text, from);
    const QStringView line = text.first(lineStop);
    for (qsizetype at = line.indexOf(countWord, from, Qt::CaseInsensitive); at >= 0;
         at = line.indexOf(countWord, at + 1, Qt::CaseInsensitive)) {
        if (!isCountPair(text, at) || text[at + 5] == u'\n') continue;
        if (const Cell cell = cellAfter(text, at + 11); cell.begin >= 0) return cell;
        break;
    }
    const qsizetype lastPair = lineStop - 5;
    if (lastPair >= from && lineStop < text.size() && isCountPair(text, lastPair))
        return cellAfter(text, lastPair + 11);
    return {};
}

} // namespace

std::optional<QString> firstRatingLinkIdentifier(QStringView markup)
{
    qsizetype start = findCaseless(markup, linkStart, 0);
    while (start >= 0) {
        const qsizetype idBegin = start + linkStart.size();
        const qsizetype end = lineEnd(markup, idBegin);
        const qsizetype suffix = findCaseless(markup.first(end), linkEnd, idBegin);
        if (suffix >= 0)
            return markup.mid(idBegin, suffix - idBegin).toString();
        // No later link on this line can reach a ".htm" before the line ends either.
        start = findCaseless(markup, linkStart, end);
    }
    return std::nullopt;
}

QStringList starShareCells(QStringView markup)
{
    QStringList cells;
    qsizetype start = findCaseless(markup, cellStart, 0);
    while (start >= 0) {
        qsizetype lineStop = 0;
        const Cell cell = cellFrom(markup, start, lineStop);
        if (cell.begin >= 0) {
            cells << markup.mid(cell.begin, cell.end - cell.begin).toString();
            start = findCaseless(markup, cellStart, cell.matchEnd);
        } else {
            // A later start on the same line has only a subset of the same candidates.
            start = findCaseless(markup, cellStart, lineStop);
        }
    }
    return cells;
}

} // namespace lookup
