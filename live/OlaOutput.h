#pragma once

#include "live/DmxOutput.h"

#include <memory>

namespace live {

// DmxOutput over the client library of OLA (Open Lighting Architecture): it talks to the olad
// daemon on this computer (127.0.0.1:9010) and never starts one. The connection and every
// request run on a thread of their own, so no call waits for the daemon.
class OlaOutput final : public DmxOutput {
public:
    OlaOutput();
    ~OlaOutput() override;

    void setListener(Listener listener) override;
    void open(int universe) override;
    void send(int universe, const fx::DmxFrame& frame) override;

private:
    struct Connection;
    Listener m_listener;
    std::unique_ptr<Connection> m_connection;
};

} // namespace live
