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

} // namespace

MenuItem::MenuItem(QWidget* menuParent, const QString& name, const QString& caption, bool separator)
    : menuParent_(menuParent), separator_(separator || caption == QLatin1String("-"))
{
    setObjectName(name);
    action_ = new QAction(caption, this);
    action_->setSeparator(separator_);
    QObject::connect(action_, &QAction::triggered, this, [this] { click(); });
}

MenuItem::~MenuItem()
{
    clear();
    delete submenu_;
}

QString MenuItem::caption() const { return action_->text(); }
void MenuItem::setCaption(const QString& text) { action_->setText(text); }
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
    auto* item = new MenuItem(menuParent_, name, caption, false);
    item->setParent(this);
    items_.append(item);
    submenu_->addAction(item->action());
    return item;
}

MenuItem* MenuItem::addSeparator(const QString& name) { return add(name, QStringLiteral("-")); }

MenuItem* MenuItem::item(int i) const { return i >= 0 && i < items_.size() ? items_[i] : nullptr; }

MenuItem* MenuItem::find(const QString& name) const { return findIn(items_, name); }

void MenuItem::clear()
{
    const QList<MenuItem*> old = items_;
    items_.clear();
    qDeleteAll(old);
}

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
    auto* item = new MenuItem(menu_->parentWidget(), name, caption, false);
    item->setParent(this);
    items_.append(item);
    menu_->addAction(item->action());
    return item;
}

MenuItem* PopupMenu::addSeparator(const QString& name) { return add(name, QStringLiteral("-")); }

MenuItem* PopupMenu::item(int i) const { return i >= 0 && i < items_.size() ? items_[i] : nullptr; }

MenuItem* PopupMenu::find(const QString& name) const { return findIn(items_, name); }

void PopupMenu::clear()
{
    const QList<MenuItem*> old = items_;
    items_.clear();
    qDeleteAll(old);
}

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
