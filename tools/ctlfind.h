#pragma once

#include <QByteArray>
#include <QTextStream>
#include <memory>
#include <optional>

#include "civ/framesplitter.h"
#include "tools/ctloptions.h"

class CtlLink;
class QEventLoop;

// tsln-ctl's find: asks addresses on the bus for their frequency, one after the
// other, and prints a line per radio that answers ("50 IC-756 14.195.000 USB").
// It speaks to the link directly, without an engine: an address nobody answers
// is no failure here, only a short wait.
class CtlFind {
public:
    CtlFind(const CtlOptions& options, QTextStream& out, QTextStream& err);
    ~CtlFind();

    // 0 when at least one radio answered, 1 when none did, 2 when the link could
    // not be opened or broke.
    int run();

    // How long an address has to answer one question.
    static constexpr int AnswerMs = 150;

private:
    bool openLink();
    // Asks address the command of body; the radio's answer body, or nullopt.
    std::optional<QByteArray> ask(quint8 address, const QByteArray& body);
    bool probe(quint8 address);
    void received(const quint8* data, qint32 len);

    CtlOptions options_;
    QTextStream& out_;
    QTextStream& err_;
    std::unique_ptr<CtlLink> link_;
    int handle_ = 0;
    FrameSplitter splitter_;
    QEventLoop* loop_ = nullptr;
    quint8 askedAddress_ = 0;
    quint8 askedCommand_ = 0;
    std::optional<QByteArray> answer_;
    bool broken_ = false;
};
