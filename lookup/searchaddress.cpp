// SPDX-License-Identifier: MIT
#include "lookup/searchaddress.h"

#include "lookup/hosts.h"

namespace lookup {

namespace {

bool isUnreserved(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
           || c == '.' || c == '~';
}

bool isTrimmedSpace(QChar c) { return c == u' ' || c == QChar(0x3000); }

void appendByte(QString &out, unsigned byte)
{
    static const char hex[] = "0123456789ABCDEF";
    out += u'%';
    out += QLatin1Char(hex[byte >> 4]);
    out += QLatin1Char(hex[byte & 0xF]);
}

void appendUtf8(QString &out, char32_t c)
{
    if (c < 0x80) {
        appendByte(out, c);
    } else if (c < 0x800) {
        appendByte(out, 0xC0 | (c >> 6));
        appendByte(out, 0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        appendByte(out, 0xE0 | (c >> 12));
        appendByte(out, 0x80 | ((c >> 6) & 0x3F));
        appendByte(out, 0x80 | (c & 0x3F));
    } else {
        appendByte(out, 0xF0 | (c >> 18));
        appendByte(out, 0x80 | ((c >> 12) & 0x3F));
        appendByte(out, 0x80 | ((c >> 6) & 0x3F));
        appendByte(out, 0x80 | (c & 0x3F));
    }
}

} // namespace

QString UTF8EncodeURI(QStringView text)
{
    QString out;
    out.reserve(text.size() * 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        char32_t c = unit.unicode();
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(unit, text[++i]);
        else if (unit.isSurrogate())
            c = QChar::ReplacementCharacter; // a lone half has no UTF-8 form

        if (isUnreserved(c))
            out += QChar(c);
        else
            appendUtf8(out, c);
    }
    return out;
}

QString trimName(QStringView typed)
{
    qsizetype begin = 0, end = typed.size();
    while (begin < end && isTrimmedSpace(typed[begin]))
        ++begin;
    while (end > begin && isTrimmedSpace(typed[end - 1]))
        --end;
    return typed.mid(begin, end - begin).toString();
}

QString searchAddress(QStringView typedName)
{
    return QStringLiteral("https://") + shopSearchHost + QLatin1String("/search?q=%40")
           + UTF8EncodeURI(trimName(typedName))
           + QLatin1String("&js=1&stats_click=search_radio_all%3A1&initiative_id=staobaoz_20170912&ie=utf8");
}

} // namespace lookup
