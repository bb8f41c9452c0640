#pragma once

#include <optional>

#include "memory/rangedialog.h"

// What the operator chose in Upload: program memories firstRow to lastRow go to
// radio memories from firstRadioMemory on.
struct UploadRange {
    int firstRow = 0;
    int lastRow = 0;
    int firstRadioMemory = 0;
};

// "Upload": a range of the memory list goes to the radio.
class TUploadFORM : public RangeDialog {
    Q_OBJECT

public:
    explicit TUploadFORM(QWidget* parent = nullptr);

    // The range as typed; none while a field holds no whole number.
    std::optional<UploadRange> range() const;
};
