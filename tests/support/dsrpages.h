// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pagesnapshot.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tests {

// One dimension of a made-up rating page, as its figures stand in the page.
struct DsrFigures {
    QString score;      // such as "4.84"
    QStringList shares; // five cells, five stars first, such as "85.12%"
    QString raters;     // such as "1000"
};

// The inner markup of a DSR list in the marketplace's form: per dimension a score line, a
// rater total and five star-share cells, each on a line of its own.
QString dsrListMarkup(const QList<DsrFigures> &dimensions);

// Industry-comparison elements as the rating page has them.
QString comparisonMarkup(const QList<lookup::StrongElement> &elements);

// A whole rating page around a DSR list and comparison elements.
QString ratingPageBody(const QList<DsrFigures> &dimensions, const QList<lookup::StrongElement> &comparisons);

// A rating page as the hidden browser reads it, at rate.taobao.com/user-rate-abc.htm: its DSR
// list and comparison elements, and an empty body.
lookup::PageSnapshot ratingSnapshot(const QList<DsrFigures> &dimensions,
                                    const QList<lookup::StrongElement> &comparisons = {});

// The worked example: description 4.7748 recomputed from its shares, 1000 raters.
QList<DsrFigures> workedFigures();

// The worked example's comparisons: description 2.00% below the industry, service equal,
// logistics 3.00% above.
QList<lookup::StrongElement> workedComparisons();

} // namespace tests
