// SPDX-License-Identifier: MIT
#pragma once

#include "app/controls.h"
#include "app/logingate.h"
#include "present/resultsummary.h"
#include "session/querysession.h"

#include <QWidget>

#include <array>
#include <memory>
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
// frames, the promotion panel, and the hidden browser that follows the marketplace's pages. Its
// query session is the person's alone: it shows that session's queries, and nothing else queries
// through it.
class Form1 : public QWidget, private session::QueryView
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    session::QuerySession &querySession() const { return *m_session; }
    LoginGate &loginGate() const { return *m_loginGate; }
    BoardLink &boardLink() const { return *m_boardLink; }

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

    present::ShownResults shownResults() const;
    void onTargetChanged(int dimension);
    void onQueryStarted(int query, const QString &entry);

    // What the session shows here; the login window is the gate's.
    void showBusy(bool busy) override;
    void showRatingPage(const QString &address) override;
    void showMessage(const QString &text) override;
    void showLogin(const QString &address) override { m_loginGate->show(address); }
    void hideLogin() override { m_loginGate->hide(); }
    void setResultsCaption(const QString &caption) override;
    void clearResults() override;
    void showScores(const QStringList &scores) override;
    void showComparison(int dimension, lookup::Comparison comparison, const QString &text) override;
    void showTurnRed(int dimension, const QString &text) override;
    void showHeadroom(int dimension, std::optional<long long> oneStarRatings) override;
    void showIndustryAtTop(int dimension) override;
    void alignComparisonLabels() override;
    void clearTargetResults() override;
    void showTargetResult(int dimension, const QString &text);

    QLineEdit *m_text1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    PromotionPanel *m_promotion;
    QWebEngineView *m_webBrowser1 = nullptr;
    std::unique_ptr<browser::WebBrowser> m_webBrowser2;
    session::QuerySession *m_session = nullptr;
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

    present::ShownResults m_shown; // what the labels were given, never read back from them
    IndicatorPictures m_pictures;
    bool m_focusOrderSet = false;
};

} // namespace app
