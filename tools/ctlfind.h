#pragma once

#include <QTextStream>
#include <memory>

#include "tools/ctloptions.h"

class CtlLink;

// tsln-ctl's find: the radio finder over the link, printing a line per radio
// that answers ("50 IC-756 14.195.000 USB").
class CtlFind {
public:
    CtlFind(const CtlOptions& options, QTextStream& out, QTextStream& err);
    ~CtlFind();

    // 0 when at least one radio answered, 1 when none did, 2 when the link could
    // not be opened or broke.
    int run();

private:
    bool openLink();

    CtlOptions options_;
    QTextStream& out_;
    QTextStream& err_;
    std::unique_ptr<CtlLink> link_;
};
