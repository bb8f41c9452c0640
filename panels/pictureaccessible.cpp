#include "panels/pictureaccessible.h"

#include <QMetaObject>

#include "panels/panelpicture.h"
#include "panels/picturekeys.h"

QAccessibleInterface* panelPictureAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("PanelPicture") && object && object->isWidgetType())
        return new PictureAccessible(static_cast<PanelPicture*>(object));
    return nullptr;
}

// --- the picture ---

PictureAccessible::PictureAccessible(PanelPicture* picture)
    : QAccessibleWidget(picture, QAccessible::Grouping)
{
}

PictureAccessible::~PictureAccessible()
{
    for (QAccessible::Id id : std::as_const(children_))
        QAccessible::deleteAccessibleInterface(id);
}

PanelPicture* PictureAccessible::picture() const { return static_cast<PanelPicture*>(widget()); }

QString PictureAccessible::text(QAccessible::Text t) const
{
    const PictureKeys* keys = picture()->keys();
    if (keys && t == QAccessible::Name)
        return keys->pictureName();
    if (keys && t == QAccessible::Description)
        return keys->pictureDescription();
    return QAccessibleWidget::text(t);
}

int PictureAccessible::childCount() const
{
    const PictureKeys* keys = picture()->keys();
    return keys ? keys->keyCount() : 0;
}

QAccessibleInterface* PictureAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto id = children_.constFind(index); id != children_.cend())
        return QAccessible::accessibleInterface(*id);
    auto* key = new PictureKeyAccessible(picture(), index);
    children_.insert(index, QAccessible::registerAccessibleInterface(key));
    return key;
}

int PictureAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child || child->object() || child->parent() != this)
        return -1;
    return static_cast<const PictureKeyAccessible*>(child)->index();
}

QAccessibleInterface* PictureAccessible::childAt(int x, int y) const
{
    // The keys before the display texts they lie on.
    QAccessibleInterface* text = nullptr;
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface* c = child(i);
        if (!c->rect().contains(x, y))
            continue;
        if (c->role() == QAccessible::PushButton)
            return c;
        if (!text)
            text = c;
    }
    return text;
}

QAccessibleInterface* PictureAccessible::focusChild() const
{
    if (!picture()->hasFocus())
        return nullptr;
    return child(picture()->focusedKey());
}

// --- one place ---

PictureKeyAccessible::PictureKeyAccessible(PanelPicture* picture, int index)
    : picture_(picture), index_(index)
{
}

bool PictureKeyAccessible::isValid() const
{
    return picture_ && picture_->keys() && index_ < picture_->keys()->keyCount();
}

QWindow* PictureKeyAccessible::window() const
{
    QAccessibleInterface* p = parent();
    return p ? p->window() : nullptr;
}

QAccessibleInterface* PictureKeyAccessible::parent() const
{
    return picture_ ? QAccessible::queryAccessibleInterface(picture_.data()) : nullptr;
}

bool PictureKeyAccessible::isButton() const { return isValid() && picture_->keys()->key(index_).button; }

QString PictureKeyAccessible::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    const PictureKey k = picture_->keys()->key(index_);
    switch (t) {
    case QAccessible::Name: return k.name;
    case QAccessible::Description: return k.description;
    default: return {};
    }
}

QRect PictureKeyAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect area = picture_->keys()->key(index_).area;
    return QRect(picture_->mapToGlobal(area.topLeft()), area.size());
}

QAccessible::Role PictureKeyAccessible::role() const
{
    return isButton() ? QAccessible::PushButton : QAccessible::StaticText;
}

QAccessible::State PictureKeyAccessible::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.focusable = true;
    s.focused = picture_->hasFocus() && picture_->focusedKey() == index_;
    s.invisible = !picture_->isVisible();
    s.readOnly = !isButton();
    return s;
}

void* PictureKeyAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface && isButton())
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList PictureKeyAccessible::actionNames() const
{
    return isButton() ? QStringList{pressAction()} : QStringList{};
}

void PictureKeyAccessible::doAction(const QString& actionName)
{
    if (actionName != pressAction() || !isButton())
        return;
    // Pressed after the call returns: a box the key raises must not hold up the
    // assistive technology that asked.
    QPointer<PanelPicture> picture = picture_;
    const int index = index_;
    QMetaObject::invokeMethod(
        picture.data(),
        [picture, index] {
            if (picture)
                picture->pressKey(index);
        },
        Qt::QueuedConnection);
}

QStringList PictureKeyAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction() && isButton())
        return {QStringLiteral("Space")};
    return {};
}
