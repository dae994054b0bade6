#pragma once

#include "calc/dsrrecord.h"
#include "lookup/pageflow.h"

#include <QPixmap>
#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QWebEngineView;

namespace browser { class WebBrowser; }

namespace app {

// The main window: the name input and query button, the results, turn-red and target-score
// frames, the promotion panel, and the hidden browser that follows the marketplace's pages.
class Form1 : public QWidget, private lookup::PageFlowWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);

    void command1Click();
    void timer1Tick();

    qint16 busyTicks() const { return m_busyTicks; }
    QTimer *timer1() const { return m_timer1; }
    browser::WebBrowser *webBrowser2() const { return m_webBrowser2; }
    browser::WebBrowser *promotionBrowser() const { return m_promotionBrowser; }

    // The indicator pictures: higher than, lower than, equal to the industry average.
    const QPixmap &picture(lookup::Comparison comparison) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void findDimensionControls();
    void setFocusOrder();
    void load();

    void onPromotionComplete(const lookup::PageSnapshot &page);
    void copyResults();
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

    // Per dimension: description, service, logistics.
    std::array<QLabel *, calc::dimensionCount> m_scoreLabels{};
    std::array<QLabel *, calc::dimensionCount> m_comparisonLabels{};
    std::array<QLabel *, calc::dimensionCount> m_indicatorBars{};
    std::array<QLabel *, calc::dimensionCount> m_turnRedLabels{};
    std::array<QLineEdit *, calc::dimensionCount> m_targetInputs{};
    std::array<QLabel *, calc::dimensionCount> m_targetResults{};

    std::array<std::optional<lookup::Comparison>, calc::dimensionCount> m_shownComparisons{};
    std::array<QPixmap, 3> m_pictures; // Picture1 (higher), Picture2 (lower), Picture3 (equal)
    calc::DsrRecord m_record;
    qint16 m_busyTicks = 0;
    bool m_focusOrderSet = false;
};

// A message box as the tool shows them: no icon, OK only, titled "Larkspire".
void showMessageBox(QWidget *parent, const QString &text);

} // namespace app
