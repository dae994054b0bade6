// SPDX-License-Identifier: MIT
#include "app/form1.h"

#include "app/boardlink.h"
#include "app/controls.h"
#include "app/figurelabel.h"
#include "app/form2.h"
#include "app/namecompleter.h"
#include "app/promotionpanel.h"
#include "app/resultsmenu.h"
#include "browser/profile.h"
#include "browser/webbrowser.h"
#include "calc/targetscore.h"
#include "lookup/searchaddress.h"
#include "lookup/shoplink.h"
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
    , m_webBrowser2(new browser::WebBrowser(browser::WebBrowser::Kind::Hidden, browser::sharedProfile(), this))
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

    m_runner = new QueryRunner(m_command1, m_webBrowser2, this);
    m_loginGate = new LoginGate(this);
    connect(m_command1, &QPushButton::clicked, this, &Form1::command1Click);
    connect(m_webBrowser2, &browser::WebBrowser::documentComplete, this, &Form1::onHiddenPageComplete);
    m_webBrowser2->setReadingRules(lookup::readingRules());
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

std::optional<int> Form1::queryFor(const QString &entry)
{
    if (entry.isEmpty() || m_runner->isBusy()) return std::nullopt;
    clearResults();
    clearTargetResults();
    setResultsCaption(QString());
    m_runner->lendNext();
    m_text1->setText(entry);
    m_command1->click();
    return m_runner->current();
}

void Form1::command1Click()
{
    if (m_text1->text().isEmpty()) {
        showMessageBox(this, QStringLiteral("请输入旺旺名"));
        return;
    }
    m_resultsMenu->setRatingAddress(QString());
    m_queriedNames->remember(lookup::trimName(m_text1->text()));
    if (lookup::isShareCode(m_text1->text())) {
        m_runner->refuseShareCode(m_text1->text(), [&] { showMessageBox(this, lookup::shareCodeMessage()); });
        return;
    }
    const QString address = lookup::queryAddress(m_text1->text());
    // A rating page opened by its link comes without the shop page that would have cleared what the
    // previous shop showed and captioned the results.
    if (lookup::landingOf(address) == lookup::Landing::RatingPage) {
        clearResults();
        clearTargetResults();
        setResultsCaption(QString());
    }
    m_runner->start(m_text1->text(), address, lookup::entryOf(m_text1->text()));
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, login window included, without a question.
    Form2::unload();
    event->accept();
    QCoreApplication::quit();
}

void Form1::onHiddenPageComplete(const lookup::PageSnapshot &page)
{
    m_runner->follow(page.navigation,
                     [&](lookup::QueryEntry entry) { lookup::followPage(page, m_record, *this, entry); });
}

present::ShownResults Form1::shownResults() const
{
    present::ShownResults shown;
    shown.caption = m_frame2->title();
    for (int d = 0; d < calc::dimensionCount; ++d)
        shown.dimensions[d] = {m_scoreLabels[d]->text(),   m_shownComparisons[d],     m_comparisonLabels[d]->text(),
                               m_turnRedLabels[d]->text(), m_targetInputs[d]->text(), m_targetResults[d]->text()};
    return shown;
}

void Form1::onTargetChanged(int d)
{
    const calc::TargetOutcome outcome =
        calc::targetOutcome(m_record, d, m_scoreLabels[d]->text(), m_targetInputs[d]->text());
    switch (outcome.action) {
    case calc::TargetOutcome::Action::Show: m_targetResults[d]->setText(outcome.text); break;
    case calc::TargetOutcome::Action::Keep: break;
    // Setting the text runs this handler again at once, which shows the result for the new target.
    case calc::TargetOutcome::Action::ReplaceTarget: m_targetInputs[d]->setText(outcome.text); break;
    }
}

void Form1::foundRatings(const lookup::RatingReading &reading)
{
    m_resultsMenu->setRatingAddress(reading.address);
    m_runner->foundRatings(reading);
}

void Form1::showMessage(const QString &text)
{
    m_runner->tellPerson([&] { showMessageBox(this, text); });
}

void Form1::setResultsCaption(const QString &caption) { m_frame2->setTitle(caption); }

void Form1::clearResults()
{
    for (int d = 0; d < calc::dimensionCount; ++d) {
        m_scoreLabels[d]->clear();
        m_comparisonLabels[d]->clear();
        m_indicatorBars[d]->setPixmap(QPixmap());
        m_indicatorBars[d]->setAccessibleName(QString());
        m_shownComparisons[d].reset();
        m_turnRedLabels[d]->clear();
        showHeadroom(d, std::nullopt);
    }
}

void Form1::showScores(const QStringList &scores)
{
    for (qsizetype d = 0; d < scores.size() && d < calc::dimensionCount; ++d)
        m_scoreLabels[d]->setText(scores[d] + QStringLiteral("分"));
}

void Form1::showComparison(int d, lookup::Comparison comparison, const QString &text)
{
    m_indicatorBars[d]->setPixmap(m_pictures.of(comparison));
    m_indicatorBars[d]->setAccessibleName(present::verdict(comparison));
    m_shownComparisons[d] = comparison;
    m_comparisonLabels[d]->setText(text);
}

void Form1::showTurnRed(int d, const QString &text) { m_turnRedLabels[d]->setText(text); }

void Form1::showHeadroom(int d, std::optional<long long> oneStarRatings)
{
    tellHeadroom(m_turnRedLabels[d], d, oneStarRatings);
}

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
    for (QLabel *result : m_targetResults)
        result->clear();
}

} // namespace app
