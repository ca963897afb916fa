#include "live/OlaOutput.h"

#include <ola/Callback.h>
#include <ola/DmxBuffer.h>
#include <ola/Logging.h>
#include <ola/client/ClientWrapper.h>
#include <ola/client/OlaClient.h>

#include <atomic>
#include <thread>

namespace live {

namespace {

// A task for the connection's thread, owned by the callback that runs it.
using Task = std::function<void()>;

// About two seconds of frames at the pace of a slider dragged.
constexpr int MaxUnanswered = 100;

} // namespace

// One connection to the daemon with the thread that runs it. A connection that failed or was
// closed by the daemon stays dead; the next open makes a new one.
struct OlaOutput::Connection {
    explicit Connection(Listener listener, int universe)
        : m_listener(std::move(listener)), m_thread([this, universe] { run(universe); })
    {
    }

    ~Connection()
    {
        // The loop ends through itself (Terminate queued on its thread), whether or not it has
        // started yet; a thread that never got a connection has already returned.
        m_loop.GetSelectServer()->Execute(
            ola::NewSingleCallback(m_loop.GetSelectServer(), &ola::io::SelectServer::Terminate));
        m_thread.join();
        m_dead = true; // tasks still queued are dropped when the loop is destroyed
    }

    bool dead() const { return m_dead; }
    // Frames handed to the daemon that it has not answered yet.
    int unanswered() const { return m_unanswered; }

    // Runs task on the connection's thread.
    void post(Task task)
    {
        m_loop.GetSelectServer()->Execute(
            ola::NewSingleCallback(&Connection::runTask, this, new Task(std::move(task))));
    }

    void checkUniverse(int universe)
    {
        m_loop.GetClient()->FetchUniverseInfo(
            static_cast<unsigned>(universe),
            ola::NewSingleCallback(this, &Connection::universeInfo, universe));
    }

    void send(int universe, const fx::DmxFrame& frame)
    {
        ++m_unanswered;
        const ola::DmxBuffer buffer(frame.data(), static_cast<unsigned>(frame.size()));
        m_loop.GetClient()->SendDMX(
            static_cast<unsigned>(universe), buffer,
            ola::client::SendDMXArgs(ola::NewSingleCallback(this, &Connection::sent, universe)));
    }

private:
    static void runTask(Connection* connection, Task* task)
    {
        const std::unique_ptr<Task> owned(task);
        if (!connection->m_dead)
            (*owned)();
    }

    void run(int universe)
    {
        // Connecting to the loopback address is refused at once when no daemon listens.
        if (!m_loop.Setup()) {
            m_dead = true;
            report({Outcome::NoDaemon, universe, {}});
            return;
        }
        m_loop.SetCloseCallback(ola::NewCallback(this, &Connection::closed));
        checkUniverse(universe);
        m_loop.GetSelectServer()->Run();
        m_dead = true;
    }

    void universeInfo(int universe, const ola::client::Result& result,
                      const ola::client::OlaUniverse& info)
    {
        const bool ready = result.Success() && info.OutputPortCount() > 0;
        report({ready ? Outcome::Ready : Outcome::NoOutputPort, universe, {}});
    }

    void sent(int universe, const ola::client::Result& result)
    {
        --m_unanswered;
        if (result.Success())
            report({Outcome::Sent, universe, {}});
        else if (result.Error() == "Universe doesn't exist")
            report({Outcome::NoOutputPort, universe, result.Error()});
        else
            report({Outcome::Failed, universe, result.Error()});
    }

    void closed()
    {
        m_dead = true;
        report({Outcome::DaemonStopped, 0, {}});
        m_loop.GetSelectServer()->Terminate();
    }

    void report(const Report& r) const
    {
        if (m_listener)
            m_listener(r);
    }

    Listener m_listener;
    ola::client::OlaClientWrapper m_loop{false}; // auto_start false: never starts a daemon
    std::atomic<bool> m_dead{false};
    std::atomic<int> m_unanswered{0};
    std::thread m_thread; // last: starts when everything it uses is there
};

OlaOutput::OlaOutput()
{
    // The client library would write its own lines (a refused connection) to standard error;
    // the reports say what happened instead.
    ola::SetLogLevel(ola::OLA_LOG_NONE);
}

OlaOutput::~OlaOutput() = default;

void OlaOutput::setListener(Listener listener)
{
    m_listener = std::move(listener);
}

void OlaOutput::open(int universe)
{
    if (m_connection && !m_connection->dead()) {
        Connection* connection = m_connection.get();
        connection->post([connection, universe] { connection->checkUniverse(universe); });
        return;
    }
    m_connection.reset(); // a dead connection's thread has returned: no wait
    m_connection = std::make_unique<Connection>(m_listener, universe);
}

void OlaOutput::send(int universe, const fx::DmxFrame& frame)
{
    if (!m_connection || m_connection->dead())
        return;
    // A daemon that stopped answering (suspended, stuck) is not fed without end: its socket
    // would fill and the connection's thread wait on it.
    if (m_connection->unanswered() >= MaxUnanswered) {
        if (m_listener)
            m_listener({Outcome::NoAnswer, universe, {}});
        return;
    }
    Connection* connection = m_connection.get();
    connection->post([connection, universe, frame] { connection->send(universe, frame); });
}

} // namespace live
