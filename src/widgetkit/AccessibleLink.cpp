// SPDX-License-Identifier: MIT
// Leans on Qt: QLabel has its accessible interface built, and cached, as soon
// as its text is set, so the factory installed here would never be asked for
// a label that has text before it becomes a link. Dropping the cached
// interface makes the next query ask the factories again. Checked with Qt
// 6.4.2 and 6.8.2 (Debian 12 and 13); tst_accessibility finds the links with
// another role if Qt keeps the interface some other way.
#include "widgetkit/AccessibleLink.h"

#include "widgetkit/LabelClick.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

constexpr char LinkProperty[] = "amorialLink";

class AccessibleLink : public QAccessibleWidget
{
public:
    explicit AccessibleLink(QWidget *label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            if (auto *label = qobject_cast<QLabel *>(widget()))
                return label->text(); // link labels show plain text
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (auto *click = widget()->findChild<LabelClick *>(QString(), Qt::FindDirectChildrenOnly))
            click->click();
    }
};

QAccessibleInterface *linkFactory(const QString &, QObject *object)
{
    if (object && object->isWidgetType() && object->property(LinkProperty).toBool())
        return new AccessibleLink(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

namespace accessibility {

void exposeAsLink(QWidget *label)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(linkFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    label->setProperty(LinkProperty, true);
    // The interface Qt built for the label before it became a link goes.
    QAccessibleInterface *built = QAccessible::queryAccessibleInterface(label);
    if (built && built->role() != QAccessible::Link)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(built));
}

} // namespace accessibility
