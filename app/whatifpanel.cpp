// SPDX-License-Identifier: MIT
#include "app/whatifpanel.h"

#include "present/whatif.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace app {

namespace {

QSpinBox *countBox(const QString &name, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(0, 1'000'000);
    box->setAccessibleName(name);
    box->setObjectName(name);
    return box;
}

} // namespace

WhatIfPanel::WhatIfPanel(QWidget *parent)
    : QWidget(parent)
    , m_fiveStars(countBox(QStringLiteral("再有5分评价"), this))
    , m_oneStars(countBox(QStringLiteral("再有1分评价"), this))
    , m_after(new QLabel(this))
{
    m_after->setObjectName(QStringLiteral("WhatIfAfter"));
    m_after->setTextFormat(Qt::PlainText);
    m_after->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("假如再有"), this));
    layout->addWidget(m_fiveStars);
    layout->addWidget(new QLabel(QStringLiteral("个5分、"), this));
    layout->addWidget(m_oneStars);
    layout->addWidget(new QLabel(QStringLiteral("个1分评价："), this));
    layout->addWidget(m_after, 1);
    connect(m_fiveStars, &QSpinBox::valueChanged, this, &WhatIfPanel::tell);
    connect(m_oneStars, &QSpinBox::valueChanged, this, &WhatIfPanel::tell);
    tell();
}

void WhatIfPanel::setReading(const std::optional<lookup::RatingReading> &reading)
{
    m_reading = reading;
    tell();
}

void WhatIfPanel::tell()
{
    m_after->setText(
        m_reading
            ? present::whatIfLines(*m_reading, m_fiveStars->value(), m_oneStars->value()).join(QStringLiteral("；"))
            : QStringLiteral("选择一个已读取的店铺"));
}

} // namespace app
