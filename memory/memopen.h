#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QLineEdit;

// "Reading Memory": counts the lines while a memory file loads.
class TMemOpenFORM : public QWidget {
    Q_OBJECT

public:
    explicit TMemOpenFORM(QWidget* parent = nullptr);

    // Shows the window with the count at 0, painted at once.
    void Start();
    // The number of the line being read. Painting every line would cost more than
    // the reading, so the count is painted at most every 40 ms unless forced.
    void SetCount(int line, bool force = false);
    void Finish();

private:
    QLineEdit* count_;
    QElapsedTimer sincePaint_;
};
