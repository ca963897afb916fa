#pragma once

#include "core/DmxFrame.h"
#include "live/DmxOutput.h"
#include "live/OutputModule.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace fx {
struct RecordChange;
}

namespace ui {

class Document;

// Live output while editing: the fixture's frame goes to a DMX universe at a start address on
// every change of the fixture and of what is being tried (a step, a palette entry, a blackout),
// and again every second while Live is on (network outputs drop a source that falls silent).
// Nothing here waits for the daemon: its answers come back as reports and turn into the state
// and status text. Universe and address are kept in QSettings per fixture name.
class LiveSession : public QObject {
    Q_OBJECT
public:
    enum class State {
        Off,
        Connecting,
        Sending,
        NoDaemon,
        NoOutputPort,
        DaemonStopped,
        NoAnswer,
        Failed,
        Unavailable // the output could not be made (its module did not load)
    };
    using OutputFactory = std::function<live::LoadedOutput()>;

    // The output is made on the first use: the OLA daemon's, from its module beside the program
    // or in the installed module folder, unless makeOutput says otherwise.
    explicit LiveSession(Document& document, OutputFactory makeOutput = {},
                         QObject* parent = nullptr);
    ~LiveSession() override;

    bool isLive() const { return m_live; }
    State state() const { return m_state; }
    QString statusText() const { return m_status; }
    int universe() const { return m_universe; }
    int address() const { return m_address; }
    bool blackout() const { return m_blackout; }
    // The frame the lamp gets now (with what is being tried), also while Live is off.
    fx::LiveFrame frame() const;

    // Live on connects to the daemon and checks the universe first; off sends the fixture's
    // values once more and stops.
    void setLive(bool on);
    // Both in range (the boxes allow no other); kept for the fixture's name.
    void setTarget(int universe, int address);
    void setBlackout(bool on);
    // What is being tried: a step's middle value on its channel, a palette entry's values on the
    // palette's selected channels; leaving one puts the fixture's values back.
    void showStep(int channel, int step);
    void leaveStep();
    void showPaletteEntry(int palette, int entry,
                          const std::array<std::uint8_t, fx::MaxChannels>& values);
    void leavePaletteEntry();

signals:
    void stateChanged(ui::LiveSession::State state, const QString& status);
    void liveChanged(bool live);
    void targetChanged(int universe, int address);
    void blackoutChanged(bool on);

private:
    void documentChanged(const fx::RecordChange& change);
    void reported(const live::Report& report);
    void sendFrame();
    void open(); // asks the daemon for the universe, for at most AnswerTime
    void stopWith(State state, const QString& status);
    void clearBlackout(); // without a frame of its own
    void setState(State state, const QString& status);
    QString sendingText(const fx::LiveFrame& frame) const;
    QString settingsKey() const;
    void loadTarget();

    Document& m_document;
    OutputFactory m_makeOutput;
    std::unique_ptr<live::DmxOutput> m_output;
    QTimer m_resend;
    QTimer m_answer; // the daemon's answer to open
    fx::LiveLook m_look;
    bool m_live = false;
    bool m_blackout = false;
    int m_universe = 1;
    int m_address = 1;
    State m_state = State::Off;
    QString m_status;
};

} // namespace ui
