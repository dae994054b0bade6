// SPDX-License-Identifier: MIT
#include "store/readingcodec.h"

#include <QDataStream>
#include <QIODevice>

namespace store {

namespace {

// Each figure's text in UTF-8: a reading takes a third of the room it takes as UTF-16.
void writeText(QDataStream &out, const QString &text) { out << text.toUtf8(); }

QString readText(QDataStream &in)
{
    QByteArray bytes;
    in >> bytes;
    return QString::fromUtf8(bytes);
}

template <typename T>
void writeOptional(QDataStream &out, const std::optional<T> &value)
{
    out << value.has_value();
    if (value) out << *value;
}

template <typename T>
std::optional<T> readOptional(QDataStream &in)
{
    bool present = false;
    in >> present;
    if (!present) return std::nullopt;
    T value{};
    in >> value;
    return value;
}

// The comparison as one byte: 0 for none.
qint8 comparisonCode(const std::optional<lookup::Comparison> &comparison)
{
    return comparison ? qint8(int(*comparison) + 1) : qint8(0);
}

std::optional<lookup::Comparison> comparisonFrom(qint8 code)
{
    switch (code) {
    case 1: return lookup::Comparison::Higher;
    case 2: return lookup::Comparison::Lower;
    case 3: return lookup::Comparison::Equal;
    default: break;
    }
    return std::nullopt;
}

} // namespace

QByteArray encodeFigures(const Dimensions &dimensions)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    for (const lookup::DimensionReading &dimension : dimensions) {
        writeText(out, dimension.score.text);
        out << comparisonCode(dimension.comparison);
        writeText(out, dimension.percent.text);
        writeText(out, dimension.turnRed.text);
        writeOptional(out, dimension.headroom);
        writeOptional(out, dimension.raters);
        writeOptional(out, dimension.weightedScore);
    }
    return bytes;
}

std::optional<Dimensions> decodeFigures(const QByteArray &bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    Dimensions dimensions;
    for (lookup::DimensionReading &dimension : dimensions) {
        dimension.score = lookup::PageFigure::read(readText(in));
        qint8 comparison = 0;
        in >> comparison;
        dimension.comparison = comparisonFrom(comparison);
        dimension.percent = lookup::PageFigure::read(readText(in));
        dimension.turnRed = lookup::PageFigure::read(readText(in));
        dimension.headroom = readOptional<long long>(in);
        dimension.raters = readOptional<double>(in);
        dimension.weightedScore = readOptional<double>(in);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) return std::nullopt;
    return dimensions;
}

} // namespace store
