#pragma once

// What the live output tests and the benchmark share: a small lamp fixture, the real OLA daemon
// started for the run, and a client of its own that reads back what reached a universe.

#include "SampleFixtures.h"
#include "core/DmxFrame.h"

#include <ola/Callback.h>
#include <ola/DmxBuffer.h>
#include <ola/Logging.h>
#include <ola/client/ClientWrapper.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <future>
#include <mutex>
#include <thread>

namespace livetest {

// Dimmer 255; a 16-bit pan pair 0x12 0x34; "Colour" 0 with steps White 0-9, Red 10-19, Blue
// 20-29; Shutter 7; Gobo 0. Palette 1 "Colour" selects channels 4 and 5: entry 1 "Red" (15, 200),
// entry 2 "Warm" (25, 100).
inline std::unique_ptr<fx::FixtureRecord> lampFixture()
{
    auto r = samples::newFixture(6);
    r->FixHeader.FixtureName.assign("Lamp");
    samples::setChannel(r->Channels[0], "Dimmer", fx::TypeHtp, 0, 255);
    samples::setChannel(r->Channels[1], "Pan", fx::TypeFadeable16H, 3, 0x12);
    samples::setChannel(r->Channels[2], "Pan fine", fx::TypeFadeable16L, 2, 0x34);
    samples::setChannel(r->Channels[3], "Colour", fx::TypeInstantLtp, 0, 0);
    samples::setChannel(r->Channels[4], "Shutter", fx::TypeLtp, 0, 7);
    samples::setChannel(r->Channels[5], "Gobo", fx::TypeLtp, 0, 0);
    const char* steps[] = {"White", "Red", "Blue"};
    r->StepCount[3] = 3;
    for (int s = 0; s < 3; ++s)
        r->Steps[3][s] = {std::uint8_t(10 * s), std::uint8_t(10 * s + 9), {}};
    for (int s = 0; s < 3; ++s)
        r->Steps[3][s].StepName.assign(steps[s]);
    r->PalChannels = 6;
    r->PalUsed[0] = 1;
    r->PalName[0].assign("Colour");
    r->PalChannelUsed[0][3] = r->PalChannelUsed[0][4] = 1;
    r->PalEntryName[0][0].assign("Red");
    r->PalEntryName[0][1].assign("Warm");
    r->PalEntrySize[0][0] = r->PalEntrySize[0][1] = 2;
    r->PalValue[0][0][3] = 15;
    r->PalValue[0][0][4] = 200;
    r->PalValue[0][1][3] = 25;
    r->PalValue[0][1][4] = 100;
    return r;
}

// 512 zeros with values from slot 1 on.
inline fx::DmxFrame frameOf(std::initializer_list<int> values, int address = 1)
{
    fx::DmxFrame frame{};
    int slot = address - 1;
    for (int v : values)
        frame[std::size_t(slot++)] = std::uint8_t(v);
    return frame;
}

inline bool rpcPortOpen()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(9010);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool open = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return open;
}

// A client of the daemon on its own thread: registered for one universe, it keeps the last frame
// that reached it and how many came.
class Reader {
public:
    Reader() { ola::SetLogLevel(ola::OLA_LOG_NONE); }
    ~Reader()
    {
        if (m_thread.joinable()) {
            auto* ss = m_client.GetSelectServer();
            ss->Execute(ola::NewSingleCallback(ss, &ola::io::SelectServer::Terminate));
            m_thread.join();
        }
    }

    // Connects and registers for universe; false when no daemon answers.
    bool start(unsigned universe)
    {
        if (!m_client.Setup())
            return false;
        std::promise<bool> registered;
        m_client.GetClient()->SetDMXCallback(ola::NewCallback(this, &Reader::arrived));
        m_client.GetClient()->RegisterUniverse(universe, ola::client::REGISTER,
                                               ola::NewSingleCallback(&Reader::done, &registered));
        m_thread = std::thread([this] { m_client.GetSelectServer()->Run(); });
        auto result = registered.get_future();
        return result.wait_for(std::chrono::seconds(3)) == std::future_status::ready &&
               result.get();
    }

    bool hasOutputPort(unsigned universe)
    {
        std::promise<bool> answer;
        m_client.GetSelectServer()->Execute(
            ola::NewSingleCallback(this, &Reader::fetchInfo, universe, &answer));
        auto result = answer.get_future();
        return result.wait_for(std::chrono::seconds(3)) == std::future_status::ready &&
               result.get();
    }

    fx::DmxFrame frame() const
    {
        const std::lock_guard lock(m_mutex);
        return m_frame;
    }
    int count() const
    {
        const std::lock_guard lock(m_mutex);
        return m_count;
    }
    // Waits (taking Qt's events meanwhile) until the frame read back equals expected.
    bool waitFor(const fx::DmxFrame& expected, int ms = 3000) const
    {
        QDeadlineTimer deadline(ms);
        while (frame() != expected) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(1);
        }
        return true;
    }

private:
    static void done(std::promise<bool>* promise, const ola::client::Result& result)
    {
        promise->set_value(result.Success());
    }
    static void info(std::promise<bool>* promise, const ola::client::Result& result,
                     const ola::client::OlaUniverse& universe)
    {
        promise->set_value(result.Success() && universe.OutputPortCount() > 0);
    }
    void fetchInfo(unsigned universe, std::promise<bool>* promise)
    {
        m_client.GetClient()->FetchUniverseInfo(universe,
                                                ola::NewSingleCallback(&Reader::info, promise));
    }
    void arrived(const ola::client::DMXMetadata&, const ola::DmxBuffer& buffer)
    {
        const std::lock_guard lock(m_mutex);
        m_frame.fill(0);
        unsigned length = fx::DmxSlots;
        buffer.GetRange(0, m_frame.data(), &length);
        ++m_count;
    }

    ola::client::OlaClientWrapper m_client{false};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    fx::DmxFrame m_frame{};
    int m_count = 0;
};

// The real olad for one test run: a temporary configuration in which every plugin but the dummy
// is off and the dummy device's output port is patched to universe 1. olad refuses to run as
// root, so root starts it as the olad user the package makes. Stopped by its process id.
class Daemon {
public:
    ~Daemon() { stop(); }

    // Empty when the daemon runs with universe 1 patched; else why the tests cannot have one.
    QString start()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("olad")).isEmpty())
            return QStringLiteral("olad is not installed (scripts/setup-deps.sh installs ola)");
        if (rpcPortOpen())
            return QStringLiteral("another OLA daemon already listens on 127.0.0.1:9010");
        const QString dir = m_config.path();
        const char* plugins[] = {"artnet", "e131",       "espnet",  "ftdidmx", "gpio",
                                 "karate", "kinet",      "milinst", "opendmx", "openpixelcontrol",
                                 "osc",    "pathport",   "renard",  "sandnet", "shownet",
                                 "spi",    "stageprofi", "uartdmx", "usbdmx",  "usbserial"};
        for (const char* plugin : plugins)
            write(QStringLiteral("ola-%1.conf").arg(QLatin1String(plugin)), "enabled = false\n");
        write(QStringLiteral("ola-dummy.conf"), "enabled = true\n");
        write(QStringLiteral("ola-port.conf"), "1-1-O-0 = 1\n");
        // The olad user writes its preferences back into the folder when it stops.
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                       QFileDevice::WriteOther | QFileDevice::ExeOther);
        QStringList arguments = {QStringLiteral("-c"), dir, QStringLiteral("--no-http"),
                                 QStringLiteral("--no-register-with-dns-sd")};
        QString program = QStringLiteral("olad");
        if (::geteuid() == 0) {
            arguments =
                QStringList{QStringLiteral("--reuid=olad"), QStringLiteral("--regid=nogroup"),
                            QStringLiteral("--clear-groups"), program} +
                arguments;
            program = QStringLiteral("setpriv");
        }
        m_process.setStandardOutputFile(dir + QStringLiteral("/olad.log"));
        m_process.setStandardErrorFile(dir + QStringLiteral("/olad.log"), QIODevice::Append);
        m_process.start(program, arguments);
        if (!m_process.waitForStarted(5000))
            return QStringLiteral("olad did not start: ") + m_process.errorString();
        QDeadlineTimer deadline(10000);
        while (!rpcPortOpen()) {
            if (m_process.state() != QProcess::Running || deadline.hasExpired())
                return QStringLiteral("olad did not open 127.0.0.1:9010: ") + log();
            QThread::msleep(10);
        }
        Reader probe;
        if (!probe.start(1))
            return QStringLiteral("olad does not answer: ") + log();
        while (!probe.hasOutputPort(1)) {
            if (deadline.hasExpired())
                return QStringLiteral("olad has no output port on universe 1: ") + log();
            QThread::msleep(10);
        }
        return {};
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(5000)) {
            ::kill(pid_t(m_process.processId()), SIGKILL);
            m_process.waitForFinished(2000);
        }
        // The port is free again before the next start.
        QDeadlineTimer deadline(3000);
        while (rpcPortOpen() && !deadline.hasExpired())
            QThread::msleep(10);
    }

    QString log() const
    {
        QFile file(m_config.path() + QStringLiteral("/olad.log"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll().right(600))
                                              : QString();
    }

private:
    void write(const QString& name, const char* text)
    {
        QFile file(m_config.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
        file.setPermissions(file.permissions() | QFileDevice::ReadOther | QFileDevice::WriteOther);
    }

    QTemporaryDir m_config;
    QProcess m_process;
};

} // namespace livetest
