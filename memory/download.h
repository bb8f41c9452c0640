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

    // The radio's memories run from 1 to count; 0 (not known) checks nothing.
    void setRadioMemories(int count) { radioMemories_ = count; }
    int radioMemories() const { return radioMemories_; }

    // Beyond the number check of every range dialog, OK refuses radio memories
    // the radio does not have: a download would otherwise ask for them until
    // cancelled. The dialog then closes with Cancel, as for a field that is no
    // number.
    void done(int result) override;

private:
    int radioMemories_ = 0;
};
