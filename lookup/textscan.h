#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace lookup {

// Hand-written scanners for the patterns whose backtracking would take quadratic time on hostile
// markup. Each gives exactly what its pattern gives (tests run both on generated markup).

// user\-rate\-(.*?)\.htm, ignoring case: the identifier of the first match.
std::optional<QString> firstRatingLinkIdentifier(QStringView markup);

// class\=(.*?)count\scount(.*?)\>(.*?)\<\/div, ignoring case: the third group of every match.
QStringList starShareCells(QStringView markup);

} // namespace lookup
