#pragma once

#include <QImage>
#include <QWidget>

#include "core/event.h"

// The front-panel picture of a graphical panel (`IRadio`). It shows its canvas,
// which the panel composes, and reports mouse presses and releases in picture
// coordinates. Only the changed part is repainted.
class PanelPicture : public QWidget {
    Q_OBJECT

public:
    explicit PanelPicture(QWidget* parent = nullptr);

    void setPicture(const QImage& image);
    QImage& canvas() { return image_; }
    const QImage& canvas() const { return image_; }
    // The canvas changed inside area.
    void changed(const QRect& area) { update(area); }

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

private:
    QImage image_;
    int wheelRest_ = 0;  // eighths of a degree short of a whole notch
};
