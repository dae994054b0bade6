// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pageflow.h"

#include <QByteArray>

#include <array>
#include <optional>

namespace store {

using Dimensions = std::array<lookup::DimensionReading, calc::dimensionCount>;

// A reading's figures as a board file keeps them: each figure as the page wrote it (its number is
// read again from its text, as the page flow read it), the comparison, the headroom, the rater total
// and the weighted score. None where the bytes are not such figures.
QByteArray encodeFigures(const Dimensions &dimensions);
std::optional<Dimensions> decodeFigures(const QByteArray &bytes);

} // namespace store
