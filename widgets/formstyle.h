#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// The form colours the device windows and dialogs are designed with.
namespace FormColor {
inline const QColor Teal{0x00, 0x80, 0x80};
inline const QColor Maroon{0x80, 0x00, 0x00};
inline const QColor Aqua{0x00, 0xFF, 0xFF};
inline const QColor Green{0x00, 0x80, 0x00};
inline const QColor Yellow{0xFF, 0xFF, 0x00};
inline const QColor Blue{0x00, 0x00, 0xFF};
}  // namespace FormColor

inline void setBackgroundColor(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

inline void setTextColor(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    w->setPalette(p);
}

// Entry fields: the colour behind the text, and the text's.
inline void setEditColors(QWidget* w, const QColor& base, const QColor& text)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::Text, text);
    w->setPalette(p);
}
