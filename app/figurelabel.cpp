// SPDX-License-Identifier: MIT
#include "app/figurelabel.h"

#include "present/wording.h"

#include <QAccessibleWidget>

namespace app {

namespace {

class AccessibleFigure : public QAccessibleWidget
{
public:
    explicit AccessibleFigure(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::StaticText)
    {}

    QString text(QAccessible::Text kind) const override
    {
        // Qt names an empty label after its frame's caption, which a screen reader would read as
        // if it were the figure.
        if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
        const auto *label = static_cast<const QLabel *>(widget());
        return label->accessibleName().isEmpty() ? label->text() : label->accessibleName();
    }
};

// The program's own top-level windows: the main window, the login window and the board.
constexpr const char *windowClasses[] = {"app::Form1", "app::Form2", "app::Board"};

QAccessibleInterface *accessibleFigure(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType()) return nullptr;
    if (className == QLatin1String(FigureLabel::staticMetaObject.className()))
        return new AccessibleFigure(static_cast<FigureLabel *>(object));
    for (const char *window : windowClasses) {
        if (className == QLatin1String(window) && static_cast<QWidget *>(object)->isWindow())
            return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    }
    return nullptr;
}

// What a figure of this role is, after the dimension's name; none for the roles that hold no
// figure.
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

} // namespace

void installAccessibility()
{
    static const bool installed = (QAccessible::installFactory(accessibleFigure), true);
    Q_UNUSED(installed)
}

QString figureDescription(Role role, int dimension)
{
    return present::dimensionName(dimension) + QLatin1Char(' ') + figureName(role);
}

void tellHeadroom(QLabel *turnRedLabel, int dimension, std::optional<long long> oneStarRatings)
{
    tellOnTurnRed(turnRedLabel, dimension, oneStarRatings ? present::headroomText(*oneStarRatings) : QString());
}

void tellOnTurnRed(QLabel *turnRedLabel, int dimension, const QString &told)
{
    turnRedLabel->setToolTip(told);
    turnRedLabel->setAccessibleDescription(figureDescription(Role::TurnRed, dimension)
                                           + (told.isEmpty() ? QString() : QStringLiteral("，") + told));
}

void describeFigures(QWidget *window, const QList<ControlEntry> &controls)
{
    for (const ControlEntry &entry : controls) {
        if (!figureName(entry.role).isEmpty())
            window->findChild<QWidget *>(QLatin1String(entry.name))
                ->setAccessibleDescription(figureDescription(entry.role, entry.dimension));
    }
}

} // namespace app
