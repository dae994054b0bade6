// SPDX-License-Identifier: MIT
#include "app/form1.h"

#include "app/board.h"
#include "app/controls.h"
#include "app/figurelabel.h"
#include "app/form1layout.h"
#include "app/form2.h"
#include "app/namecompleter.h"
#include "app/resultsmenu.h"
#include "browser/profile.h"
#include "browser/webbrowser.h"
#include "calc/targetscore.h"
#include "lookup/searchaddress.h"
#include "lookup/shoplink.h"
#include "present/wording.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineView>

namespace app {

namespace {

const QString idleCaption = QStringLiteral("查询");
const QString busyCaption = QStringLiteral("查询中...");
constexpr float promotionGap = 100;

// The engine keeps the storage of every site a page has shown for as long as the page lives,
// some 30 KiB for each shop's own host: a long session over many shops would grow without end.
// A fresh hidden page this often keeps it flat, for one engine process start (a few tens of
// milliseconds) in as many queries.
constexpr int queriesPerPage = 50;

// The maker's promotion page, on a reserved top-level domain so no third party can serve it, and
// the brand word that tells it from an error page.
constexpr QLatin1StringView promotionAddress{"http://www.quillfen.example/dsr/ad.html"};
constexpr QLatin1StringView promotionMarker{"Quillfen"};

// What a screen reader says a figure of this role is, after the dimension's name; none for the
// roles that hold no figure.
QString figureName(Role role)
{
    switch (role) {
    case Role::None:
    case Role::Target: break;
    case Role::Score: return QStringLiteral("评分");
    case Role::Comparison: return QStringLiteral("与同行业相比");
    case Role::Indicator: return QStringLiteral("行业比较");
    case Role::TurnRed: return QStringLiteral("飘红需要5分人数");
    case Role::TargetResult: return QStringLiteral("提升后需要5分人数");
    }
    return {};
}

QString figureDescription(Role role, int dimension)
{
    return present::dimensionName(dimension) + QLatin1Char(' ') + figureName(role);
}

template <typename T>
std::array<T *, calc::dimensionCount> dimensionControls(const QWidget *window, Role role)
{
    std::array<T *, calc::dimensionCount> controls{};
    for (int d = 0; d < calc::dimensionCount; ++d)
        controls[d] = window->findChild<T *>(QLatin1String(controlName(role, d)));
    return controls;
}

} // namespace

void showMessageBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Larkspire"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

Form1::Form1(QWidget *parent)
    : QWidget(parent)
    , m_timer1(new QTimer(this))
    , m_promotionBrowser(new browser::WebBrowser(browser::WebBrowser::Kind::Plain, browser::sharedProfile(), this))
    , m_webBrowser2(new browser::WebBrowser(browser::WebBrowser::Kind::Hidden, browser::sharedProfile(), this))
    , m_picture1(indicatorPicture(QStringLiteral("higher"), qApp->devicePixelRatio()))
    , m_picture2(indicatorPicture(QStringLiteral("lower"), qApp->devicePixelRatio()))
    , m_picture3(indicatorPicture(QStringLiteral("equal"), qApp->devicePixelRatio()))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quillfen-Larkspire"));
    setWindowIcon(toolIcon());
    setFont(toolFont(false));
    setFixedSize(qRound(form1ClientWidth / twipsPerPixel), qRound(form1ClientHeight / twipsPerPixel));

    installFigureAccessibility();
    buildControls();
    findDimensionControls();
    describeFigures();

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    connect(m_timer1, &QTimer::timeout, this, &Form1::timer1Tick);
    connect(m_command1, &QPushButton::clicked, this, &Form1::command1Click);
    connect(m_promotionBrowser, &browser::WebBrowser::documentComplete, this, &Form1::onPromotionComplete);
    // A query whose pages can no longer complete is over: the button need not wait for the timer.
    connect(m_webBrowser2, &browser::WebBrowser::renderProcessDied, this, &Form1::giveButtonBack);
    connect(m_webBrowser2, &browser::WebBrowser::documentComplete, this, &Form1::onHiddenPageComplete);
    m_webBrowser2->setReadingRules(lookup::readingRules());
    // Enter in the name input does what pressing the button does, and nothing while it is busy.
    connect(m_text1, &QLineEdit::returnPressed, m_command1, &QPushButton::click);
    for (int d = 0; d < calc::dimensionCount; ++d)
        connect(m_targetInputs[d], &QLineEdit::textChanged, this, [this, d] { onTargetChanged(d); });

    m_queriedNames = new NameCompleter(m_text1);

    m_resultsMenu = new ResultsMenu(this, m_frame2, [this] { return shownResults(); });
    addBoardActions();

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
    auto *promotionView = new QWebEngineView(this);
    promotionView->setPage(m_promotionBrowser->page());

    QHash<QString, QWidget *> containers{{QString(), this}};
    QList<QWidget *> created;
    for (const ControlEntry &entry : form1Controls()) {
        QWidget *container = containers.value(QString::fromLatin1(entry.container));
        QWidget *widget = createControl(entry, container, promotionView);
        containers.insert(widget->objectName(), widget);
        created << widget;
    }
    // Each table lists the top of the stack first: raising from the bottom up leaves it on top.
    for (auto it = created.crbegin(); it != created.crend(); ++it)
        (*it)->raise();

    for (const ControlEntry &entry : form1Controls()) {
        if (entry.buddy)
            findChild<QLabel *>(QLatin1String(entry.name))
                ->setBuddy(findChild<QLineEdit *>(QLatin1String(entry.buddy)));
    }

    m_text1 = findChild<QLineEdit *>(QStringLiteral("Text1"));
    m_command1 = findChild<QPushButton *>(QStringLiteral("Command1"));
    m_frame2 = findChild<QGroupBox *>(QStringLiteral("Frame2"));
    m_frame5 = findChild<QGroupBox *>(QStringLiteral("Frame5"));
    m_webBrowser1 = promotionView;
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

void Form1::describeFigures()
{
    for (const ControlEntry &entry : form1Controls()) {
        if (!figureName(entry.role).isEmpty())
            findChild<QWidget *>(QLatin1String(entry.name))
                ->setAccessibleDescription(figureDescription(entry.role, entry.dimension));
    }
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
    m_promotionBrowser->navigate(promotionAddress);
}

void Form1::addBoardActions()
{
    m_addToBoard = new QAction(QStringLiteral("加入对比"), this);
    m_addToBoard->setEnabled(false);
    connect(m_addToBoard, &QAction::triggered, this, &Form1::addShownShopToBoard);
    auto *open = new QAction(QStringLiteral("打开店铺对比"), this);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(open, &QAction::triggered, this, &Form1::openBoard);
    addAction(open);
    m_frame2->addActions({m_addToBoard, open});
}

Board &Form1::board()
{
    if (!m_board) m_board = std::make_unique<Board>(*this);
    return *m_board;
}

void Form1::openBoard() { board().showAndRaise(); }

void Form1::addShownShopToBoard()
{
    board().add(m_queriedEntry, m_lastReport);
    openBoard();
}

bool Form1::queryFor(const QString &entry)
{
    if (entry.isEmpty() || !m_command1->isEnabled()) return false;
    m_lent = true;
    clearResults();
    clearTargetResults();
    setResultsCaption(QString());
    m_text1->setText(entry);
    m_command1->click();
    return true;
}

void Form1::command1Click()
{
    if (m_text1->text().isEmpty()) {
        showMessage(QStringLiteral("请输入旺旺名"));
        return;
    }
    ++m_queryNumber;
    m_query.start();
    m_queriedEntry = m_text1->text();
    m_addToBoard->setEnabled(false);
    m_command1->setText(busyCaption);
    m_command1->setEnabled(false);
    m_busyTicks = 1;
    m_timer1->setInterval(1000);
    m_timer1->start();
    m_resultsMenu->setRatingAddress(QString());
    m_queriedNames->remember(lookup::trimName(m_text1->text()));
    if (++m_queriesOnPage > queriesPerPage) {
        m_webBrowser2->renewPage();
        m_queriesOnPage = 1;
    }
    const QString address = lookup::queryAddress(m_text1->text());
    // A rating page opened by its link comes without the shop page that would have cleared what the
    // previous shop showed and captioned the results.
    if (lookup::landingOf(address) == lookup::Landing::RatingPage) {
        clearResults();
        clearTargetResults();
        setResultsCaption(QString());
    }
    m_webBrowser2->navigate(address);
}

void Form1::timer1Tick()
{
    if (m_busyTicks > lastBusyTick) {
        if (m_query.isRunning()) m_query.endedBy(present::QueryEnding::Timeout);
        giveButtonBack();
        m_timer1->stop();
    }
    ++m_busyTicks;
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, login window included, without a question.
    Form2::unload();
    event->accept();
    QCoreApplication::quit();
}

const QPixmap &Form1::picture(lookup::Comparison comparison) const
{
    switch (comparison) {
    case lookup::Comparison::Higher: break;
    case lookup::Comparison::Lower: return m_picture2;
    case lookup::Comparison::Equal: return m_picture3;
    }
    return m_picture1;
}

void Form1::onPromotionComplete(const lookup::PageSnapshot &page)
{
    if (!page.bodyHtml || !page.bodyHtml->contains(promotionMarker)) return;
    const TwipsRect frame = twipsGeometry(m_frame5);
    setTwipsTop(m_webBrowser1, frame.height + frame.top + promotionGap);
}

void Form1::onHiddenPageComplete(const lookup::PageSnapshot &page)
{
    lookup::followPage(page, m_record, *this);
    if (lookup::landingOf(page) == lookup::Landing::RatingPage) m_resultsMenu->setRatingAddress(page.locationUrl);
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

void Form1::endQuery()
{
    m_lastReport = m_query.finish(shownResults());
    m_lent = false;
    m_addToBoard->setEnabled(m_lastReport.ending == present::QueryEnding::Figures);
    emit queryEnded(m_lastReport);
}

void Form1::showMessage(const QString &text)
{
    // The page flow's only message is the no-shop answer.
    m_query.endedBy(present::QueryEnding::NoShop);
    if (!m_lent) showMessageBox(this, text);
}

void Form1::showLogin(const QString &address)
{
    m_query.endedBy(lookup::landingOf(address) == lookup::Landing::VerificationPage ? present::QueryEnding::Verification
                                                                                    : present::QueryEnding::Login);
    Form2 *login = Form2::ensureLoaded();
    login->show();
    login->raise();
    login->webBrowser1()->navigate(address);
}

void Form1::hideLogin() { Form2::ensureLoaded()->hide(); }

void Form1::setResultsCaption(const QString &caption) { m_frame2->setTitle(caption); }

void Form1::navigateHidden(const QString &address) { m_webBrowser2->navigate(address); }

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
    m_query.resultsCleared();
}

void Form1::showScores(const QStringList &scores)
{
    for (qsizetype d = 0; d < scores.size() && d < calc::dimensionCount; ++d)
        m_scoreLabels[d]->setText(scores[d] + QStringLiteral("分"));
    m_query.scoresShown(m_record.raterTotals); // the page flow read them from this page's list just now
}

void Form1::showComparison(int d, lookup::Comparison comparison, const QString &text)
{
    m_indicatorBars[d]->setPixmap(picture(comparison));
    m_indicatorBars[d]->setAccessibleName(present::verdict(comparison));
    m_shownComparisons[d] = comparison;
    m_comparisonLabels[d]->setText(text);
}

void Form1::showTurnRed(int d, const QString &text) { m_turnRedLabels[d]->setText(text); }

void Form1::showHeadroom(int d, std::optional<long long> oneStarRatings)
{
    // The window looks as it always did: the headroom is told only to whoever asks, as the tooltip
    // and the screen readers' description of the turn-red label.
    m_query.headroomShown(d, oneStarRatings);
    const QString told = oneStarRatings ? present::headroomText(*oneStarRatings) : QString();
    m_turnRedLabels[d]->setToolTip(told);
    m_turnRedLabels[d]->setAccessibleDescription(figureDescription(Role::TurnRed, d)
                                                 + (told.isEmpty() ? QString() : QStringLiteral("，") + told));
}

void Form1::alignComparisonLabels()
{
    // The right edge of the comparison labels on the right edge of the indicator bars.
    const TwipsRect bar = twipsGeometry(m_indicatorBars[0]);
    const float left = bar.left + bar.width - twipsGeometry(m_comparisonLabels[0]).width;
    for (QLabel *label : m_comparisonLabels)
        setTwipsLeft(label, left);
}

void Form1::giveButtonBack()
{
    m_command1->setText(idleCaption);
    m_command1->setEnabled(true);
    // The report waits for the page's handler to finish: a rating page gives the button back
    // before it shows the comparisons when not all its figures were read.
    if (m_query.buttonBack()) {
        QTimer::singleShot(0, this, [this, query = m_queryNumber] {
            if (query == m_queryNumber) endQuery();
        });
    }
}

void Form1::clearTargetResults()
{
    for (QLabel *result : m_targetResults)
        result->clear();
}

} // namespace app
