#pragma once

#include <QImage>
#include <QWidget>

#include "core/event.h"

class PictureKeys;

// The front-panel picture of a graphical panel (`IRadio`). It shows its canvas,
// which the panel composes, and reports mouse presses and releases in picture
// coordinates. Only the changed part is repainted.
//
// The keyboard works it too: it takes the focus (click or Tab), Tab and Shift+Tab
// move a focus ring from place to place (leaving the picture after the last),
// Space or Return presses the place under the ring as a click at its centre does,
// Up and Down turn the tuning knob one step, Page Up and Page Down ten. Assistive
// technology sees each place as a child of the picture.
class PanelPicture : public QWidget {
    Q_OBJECT

public:
    explicit PanelPicture(QWidget* parent = nullptr);

    void setPicture(const QImage& image);
    QImage& canvas() { return image_; }
    const QImage& canvas() const { return image_; }
    // The canvas changed inside area.
    void changed(const QRect& area) { update(area); }

    // The places the keyboard and assistive technology reach; not owned.
    void setKeys(PictureKeys* keys) { keys_ = keys; }
    PictureKeys* keys() const { return keys_; }
    // The place under the focus ring, -1 for none. The ring shows while the picture
    // has the focus from the keyboard.
    int focusedKey() const { return focusedKey_; }
    void setFocusedKey(int index);
    bool focusRingShown() const { return ringShown_ && hasFocus() && focusedKey_ >= 0; }
    // Does what a click at the centre of a place to press does: the same press and
    // release, in that order.
    void pressKey(int index);
    // Tells assistive technology that a place's name or description changed.
    void keyChanged(int index, bool name, bool description);

signals:
    // A place's name or description changed (told to assistive technology too).
    void keyTextChanged(int index, bool name, bool description);

public:
    Event<int, int> OnMouseDown;
    Event<int, int> OnMouseUp;
    // Whole wheel notches turned over (x, y): positive away from the user.
    Event<int, int, int> OnWheel;

    QSize sizeHint() const override { return image_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Tab and Shift+Tab go from place to place before they leave the picture.
    bool focusNextPrevChild(bool next) override;

private:
    int keyCount() const;
    QRect ringArea(int index) const;
    // Tells assistive technology which place has the focus, after the picture's own
    // focus news.
    void tellFocus();

    QImage image_;
    int wheelRest_ = 0;  // eighths of a degree short of a whole notch
    PictureKeys* keys_ = nullptr;
    int focusedKey_ = -1;
    bool ringShown_ = false;
};
