// Pop-up menus of named items over QMenu.
#include "platform/controls.h"
#include "platform/controls_internal.h"
#include "platform/seam.h"

#include <QAction>
#include <QMenu>

namespace platform {

namespace {

MenuItem* findIn(const QList<MenuItem*>& items, const QString& name)
{
    for (MenuItem* item : items) {
        if (item->objectName() == name)
            return item;
        if (MenuItem* found = item->find(name))
            return found;
    }
    return nullptr;
}

// Items of a menu or sub-menu: each owned by owner and shown in menu.
MenuItem* appendItem(QList<MenuItem*>& items, QObject* owner, QWidget* menuParent, QMenu* menu, const QString& name,
                     const QString& caption)
{
    auto* item = new MenuItem(menuParent, name, caption, false);
    item->setParent(owner);
    items.append(item);
    menu->addAction(item->action());
    return item;
}

MenuItem* itemAt(const QList<MenuItem*>& items, int i)
{
    return i >= 0 && i < items.size() ? items[i] : nullptr;
}

void deleteItems(QList<MenuItem*>& items)
{
    const QList<MenuItem*> old = items;
    items.clear();
    qDeleteAll(old);
}

} // namespace

MenuItem::MenuItem(QWidget* menuParent, const QString& name, const QString& caption, bool separator)
    : menuParent_(menuParent), separator_(separator || caption == QLatin1String("-"))
{
    setObjectName(name);
    // A separator keeps "-" as its caption but shows only its line.
    caption_ = caption;
    action_ = new QAction(separator_ ? QString() : caption, this);
    action_->setSeparator(separator_);
    QObject::connect(action_, &QAction::triggered, this, [this] { click(); });
}

MenuItem::~MenuItem()
{
    clear();
    delete submenu_;
}

QString MenuItem::caption() const { return separator_ ? caption_ : action_->text(); }

void MenuItem::setCaption(const QString& text)
{
    caption_ = text;
    if (!separator_)
        action_->setText(text);
}
bool MenuItem::visible() const { return action_->isVisible(); }
void MenuItem::setVisible(bool v) { action_->setVisible(v); }
bool MenuItem::enabled() const { return action_->isEnabled(); }
void MenuItem::setEnabled(bool v) { action_->setEnabled(v); }
bool MenuItem::checked() const { return action_->isChecked(); }

void MenuItem::setChecked(bool v)
{
    action_->setCheckable(true);
    action_->setChecked(v);
}

QString MenuItem::hint() const { return action_->toolTip(); }
void MenuItem::setHint(const QString& text) { action_->setToolTip(text); }

MenuItem* MenuItem::add(const QString& name, const QString& caption)
{
    if (!submenu_) {
        submenu_ = new QMenu(menuParent_);
        action_->setMenu(submenu_.data());
    }
    return appendItem(items_, this, menuParent_, submenu_.data(), name, caption);
}

MenuItem* MenuItem::addSeparator(const QString& name) { return add(name, QStringLiteral("-")); }
MenuItem* MenuItem::item(int i) const { return itemAt(items_, i); }
MenuItem* MenuItem::find(const QString& name) const { return findIn(items_, name); }
void MenuItem::clear() { deleteItems(items_); }

void MenuItem::click()
{
    if (onClick && !separator_)
        callHandler(onClick);
}

// ---------------------------------------------------------------------------

PopupMenu::PopupMenu(QWidget* parent, const QString& name) : QObject(parent)
{
    setObjectName(name);
    menu_ = new QMenu(parent);
}

PopupMenu::~PopupMenu()
{
    clear();
    delete menu_;
}

MenuItem* PopupMenu::add(const QString& name, const QString& caption)
{
    return appendItem(items_, this, menu_->parentWidget(), menu_, name, caption);
}

MenuItem* PopupMenu::addSeparator(const QString& name) { return add(name, QStringLiteral("-")); }
MenuItem* PopupMenu::item(int i) const { return itemAt(items_, i); }
MenuItem* PopupMenu::find(const QString& name) const { return findIn(items_, name); }
void PopupMenu::clear() { deleteItems(items_); }

void PopupMenu::popup(const QPoint& screenPoint)
{
    ++popupCount_;
    lastPopupPoint_ = screenPoint;
    if (onPopup)
        onPopup();
    if (menu_ && !testMode())
        menu_->popup(screenPoint);
}

bool PopupMenu::isOpen() const { return menu_ && menu_->isVisible(); }

void PopupMenu::close()
{
    if (menu_)
        menu_->close();
}

} // namespace platform
