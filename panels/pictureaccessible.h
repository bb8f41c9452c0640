#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

class PanelPicture;

// The factory QAccessible asks for a panel picture's interface; nullptr for
// anything else.
QAccessibleInterface* panelPictureAccessible(const QString& className, QObject* object);

// A panel picture as assistive technology sees it: a group whose children are the
// places its keys describe (PictureKeys), each with its name, description, screen
// rectangle and, for a key, a Press action.
class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(PanelPicture* picture);
    ~PictureAccessible() override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    PanelPicture* picture() const;

private:
    // The children are made when first asked for and kept by id until the picture goes.
    mutable QHash<int, QAccessible::Id> children_;
};

// One place of a panel picture.
class PictureKeyAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PictureKeyAccessible(PanelPicture* picture, int index);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    int index() const { return index_; }
    PanelPicture* picture() const { return picture_; }

private:
    bool isButton() const;

    QPointer<PanelPicture> picture_;
    int index_;
};
