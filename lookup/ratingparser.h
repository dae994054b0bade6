// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace lookup {

// The figures of a rating page's DSR list, as texts in page order.
struct RatingFigures {
    QStringList scores; // the first three scores, such as "4.84"
    QString scoreBox;   // the scores joined with "#"
    QString starBox;    // every star-share cell, cleaned to a bare number, joined with "#"
    QString raterBox;   // every rater total, joined with "#"
};

// Reads the inner markup of the DSR list. An entry keeps its place even when its cell is empty,
// so a missing figure can never shift the later ones onto another star level or dimension.
RatingFigures chr(const QString &dsrMarkup);

// Cleans one cell down to a bare number: tags and blanks removed, "%" and "分" dropped, and
// "暂无人打分" (nobody has rated yet) read as "0".
QString RemoveHTML(const QString &cell);

} // namespace lookup
