// Renders the top of the fixture editor with its Live bar while a step is tried on the lamp, for
// the documentation:
//   render_live_bar docs/live-bar.png
// It starts its own OLA daemon as the tests do; without one the bar shows what the editor says
// then.
#include "app/EditorWindow.h"
#include "app/MainForm.h"
#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/LiveBar.h"
#include "fixtureedit/StepGrid.h"
#include "live/LiveHarness.h"
#include "tests/fixtureedit/EditorHarness.h"
#include "ui/Document.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QSpinBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: render_live_bar OUTPUT.png");
        return 2;
    }
    QStandardPaths::setTestModeEnabled(true); // the address below is not kept for the user
    livetest::Daemon daemon;
    if (const QString why = daemon.start(); !why.isEmpty())
        qWarning("no OLA daemon for the picture: %s", qPrintable(why));
    QTemporaryDir dir;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, dir.filePath(QStringLiteral("ChNameSet.fix"))};
    support::writeFile(services.chNameSetPath, nameSetFile());

    MainForm window(services);
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
    FixtureEdit* editor = window.fixtureEdit();
    auto lamp = livetest::lampFixture();
    lamp->FixHeader.FixtureName.assign("Spot 575");
    window.document().replace(*lamp);
    editor->findChild<QSpinBox*>(QStringLiteral("LiveAddress"))->setValue(17);
    editor->findChild<QCheckBox*>(QStringLiteral("LiveBox"))->setChecked(true);
    auto* status = editor->findChild<QLabel*>(QStringLiteral("LiveStatus"));
    if (!QTest::qWaitFor([status] { return !status->text().startsWith(QLatin1String("Asking")); }))
        qWarning("the daemon did not answer");
    editor->traits()->selectChannel(3);
    StepGrid* steps = editor->traits()->stepGrid();
    steps->setFocus();
    steps->setCurrentIndex(steps->model()->index(1, 1));

    const QWidget* frame = window.editorWindow(MainForm::Editor::Fixture);
    window.resize(frame->size() + QSize(2, window.menuBar()->sizeHint().height() + 60));
    QTest::qWait(50);
    // The header, the Live bar below it and the first steps, across the whole editor.
    const QPoint top = editor->mapTo(&window, QPoint(0, 0));
    const QRect row = steps->visualRect(steps->model()->index(2, 0));
    const int bottom = steps->viewport()->mapTo(&window, row.bottomLeft()).y() + 1;
    const QRect area(top.x(), top.y(), editor->width(), bottom - top.y());
    if (!window.grab(area).save(QString::fromLocal8Bit(argv[1])))
        return 1;
    return 0;
}
