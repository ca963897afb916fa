// Benchmark of the live output (not a test): the time from a slider move in the palette editor
// to the frame read back from the real OLA daemon, over 200 moves.
//
//   live_bench [moves]
//
// It starts its own olad as the tests do (tests/live/LiveHarness.h) and needs the port 9010 free.
// Without a display it runs on Qt's offscreen platform.
#include "live/LiveHarness.h"

#include "app/MainForm.h"
#include "fixtureedit/FixtureEdit.h"
#include "ui/Document.h"
#include "ui/FileAccess.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int moves = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    QStandardPaths::setTestModeEnabled(true); // the Live settings are not the user's

    livetest::Daemon daemon;
    if (const QString why = daemon.start(); !why.isEmpty()) {
        std::fprintf(stderr, "live_bench: %s\n", qPrintable(why));
        return 1;
    }
    livetest::Reader lamp;
    if (!lamp.start(1)) {
        std::fprintf(stderr, "live_bench: the daemon does not answer\n");
        return 1;
    }
    QTemporaryDir dir;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, dir.filePath(QStringLiteral("ChNameSet.fix"))};
    MainForm window(services);
    window.show();
    window.document().replace(*livetest::lampFixture());
    window.fixtureEdit()->findChild<QCheckBox*>(QStringLiteral("LiveBox"))->setChecked(true);
    if (!lamp.waitFor(livetest::frameOf({255, 0x12, 0x34, 0, 7, 0}))) {
        std::fprintf(stderr, "live_bench: Live did not reach the daemon\n");
        return 1;
    }
    window.fixtureEdit()->findChild<QAction*>(QStringLiteral("MnuReturn"))->trigger();
    QWidget* palette = window.editor(MainForm::Editor::Palette);
    palette->findChild<QPushButton*>(QStringLiteral("Command2_0"))->click();
    auto* slider = palette->findChild<QSlider*>(QStringLiteral("VScroll1_3"));

    std::vector<double> ms;
    for (int i = 0; i < moves; ++i) {
        const int value = 1 + (i * 37) % 250; // never the value before
        QElapsedTimer clock;
        clock.start();
        slider->setValue(value);
        while (lamp.frame()[3] != value) {
            if (clock.elapsed() > 2000) {
                std::fprintf(stderr, "live_bench: move %d did not arrive\n", i + 1);
                return 1;
            }
            QThread::usleep(20);
        }
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
        QApplication::processEvents(); // the daemon's answers
    }
    std::sort(ms.begin(), ms.end());
    std::printf("slider move to frame read back from olad, %d moves: median %.2f ms, max %.2f ms\n",
                moves, ms[ms.size() / 2], ms.back());
    return 0;
}
