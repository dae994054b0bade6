// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A property that must hold for every input: a broken one is a finding, like a crash.
inline void check(bool holds, const char *property)
{
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// The input as UTF-8 text (malformed sequences become U+FFFD).
inline QString utf8Text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The input's text fields, split on the byte 0x01, as many as asked for (missing ones empty).
inline QStringList fields(const uint8_t *data, size_t size, int count)
{
    QStringList parts = utf8Text(data, size).split(QChar(0x01));
    while (parts.size() < count)
        parts << QString();
    return parts;
}

} // namespace fuzz
