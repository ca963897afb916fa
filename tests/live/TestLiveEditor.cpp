// Live output from the real windows to the real OLA daemon, read back with OLA's own client:
// the fixture's values, a chosen step, a palette entry while it is edited, a blackout, Live off,
// the resend, and what the technician sees when there is no lamp to talk to.
#include "LiveHarness.h"
#include "tests/fixtureedit/EditorHarness.h"

#include "app/EditorWindow.h"
#include "app/MainForm.h"
#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/LiveBar.h"
#include "fixtureedit/StepGrid.h"
#include "ui/LiveSession.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>

using livetest::frameOf;

namespace {

struct LiveHarness {
    LiveHarness()
    {
        writeFile(services.chNameSetPath, nameSetFile());
        window = std::make_unique<MainForm>(services);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->document().replace(*livetest::lampFixture());
    }
    FixtureEdit* fixture() const { return window->fixtureEdit(); }
    template <typename T> T* child(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QString status() const { return child<QLabel>("LiveStatus")->text(); }
    // Alt+V where the focus is, as the technician presses it.
    void toggleLive()
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : fixture(), Qt::Key_V, Qt::AltModifier);
    }

    QTemporaryDir dir;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, dir.filePath(QStringLiteral("ChNameSet.fix"))};
    std::unique_ptr<MainForm> window;
};

const fx::DmxFrame lampValues = frameOf({255, 0x12, 0x34, 0, 7, 0});

} // namespace

class TestLiveEditor : public QObject {
    Q_OBJECT
    livetest::Daemon m_daemon;
    std::unique_ptr<livetest::Reader> m_reader;

private slots:
    void init() { QSettings().remove(QStringLiteral("live")); } // every fixture at 1, 1
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (const QString why = m_daemon.start(); !why.isEmpty())
            QSKIP(qPrintable(why));
        m_reader = std::make_unique<livetest::Reader>();
        QVERIFY(m_reader->start(1));
    }

    void tryOnTheLamp()
    {
        LiveHarness h;
        livetest::Reader& lamp = *m_reader;
        h.toggleLive(); // Alt+V (the box clicks itself a moment later, as a mnemonic does)
        QTRY_VERIFY(h.child<QCheckBox>("LiveBox")->isChecked());
        QVERIFY(lamp.waitFor(lampValues));
        QCOMPARE(h.status(), QStringLiteral("Live on universe 1, slots 1 to 6"));

        h.child<QSpinBox>("LiveAddress")->setValue(100);
        QVERIFY(lamp.waitFor(frameOf({255, 0x12, 0x34, 0, 7, 0}, 100)));
        h.child<QSpinBox>("LiveAddress")->setValue(1);
        QVERIFY(lamp.waitFor(lampValues));

        // Step "Red" (10 to 19) chosen in the steps grid, then the grid left.
        ChannelTraits* traits = h.fixture()->traits();
        traits->selectChannel(3);
        StepGrid* steps = traits->stepGrid();
        steps->setFocus();
        steps->setCurrentIndex(steps->model()->index(1, 1));
        QVERIFY(lamp.waitFor(frameOf({255, 0x12, 0x34, 14, 7, 0})));
        QTest::keyClick(steps, Qt::Key_Up);
        QVERIFY(lamp.waitFor(frameOf({255, 0x12, 0x34, 4, 7, 0})));
        h.child<QLineEdit>("Text1")->setFocus();
        QVERIFY(lamp.waitFor(lampValues));

        // A channel's value edited (the channel grid stores it through the same push).
        ui::Document& document = h.window->document();
        document.push(document.core().setChannelValue(4, 50));
        QVERIFY(lamp.waitFor(frameOf({255, 0x12, 0x34, 0, 50, 0})));

        auto* blackout = h.child<QPushButton>("LiveBlackout");
        blackout->click();
        QVERIFY(lamp.waitFor(fx::DmxFrame{}));
        QVERIFY(h.status().startsWith(QLatin1String("Blackout on universe 1")));
        blackout->click();
        QVERIFY(lamp.waitFor(frameOf({255, 0x12, 0x34, 0, 50, 0})));

        // The palette editor: entry 2 "Warm" chosen, its Colour slider moved, the entry dropped.
        h.fixture()->findChild<QAction*>(QStringLiteral("MnuReturn"))->trigger();
        QWidget* palette = h.window->editor(MainForm::Editor::Palette);
        QVERIFY(palette && palette->isVisible());
        palette->findChild<QPushButton*>(QStringLiteral("Command2_1"))->click();
        QVERIFY(lamp.waitFor(frameOf({255, 0x12, 0x34, 25, 100, 0})));
        palette->findChild<QSlider*>(QStringLiteral("VScroll1_3"))->setValue(40);
        QVERIFY(lamp.waitFor(frameOf({255, 0x12, 0x34, 40, 100, 0})));
        palette->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        QVERIFY(lamp.waitFor(frameOf({255, 0x12, 0x34, 0, 50, 0})));
        h.window->editorWindow(MainForm::Editor::Palette)->close();

        // While nothing changes the frame goes out again every second.
        const int sent = lamp.count();
        QTRY_VERIFY_WITH_TIMEOUT(lamp.count() > sent, 1500);

        // Live off in a blackout: the fixture's values once more, then nothing.
        blackout->click();
        QVERIFY(lamp.waitFor(fx::DmxFrame{}));
        h.toggleLive();
        QVERIFY(lamp.waitFor(frameOf({255, 0x12, 0x34, 0, 50, 0})));
        QVERIFY(!h.child<QCheckBox>("LiveBox")->isChecked());
        QVERIFY(!blackout->isChecked() && !blackout->isEnabled());
        QCOMPARE(h.status(), QStringLiteral("Live is off"));
        const int last = lamp.count();
        QTest::qWait(1200);
        QCOMPARE(lamp.count(), last);
    }

    void targetKeptPerFixture()
    {
        LiveHarness h;
        auto* universe = h.child<QSpinBox>("LiveUniverse");
        auto* address = h.child<QSpinBox>("LiveAddress");
        universe->setValue(7);
        address->setValue(505);
        auto other = livetest::lampFixture();
        other->FixHeader.FixtureName.assign("Other/Spot");
        h.window->document().replace(*other);
        QCOMPARE(universe->value(), 1);
        QCOMPARE(address->value(), 1);
        address->setValue(9);
        h.window->document().replace(*livetest::lampFixture());
        QCOMPARE(universe->value(), 7);
        QCOMPARE(address->value(), 505);
        h.window->document().replace(*other);
        QCOMPARE(address->value(), 9);
    }

    // No output port, a daemon that stops while Live is on, no daemon at all: the status says
    // which, Live turns off, nothing waits, and Retry works once the daemon is back.
    void noLampToTalkTo()
    {
        LiveHarness h;
        auto* live = h.child<QCheckBox>("LiveBox");
        auto* retry = h.child<QPushButton>("LiveRetry");
        h.child<QSpinBox>("LiveUniverse")->setValue(3);
        h.toggleLive();
        QTRY_COMPARE(h.status(), QStringLiteral("Universe 3 has no output port in OLA: patch one "
                                                "in OLA's web page or with ola_patch, then Retry"));
        QVERIFY(!live->isChecked() && retry->isVisible());

        h.child<QSpinBox>("LiveUniverse")->setValue(1);
        h.toggleLive();
        QTRY_VERIFY(h.status().startsWith(QLatin1String("Live on universe 1")));
        QVERIFY(!retry->isVisible());
        m_reader.reset();
        m_daemon.stop();
        QTRY_COMPARE(h.status(),
                     QStringLiteral("The OLA daemon stopped: start it again, then Retry"));
        QVERIFY(!live->isChecked() && retry->isVisible());

        QElapsedTimer clock;
        clock.start();
        retry->click();
        QVERIFY(clock.elapsed() < 50);
        QTRY_COMPARE(h.status(), QStringLiteral("No OLA daemon runs on this computer: start it "
                                                "(olad), then Retry"));
        QVERIFY(!live->isChecked());

        QCOMPARE(m_daemon.start(), QString());
        m_reader = std::make_unique<livetest::Reader>();
        QVERIFY(m_reader->start(1));
        retry->click();
        QVERIFY(live->isChecked());
        QVERIFY(m_reader->waitFor(lampValues));
    }

    // The output's module cannot be loaded: the status says why (a module that is there but
    // broken rather than one missing elsewhere), Live stays off and nothing else breaks.
    void moduleNotLoaded()
    {
        LiveHarness h;
        const QString junk = h.dir.filePath(QStringLiteral("fixture-ola-output.so"));
        writeFile(junk, "not a module");
        ui::LiveSession session(h.window->document(), [&] {
            return live::loadOutputModule({"/nonexistent/fixture-ola-output.so",
                                           QFile::encodeName(junk).toStdString()});
        });
        session.setLive(true);
        QVERIFY(!session.isLive());
        QCOMPARE(session.state(), ui::LiveSession::State::Unavailable);
        QVERIFY2(session.statusText().startsWith(
                     QStringLiteral("Live output is not available: ") + junk + QLatin1Char(':')),
                 qPrintable(session.statusText()));
    }
};

QTEST_MAIN(TestLiveEditor)
#include "TestLiveEditor.moc"
