// SPDX-License-Identifier: MIT
#include "app/figurelabel.h"

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

QAccessibleInterface *accessibleFigure(const QString &className, QObject *object)
{
    if (className != QLatin1String(FigureLabel::staticMetaObject.className()) || !object) return nullptr;
    return new AccessibleFigure(static_cast<FigureLabel *>(object));
}

} // namespace

void installFigureAccessibility()
{
    static const bool installed = (QAccessible::installFactory(accessibleFigure), true);
    Q_UNUSED(installed)
}

} // namespace app
