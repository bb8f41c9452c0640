#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

// A captioned group of radio buttons laid out in columns, at most one checked.
// itemIndex() is -1 while none is.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& caption, const QStringList& items, int columns = 1, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* button(int index) const;

    int itemIndex() const;
    // -1 (or any index outside the items) checks none.
    void setItemIndex(int index);

private:
    QButtonGroup* group_;
    std::vector<QRadioButton*> buttons_;
};
