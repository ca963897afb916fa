#include "ui/LiveSession.h"

#include "core/FixtureDocument.h"
#include "ui/Document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

namespace ui {

namespace {

const QString OffText = QStringLiteral("Live is off");
const QString NoAnswerText =
    QStringLiteral("The OLA daemon does not answer: restart it, then Retry");

// The OLA output's module beside the program (the build tree), else where it is installed.
live::LoadedOutput loadOlaOutput()
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QString file = QString::fromLatin1(live::OlaModuleFile);
    const QString installed = QStringLiteral(FIXTURE_MODULE_FROM_BIN "/") + file;
    return live::loadOutputModule(
        {QFile::encodeName(program.filePath(file)).toStdString(),
         QFile::encodeName(QDir::cleanPath(program.filePath(installed))).toStdString()});
}

} // namespace

LiveSession::LiveSession(Document& document, OutputFactory makeOutput, QObject* parent)
    : QObject(parent), m_document(document), m_makeOutput(std::move(makeOutput)), m_status(OffText)
{
    if (!m_makeOutput)
        m_makeOutput = loadOlaOutput;
    m_resend.setInterval(1000);
    connect(&m_resend, &QTimer::timeout, this, &LiveSession::sendFrame);
    // A daemon that takes the connection but never answers (suspended, stuck).
    m_answer.setInterval(3000);
    m_answer.setSingleShot(true);
    connect(&m_answer, &QTimer::timeout, this, [this] { stopWith(State::NoAnswer, NoAnswerText); });
    connect(&document, &Document::changed, this, &LiveSession::documentChanged);
    loadTarget();
}

LiveSession::~LiveSession()
{
    // The output's thread ends before this object does: no report can arrive after it.
    m_output.reset();
}

fx::LiveFrame LiveSession::frame() const
{
    fx::LiveLook look = m_look;
    if (m_blackout)
        look.kind = fx::LiveLook::Kind::Blackout;
    return fx::ComposeLiveFrame(m_document.record(), m_address, look);
}

void LiveSession::setLive(bool on)
{
    if (on == m_live)
        return;
    m_live = on;
    emit liveChanged(on);
    if (!on) {
        // The lamp is left with the fixture's own values.
        m_look = {};
        clearBlackout();
        sendFrame();
        stopWith(State::Off, OffText);
        return;
    }
    if (!m_output) {
        live::LoadedOutput made = m_makeOutput();
        if (!made.output) {
            stopWith(State::Unavailable, QStringLiteral("Live output is not available: %1")
                                             .arg(QString::fromLocal8Bit(made.error.c_str())));
            return;
        }
        m_output = std::move(made.output);
        m_output->setListener([this](const live::Report& report) {
            // From the output's thread to this one.
            QMetaObject::invokeMethod(
                this, [this, report] { reported(report); }, Qt::QueuedConnection);
        });
    }
    QSettings().setValue(settingsKey(), QStringLiteral("%1/%2").arg(m_universe).arg(m_address));
    open();
}

void LiveSession::open()
{
    setState(State::Connecting,
             QStringLiteral("Asking the OLA daemon for universe %1...").arg(m_universe));
    m_answer.start();
    m_output->open(m_universe);
}

void LiveSession::setTarget(int universe, int address)
{
    if (!fx::liveTargetProblem(universe, address).empty() ||
        (universe == m_universe && address == m_address))
        return;
    const bool otherUniverse = universe != m_universe;
    m_universe = universe;
    m_address = address;
    QSettings().setValue(settingsKey(), QStringLiteral("%1/%2").arg(universe).arg(address));
    emit targetChanged(universe, address);
    if (m_live && otherUniverse) {
        open();
    } else {
        sendFrame();
    }
}

void LiveSession::setBlackout(bool on)
{
    if (on == m_blackout)
        return;
    m_blackout = on;
    emit blackoutChanged(on);
    sendFrame();
}

void LiveSession::showStep(int channel, int step)
{
    m_look = {};
    m_look.kind = fx::LiveLook::Kind::Step;
    m_look.channel = channel;
    m_look.step = step;
    sendFrame();
}

void LiveSession::leaveStep()
{
    if (m_look.kind != fx::LiveLook::Kind::Step)
        return;
    m_look = {};
    sendFrame();
}

void LiveSession::showPaletteEntry(int palette, int entry,
                                   const std::array<std::uint8_t, fx::MaxChannels>& values)
{
    m_look = {};
    m_look.kind = fx::LiveLook::Kind::PaletteEntry;
    m_look.palette = palette;
    m_look.entry = entry;
    m_look.values = values;
    sendFrame();
}

void LiveSession::leavePaletteEntry()
{
    if (m_look.kind != fx::LiveLook::Kind::PaletteEntry)
        return;
    m_look = {};
    sendFrame();
}

void LiveSession::documentChanged(const fx::RecordChange& change)
{
    if (change.reset) {
        // Another fixture: its own universe and address, and nothing of the old one tried.
        m_look = {};
        const int universe = m_universe;
        loadTarget();
        emit targetChanged(m_universe, m_address);
        if (m_live && universe != m_universe) {
            open();
            return;
        }
    }
    sendFrame();
}

void LiveSession::reported(const live::Report& report)
{
    using live::Outcome;
    // An answer about a universe left meanwhile, or for a session already off, says nothing.
    if (!m_live || (report.universe != m_universe && report.outcome != Outcome::DaemonStopped))
        return;
    if (report.outcome != Outcome::Sent)
        m_answer.stop();
    switch (report.outcome) {
    case Outcome::Ready:
        setState(State::Sending, QString());
        m_resend.start();
        sendFrame();
        break;
    case Outcome::Sent: break;
    case Outcome::NoDaemon:
        stopWith(State::NoDaemon,
                 QStringLiteral("No OLA daemon runs on this computer: start it (olad), then "
                                "Retry"));
        break;
    case Outcome::NoOutputPort:
        stopWith(State::NoOutputPort,
                 QStringLiteral("Universe %1 has no output port in OLA: patch one in OLA's web "
                                "page or with ola_patch, then Retry")
                     .arg(report.universe));
        break;
    case Outcome::DaemonStopped:
        stopWith(State::DaemonStopped,
                 QStringLiteral("The OLA daemon stopped: start it again, then Retry"));
        break;
    case Outcome::NoAnswer: stopWith(State::NoAnswer, NoAnswerText); break;
    case Outcome::Failed:
        stopWith(State::Failed, QStringLiteral("The OLA daemon refused the frame (%1): Retry")
                                    .arg(QString::fromStdString(report.detail)));
        break;
    }
}

void LiveSession::sendFrame()
{
    if (!m_output || (m_state != State::Sending))
        return;
    const fx::LiveFrame frame = this->frame();
    m_output->send(m_universe, frame.dmx);
    const QString text = sendingText(frame);
    if (text != m_status)
        setState(State::Sending, text);
}

void LiveSession::stopWith(State state, const QString& status)
{
    m_resend.stop();
    m_answer.stop();
    setState(state, status);
    clearBlackout();
    if (m_live) {
        m_live = false;
        emit liveChanged(false);
    }
}

void LiveSession::clearBlackout()
{
    if (m_blackout) {
        m_blackout = false;
        emit blackoutChanged(false);
    }
}

void LiveSession::setState(State state, const QString& status)
{
    m_state = state;
    m_status = status;
    emit stateChanged(state, status);
}

QString LiveSession::sendingText(const fx::LiveFrame& frame) const
{
    QString text = m_blackout ? QStringLiteral("Blackout on universe %1, slots %2 to %3")
                              : QStringLiteral("Live on universe %1, slots %2 to %3");
    text = text.arg(m_universe).arg(frame.firstSlot).arg(frame.lastSlot);
    // What is being tried, as the technician chose it.
    const fx::FixtureRecord& record = m_document.record();
    if (!m_blackout && m_look.kind == fx::LiveLook::Kind::Step &&
        fx::liveLookProblem(record, m_look).empty()) {
        const auto& step = record.Steps[m_look.channel][m_look.step];
        text += QStringLiteral("; channel %1 at %2 (step %3)")
                    .arg(m_look.channel + 1)
                    .arg((step.FromDmx + step.ToDmx) / 2)
                    .arg(m_look.step + 1);
    } else if (!m_blackout && m_look.kind == fx::LiveLook::Kind::PaletteEntry) {
        text += QStringLiteral("; palette %1, entry %2 as edited")
                    .arg(m_look.palette + 1)
                    .arg(m_look.entry + 1);
    }
    const std::string cut = fx::cutText(record, frame);
    if (!cut.empty())
        text += QStringLiteral("; ") + QString::fromStdString(cut);
    return text;
}

QString LiveSession::settingsKey() const
{
    // One entry per fixture name; the name is encoded so that any character is a plain key.
    const auto& name = m_document.record().FixHeader.FixtureName;
    const QByteArray latin1 = QByteArray::fromStdString(std::string(name.trimmed()));
    return QStringLiteral("live/") + (latin1.isEmpty()
                                          ? QStringLiteral("-")
                                          : QString::fromLatin1(latin1.toPercentEncoding()));
}

void LiveSession::loadTarget()
{
    const QStringList parts = QSettings().value(settingsKey()).toString().split(QLatin1Char('/'));
    const int universe = parts.value(0).toInt();
    const int address = parts.value(1).toInt();
    // A value written by hand that is out of range is no target: the defaults stay.
    if (parts.size() == 2 && fx::liveTargetProblem(universe, address).empty()) {
        m_universe = universe;
        m_address = address;
    } else {
        m_universe = 1;
        m_address = 1;
    }
}

} // namespace ui
