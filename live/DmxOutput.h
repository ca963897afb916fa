#pragma once

#include "core/DmxFrame.h"

#include <functional>
#include <string>

namespace live {

// What the daemon behind an output said.
enum class Outcome {
    Ready,         // open: the universe has an output port
    Sent,          // send: the daemon took the frame
    NoDaemon,      // nothing listens where the daemon should
    NoOutputPort,  // the universe has no output port (or does not exist)
    DaemonStopped, // the connection closed while it was in use
    NoAnswer,      // the daemon has left too many frames unanswered
    Failed,        // the daemon refused for another reason (detail)
};

struct Report {
    Outcome outcome = Outcome::Ready;
    int universe = 0;
    std::string detail; // the daemon's own words, for Failed
};

// A way to the lamps: frames of 512 slots to a universe of a DMX daemon. Every call returns at
// once; what came of it arrives later as a report to the listener, on the output's own thread.
class DmxOutput {
public:
    using Listener = std::function<void(const Report&)>;

    virtual ~DmxOutput() = default;
    // Set once, before the first open.
    virtual void setListener(Listener listener) = 0;
    // Connects when there is no connection yet (or it was lost) and checks that the universe
    // has an output port: Ready, NoDaemon or NoOutputPort.
    virtual void open(int universe) = 0;
    // One frame to the universe: Sent, NoOutputPort or Failed; nothing while not connected.
    virtual void send(int universe, const fx::DmxFrame& frame) = 0;
};

} // namespace live
