// SPDX-License-Identifier: MIT
#include "app/controls.h"

#include "app/figurelabel.h"
#include "present/readablecolour.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWebEngineView>

#include <algorithm>
#include <optional>

namespace app {

namespace {

// The border colour of an inactive window, as the windowing system paints it.
QColor inactiveBorderGrey() { return QApplication::palette().color(QPalette::Inactive, QPalette::Dark); }

bool isBold(Look look) { return look == Look::BoldBlack || look == Look::BoldDarkOrange || look == Look::BoldRed; }

// The colour a look fixes; none where the text follows the palette. The layout's black captions
// are the text colour of the light palettes it was drawn on, so they take the palette's text:
// under a dark palette its light text, where fixed black would be unreadable.
std::optional<QColor> colourOf(Look look, const QPalette &palette)
{
    switch (look) {
    case Look::Default:
    case Look::BoldBlack: break;
    // The comparison percentages lie on the pale right end of the indicator pictures.
    case Look::Grey: return inactiveBorderGrey();
    case Look::Blue: return present::readableIn(QColor(0, 0, 255), palette);
    case Look::BoldDarkOrange: return present::readableIn(QColor(192, 64, 0), palette);
    case Look::BoldRed: return present::readableIn(QColor(255, 0, 0), palette);
    }
    return std::nullopt;
}

void applyLook(QWidget *widget, Look look)
{
    widget->setFont(toolFont(isBold(look)));
    QPalette palette = widget->palette();
    const auto colour = colourOf(look, palette);
    if (!colour) return;
    palette.setColor(QPalette::WindowText, *colour);
    widget->setPalette(palette);
}

template <typename Label>
QLabel *createLabel(const QString &text, QWidget *container)
{
    auto *label = new Label(text, container);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop); // a label's text starts at its top edge
    return label;
}

} // namespace

QFont toolFont(bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPointSize(9);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QIcon toolIcon()
{
    // Smallest first, as the desktop expects them.
    QStringList files = QDir(QStringLiteral(":/icons")).entryList();
    auto size = [](const QString &file) { return file.section(u'-', 1).section(u'.', 0, 0).toInt(); };
    std::sort(files.begin(), files.end(), [&](const QString &a, const QString &b) { return size(a) < size(b); });
    QIcon icon;
    for (const QString &file : files)
        icon.addFile(QStringLiteral(":/icons/") + file);
    return icon;
}

QPixmap indicatorPicture(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1) return QPixmap(QStringLiteral(":/%1.jpg").arg(name));
    QPixmap sharp(QStringLiteral(":/%1@2x.jpg").arg(name));
    sharp.setDevicePixelRatio(2);
    return sharp;
}

IndicatorPictures IndicatorPictures::load(qreal devicePixelRatio)
{
    return {indicatorPicture(QStringLiteral("higher"), devicePixelRatio),
            indicatorPicture(QStringLiteral("lower"), devicePixelRatio),
            indicatorPicture(QStringLiteral("equal"), devicePixelRatio)};
}

const QPixmap &IndicatorPictures::of(lookup::Comparison comparison) const
{
    switch (comparison) {
    case lookup::Comparison::Higher: break;
    case lookup::Comparison::Lower: return lower;
    case lookup::Comparison::Equal: return equal;
    }
    return higher;
}

QWidget *createControl(const ControlEntry &entry, QWidget *container, QWebEngineView *promotionView)
{
    const QString text = QString::fromUtf8(entry.text);
    QWidget *widget = nullptr;
    switch (entry.kind) {
    case ControlKind::Frame: {
        auto *frame = new QGroupBox(text, container);
        frame->setAutoFillBackground(true); // a frame hides what lies below it
        widget = frame;
        break;
    }
    case ControlKind::Label: widget = createLabel<QLabel>(text, container); break;
    case ControlKind::Figure: widget = createLabel<FigureLabel>(text, container); break;
    case ControlKind::TextBox: widget = new QLineEdit(text, container); break;
    case ControlKind::Button: {
        auto *button = new QPushButton(text, container);
        button->setAutoDefault(true); // Enter on the focused button presses it, as Space does
        widget = button;
        break;
    }
    case ControlKind::Image: widget = createLabel<FigureLabel>(QString(), container); break;
    case ControlKind::Browser:
        promotionView->setParent(container);
        widget = promotionView;
        break;
    }
    widget->setObjectName(QString::fromLatin1(entry.name));
    setTwipsGeometry(widget, entry.place);
    applyLook(widget, entry.look);
    return widget;
}

void createControls(QWidget *window, const QList<ControlEntry> &controls, QWebEngineView *promotionView)
{
    QHash<QString, QWidget *> containers{{QString(), window}};
    QList<QWidget *> created;
    for (const ControlEntry &entry : controls) {
        QWidget *container = containers.value(QString::fromLatin1(entry.container));
        QWidget *widget = createControl(entry, container, promotionView);
        containers.insert(widget->objectName(), widget);
        created << widget;
    }
    // Each table lists the top of the stack first: raising from the bottom up leaves it on top.
    for (auto it = created.crbegin(); it != created.crend(); ++it)
        (*it)->raise();

    for (const ControlEntry &entry : controls) {
        if (entry.buddy)
            window->findChild<QLabel *>(QLatin1String(entry.name))
                ->setBuddy(window->findChild<QLineEdit *>(QLatin1String(entry.buddy)));
    }
}

void showMessageBox(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Larkspire"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace app
