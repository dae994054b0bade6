// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pageflow.h"

#include <QString>

namespace present {

// The name of a dimension as the window writes it: "宝贝与描述相符", "卖家的服务态度" or
// "物流服务的质量" for 0, 1, 2.
QString dimensionName(int dimension);

// The verdict each indicator picture spells out, such as "低于行业平均".
QString verdict(lookup::Comparison comparison);

// What a dimension above the industry can take, as the window tells it: "飘绿：还能承受11个1分评价（估算）".
QString headroomText(long long oneStarRatings);

// Why a dimension below the industry has no turn-red count: the average it is compared with stands
// at 5 or more, which no five-star rating reaches.
QString industryAtTopText();

} // namespace present
