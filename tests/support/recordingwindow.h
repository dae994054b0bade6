// SPDX-License-Identifier: MIT
#pragma once

#include "lookup/pageflow.h"

#include <QStringList>

#include <array>

namespace tests {

// The page flow's window as the rule tests and the page-flow fuzz target see it: every call in
// order, what each dimension shows ("old" until the flow shows something), and which rules of the
// window's interface the flow broke. Header only: the fuzz build has no test libraries.
class RecordingWindow : public lookup::PageFlowQuery, public lookup::ResultsView
{
public:
    QStringList calls;          // every call but the per-dimension ones, in order
    QStringList dimensionCalls; // the per-dimension ones, in order
    QStringList scores{"old", "old", "old"};
    QStringList comparisons{"old", "old", "old"}; // "lower 2.00%"
    QStringList turnRed{"old", "old", "old"};
    QStringList headroom{"old", "old", "old"}; // "none" where no estimate was shown
    QStringList broken;
    // The typed events: "no shop", "gate login", "shop <token>", "ratings <reading>", "no shop link",
    // "card <overall> <parts>".
    QStringList found;

    void foundNoShop() override { found << QStringLiteral("no shop"); }
    void foundGate(lookup::Gate gate) override
    {
        found << (gate == lookup::Gate::Login ? QStringLiteral("gate login") : QStringLiteral("gate verification"));
    }
    void foundShop(const QString &titleToken) override { found << QStringLiteral("shop ") + titleToken; }
    void foundRatings(const lookup::RatingReading &reading) override
    {
        found << QStringLiteral("ratings ") + describe(reading);
    }
    void foundNoShopLink() override { found << QStringLiteral("no shop link"); }
    void foundFailedLoad() override { found << QStringLiteral("failed load"); }
    void foundShopCard(const lookup::ShopCard &card) override
    {
        found << QStringLiteral("card ")
                     + QStringList{card.overall, card.parts[0], card.parts[1], card.parts[2]}.join(u' ');
    }
    void showMessage(const QString &text) override { calls << QStringLiteral("message ") + text; }
    void showLogin(const QString &address) override { calls << QStringLiteral("login ") + address; }
    void hideLogin() override { calls << QStringLiteral("hide login"); }
    void setResultsCaption(const QString &caption) override { calls << QStringLiteral("caption ") + caption; }
    void navigateHidden(const QString &address) override { calls << QStringLiteral("navigate ") + address; }
    void clearResults() override
    {
        calls << QStringLiteral("clear");
        scores = comparisons = turnRed = headroom = QStringList{QString(), QString(), QString()};
    }
    void showScores(const QStringList &shown) override
    {
        calls << QStringLiteral("scores");
        if (shown.size() > 3) broken << QStringLiteral("more than three scores");
        for (qsizetype d = 0; d < shown.size() && d < 3; ++d)
            scores[d] = shown[d];
    }
    void showComparison(int d, lookup::Comparison comparison, const QString &text) override
    {
        static const char *const names[] = {"higher", "lower", "equal"};
        if (d < 0 || d >= 3) {
            broken << QStringLiteral("a comparison of no dimension");
            return;
        }
        compared[d] = true;
        comparisons[d] = QLatin1String(names[int(comparison)]) + QLatin1Char(' ') + text;
        dimensionCalls << QStringLiteral("comparison %1 ").arg(d) + comparisons[d];
    }
    void showTurnRed(int d, const QString &text) override
    {
        if (d < 0 || d >= 3 || !compared[d]) {
            broken << QStringLiteral("a turn-red result before its comparison");
            return;
        }
        turnRed[d] = text;
        dimensionCalls << QStringLiteral("turn red %1 ").arg(d) + text;
    }
    void showHeadroom(int d, std::optional<long long> oneStarRatings) override
    {
        if (d < 0 || d >= 3 || !compared[d] || comparisons[d].startsWith(QLatin1String("lower"))) {
            broken << QStringLiteral("a headroom where no comparison at or above the industry is");
            return;
        }
        headroom[d] = oneStarRatings ? QString::number(*oneStarRatings) : QStringLiteral("none");
        dimensionCalls << QStringLiteral("headroom %1 ").arg(d) + headroom[d];
    }
    void showIndustryAtTop(int d) override
    {
        if (d < 0 || d >= 3 || !comparisons[d].startsWith(QLatin1String("lower")) || !turnRed[d].isEmpty()) {
            broken << QStringLiteral("an industry at the top where a count or no comparison below it is");
            return;
        }
        turnRed[d] = QStringLiteral("top");
        dimensionCalls << QStringLiteral("top %1").arg(d);
    }
    void alignComparisonLabels() override { calls << QStringLiteral("align"); }
    void giveButtonBack() override { calls << QStringLiteral("give back"); }
    void clearTargetResults() override { calls << QStringLiteral("clear targets"); }

    // Everything the flow did and showed, for comparing two runs of it.
    QStringList everything() const
    {
        return calls + dimensionCalls + scores + comparisons + turnRed + headroom + found;
    }

    // A reading as "score comparison turn-red headroom raters" per dimension, "-" where it is empty.
    static QString describe(const lookup::RatingReading &reading)
    {
        static const char *const names[] = {"higher", "lower", "equal"};
        QStringList dimensions;
        for (const lookup::DimensionReading &d : reading.dimensions) {
            const auto orDash = [](const QString &text) { return text.isEmpty() ? QStringLiteral("-") : text; };
            dimensions << QStringList{orDash(d.score.text),
                                      d.comparison
                                          ? QLatin1String(names[int(*d.comparison)]) + QLatin1Char(' ') + d.percent.text
                                          : QStringLiteral("-"),
                                      orDash(d.turnRed.text),
                                      d.headroom ? QString::number(*d.headroom) : QStringLiteral("-"),
                                      d.raters ? QString::number(*d.raters) : QStringLiteral("-")}
                              .join(QLatin1Char(' '));
        }
        return dimensions.join(QStringLiteral(" | "));
    }

private:
    std::array<bool, 3> compared{};
};

} // namespace tests
