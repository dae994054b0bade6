// SPDX-License-Identifier: MIT
#pragma once

#include "calc/dsrrecord.h"
#include "lookup/pageflow.h"
#include "present/querytracker.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWebEngineView;

namespace browser {
class WebBrowser;
}

namespace app {

class Board;
class NameCompleter;
class ResultsMenu;

// The main window: the name input and query button, the results, turn-red and target-score
// frames, the promotion panel, and the hidden browser that follows the marketplace's pages.
class Form1 : public QWidget, private lookup::PageFlowWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Timer1 gives the button back at the tick after this one, if nothing else has.
    static constexpr qint16 lastBusyTick = 20;

    // The query lent to the comparison board: the entry typed into 旺旺号 and 查询 pressed, as a
    // person does, after the previous shop's results are cleared, so that what the window shows at
    // the end is this entry's alone. While it runs, a no-shop answer goes to the report instead of
    // a message box, which would hold up the board's list. False when the button is busy.
    bool queryFor(const QString &entry);

    // The comparison board, made on first use.
    Board &board();

signals:
    // Each query, when its button first comes back: how it ended and what it showed.
    void queryEnded(const present::QueryReport &report);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    friend struct Form1Probe; // the tests' view of the insides

    void command1Click();
    void timer1Tick();
    void endQuery();
    void addBoardActions();
    void addShownShopToBoard();
    void openBoard();

    // The indicator picture for a comparison with the industry average.
    const QPixmap &picture(lookup::Comparison comparison) const;

    void buildControls();
    void findDimensionControls();
    void describeFigures();
    void setFocusOrder();
    void load();

    void onPromotionComplete(const lookup::PageSnapshot &page);
    void onHiddenPageComplete(const lookup::PageSnapshot &page);
    present::ShownResults shownResults() const;
    void onTargetChanged(int dimension);

    // The page flow's view of this window.
    void showMessage(const QString &text) override;
    void showLogin(const QString &address) override;
    void hideLogin() override;
    void setResultsCaption(const QString &caption) override;
    void navigateHidden(const QString &address) override;
    void clearResults() override;
    void showScores(const QStringList &scores) override;
    void showComparison(int dimension, lookup::Comparison comparison, const QString &text) override;
    void showTurnRed(int dimension, const QString &text) override;
    void showHeadroom(int dimension, std::optional<long long> oneStarRatings) override;
    void alignComparisonLabels() override;
    void giveButtonBack() override;
    void clearTargetResults() override;

    QLineEdit *m_text1 = nullptr;
    QPushButton *m_command1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QGroupBox *m_frame5 = nullptr;
    QWebEngineView *m_webBrowser1 = nullptr;
    QTimer *m_timer1 = nullptr;
    browser::WebBrowser *m_promotionBrowser = nullptr;
    browser::WebBrowser *m_webBrowser2 = nullptr;
    NameCompleter *m_queriedNames = nullptr;
    ResultsMenu *m_resultsMenu = nullptr;
    QAction *m_addToBoard = nullptr;
    std::unique_ptr<Board> m_board;

    // Per dimension: description, service, logistics.
    std::array<QLabel *, calc::dimensionCount> m_scoreLabels{};
    std::array<QLabel *, calc::dimensionCount> m_comparisonLabels{};
    std::array<QLabel *, calc::dimensionCount> m_indicatorBars{};
    std::array<QLabel *, calc::dimensionCount> m_turnRedLabels{};
    std::array<QLineEdit *, calc::dimensionCount> m_targetInputs{};
    std::array<QLabel *, calc::dimensionCount> m_targetResults{};

    std::array<std::optional<lookup::Comparison>, calc::dimensionCount> m_shownComparisons{};
    QPixmap m_picture1; // higher than the industry average
    QPixmap m_picture2; // lower
    QPixmap m_picture3; // equal
    calc::DsrRecord m_record;
    qint16 m_busyTicks = 0;
    int m_queriesOnPage = 0; // queries the hidden browser's page has served
    bool m_focusOrderSet = false;

    // The query under way and what it showed of its own; the last query's entry and report.
    present::QueryTracker m_query;
    int m_queryNumber = 0;
    bool m_lent = false; // to the comparison board
    QString m_queriedEntry;
    present::QueryReport m_lastReport;
};

// A message box as the tool shows them: no icon, OK only, titled "Larkspire".
void showMessageBox(QWidget *parent, const QString &text);

} // namespace app
