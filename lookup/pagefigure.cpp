// SPDX-License-Identifier: MIT
#include "lookup/pagefigure.h"

#include "calc/numbers.h"

namespace lookup {

PageFigure PageFigure::read(const QString &text)
{
    QStringView number = QStringView(text).trimmed();
    if (number.endsWith(u'%')) number.chop(1);
    const qsizetype point = number.indexOf(u'.');
    return {text, calc::toDouble(number), point < 0 ? 0 : int(number.size() - point - 1)};
}

} // namespace lookup
