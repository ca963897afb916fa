// Benchmark of the editor (not a test): prints how long start-up and the heaviest user actions
// take at the largest sizes, and the peak memory. Each action is timed until the event loop has
// laid out and painted its result, i.e. until the screen would show it.
//
//   fixture_bench [repetitions] [--startup-only]
//
// Without a display it runs on Qt's offscreen platform.
#include "SampleFixtures.h"
#include "app/AboutBox.h"
#include "app/MainForm.h"
#include "chnames/EditChName.h"
#include "core/ChNameSet.h"
#include "core/FixtureCheck.h"
#include "core/FixtureDocument.h"
#include "core/FixtureFile.h"
#include "core/StepTools.h"
#include "fixtureedit/ChannelGrid.h"
#include "fixtureedit/ChannelNameList.h"
#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/FixtureEdit.h"
#include "fixtureedit/StepGrid.h"
#include "ui/Document.h"
#include "ui/FileAccess.h"
#include "ui/QtDialogs.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMainWindow>
#include <QMdiArea>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QWindow>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// Whether a save of record first lists errors and asks to go on (what the file cannot hold has a
// question of its own).
bool hasErrorsToConfirm(const fx::FixtureRecord& record)
{
    const auto problems = fx::CheckFixture(record);
    return std::any_of(problems.begin(), problems.end(), [](const fx::Problem& p) {
        return p.severity == fx::Problem::Severity::Error && !p.capacity;
    });
}

double peakMemoryMiB(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

template <class Bytes> QByteArray bytesOf(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// All 253 positions named: the largest set either editor loads.
QByteArray fullNameSetFile()
{
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    for (int p = fx::DefaultNameCount; p < fx::FirstUserPosition; ++p)
        fx::StoreChName(set, p, "Name " + std::to_string(p));
    while (fx::AppendChName(set, "User " + std::to_string(*fx::firstFreeUserPosition(set))))
        ;
    return bytesOf(fx::chNameSetImage(set));
}

// A benchmark of an action that did not happen would be worthless.
void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fixture_bench: expected that %s\n", what);
        std::exit(1);
    }
}

// Lets Qt lay out and paint everything the action changed.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Counts the paint events of a widget, to show that a timed action includes its painting.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Figures {
    std::vector<double> ms;
    double median() const
    {
        std::vector<double> v = ms;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
    double max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

double timeOnce(const std::function<void()>& action)
{
    settle();
    QElapsedTimer timer;
    timer.start();
    action();
    settle();
    return timer.nsecsElapsed() / 1e6;
}

void report(const char* what, const Figures& f)
{
    std::printf("  %-44s median %8.2f ms   max %8.2f ms   (%zu runs)\n", what, f.median(), f.max(),
                f.ms.size());
}

// Waits until window is on the screen and painted, then prints the peak memory and the processor
// time used so far (a figure the machine's other load hardly changes).
int reportShown(QWidget& window)
{
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    settle();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    std::printf("shown %.1f %.2f\n", peakMemoryMiB(RUSAGE_SELF), cpuMs);
    std::fflush(stdout);
    return 0;
}

// The child of the start-up measurement: the program's own start as main() does it (the window
// icon included), up to the main window shown and painted; then it prints its peak memory.
int startupChild(int argc, char** argv, const QString& nameSetPath)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORVA"));
    QApplication::setWindowIcon(about::applicationIcon());
    ui::QtDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, nameSetPath};
    MainForm window(services);
    window.restoreWindowSettings();
    window.show();
    return reportShown(window);
}

// The yardstick: a bare Qt window with an MDI area, started the same way. With withFonts it
// first loads the font database and the application font, as any window that shows text must:
// the floor under any start-up of a program with text.
int bareChild(int argc, char** argv, bool withFonts)
{
    QApplication app(argc, argv);
    if (withFonts)
        QFontMetrics(QApplication::font()).height();
    QMainWindow window;
    window.setCentralWidget(new QMdiArea(&window));
    window.resize(1280, 720);
    window.show();
    return reportShown(window);
}

// One start of a child; returns the milliseconds to its window shown, or -1.
double startOnce(const QString& program, const QStringList& arguments, Figures& memory,
                 Figures& cpu)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(program, arguments);
    if (!child.waitForReadyRead(30000))
        return -1;
    const double ms = timer.nsecsElapsed() / 1e6;
    const QByteArray line = child.readLine().trimmed();
    child.waitForFinished();
    if (!line.startsWith("shown "))
        return -1;
    const QList<QByteArray> fields = line.split(' ');
    if (fields.size() != 3)
        return -1;
    memory.ms.push_back(fields[1].toDouble());
    cpu.ms.push_back(fields[2].toDouble());
    return ms;
}

// The editor's start against the bare window's, the two started by turns so that the machine's
// load falls on both alike.
void measureStartup(const QString& program, const QString& nameSetPath, int runs)
{
    Figures startup;
    Figures bare;
    Figures fonts;
    Figures memory;
    Figures bareMemory;
    Figures cpu;
    Figures bareCpu;
    Figures fontsMemory;
    Figures fontsCpu;
    for (int i = 0; i < runs; ++i) {
        const double b = startOnce(program, {QStringLiteral("--bare-child")}, bareMemory, bareCpu);
        const double f =
            startOnce(program, {QStringLiteral("--bare-fonts-child")}, fontsMemory, fontsCpu);
        const double e =
            startOnce(program, {QStringLiteral("--startup-child"), nameSetPath}, memory, cpu);
        if (b < 0 || f < 0 || e < 0) {
            std::printf("  start-up: a child did not show its window\n");
            return;
        }
        bare.ms.push_back(b);
        fonts.ms.push_back(f);
        startup.ms.push_back(e);
    }
    report("start-up to main window shown", startup);
    report("bare Qt window with an MDI area, the same", bare);
    std::printf("  %-44s %8.2f (medians)\n", "start-up against the bare window",
                startup.median() / bare.median());
    report("bare window after loading the fonts", fonts);
    std::printf("  %-44s %8.2f (medians)\n", "the same against the bare window",
                fonts.median() / bare.median());
    report("processor time to main window shown", cpu);
    report("the same for the bare window", bareCpu);
    std::printf("  %-44s %8.2f (medians)\n", "processor time against the bare window",
                cpu.median() / bareCpu.median());
    std::printf("  %-44s %8.2f (medians)\n", "the same, bare window after loading the fonts",
                fontsCpu.median() / bareCpu.median());
    std::printf("  %-44s median %8.1f MiB\n", "peak memory at start-up (max RSS)", memory.median());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--startup-child") {
        int childArgc = 1;
        return startupChild(childArgc, argv, QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 2 && (QByteArray(argv[1]) == "--bare-child" ||
                      QByteArray(argv[1]) == "--bare-fonts-child")) {
        int childArgc = 1;
        return bareChild(childArgc, argv, QByteArray(argv[1]) == "--bare-fonts-child");
    }
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;

    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString nameSetPath = dir.filePath(QStringLiteral("ChNameSet.fix"));
    writeFile(nameSetPath, fullNameSetFile());
    const QString fullPath = dir.filePath(QStringLiteral("full.tff"));
    writeFile(fullPath, bytesOf(fx::WriteFixtureImage(*samples::fullFixture())));

    std::printf("Fixture editor benchmark, platform \"%s\", %d runs per figure\n",
                qPrintable(QGuiApplication::platformName()), runs);
    measureStartup(QCoreApplication::applicationFilePath(), nameSetPath, runs);
    if (argc > 2 && QByteArray(argv[2]) == "--startup-only")
        return 0;

    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, nameSetPath};
    MainForm window(services);
    window.show();
    settle();
    FixtureEdit* editor = window.fixtureEdit();
    auto* count = editor->findChild<QComboBox*>(QStringLiteral("Combo1"));
    ChannelTraits* traits = editor->traits();
    auto* add = traits->findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* copy = traits->findChild<QPushButton*>(QStringLiteral("Command4"));
    auto* copyFrom = traits->findChild<QComboBox*>(QStringLiteral("Combo11"));
    auto* copyTo = traits->findChild<QComboBox*>(QStringLiteral("Combo12"));
    if (!count || !add || !copy || !copyFrom || !copyTo) {
        std::fprintf(stderr, "a control of the fixture editor is missing\n");
        return 1;
    }

    PaintCounter gridPaints;
    editor->channelGrid()->viewport()->installEventFilter(&gridPaints);
    Figures up, down;
    for (int i = 0; i < runs; ++i) {
        count->setCurrentIndex(0);
        up.ms.push_back(timeOnce([&] { count->setCurrentIndex(fx::MaxChannels - 1); }));
        check(editor->channelGrid()->model()->rowCount() == fx::MaxChannels, "the count rose");
        down.ms.push_back(timeOnce([&] { count->setCurrentIndex(0); }));
    }
    check(editor->channelGrid()->model()->rowCount() == 1, "the count went back to 1");
    check(gridPaints.paints >= 2 * runs, "the channel grid was painted after each change");
    report("channel count 1 -> 40", up);
    report("channel count 40 -> 1", down);

    count->setCurrentIndex(fx::MaxChannels - 1);
    traits->selectChannel(0);
    Figures adds, lastAdd;
    for (int i = 0; i < fx::MaxEditableSteps; ++i) {
        const double ms = timeOnce([&] { add->click(); });
        adds.ms.push_back(ms);
        if (i == fx::MaxEditableSteps - 1)
            lastAdd.ms.push_back(ms);
    }
    check(window.record().StepCount[0] == fx::MaxEditableSteps, "channel 1 has 255 steps");
    report("Add, each of steps 1 to 255", adds);
    report("Add of step 255", lastAdd);

    Figures copies;
    copyFrom->setCurrentIndex(0);
    for (int i = 0; i < runs; ++i) {
        copyTo->setCurrentIndex(1 + i % (fx::MaxChannels - 1));
        dialogs.setNextAnswer(ui::Dialogs::Answer::Ok);
        copies.ms.push_back(timeOnce([&] { copy->click(); }));
        check(window.record().StepCount[copyTo->currentIndex()] == fx::MaxEditableSteps,
              "the copy took 255 steps");
    }
    report("Copy of 255 steps", copies);

    // Undo and redo of the heaviest edits: a Copy of 255 steps, and the count 40 -> 1.
    QUndoStack* history = window.document().undoStack();
    Figures undoCopy, redoCopy, undoCount, redoCount;
    for (int i = 0; i < runs; ++i) {
        undoCopy.ms.push_back(timeOnce([&] { history->undo(); }));
        redoCopy.ms.push_back(timeOnce([&] { history->redo(); }));
    }
    count->setCurrentIndex(0);
    check(window.record().FixHeader.NumChannels == 1, "the count went to 1");
    for (int i = 0; i < runs; ++i) {
        undoCount.ms.push_back(timeOnce([&] { history->undo(); }));
        redoCount.ms.push_back(timeOnce([&] { history->redo(); }));
    }
    history->undo();
    check(window.record().FixHeader.NumChannels == fx::MaxChannels, "the undo gave back 40");
    report("undo of Copy of 255 steps", undoCopy);
    report("redo of Copy of 255 steps", redoCopy);
    report("undo of count 40 -> 1", undoCount);
    report("redo of count 40 -> 1", redoCount);

    // Paste of 255 steps (tab-separated, as a spreadsheet copies them) into the steps grid of a
    // channel without steps, and the undo of it.
    {
        QString text;
        for (int k = 0; k < fx::MaxEditableSteps; ++k)
            text += QStringLiteral("Step%1\t%2\t%2\n").arg(k + 1).arg(k);
        QGuiApplication::clipboard()->setText(text);
        const int channel = fx::MaxChannels - 1;
        traits->selectChannel(channel);
        StepGrid* steps = traits->stepGrid();
        Figures pastes, undoPastes;
        for (int i = 0; i < runs; ++i) {
            check(window.record().StepCount[channel] == 0, "the last channel has no steps");
            steps->setCurrentIndex(steps->model()->index(0, 1));
            pastes.ms.push_back(timeOnce([&] { steps->pasteClipboard(); }));
            check(window.record().StepCount[channel] == fx::MaxEditableSteps,
                  "the paste made 255 steps");
            undoPastes.ms.push_back(timeOnce([&] { history->undo(); }));
        }
        report("paste of 255 steps", pastes);
        report("undo of paste of 255 steps", undoPastes);
    }
    {
        // What a history of 1000 edits keeps: step names, values, adds and count changes.
        fx::FixtureDocument doc;
        doc.replace(window.record());
        std::size_t bytes = 0;
        for (int i = 0; i < 1000; ++i) {
            fx::Edit edit;
            switch (i % 4) {
            case 0: edit = doc.setStepName(i % 40, i % 200, "Step" + std::to_string(i)); break;
            case 1: edit = doc.setChannelValue(i % 40, i % 256); break;
            case 2: edit = doc.copySteps(0, 1 + i % 39); break;
            default: edit = doc.setChannelCount(1 + i % 40); break;
            }
            doc.apply(edit.after);
            bytes += sizeof(fx::Edit) + edit.before.bytes() + edit.after.bytes();
        }
        std::printf("  %-44s %8.2f MiB\n", "history of 1000 edits", double(bytes) / (1 << 20));
    }

    Figures channelGrid, stepGrid;
    for (int i = 0; i < runs; ++i) {
        channelGrid.ms.push_back(timeOnce([&] { editor->FillChannelGrid(); }));
        stepGrid.ms.push_back(timeOnce([&] { traits->fillStepGrid(0); }));
    }
    report("FillChannelGrid, 40 channels", channelGrid);
    report("FillStepGrid, 255 steps", stepGrid);

    auto* open = editor->findChild<QAction*>(QStringLiteral("OpenFixture"));
    auto* save = editor->findChild<QAction*>(QStringLiteral("SaveFixture"));
    const QString savedPath = dir.filePath(QStringLiteral("saved.tff"));
    Figures opens, saves;
    for (int i = 0; i < runs; ++i) {
        if (window.document().isModified())
            dialogs.setNextAnswer(ui::Dialogs::Answer::Discard);
        dialogs.setNextFileName(fullPath);
        opens.ms.push_back(timeOnce([&] { open->trigger(); }));
        check(window.record().FixHeader.NumChannels == fx::MaxChannels, "the open read the file");
        if (hasErrorsToConfirm(window.record()))
            dialogs.setNextAnswer(ui::Dialogs::Answer::Ok); // save in spite of the problems
        dialogs.setNextAnswer(ui::Dialogs::Answer::Ok); // save without what the file cannot hold
        if (QFile::exists(savedPath))
            dialogs.setNextAnswer(ui::Dialogs::Answer::Yes); // replace the earlier save
        dialogs.setNextFileName(savedPath);
        saves.ms.push_back(timeOnce([&] { save->trigger(); }));
        check(QFileInfo(savedPath).size() == qint64(fx::FixtureFileSize),
              "the save wrote the file");
        QFile::remove(savedPath);
    }
    report("open the full fixture (40 ch, 204 steps)", opens);
    report("save the full fixture", saves);

    window.showEditor(MainForm::Editor::ChannelNames);
    settle();
    auto* names = qobject_cast<EditChName*>(window.editor(MainForm::Editor::ChannelNames));
    check(names != nullptr, "the channel name editor opened");
    Figures nameLoads, nameLists;
    for (int i = 0; i < runs; ++i) {
        nameLoads.ms.push_back(timeOnce([&] { names->load(); }));
        nameLists.ms.push_back(timeOnce([&] { editor->FillNameList(); }));
        check(editor->nameList().count() == fx::ChNameCount, "the name list holds 253 names");
    }
    report("channel name editor: load 253 names", nameLoads);
    report("fixture editor: fill the 253-name list", nameLists);

    // The check runs after every edit. Largest cases: the full fixture as the file holds it;
    // every channel at the editor's 255 steps (10200 steps, 10200 - 204 of them beyond the file);
    // and the same with every step overlapping another, so that about 10000 problems are told.
    {
        auto full = samples::fullFixture();
        auto most = samples::fullFixture();
        auto overlapping = samples::fullFixture();
        for (int c = 0; c < fx::MaxChannels; ++c) {
            most->StepCount[c] = 0;
            fx::FillSteps(*most, c, 255, 0, 255, "S#");
            overlapping->StepCount[c] = 0;
            fx::FillSteps(*overlapping, c, 128, 0, 255, "S#");
            fx::FillSteps(*overlapping, c, 127, 255, 1, "R#");
        }
        Figures checks, checksMost, checksOverlapping;
        const auto timed = [](Figures& figures, const fx::FixtureRecord& record) {
            QElapsedTimer timer;
            timer.start();
            const std::size_t found = fx::CheckFixture(record).size();
            figures.ms.push_back(timer.nsecsElapsed() / 1e6);
            return found;
        };
        for (int i = 0; i < runs; ++i) {
            check(timed(checks, *full) > 0, "the check found the palettes beyond the block");
            check(timed(checksMost, *most) > 0, "the check found the steps beyond the file");
            check(timed(checksOverlapping, *overlapping) > 4000,
                  "the check reported the overlapping steps");
        }
        report("check of the full fixture", checks);
        report("check, 40 channels of 255 steps", checksMost);
        report("check, the same, every step overlapping", checksOverlapping);
    }

    std::printf("  %-44s %8.1f MiB\n", "peak memory of this run (max RSS)",
                peakMemoryMiB(RUSAGE_SELF));
    check(dialogs.pendingAnswers() == 0 && dialogs.pendingFileNames() == 0,
          "every answer prepared was asked for");
    return 0;
}
