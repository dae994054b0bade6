// SPDX-License-Identifier: MIT
#include "dsrpages.h"

namespace tests {

namespace {

const QStringList captions = {QStringLiteral("宝贝与描述相符"), QStringLiteral("卖家的服务态度"),
                              QStringLiteral("物流服务的质量")};

} // namespace

QString dsrListMarkup(const QList<DsrFigures> &dimensions)
{
    QString markup;
    for (qsizetype d = 0; d < dimensions.size(); ++d) {
        const DsrFigures &figures = dimensions[d];
        markup +=
            QStringLiteral(
                "\n<li class=\"dsr-item\">\n<div class=\"item-scrib\"><span class=\"title\">%1：</span>"
                "<em title=\"%2分\" class=\"count\">%2</em> <span class=\"total\">共<span>%3</span>人</span></div>\n"
                "<ul class=\"dsr-detail\">\n")
                .arg(captions.value(d, captions.last()), figures.score, figures.raters);
        for (qsizetype k = 0; k < figures.shares.size(); ++k)
            markup += QStringLiteral(
                          "<li><span class=\"star\">%1分</span><div class=\"count count%1\"><em>%2</em></div></li>\n")
                          .arg(5 - k)
                          .arg(figures.shares[k]);
        markup += QStringLiteral("</ul>\n</li>");
    }
    return markup;
}

QString comparisonMarkup(const QList<lookup::StrongElement> &elements)
{
    QString markup = QStringLiteral("<div class=\"industry\">");
    for (const lookup::StrongElement &element : elements)
        markup +=
            QStringLiteral("<p>比同行<strong class=\"%1\">%2</strong></p>").arg(element.className, element.innerHtml);
    return markup + QStringLiteral("</div>");
}

QString ratingPageBody(const QList<DsrFigures> &dimensions, const QList<lookup::StrongElement> &comparisons)
{
    return QStringLiteral("<div id=\"shop-rate\"><strong>店铺动态评分</strong><ul id=\"dsr\" class=\"dsr-list\">")
           + dsrListMarkup(dimensions) + QStringLiteral("</ul>") + comparisonMarkup(comparisons)
           + QStringLiteral("</div>");
}

lookup::PageSnapshot ratingSnapshot(const QList<DsrFigures> &dimensions,
                                    const QList<lookup::StrongElement> &comparisons)
{
    lookup::PageSnapshot page;
    page.locationUrl = page.documentUrl = QStringLiteral("https://rate.taobao.com/user-rate-abc.htm");
    page.bodyHtml = QString();
    page.dsrListHtml = dsrListMarkup(dimensions);
    page.strongs = comparisons;
    return page;
}

QList<DsrFigures> workedFigures()
{
    return {{"4.77", {"85.12%", "10.00%", "3.00%", "1.00%", "0.88%"}, "1000"},
            {"4.80", {"90.00%", "10.00%", "0.00%", "0.00%", "0.00%"}, "200"},
            {"4.90", {"90.00%", "10.00%", "0.00%", "0.00%", QStringLiteral("暂无人打分")}, "300"}};
}

QList<lookup::StrongElement> workedComparisons()
{
    return {{"percent lower", "2.00%"}, {"percent normal", "0.00%"}, {"percent", "3.00%"}};
}

} // namespace tests
