// SPDX-License-Identifier: MIT
#include "app/controls.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWebEngineView>

#include <optional>

namespace app {

namespace {

// The border colour of an inactive window, as the windowing system paints it.
QColor inactiveBorderGrey() { return QApplication::palette().color(QPalette::Inactive, QPalette::Dark); }

bool isBold(Look look) { return look == Look::BoldBlack || look == Look::BoldDarkOrange || look == Look::BoldRed; }

// The colour a look fixes; none where the text follows the palette. Black is the text colour of
// the light palettes the layout was drawn on: under a dark palette it becomes the palette's light
// text, where fixed black would be unreadable.
std::optional<QColor> colourOf(Look look)
{
    switch (look) {
    case Look::Default:
    case Look::Black:
    case Look::BoldBlack: break;
    case Look::Blue: return QColor(0, 0, 255);
    case Look::Grey: return inactiveBorderGrey();
    case Look::BoldDarkOrange: return QColor(192, 64, 0);
    case Look::BoldRed: return QColor(255, 0, 0);
    }
    return std::nullopt;
}

void applyLook(QWidget *widget, Look look)
{
    widget->setFont(toolFont(isBold(look)));
    const auto colour = colourOf(look);
    if (!colour) return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, *colour);
    widget->setPalette(palette);
}

QLabel *createLabel(const QString &text, QWidget *container)
{
    auto *label = new QLabel(text, container);
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
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icon-%1.png").arg(size));
    return icon;
}

QPixmap indicatorPicture(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1) return QPixmap(QStringLiteral(":/%1.jpg").arg(name));
    QPixmap sharp(QStringLiteral(":/%1@2x.jpg").arg(name));
    sharp.setDevicePixelRatio(2);
    return sharp;
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
    case ControlKind::Label: widget = createLabel(text, container); break;
    case ControlKind::TextBox: widget = new QLineEdit(text, container); break;
    case ControlKind::Button: {
        auto *button = new QPushButton(text, container);
        button->setAutoDefault(true); // Enter on the focused button presses it, as Space does
        widget = button;
        break;
    }
    case ControlKind::Image: widget = createLabel(QString(), container); break;
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

} // namespace app
