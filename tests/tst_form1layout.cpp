// SPDX-License-Identifier: MIT
#include "app/controls.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/twips.h"
#include "browser/webbrowser.h"
#include "dsrpages.h"
#include "form1probe.h"
#include "userinput.h"
#include "webtest.h"
#include "webtestbase.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEngineView>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

enum Look { Plain, Black, Blue, Grey, BoldBlack, BoldOrange, BoldRed };

// The border colour of inactive windows in the palette the test installs: no other role holds it,
// so a label that shows it took it from that role.
const QColor inactiveBorder(0x83, 0x84, 0x85);

QColor colourOf(Look look)
{
    switch (look) {
    case Black:
    case BoldBlack: return QColor(0, 0, 0);
    case Blue: return QColor(0, 0, 255);
    case Grey: return inactiveBorder;
    case BoldOrange: return QColor(192, 64, 0);
    case BoldRed: return QColor(255, 0, 0);
    case Plain: break;
    }
    return QApplication::palette().color(QPalette::WindowText);
}

QString textOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget)) return label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(widget)) return edit->text();
    if (auto *button = qobject_cast<QPushButton *>(widget)) return button->text();
    if (auto *frame = qobject_cast<QGroupBox *>(widget)) return frame->title();
    return {};
}

// The contrast of two colours as WCAG defines it, from 1 : 1 to 21 : 1.
double contrast(const QColor &a, const QColor &b)
{
    auto luminance = [](const QColor &colour) {
        auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
    };
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// A main window made under the given palette, which the application keeps no longer than that.
std::unique_ptr<app::Form1> formUnder(const QPalette &palette)
{
    const QPalette before = QApplication::palette();
    QApplication::setPalette(palette);
    auto form = std::make_unique<app::Form1>();
    QApplication::setPalette(before);
    return form;
}

// What a screen reader finds in the window, by the object name of each control.
QHash<QString, QAccessibleInterface *> accessibleControls(QWidget *window)
{
    QHash<QString, QAccessibleInterface *> found;
    QList<QAccessibleInterface *> pending = {QAccessible::queryAccessibleInterface(window)};
    while (!pending.isEmpty()) {
        QAccessibleInterface *control = pending.takeLast();
        if (control->object()) found.insert(control->object()->objectName(), control);
        for (int i = 0; i < control->childCount(); ++i)
            pending << control->child(i);
    }
    return found;
}

// Whether each widget lies above the next one in its container's stack.
bool stackedInOrder(const QList<QWidget *> &topFirst)
{
    const QObjectList siblings = topFirst.first()->parentWidget()->children();
    for (qsizetype i = 1; i < topFirst.size(); ++i)
        if (siblings.indexOf(topFirst[i - 1]) < siblings.indexOf(topFirst[i])) return false;
    return true;
}

} // namespace

class Form1LayoutTest : public tests::WebTestBase
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void window();
    void control_data();
    void control();
    void stackingOrder_data();
    void stackingOrder();
    void focusOrder();
    void labelsShowPlainTextFromTheTopLeft();
    void textFollowsADarkPalette();
    void colouredTextIsReadable_data();
    void colouredTextIsReadable();
    void screenReadersNameEveryControl_data();
    void screenReadersNameEveryControl();
    void songFaceFirst();
    void loginWindow();

private:
    QWidget *find(const QString &name) { return m_form->findChild<QWidget *>(name); }
    app::Form1 *m_form = nullptr;
};

void Form1LayoutTest::initTestCase()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Inactive, QPalette::Dark, inactiveBorder);
    QApplication::setPalette(palette);
    m_form = new app::Form1;
    m_form->show();
}

void Form1LayoutTest::cleanupTestCase() { delete m_form; }

void Form1LayoutTest::window()
{
    QCOMPARE(m_form->windowTitle(), "Quillfen-Larkspire");
    QCOMPARE(m_form->size(), QSize(421, 538)); // 6315 x 8070 twips
    QVERIFY(!m_form->windowIcon().isNull());
    QCOMPARE(m_form->windowIcon().pixmap(32, 32).size(), QSize(32, 32));
    QCOMPARE(m_form->windowIcon().availableSizes(),
             (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    for (auto comparison : {lookup::Comparison::Higher, lookup::Comparison::Lower, lookup::Comparison::Equal})
        QCOMPARE(app::Form1Probe::picture(*m_form, comparison).deviceIndependentSize(), QSizeF(200, 22));
    // At 150 % and 200 % the pictures come from their double-size drawings, at the same size on screen.
    for (const QString name : {"higher", "lower", "equal"}) {
        for (qreal ratio : {1.5, 2.0}) {
            const QPixmap sharp = app::indicatorPicture(name, ratio);
            QCOMPARE(sharp.size(), QSize(400, 44));
            QCOMPARE(sharp.deviceIndependentSize(), QSizeF(200, 22));
        }
    }
    const QImage higher = app::Form1Probe::picture(*m_form, lookup::Comparison::Higher).toImage();
    const QImage lower = app::Form1Probe::picture(*m_form, lookup::Comparison::Lower).toImage();
    const QImage equal = app::Form1Probe::picture(*m_form, lookup::Comparison::Equal).toImage();
    QVERIFY(higher != lower && lower != equal && higher != equal);
}

void Form1LayoutTest::control_data()
{
    // clang-format off
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRectF>("twips");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("look");
    auto row = [](const char *name, const char *container, QRectF twips, const QString &text, Look look) {
        QTest::newRow(name) << QString(container) << twips << text << int(look);
    };
    row("Frame5", "Form1", {240, 4680, 5895, 1875}, "提升计算", BoldBlack);
    row("Frame1", "Form1", {240, 2760, 5895, 1640}, "飘红计算", BoldBlack);
    row("Text1", "Form1", {1155, 240, 2055, 375}, "", Plain);
    row("Command1", "Form1", {3360, 240, 975, 375}, "查询", Plain);
    row("Frame2", "Form1", {240, 840, 5895, 1790}, "", BoldBlack);
    row("WebBrowser1", "Form1", {360, 4920, 5655, 1335}, "", Plain);
    row("Label1", "Form1", {360, 315, 855, 255}, "旺旺号", Plain);
    row("Label9", "Frame2", {200, 1290, 1455, 255}, "物流服务的质量：", Plain);
    row("Label8", "Frame2", {200, 820, 1455, 255}, "卖家的服务态度：", Plain);
    row("Label4", "Frame2", {200, 360, 1455, 255}, "宝贝与描述相符：", Plain);
    row("Label14", "Frame2", {1685, 1300, 975, 255}, "", BoldOrange);
    row("Label17", "Frame2", {4920, 1300, 735, 255}, "", Grey);
    row("Label10", "Frame2", {4920, 835, 735, 255}, "", Grey);
    row("Label13", "Frame2", {1680, 830, 975, 255}, "", BoldOrange);
    row("Label2", "Frame2", {4920, 360, 735, 255}, "", Grey);
    row("Image1", "Frame2", {2640, 285, 3000, 330}, "", Plain);
    row("Label3", "Frame2", {1680, 360, 975, 255}, "", BoldOrange);
    row("Image2", "Frame2", {2640, 760, 3000, 330}, "", Plain);
    row("Image3", "Frame2", {2640, 1230, 3000, 330}, "", Plain);
    row("Label33", "Frame1", {3000, 370, 735, 255}, "", BoldRed);
    row("Label30", "Frame1", {3000, 780, 735, 255}, "", BoldRed);
    row("Label27", "Frame1", {3000, 1170, 735, 255}, "", BoldRed);
    row("Label35", "Frame1", {240, 360, 2895, 255}, "宝贝与描述相符飘红需要5分人数：", Black);
    row("Label31", "Frame1", {240, 765, 2895, 255}, "卖家的服务态度飘红需要5分人数：", Black);
    row("Label28", "Frame1", {240, 1170, 3015, 255}, "物流服务的质量飘红需要5分人数：", Black);
    row("Text4", "Frame5", {2160, 1120, 615, 340}, "", Plain);
    row("Text3", "Frame5", {2160, 720, 615, 340}, "", Plain);
    row("Text2", "Frame5", {2160, 320, 615, 340}, "", Plain);
    row("Label11", "Frame5", {600, 1560, 5055, 255}, "说明：输入提升到多少分后,自动计算出结果！", Blue);
    row("Label26", "Frame5", {4260, 1195, 735, 255}, "", BoldRed);
    row("Label25", "Frame5", {120, 1170, 2055, 255}, "物流服务的质量提升到：", Black);
    row("Label24", "Frame5", {2805, 1185, 1455, 210}, "分 需要5分人数：", Plain);
    row("Label23", "Frame5", {4260, 800, 735, 255}, "", BoldRed);
    row("Label22", "Frame5", {120, 765, 2055, 255}, "卖家的服务态度提升到：", Black);
    row("Label21", "Frame5", {2800, 780, 1455, 375}, "分 需要5分人数：", Plain);
    row("Label20", "Frame5", {4260, 400, 735, 255}, "", BoldRed);
    row("Label6", "Frame5", {2800, 385, 1455, 375}, "分 需要5分人数：", Plain);
    row("Label5", "Frame5", {120, 360, 2055, 255}, "宝贝与描述相符提升到：", Black);
    // clang-format on
}

void Form1LayoutTest::control()
{
    QFETCH(QString, container);
    QFETCH(QRectF, twips);
    QFETCH(QString, text);
    QFETCH(int, look);

    QWidget *widget = find(QTest::currentDataTag());
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    const app::TwipsRect place = app::twipsGeometry(widget);
    QCOMPARE(QRectF(place.left, place.top, place.width, place.height), twips);
    const QRect pixels(qRound(twips.left() / 15), qRound(twips.top() / 15), qRound(twips.width() / 15),
                       qRound(twips.height() / 15));
    QCOMPARE(widget->geometry(), pixels);
    QCOMPARE(textOf(widget), text);

    const bool bold = look == BoldBlack || look == BoldOrange || look == BoldRed;
    QCOMPARE(widget->font().bold(), bold);
    QCOMPARE(widget->font().pointSize(), 9);
    QCOMPARE(widget->font().families().value(0), QStringLiteral("宋体"));
    QCOMPARE(widget->palette().color(QPalette::WindowText), colourOf(Look(look)));
    if (auto *image = qobject_cast<QLabel *>(widget); image && widget->objectName().startsWith("Image"))
        QVERIFY(image->pixmap().isNull());
}

void Form1LayoutTest::stackingOrder_data()
{
    // clang-format off
    QTest::addColumn<QStringList>("topFirst");
    QTest::newRow("window") << QStringList{"Frame5", "Frame1", "Text1", "Command1", "Frame2", "WebBrowser1", "Label1"};
    QTest::newRow("results") << QStringList{"Label9", "Label8", "Label4", "Label14", "Label17", "Label10",
                                            "Label13", "Label2", "Image1", "Label3", "Image2", "Image3"};
    QTest::newRow("turn red") << QStringList{"Label33", "Label30", "Label27", "Label35", "Label31", "Label28"};
    QTest::newRow("targets") << QStringList{"Text4", "Text3", "Text2", "Label11", "Label26", "Label25", "Label24",
                                            "Label23", "Label22", "Label21", "Label20", "Label6", "Label5"};
    // clang-format on
}

void Form1LayoutTest::stackingOrder()
{
    QFETCH(QStringList, topFirst);
    QList<QWidget *> widgets;
    for (const QString &name : topFirst)
        widgets << find(name);
    QVERIFY(!widgets.contains(nullptr));
    QVERIFY(stackedInOrder(widgets));
    // The promotion panel starts hidden below the target frame, which paints its background.
    QVERIFY(qobject_cast<QGroupBox *>(find("Frame5"))->autoFillBackground());
}

void Form1LayoutTest::focusOrder()
{
    // Tab through the window from the first target box; the promotion panel's page keeps Tab
    // for its own links, so the walk ends there.
    const QStringList expected = {"Text2", "Text3", "Text4", "Command1", "Text1", "WebBrowser1"};
    QVERIFY(tests::focus(find("Text2")));
    QStringList order;
    for (int step = 0; step < expected.size(); ++step) {
        QWidget *owner = QApplication::focusWidget();
        while (owner && !expected.contains(owner->objectName()))
            owner = owner->parentWidget();
        order << (owner ? owner->objectName() : QStringLiteral("?"));
        tests::keyClick(m_form, Qt::Key_Tab);
    }
    QCOMPARE(order, expected);
}

void Form1LayoutTest::labelsShowPlainTextFromTheTopLeft()
{
    for (QLabel *label : m_form->findChildren<QLabel *>()) {
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
    }
}

void Form1LayoutTest::textFollowsADarkPalette()
{
    const QPalette dark = tests::darkPalette();
    const std::unique_ptr<app::Form1> form = formUnder(dark);

    auto colour = [&](const char *name, QPalette::ColorRole role) {
        return form->findChild<QWidget *>(name)->palette().color(role);
    };
    // Default and black text (black being a light palette's text) follow the palette, inside a
    // frame or not; the frame captions too.
    for (const char *name : {"Label1", "Label4", "Label24", "Label6", "Label35", "Label5", "Frame2", "Frame5"})
        QCOMPARE(colour(name, QPalette::WindowText), dark.color(QPalette::WindowText));
    QCOMPARE(colour("Text2", QPalette::Text), dark.color(QPalette::Text));
}

void Form1LayoutTest::colouredTextIsReadable_data()
{
    // clang-format off
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << QApplication::palette() << false;
    QTest::newRow("dark") << tests::darkPalette() << true;
    // clang-format on
}

void Form1LayoutTest::colouredTextIsReadable()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, dark);
    const std::unique_ptr<app::Form1> form = formUnder(palette);
    const QColor window = palette.color(QPalette::Window);
    const std::pair<const char *, QColor> coloured[] = {
        {"Label11", QColor(0, 0, 255)}, {"Label3", QColor(192, 64, 0)}, {"Label33", QColor(255, 0, 0)}};
    for (const auto &[name, layoutColour] : coloured) {
        const QColor shown = form->findChild<QWidget *>(name)->palette().color(QPalette::WindowText);
        const double ratio = contrast(shown, window);
        if (!dark) {
            QCOMPARE(shown, layoutColour); // the layout's own colours, whatever their contrast
            continue;
        }
        QVERIFY2(
            ratio >= 4.5,
            qPrintable(QStringLiteral("%1: %2 : 1 %3 on %4").arg(name).arg(ratio).arg(shown.name(), window.name())));
        QVERIFY(qAbs(shown.hslHue() - layoutColour.hslHue()) <= 1); // the same hue, lighter
    }
}

void Form1LayoutTest::screenReadersNameEveryControl_data()
{
    // clang-format off
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("Text1") << "旺旺号" << "";
    QTest::newRow("Text2") << "宝贝与描述相符提升到：" << "";
    QTest::newRow("Text3") << "卖家的服务态度提升到：" << "";
    QTest::newRow("Text4") << "物流服务的质量提升到：" << "";
    QTest::newRow("Label3") << "4.77分" << "宝贝与描述相符 评分";
    QTest::newRow("Label13") << "4.80分" << "卖家的服务态度 评分";
    QTest::newRow("Label2") << "2.00%" << "宝贝与描述相符 与同行业相比";
    QTest::newRow("Label17") << "" << "物流服务的质量 与同行业相比";
    QTest::newRow("Image1") << "低于行业平均" << "宝贝与描述相符 行业比较";
    QTest::newRow("Image2") << "与行业平均持平" << "卖家的服务态度 行业比较";
    QTest::newRow("Image3") << "" << "物流服务的质量 行业比较";
    QTest::newRow("Label33") << "762" << "宝贝与描述相符 飘红需要5分人数";
    QTest::newRow("Label27") << "" << "物流服务的质量 飘红需要5分人数";
    QTest::newRow("Label20") << "1300" << "宝贝与描述相符 提升后需要5分人数";
    QTest::newRow("Label23") << "" << "卖家的服务态度 提升后需要5分人数";
    // clang-format on
}

void Form1LayoutTest::screenReadersNameEveryControl()
{
    QFETCH(QString, name);
    QFETCH(QString, description);
    // A rating page with comparisons for two dimensions, and a target typed for the first.
    app::Form1Probe::readPage(*m_form, tests::ratingSnapshot(tests::workedFigures(), {{"percent lower", "2.00%"},
                                                                                      {"percent normal", "0.00%"}}));
    m_form->findChild<QLineEdit *>("Text2")->clear();
    m_form->findChild<QLineEdit *>("Text2")->setText("4.9");

    QAccessibleInterface *control = accessibleControls(m_form).value(QTest::currentDataTag());
    QVERIFY(control);
    QCOMPARE(control->text(QAccessible::Name), name);
    QCOMPARE(control->text(QAccessible::Description), description);
}

void Form1LayoutTest::songFaceFirst()
{
    // Where "宋体" itself is missing, a Song (serif) face stands in before a sans one.
    const QFontInfo shown(find("Label5")->font());
    if (shown.family() != QStringLiteral("宋体") && shown.family() != QStringLiteral("SimSun"))
        QVERIFY2(shown.family().contains("Serif"), qPrintable(shown.family()));
}

void Form1LayoutTest::loginWindow()
{
    QVERIFY(!app::Form2::ifLoaded());
    app::Form2 *login = app::Form2::ensureLoaded();
    QCOMPARE(login->windowTitle(), QStringLiteral("任意登陆一个旺旺账号"));
    QCOMPARE(login->size(), QSize(708, 595)); // 10620 x 8925 twips
    QWidget *browser = login->findChild<QWidget *>("WebBrowser1");
    QVERIFY(browser);
    const app::TwipsRect place = app::twipsGeometry(browser);
    QCOMPARE(QRectF(place.left, place.top, place.width, place.height), QRectF(-5040, -1320, 15615, 10215));
    QCOMPARE(browser->geometry(), QRect(-336, -88, 1041, 681));
    app::Form2::unload();
    QVERIFY(!app::Form2::ifLoaded());
}

LARKSPIRE_WEB_TEST_MAIN(Form1LayoutTest)
#include "tst_form1layout.moc"
