// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

namespace lookup {

// A figure as a page wrote it and the number it stands for, read once: its text is shown as it
// came, and every sort, change and colour works on the number, in the decimals the text gave it.
struct PageFigure {
    QString text;                // such as "4.77" or "2.00%"
    std::optional<double> value; // none where the text is no number; a percentage without its sign
    int decimals = 0;            // of the number as written

    static PageFigure read(const QString &text);
    bool isEmpty() const { return text.isEmpty(); }
};

} // namespace lookup
