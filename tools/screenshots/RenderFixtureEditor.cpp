// Renders the main window with the fixture editor holding a moving light of 12 channels, for the
// documentation:
//   render_fixture_editor docs/fixture-editor.png [editing]
// With "editing" the name cell of channel 5 is open with a name being typed; with "overfull" two
// channels hold more steps than the file can (the red "will not be saved"); with "clipboard"
// three steps are selected and the Edit menu is open; with "preview" the window is the preview of
// steps pasted from a manual.
#include "app/EditorWindow.h"
#include "app/MainForm.h"
#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/StepGrid.h"
#include "tests/fixtureedit/EditorHarness.h"
#include "ui/Document.h"
#include "ui/EditGrid.h"
#include "ui/TableDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: render_fixture_editor OUTPUT.png");
        return 2;
    }
    if (argc > 2 && qstrcmp(argv[2], "preview") == 0) {
        const QList<QStringList> rows = {{"Open", "0", "9"},     {"Red", "10", "19"},
                                         {"Blue", "20", "29"},   {"Green", "30", "39"},
                                         {"Gobo 1", "40", "40"}, {"Open", "50", "59"}};
        ui::TableDialog dialog(
            QStringLiteral("Paste Steps"),
            QStringLiteral("6 steps read, 2 lines skipped. They go in from "
                           "step 1 on."),
            {QStringLiteral("Step Name"), QStringLiteral("From Dmx"), QStringLiteral("To Dmx")},
            rows);
        dialog.show();
        QApplication::processEvents();
        return dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    }
    QTemporaryDir dir;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, dir.filePath(QStringLiteral("ChNameSet.fix"))};
    support::writeFile(services.chNameSetPath, nameSetFile()); // the default names

    MainForm window(services);
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
    FixtureEdit* editor = window.fixtureEdit();

    editor->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(11);
    editor->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("Spot 575"));
    editor->findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(QStringLiteral("540"));
    editor->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("270"));

    auto fixture = std::make_unique<fx::FixtureRecord>(window.record());
    fx::FixtureRecord& r = *fixture;
    fx::ChannelInfo* ch = r.Channels.data();
    setChannel(ch[0], "Pan", fx::TypeFadeable16H, 2, 128, 6);
    setChannel(ch[1], "Pan Fine", fx::TypeFadeable16L);
    setChannel(ch[2], "Tilt", fx::TypeFadeable16H, 4, 128, 7);
    setChannel(ch[3], "Tilt Fine", fx::TypeFadeable16L);
    setChannel(ch[4], "P/T Speed", fx::TypeLtp, 0, 0, 16);
    setChannel(ch[5], "Colour", fx::TypeInstantLtp, 0, 0, 9);
    setChannel(ch[6], "Gobo", fx::TypeInstantLtp, 0, 0, 12);
    setChannel(ch[7], "GoboRot", fx::TypeLtp, 0, 0, 12); // the code of "Gobo": a problem to show
    setChannel(ch[8], "Prism", fx::TypeInstantLtp, 0, 0, 26);
    setChannel(ch[9], "Focus", fx::TypeLtp, 0, 60, 10);
    setChannel(ch[10], "Shutter", fx::TypeInstantLtp, 0, 255, 4);
    setChannel(ch[11], "Dimmer", fx::TypeHtp, 0, 0, 3);
    const struct {
        const char* name;
        int from;
        int to;
    } steps[] = {{"White", 0, 9},   {"Red", 10, 19},    {"Blue", 20, 29},
                 {"Green", 30, 39}, {"Yellow", 40, 49}, {"Rainbow", 45, 255}};
    r.StepCount[5] = 6;
    for (int s = 0; s < 6; ++s) {
        r.Steps[5][s] = {static_cast<std::uint8_t>(steps[s].from),
                         static_cast<std::uint8_t>(steps[s].to),
                         fx::FixedText<8>::fromText(steps[s].name)};
    }
    if (argc > 2 && qstrcmp(argv[2], "overfull") == 0) {
        r.StepCount[6] = 255;
        r.StepCount[8] = 72;
    }
    window.document().replace(r);
    editor->traits()->selectChannel(5);

    if (argc > 2 && qstrcmp(argv[2], "editing") == 0) {
        QTableView* grid = editor->channelGrid();
        const QRect cell = grid->visualRect(grid->model()->index(4, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("P/T Sp"));
    }
    const QWidget* frame = window.editorWindow(MainForm::Editor::Fixture);
    window.resize(frame->size() + QSize(2, window.menuBar()->sizeHint().height() + 2));
    QApplication::processEvents();
    QPixmap shot = window.grab();
    if (argc > 2 && qstrcmp(argv[2], "clipboard") == 0) {
        QGuiApplication::clipboard()->setText(QStringLiteral("0-9 Open\n10-19 Red"));
        auto* steps = editor->traits()->stepGrid();
        steps->setFocus(Qt::OtherFocusReason);
        steps->setCurrentIndex(steps->model()->index(1, 1));
        steps->selectionModel()->select(
            QItemSelection(steps->model()->index(1, 1), steps->model()->index(3, 3)),
            QItemSelectionModel::ClearAndSelect);
        QMenu* edit = editor->findChild<QMenu*>(QStringLiteral("EditMenu"));
        auto* bar = editor->findChild<QMenuBar*>(QStringLiteral("FixtureEditMenu"));
        const QPoint at = bar->mapTo(&window, bar->actionGeometry(edit->menuAction()).bottomLeft());
        edit->popup(window.mapToGlobal(at));
        QApplication::processEvents();
        shot = window.grab();
        QPainter painter(&shot);
        painter.drawPixmap(at, edit->grab());
    }
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) {
        qWarning("could not write %s", argv[1]);
        return 1;
    }
    return 0;
}
