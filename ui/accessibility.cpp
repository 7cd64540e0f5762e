#include "accessibility.h"

#include "clickrouter.h"
#include "iconimage.h"
#include "mainwindow.h"
#include "menuentry.h"
#include "pagetexts.h"
#include "picturebox.h"
#include "tables.h"
#include "windowlayout.h"

#include <QAccessibleWidget>

namespace quelvara {

namespace {

MainWindow* windowOf(QWidget* widget) { return qobject_cast<MainWindow*>(widget->window()); }

// A menu entry or a visible arrow: a button whose press does what a click
// does.
class AccessibleControl final : public QAccessibleWidget {
public:
    AccessibleControl(QWidget* control, QString name)
        : QAccessibleWidget(control, QAccessible::Button)
        , m_name(std::move(name))
    {
        addControllingSignal(QStringLiteral("destroyed()"));
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? m_name : QAccessibleWidget::text(kind);
    }

    QAccessibleInterface* parent() const override
    {
        if (MainWindow* window = windowOf(widget()); window && qobject_cast<IconImage*>(widget()))
            return QAccessible::queryAccessibleInterface(window->pageArea()->view());
        return QAccessibleWidget::parent();
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString& action) override
    {
        if (action != pressAction() || !widget()->isVisible())
            return;
        if (MainWindow* window = windowOf(widget()))
            window->findChild<ClickRouter*>()->activate(widget());
    }

private:
    QString m_name;
};

// The page area: named after the page shown; the page's text is its
// description; the arrows on it are its children.
class AccessiblePage final : public QAccessibleWidget {
public:
    explicit AccessiblePage(PictureView* view)
        : QAccessibleWidget(view, QAccessible::Graphic)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const MainWindow* window = windowOf(widget());
        const std::optional<PageId> page = window ? window->controller().state().page : std::nullopt;
        switch (kind) {
        case QAccessible::Name:
            return page ? pageTextOf(*page).title : QStringLiteral("Prázdna strana");
        case QAccessible::Description:
            return page ? pageTextOf(*page).spoken : QString();
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(widget()->window()); }

    int childCount() const override { return int(visibleArrows().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> arrows = visibleArrows();
        return index >= 0 && index < arrows.size() ? QAccessible::queryAccessibleInterface(arrows[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(visibleArrows().indexOf(child->object())) : -1;
    }

private:
    // Hidden arrows are not there, for a screen reader as for the mouse.
    QList<QWidget*> visibleArrows() const
    {
        QList<QWidget*> arrows;
        const MainWindow* window = windowOf(widget());
        if (!window)
            return arrows;
        for (ArrowId arrow : AllArrows) {
            if (window->arrow(arrow)->isVisible())
                arrows.append(window->arrow(arrow));
        }
        return arrows;
    }
};

// The window: the page area, then the entries from the top of the menu
// column down.
class AccessibleWindow final : public QAccessibleWidget {
public:
    explicit AccessibleWindow(MainWindow* window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> all = children();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(children().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> children() const
    {
        const auto* window = static_cast<MainWindow*>(widget());
        QList<QWidget*> all { window->pageArea()->view() };
        for (const layout::EntryRow& row : layout::Entries)
            all.append(window->entry(row.entry));
        return all;
    }
};

QString controlName(QWidget* widget)
{
    if (const auto* entry = qobject_cast<MenuEntry*>(widget))
        return entry->caption();
    const auto arrow = arrowNamed(widget->objectName().toStdString());
    if (!arrow)
        return QString();
    return sideOf(*arrow) == Side::Right ? QStringLiteral("Ďalej") : QStringLiteral("Späť");
}

QAccessibleInterface* accessibleFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !windowOf(widget))
        return nullptr;
    if (auto* window = qobject_cast<MainWindow*>(widget))
        return new AccessibleWindow(window);
    MainWindow* window = windowOf(widget);
    if (widget == window->pageArea()->view())
        return new AccessiblePage(window->pageArea()->view());
    if (qobject_cast<MenuEntry*>(widget) || (qobject_cast<IconImage*>(widget) && !controlName(widget).isEmpty()))
        return new AccessibleControl(widget, controlName(widget));
    return nullptr;
}

} // namespace

void installAccessibility() { QAccessible::installFactory(accessibleFactory); }

} // namespace quelvara
