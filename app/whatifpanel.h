// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pageflow.h"

#include <QWidget>

#include <optional>

class QLabel;
class QSpinBox;

namespace app {

// A board row's what-if line: the seller types how many more five-star and one-star ratings the
// shop might get, and reads each dimension's score and 飘红 or 飘绿 count after them.
class WhatIfPanel : public QWidget
{
    Q_OBJECT
public:
    explicit WhatIfPanel(QWidget *parent = nullptr);

    // The figures of the row chosen, or none.
    void setReading(const std::optional<lookup::RatingReading> &reading);

private:
    void tell();

    QSpinBox *m_fiveStars;
    QSpinBox *m_oneStars;
    QLabel *m_after;
    std::optional<lookup::RatingReading> m_reading;
};

} // namespace app
