// Renders the main window with the fixture editor holding a moving light of 12 channels, for the
// documentation:
//   render_fixture_editor docs/fixture-editor.png [editing]
// With "editing" the name cell of channel 5 is open with a name being typed.
#include "app/EditorWindow.h"
#include "app/MainForm.h"
#include "chnames/ChNameSet.h"
#include "fixtureedit/ChannelGrid.h"
#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/FixtureEdit.h"
#include "model/FixtureRecord.h"
#include "ui/FileAccess.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: render_fixture_editor OUTPUT.png");
        return 2;
    }
    QTemporaryDir dir;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, dir.filePath(QStringLiteral("ChNameSet.fix"))};
    {
        fx::ChNameSet set;
        fx::InitChNameSet(set);
        const auto image = fx::chNameSetImage(set);
        QFile file(services.chNameSetPath);
        if (file.open(QIODevice::WriteOnly))
            file.write(reinterpret_cast<const char*>(image.data()), qint64(image.size()));
    }

    MainForm window(services);
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
    FixtureEdit* editor = window.fixtureEdit();

    editor->findChild<QComboBox*>(QStringLiteral("Combo1"))->setCurrentIndex(11);
    editor->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("Spot 575"));
    editor->findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(QStringLiteral("540"));
    editor->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("270"));

    fx::FixtureRecord& r = window.record();
    const struct {
        const char* name;
        int code;
        int type;
        int partner;
        int value;
    } channels[] = {
        {"Pan", 6, fx::TypeFadeable16H, 2, 128},    {"Pan Fine", 0, fx::TypeFadeable16L, 0, 0},
        {"Tilt", 7, fx::TypeFadeable16H, 4, 128},   {"Tilt Fine", 0, fx::TypeFadeable16L, 0, 0},
        {"P/T Speed", 16, fx::TypeLtp, 0, 0},       {"Colour", 9, fx::TypeInstantLtp, 0, 0},
        {"Gobo", 12, fx::TypeInstantLtp, 0, 0},     {"GoboRot", 14, fx::TypeLtp, 0, 0},
        {"Prism", 26, fx::TypeInstantLtp, 0, 0},    {"Focus", 10, fx::TypeLtp, 0, 60},
        {"Shutter", 4, fx::TypeInstantLtp, 0, 255}, {"Dimmer", 3, fx::TypeHtp, 0, 0},
    };
    for (int k = 0; k < 12; ++k) {
        fx::ChannelInfo& ch = r.Channels[k];
        ch.ChName.assign(channels[k].name);
        ch.FuncCode = static_cast<std::uint8_t>(channels[k].code);
        ch.ChType = static_cast<std::uint8_t>(channels[k].type);
        ch.PairChannel = static_cast<std::uint8_t>(channels[k].partner);
        ch.ChValue = static_cast<std::uint8_t>(channels[k].value);
    }
    const struct {
        const char* name;
        int from;
        int to;
    } steps[] = {{"White", 0, 9},   {"Red", 10, 19},    {"Blue", 20, 29},
                 {"Green", 30, 39}, {"Yellow", 40, 49}, {"Rainbow", 50, 255}};
    r.StepCount[5] = 6;
    for (int s = 0; s < 6; ++s) {
        r.Steps[5][s] = {static_cast<std::uint8_t>(steps[s].from),
                         static_cast<std::uint8_t>(steps[s].to),
                         fx::FixedText<8>::fromText(steps[s].name)};
    }
    editor->FillChannelGrid();
    editor->traits()->selectChannel(5);
    editor->traits()->refreshUsage();

    if (argc > 2 && qstrcmp(argv[2], "editing") == 0) {
        QTableView* grid = editor->channelGrid();
        const QRect cell = grid->visualRect(grid->model()->index(4, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("P/T Sp"));
    }
    const QWidget* frame = window.editorWindow(MainForm::Editor::Fixture);
    window.resize(frame->size() + QSize(2, window.menuBar()->sizeHint().height() + 2));
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        qWarning("could not write %s", argv[1]);
        return 1;
    }
    return 0;
}
