#pragma once

#include <optional>

#include "memory/rangedialog.h"

// What the operator chose in Download: radio memories firstRadioMemory to
// lastRadioMemory come into program memories from firstRow on.
struct DownloadRange {
    int firstRadioMemory = 0;
    int lastRadioMemory = 0;
    int firstRow = 0;
};

// "Download": radio memories come into the memory list.
class TDownloadFORM : public RangeDialog {
    Q_OBJECT

public:
    explicit TDownloadFORM(QWidget* parent = nullptr);

    // The range as typed; none while a field holds no whole number.
    std::optional<DownloadRange> range() const;
};
