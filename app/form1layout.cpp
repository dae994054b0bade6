// SPDX-License-Identifier: MIT
#include "app/form1layout.h"

namespace app {

const QList<ControlEntry> &form1Controls()
{
    using K = ControlKind;
    using R = Role;
    // clang-format off
    static const QList<ControlEntry> controls = {
        {"Frame5", nullptr, K::Frame, {240, 4680, 5895, 1875}, "提升计算", Look::BoldBlack},
        {"Frame1", nullptr, K::Frame, {240, 2760, 5895, 1640}, "飘红计算", Look::BoldBlack},
        {"Text1", nullptr, K::TextBox, {1155, 240, 2055, 375}, "", Look::Default},
        {"Command1", nullptr, K::Button, {3360, 240, 975, 375}, "查询", Look::Default},
        {"Frame2", nullptr, K::Frame, {240, 840, 5895, 1790}, "", Look::BoldBlack},
        {"WebBrowser1", nullptr, K::Browser, {360, 4920, 5655, 1335}, "", Look::Default},
        {"Label1", nullptr, K::Label, {360, 315, 855, 255}, "旺旺号", Look::Default, R::None, 0, "Text1"},

        {"Label9", "Frame2", K::Label, {200, 1290, 1455, 255}, "物流服务的质量：", Look::Default},
        {"Label8", "Frame2", K::Label, {200, 820, 1455, 255}, "卖家的服务态度：", Look::Default},
        {"Label4", "Frame2", K::Label, {200, 360, 1455, 255}, "宝贝与描述相符：", Look::Default},
        {"Label14", "Frame2", K::Figure, {1685, 1300, 975, 255}, "", Look::BoldDarkOrange, R::Score, 2},
        {"Label17", "Frame2", K::Figure, {4920, 1300, 735, 255}, "", Look::Grey, R::Comparison, 2},
        {"Label10", "Frame2", K::Figure, {4920, 835, 735, 255}, "", Look::Grey, R::Comparison, 1},
        {"Label13", "Frame2", K::Figure, {1680, 830, 975, 255}, "", Look::BoldDarkOrange, R::Score, 1},
        {"Label2", "Frame2", K::Figure, {4920, 360, 735, 255}, "", Look::Grey, R::Comparison, 0},
        {"Image1", "Frame2", K::Image, {2640, 285, 3000, 330}, "", Look::Default, R::Indicator, 0},
        {"Label3", "Frame2", K::Figure, {1680, 360, 975, 255}, "", Look::BoldDarkOrange, R::Score, 0},
        {"Image2", "Frame2", K::Image, {2640, 760, 3000, 330}, "", Look::Default, R::Indicator, 1},
        {"Image3", "Frame2", K::Image, {2640, 1230, 3000, 330}, "", Look::Default, R::Indicator, 2},

        {"Label33", "Frame1", K::Figure, {3000, 370, 735, 255}, "", Look::BoldRed, R::TurnRed, 0},
        {"Label30", "Frame1", K::Figure, {3000, 780, 735, 255}, "", Look::BoldRed, R::TurnRed, 1},
        {"Label27", "Frame1", K::Figure, {3000, 1170, 735, 255}, "", Look::BoldRed, R::TurnRed, 2},
        {"Label35", "Frame1", K::Label, {240, 360, 2895, 255}, "宝贝与描述相符飘红需要5分人数：", Look::Default},
        {"Label31", "Frame1", K::Label, {240, 765, 2895, 255}, "卖家的服务态度飘红需要5分人数：", Look::Default},
        {"Label28", "Frame1", K::Label, {240, 1170, 3015, 255}, "物流服务的质量飘红需要5分人数：", Look::Default},

        {"Text4", "Frame5", K::TextBox, {2160, 1120, 615, 340}, "", Look::Default, R::Target, 2},
        {"Text3", "Frame5", K::TextBox, {2160, 720, 615, 340}, "", Look::Default, R::Target, 1},
        {"Text2", "Frame5", K::TextBox, {2160, 320, 615, 340}, "", Look::Default, R::Target, 0},
        {"Label11", "Frame5", K::Label, {600, 1560, 5055, 255}, "说明：输入提升到多少分后,自动计算出结果！", Look::Blue},
        {"Label26", "Frame5", K::Figure, {4260, 1195, 735, 255}, "", Look::BoldRed, R::TargetResult, 2},
        {"Label25", "Frame5", K::Label, {120, 1170, 2055, 255}, "物流服务的质量提升到：", Look::Default, R::None, 0, "Text4"},
        {"Label24", "Frame5", K::Label, {2805, 1185, 1455, 210}, "分 需要5分人数：", Look::Default},
        {"Label23", "Frame5", K::Figure, {4260, 800, 735, 255}, "", Look::BoldRed, R::TargetResult, 1},
        {"Label22", "Frame5", K::Label, {120, 765, 2055, 255}, "卖家的服务态度提升到：", Look::Default, R::None, 0, "Text3"},
        {"Label21", "Frame5", K::Label, {2800, 780, 1455, 375}, "分 需要5分人数：", Look::Default},
        {"Label20", "Frame5", K::Figure, {4260, 400, 735, 255}, "", Look::BoldRed, R::TargetResult, 0},
        {"Label6", "Frame5", K::Label, {2800, 385, 1455, 375}, "分 需要5分人数：", Look::Default},
        {"Label5", "Frame5", K::Label, {120, 360, 2055, 255}, "宝贝与描述相符提升到：", Look::Default, R::None, 0, "Text2"},
    };
    // clang-format on
    return controls;
}

const char *controlName(Role role, int dimension)
{
    for (const ControlEntry &entry : form1Controls())
        if (entry.role == role && entry.dimension == dimension) return entry.name;
    return nullptr;
}

} // namespace app
