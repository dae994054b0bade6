// SPDX-License-Identifier: MIT
#include "present/wording.h"

#include <array>

namespace present {

QString dimensionName(int dimension)
{
    static const std::array<QString, 3> names = {QStringLiteral("宝贝与描述相符"), QStringLiteral("卖家的服务态度"),
                                                 QStringLiteral("物流服务的质量")};
    return names.at(size_t(dimension));
}

QString verdict(lookup::Comparison comparison)
{
    switch (comparison) {
    case lookup::Comparison::Higher: return QStringLiteral("高于行业平均");
    case lookup::Comparison::Lower: return QStringLiteral("低于行业平均");
    case lookup::Comparison::Equal: return QStringLiteral("与行业平均持平");
    }
    return {};
}

QString industryAtTopText() { return QStringLiteral("行业平均已达满分，再多5分评价也无法飘红"); }

QString headroomText(long long oneStarRatings)
{
    return QStringLiteral("飘绿：还能承受%1个1分评价（估算）").arg(oneStarRatings);
}

} // namespace present
