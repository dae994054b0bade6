// SPDX-License-Identifier: MIT
#include "app/form1.h"

#include "app/boardlink.h"
#include "app/controls.h"
#include "app/figurelabel.h"
#include "app/form2.h"
#include "app/hiddenbrowser.h"
#include "app/namecompleter.h"
#include "app/promotionpanel.h"
#include "app/resultsmenu.h"
#include "browser/webbrowser.h"
#include "calc/targetscore.h"
#include "lookup/searchaddress.h"
#include "present/wording.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEngineView>

namespace app {

Form1::Form1(QWidget *parent)
    : QWidget(parent)
    , m_promotion(new PromotionPanel(this))
    , m_pictures(IndicatorPictures::load(qApp->devicePixelRatio()))
{
    // Before the title: naming the window makes its accessible interface, which is kept.
    installAccessibility();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillfen-Larkspire"));
    setWindowIcon(toolIcon());
    setFont(toolFont(false));
    setFixedSize(qRound(form1ClientWidth / twipsPerPixel), qRound(form1ClientHeight / twipsPerPixel));

    buildControls();
    findDimensionControls();
    describeFigures(this, form1Controls());

    m_session = new session::QuerySession(*this, this);
    m_webBrowser2 = hiddenBrowserFor(*m_session);
    m_session->setNavigator(m_webBrowser2.get());
    m_loginGate = new LoginGate(this);
    connect(m_command1, &QPushButton::clicked, this, &Form1::command1Click);
    connect(m_session, &session::QuerySession::queryStarted, this, &Form1::onQueryStarted);
    // Enter in the name input does what pressing the button does, and nothing while it is busy.
    connect(m_text1, &QLineEdit::returnPressed, m_command1, &QPushButton::click);
    for (int d = 0; d < calc::dimensionCount; ++d)
        connect(m_targetInputs[d], &QLineEdit::textChanged, this, [this, d] { onTargetChanged(d); });

    m_queriedNames = new NameCompleter(m_text1);

    m_resultsMenu = new ResultsMenu(this, m_frame2, [this] { return shownResults(); });
    m_boardLink = new BoardLink(*this, m_frame2);

    load();
}

Form1::~Form1()
{
    // The login window ends with the main window, in whatever state it is: its page must be gone
    // before the shared profile is.
    Form2::unload();
}

void Form1::buildControls()
{
    m_webBrowser1 = m_promotion->view();
    createControls(this, form1Controls(), m_webBrowser1);
    m_text1 = findChild<QLineEdit *>(QStringLiteral("Text1"));
    m_command1 = findChild<QPushButton *>(QStringLiteral("Command1"));
    m_frame2 = findChild<QGroupBox *>(QStringLiteral("Frame2"));
}

void Form1::findDimensionControls()
{
    m_scoreLabels = dimensionControls<QLabel>(this, Role::Score);
    m_comparisonLabels = dimensionControls<QLabel>(this, Role::Comparison);
    m_indicatorBars = dimensionControls<QLabel>(this, Role::Indicator);
    m_turnRedLabels = dimensionControls<QLabel>(this, Role::TurnRed);
    m_targetInputs = dimensionControls<QLineEdit>(this, Role::Target);
    m_targetResults = dimensionControls<QLabel>(this, Role::TargetResult);
}

void Form1::showEvent(QShowEvent *event)
{
    // The promotion browser makes the widget it renders into, and puts it into the focus chain,
    // only when it is first shown; the order is set once that has happened.
    QWidget::showEvent(event);
    if (!m_focusOrderSet) {
        setFocusOrder();
        m_focusOrderSet = true;
    }
}

void Form1::setFocusOrder()
{
    QWidget *browser = m_webBrowser1->focusProxy() ? m_webBrowser1->focusProxy() : m_webBrowser1;
    const QList<QWidget *> order = {m_targetInputs[0], m_targetInputs[1], m_targetInputs[2],
                                    m_command1,        m_text1,           browser};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::load()
{
    // Labels never fill their background, so the comparison labels already let the indicator
    // bars below them show through, and the bars start without a picture.
    m_promotion->load();
}

void Form1::command1Click() { m_session->start(m_text1->text()); }

void Form1::onQueryStarted(int, const QString &entry)
{
    m_resultsMenu->setRatingAddress(QString());
    m_queriedNames->remember(lookup::trimName(entry));
}

void Form1::showBusy(bool busy)
{
    // Given back, the caption comes first and then the button is enabled, as the query's end is told.
    m_command1->setText(busy ? QStringLiteral("查询中...") : QStringLiteral("查询"));
    m_command1->setEnabled(!busy);
}

void Form1::showRatingPage(const QString &address) { m_resultsMenu->setRatingAddress(address); }

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, login window included, without a question.
    Form2::unload();
    event->accept();
    QCoreApplication::quit();
}

present::ShownResults Form1::shownResults() const
{
    present::ShownResults shown = m_shown;
    for (int d = 0; d < calc::dimensionCount; ++d)
        shown.dimensions[d].target = m_targetInputs[d]->text();
    return shown;
}

void Form1::onTargetChanged(int d)
{
    const calc::TargetOutcome outcome =
        calc::targetOutcome(m_session->record(), d, m_shown.dimensions[d].score, m_targetInputs[d]->text());
    switch (outcome.action) {
    case calc::TargetOutcome::Action::Show: showTargetResult(d, outcome.text); break;
    case calc::TargetOutcome::Action::Keep: break;
    // Setting the text runs this handler again at once, which shows the result for the new target.
    case calc::TargetOutcome::Action::ReplaceTarget: m_targetInputs[d]->setText(outcome.text); break;
    }
}

void Form1::showTargetResult(int d, const QString &text)
{
    m_shown.dimensions[d].targetResult = text;
    m_targetResults[d]->setText(text);
}

void Form1::showMessage(const QString &text) { showMessageBox(this, text); }

void Form1::setResultsCaption(const QString &caption)
{
    m_shown.caption = caption;
    m_frame2->setTitle(caption);
}

void Form1::clearResults()
{
    for (int d = 0; d < calc::dimensionCount; ++d) {
        const QString target = m_shown.dimensions[d].targetResult;
        m_shown.dimensions[d] = {};
        m_shown.dimensions[d].targetResult = target;
        m_scoreLabels[d]->clear();
        m_comparisonLabels[d]->clear();
        m_indicatorBars[d]->setPixmap(QPixmap());
        m_indicatorBars[d]->setAccessibleName(QString());
        m_turnRedLabels[d]->clear();
        showHeadroom(d, std::nullopt);
    }
}

void Form1::showScores(const QStringList &scores)
{
    for (qsizetype d = 0; d < scores.size() && d < calc::dimensionCount; ++d) {
        m_shown.dimensions[size_t(d)].score = scores[d] + QStringLiteral("分");
        m_scoreLabels[d]->setText(m_shown.dimensions[size_t(d)].score);
    }
}

void Form1::showComparison(int d, lookup::Comparison comparison, const QString &text)
{
    m_indicatorBars[d]->setPixmap(m_pictures.of(comparison));
    m_indicatorBars[d]->setAccessibleName(present::verdict(comparison));
    m_shown.dimensions[d].comparison = comparison;
    m_shown.dimensions[d].comparisonText = text;
    m_comparisonLabels[d]->setText(text);
}

void Form1::showTurnRed(int d, const QString &text)
{
    m_shown.dimensions[d].turnRed = text;
    m_turnRedLabels[d]->setText(text);
}

void Form1::showHeadroom(int d, std::optional<long long> oneStarRatings)
{
    tellHeadroom(m_turnRedLabels[d], d, oneStarRatings);
}

void Form1::showIndustryAtTop(int d) { tellOnTurnRed(m_turnRedLabels[d], d, present::industryAtTopText()); }

void Form1::alignComparisonLabels()
{
    // The right edge of the comparison labels on the right edge of the indicator bars.
    const TwipsRect bar = twipsGeometry(m_indicatorBars[0]);
    const float left = bar.left + bar.width - twipsGeometry(m_comparisonLabels[0]).width;
    for (QLabel *label : m_comparisonLabels)
        setTwipsLeft(label, left);
}

void Form1::clearTargetResults()
{
    for (int d = 0; d < calc::dimensionCount; ++d)
        showTargetResult(d, QString());
}

} // namespace app
