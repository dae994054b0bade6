// SPDX-License-Identifier: MIT
#pragma once

#include "app/controls.h"
#include "app/logingate.h"
#include "app/queryrunner.h"
#include "calc/dsrrecord.h"
#include "lookup/pageflow.h"
#include "present/resultsummary.h"

#include <QWidget>

#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWebEngineView;

namespace browser {
class WebBrowser;
}

namespace app {

class BoardLink;
class NameCompleter;
class PromotionPanel;
class ResultsMenu;

// The main window: the name input and query button, the results, turn-red and target-score
// frames, the promotion panel, and the hidden browser that follows the marketplace's pages.
class Form1 : public QWidget, private lookup::PageFlowWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The query lent to the comparison board: the entry typed into 旺旺号 and 查询 pressed, as a
    // person does, after the previous shop's results are cleared, so that what the window shows at
    // the end is this entry's alone. The query's number; none while the window's query is busy.
    std::optional<int> queryFor(const QString &entry);

    QueryRunner &queryRunner() const { return *m_runner; }
    LoginGate &loginGate() const { return *m_loginGate; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend struct Form1Probe; // the tests' view of the insides

    void command1Click();

    void buildControls();
    void findDimensionControls();
    void setFocusOrder();
    void load();

    void onHiddenPageComplete(const lookup::PageSnapshot &page);
    present::ShownResults shownResults() const;
    void onTargetChanged(int dimension);

    // The page flow's view of this window: what it finds and where it goes are the query's, the
    // login window is the gate's, the rest is shown here.
    void foundNoShop() override { m_runner->foundNoShop(); }
    void foundGate(lookup::Gate gate) override { m_runner->foundGate(gate); }
    void foundShop(const QString &titleToken) override { m_runner->foundShop(titleToken); }
    void foundRatings(const lookup::RatingReading &reading) override;
    void foundNoShopLink() override { m_runner->foundNoShopLink(); }
    void foundShopCard(const lookup::ShopCard &card) override { m_runner->foundShopCard(card); }
    void showMessage(const QString &text) override;
    void showLogin(const QString &address) override { m_loginGate->show(address); }
    void hideLogin() override { m_loginGate->hide(); }
    void setResultsCaption(const QString &caption) override;
    void navigateHidden(const QString &address) override { m_runner->navigateHidden(address); }
    void clearResults() override;
    void showScores(const QStringList &scores) override;
    void showComparison(int dimension, lookup::Comparison comparison, const QString &text) override;
    void showTurnRed(int dimension, const QString &text) override;
    void showHeadroom(int dimension, std::optional<long long> oneStarRatings) override;
    void alignComparisonLabels() override;
    void giveButtonBack() override { m_runner->giveButtonBack(); }
    void clearTargetResults() override;

    QLineEdit *m_text1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    PromotionPanel *m_promotion;
    QWebEngineView *m_webBrowser1 = nullptr;
    browser::WebBrowser *m_webBrowser2 = nullptr;
    QueryRunner *m_runner = nullptr;
    LoginGate *m_loginGate = nullptr;
    NameCompleter *m_queriedNames = nullptr;
    ResultsMenu *m_resultsMenu = nullptr;
    BoardLink *m_boardLink = nullptr;

    // Per dimension: description, service, logistics.
    std::array<QLabel *, calc::dimensionCount> m_scoreLabels{};
    std::array<QLabel *, calc::dimensionCount> m_comparisonLabels{};
    std::array<QLabel *, calc::dimensionCount> m_indicatorBars{};
    std::array<QLabel *, calc::dimensionCount> m_turnRedLabels{};
    std::array<QLineEdit *, calc::dimensionCount> m_targetInputs{};
    std::array<QLabel *, calc::dimensionCount> m_targetResults{};

    std::array<std::optional<lookup::Comparison>, calc::dimensionCount> m_shownComparisons{};
    IndicatorPictures m_pictures;
    calc::DsrRecord m_record;
    bool m_focusOrderSet = false;
};

} // namespace app
