// The main window driven through its menus: the editors shown, handed over and closed, the exit
// questions, the window's place and recent files; and where "ChNameSet.fix" is found (locate).
#include "tests/fixtureedit/EditorHarness.h"

#include "app/AboutBox.h"
#include "app/ChNameSetLocation.h"
#include "app/EditorWindow.h"
#include "app/MainForm.h"
#include "core/PaletteStore.h"
#include "fixtureedit/ChannelTraits.h"
#include "ui/QtDialogs.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>

namespace {

using Editor = MainForm::Editor;

struct AppHarness {
    AppHarness()
    {
        writeFile(services.chNameSetPath, nameSetFile());
        window = std::make_unique<MainForm>(services);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    FixtureEdit* fixture() const { return window->fixtureEdit(); }
    bool isOpen(Editor which) const
    {
        return window->editorWindow(which) && window->editorWindow(which)->isVisible();
    }
    void trigger(QWidget* owner, const char* action)
    {
        auto* item = owner->findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY2(item, action);
        QVERIFY(item->isEnabled());
        item->trigger();
    }
    template <typename T> T* fixtureChild(const char* name) const
    {
        return fixture()->findChild<T*>(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services{dialogs, files, dir.filePath(QStringLiteral("ChNameSet.fix"))};
    std::unique_ptr<MainForm> window;
};

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); } // settings of its own
    void everyWindowOpens_data()
    {
        QTest::addColumn<QString>("item"); // of the main window ("num...") or the fixture editor
        QTest::addColumn<int>("editor");
        QTest::newRow("fixture") << "numMF" << int(Editor::Fixture);
        QTest::newRow("LED fixture") << "numLFE" << int(Editor::LedFixture);
        QTest::newRow("channel names") << "numChname" << int(Editor::ChannelNames);
        QTest::newRow("LED from the fixture editor") << "mnuLFE" << int(Editor::LedFixture);
    }

    void everyWindowOpens()
    {
        // Each window opens at the top left and comes back as the same editor after it was
        // closed.
        QFETCH(QString, item);
        QFETCH(int, editor);
        AppHarness h;
        const auto which = Editor(editor);
        QWidget* owner =
            item.startsWith(u'n') ? static_cast<QWidget*>(h.window.get()) : h.fixture();
        h.trigger(owner, item.toLatin1().constData());
        QVERIFY(h.isOpen(which));
        QCOMPARE(h.window->editorWindow(which)->pos(), QPoint(0, 0));
        QWidget* made = h.window->editor(which);

        if (which == Editor::Fixture) // typed work outlives the window's close (Ctrl+W)
            QTest::keyClicks(h.fixtureChild<QLineEdit>("Text1"), QStringLiteral("Spot"));
        h.window->editorWindow(which)->close();
        QVERIFY(!h.isOpen(which));
        const char* again[] = {"numMF", "numMF", "numLFE", "numChname"};
        h.trigger(h.window.get(), again[editor]);
        QVERIFY(h.isOpen(which));
        QCOMPARE(h.window->editor(which), made);
        QVERIFY(which != Editor::Fixture ||
                h.fixtureChild<QLineEdit>("Text1")->text().contains(QLatin1String("Spot")));
    }

    void paletteVisitKeepsRecord()
    {
        AppHarness h;
        FixtureEdit* editor = h.fixture();
        h.fixtureChild<QComboBox>("Combo1")->setCurrentIndex(11);
        h.fixtureChild<QLineEdit>("Text1")->setText(QStringLiteral("Wash 1200"));
        h.fixtureChild<QLineEdit>("Text4")->setText(QStringLiteral("540"));
        RecordView{&h.window->document()}.setUp([](fx::FixtureRecord& r) {
            r.Channels[3].ChName.assign("Colour");
            r.Channels[3].FuncCode = 9;
            r.StepCount[3] = 2;
            r.Steps[3][1].StepName.assign("Red");
            r.PalName[0].assign("Looks");
        });
        const fx::FixtureRecord& r = h.window->record();
        const auto before = std::make_unique<fx::FixtureRecord>(r);

        h.trigger(editor, "MnuReturn");
        QVERIFY(!h.isOpen(Editor::Fixture));
        QVERIFY(h.isOpen(Editor::Palette));

        h.window->editorWindow(Editor::Palette)->close();
        QVERIFY(h.isOpen(Editor::Fixture));
        QCOMPARE(h.window->fixtureEdit(), editor);

        QCOMPARE(h.fixtureChild<QLineEdit>("Text1")->text(), QStringLiteral("Wash 1200  "));
        QCOMPARE(h.fixtureChild<QComboBox>("Combo1")->currentText(), QStringLiteral("12"));
        before->PalChannels = 12;
        QVERIFY(r == *before);
        const QAbstractItemModel* grid = editor->channelGrid()->model();
        QCOMPARE(grid->rowCount(), 12);
        QCOMPARE(grid->index(3, 1).data().toString(), QStringLiteral("Colour      "));
    }

    // "Show F" or the window closed (for "Show P" see paletteEditorFromChannelNamesKeepsPalettes).
    void channelNameEditorHandsOver_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Show F") << "eSM";
        QTest::newRow("window closed") << "";
    }

    void channelNameEditorHandsOver()
    {
        QFETCH(QString, action);
        AppHarness h;
        QCOMPARE(h.fixture()->nameList().find(QStringLiteral("Wheel")), -1);
        h.window->editorWindow(Editor::Fixture)->close();
        h.trigger(h.window.get(), "numChname");
        QVERIFY(h.isOpen(Editor::ChannelNames));
        QVERIFY(!h.isOpen(Editor::Fixture));
        // A name stored as the grid's cell editor stores it, then saved.
        QWidget* names = h.window->editor(Editor::ChannelNames);
        auto* grid = names->findChild<QAbstractItemView*>(QStringLiteral("ChMSFlexGrid"));
        QVERIFY(grid && grid->model()->setData(grid->model()->index(59, 1), "Wheel"));
        QTest::mouseClick(names->findChild<QPushButton*>(QStringLiteral("ChSave")), Qt::LeftButton);
        if (action.isEmpty())
            h.window->editorWindow(Editor::ChannelNames)->close();
        else
            h.trigger(h.window->editor(Editor::ChannelNames), action.toLatin1().constData());

        QVERIFY(!h.isOpen(Editor::ChannelNames));
        QVERIFY(h.isOpen(Editor::Fixture));
        // The fixture editor, loaded again, offers the saved name with its code.
        const int row = h.fixture()->nameList().find(QStringLiteral("Wheel"));
        QVERIFY(row >= 0);
        QCOMPARE(h.fixture()->nameList().code(row), 62);
        QVERIFY(!h.isOpen(Editor::Palette));
    }

    void paletteEditorFromChannelNamesKeepsPalettes()
    {
        // A fixture with a palette (as an open leaves it), the palette editor never visited.
        AppHarness h;
        QCOMPARE(h.window->record().PalChannels, 0);
        RecordView{&h.window->document()}.setUp([](fx::FixtureRecord& r) {
            r.PalName[0] = fx::paletteNameFromText("Wash");
            r.PalChannelUsed[0][0] = r.PalChannelUsed[0][1] = r.PalChannelUsed[0][2] = 1;
            r.PalEntryName[0][0] = fx::paletteNameFromText("Warm");
            r.PalEntryName[0][1] = fx::paletteNameFromText("Cold");
            r.PalChannels = 8;
            fx::UpdatePaletteUse(r);
            r.PalChannels = 0;
        });
        const fx::FixtureRecord& r = h.window->record();

        // Reached through the channel name editor's "Show &P", then an entry stored again.
        h.trigger(h.window.get(), "numChname");
        h.trigger(h.window->editor(Editor::ChannelNames), "eSu");
        QWidget* palette = h.window->editor(Editor::Palette);
        QVERIFY(h.isOpen(Editor::Palette) && h.isOpen(Editor::Fixture));
        QVERIFY(!h.isOpen(Editor::ChannelNames));
        QCOMPARE(h.window->mdiArea()->activeSubWindow(), h.window->editorWindow(Editor::Palette));
        auto* entry = palette->findChild<QPushButton*>(QStringLiteral("Command2_1"));
        QVERIFY(entry && entry->isEnabled());
        QTest::mouseClick(entry, Qt::LeftButton);
        // "Show &P" again while the entry is being edited keeps the edit.
        auto* name = palette->findChild<QLineEdit*>("Text3");
        name->setText(QStringLiteral("Cool"));
        h.trigger(h.window.get(), "numChname");
        h.trigger(h.window->editor(Editor::ChannelNames), "eSu");
        QVERIFY(name->isVisible());
        QCOMPARE(name->text(), QStringLiteral("Cool"));
        QTest::mouseClick(palette->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);

        // The entries still carry their three channels (with no channels offered, the store
        // would have emptied them).
        QCOMPARE(int(r.PalEntrySize[0][0]), 3);
        QCOMPARE(int(r.PalEntrySize[0][1]), 3);
    }

    void builtInIconIsRead()
    {
        // Without an installed theme icon the program's icon is the built-in PNG, read without
        // the image-format plugins; a reader that failed would leave every window without one.
        const QIcon icon = about::applicationIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.pixmap(64, 64).size(), QSize(64, 64));
    }

    void qtDialogsShowCarriageReturnAsLineBreak()
    {
        // The replace question breaks its line with a bare carriage return; the real box shows it
        // on two lines and answers with the button pressed.
        QString shownText;
        QTimer::singleShot(0, [&shownText] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shownText = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        ui::QtDialogs dialogs;
        const auto answer =
            dialogs.ask(nullptr, QStringLiteral("ORVA Save As"),
                        QStringLiteral("a.tff already exists.\rDo you want to replace it?"),
                        ui::Dialogs::Buttons::YesNo);
        QCOMPARE(answer, ui::Dialogs::Answer::Yes);
        QCOMPARE(shownText, QStringLiteral("a.tff already exists.\nDo you want to replace it?"));
    }

    void exitWithCellOpen_data()
    {
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<int>("column");
        QTest::newRow("channel grid value") << "MSFlexGrid1" << 4;
        QTest::newRow("steps grid name") << "MSFlexGrid2" << 1;
    }

    void exitWithCellOpen()
    {
        // The program ends with a cell edit still open: the editors close while the record they
        // store into is still there (the sanitizer run of the suite sees any write after it went).
        QFETCH(QString, gridName);
        QFETCH(int, column);
        AppHarness h;
        RecordView{&h.window->document()}.setUp([](fx::FixtureRecord& r) { r.StepCount[0] = 1; });
        h.fixture()->traits()->selectChannel(0);
        auto* grid = h.fixtureChild<QAbstractItemView>(gridName.toLatin1().constData());
        QVERIFY(grid);
        const QModelIndex cell = grid->model()->index(0, column);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));

        const fx::FixtureRecord* record = &h.window->record();
        QString stored;
        connect(h.fixture(), &QObject::destroyed, this, [&] {
            stored = column == 4 ? QString::number(record->Channels[0].ChValue)
                                 : QString::fromStdString(record->Steps[0][0].StepName.trimmed());
        });
        h.trigger(h.fixture(), "ExitMune");
        h.window.reset();
        QCOMPARE(stored, QStringLiteral("7"));
    }
    // Every way out asks each editor with unsaved work (the fixture, LED fixture and channel name
    // editors); a cancelled or failed save keeps the program.
    void exitAsksAboutUnsavedWork_data()
    {
        QTest::addColumn<QString>("way"); // of the fixture editor, or the other editor asked
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<bool>("exits");
        using A = ui::Dialogs::Answer;
        for (const char* way : {"Exit menu", "led", "names"}) {
            const QByteArray w(way);
            QTest::newRow(w + ": Save") << way << int(A::Save) << false << true;
            if (w != "names") // its failing save is the proof tests'
                QTest::newRow(w + ": Save fails") << way << int(A::Save) << true << false;
            QTest::newRow(w + ": Discard") << way << int(A::Discard) << false << true;
            QTest::newRow(w + ": Cancel") << way << int(A::Cancel) << false << false;
        }
        QTest::newRow("Ctrl+E in a text box: Cancel")
            << "Ctrl+E in a text box" << int(A::Cancel) << false << false;
        QTest::newRow("window closed: Save") << "window closed" << int(A::Save) << false << true;
        QTest::newRow("window closed: Cancel")
            << "window closed" << int(A::Cancel) << false << false;
    }
    void exitAsksAboutUnsavedWork()
    {
        QFETCH(QString, way);
        QFETCH(int, answer);
        QFETCH(bool, saveFails);
        QFETCH(bool, exits);
        AppHarness h;
        const bool other = way == "led" || way == "names";
        QString path =
            h.dir.filePath(other ? QStringLiteral("led.tff") : QStringLiteral("spot.tff"));
        QString question = QStringLiteral("\"Spot\" has not been saved");
        auto* name = h.fixtureChild<QLineEdit>("Text1");
        if (other) {
            const Editor which = way == "led" ? Editor::LedFixture : Editor::ChannelNames;
            h.window->showEditor(which);
            QAbstractItemModel* model = h.window->editor(which)->findChild<QTableView*>()->model();
            QVERIFY(way == "led" ? model->setData(model->index(0, 1), 1)
                                 : model->setData(model->index(70, 1), "Haze"));
            if (way == "names")
                path = h.services.chNameSetPath;
            question = way == "led" ? QStringLiteral("The LED fixture \"New Fixture\"")
                                    : QStringLiteral("The channel names");
        } else {
            h.trigger(h.window.get(), "numMF");
            name->setFocus();
            QTest::keyClicks(name, QStringLiteral("Spot"));
        }
        const QByteArray old = readFile(path);
        if (saveFails)
            QDir().mkpath(path); // a folder of that name: the write fails
        h.dialogs.setNextAnswer(ui::Dialogs::Answer(answer));
        h.dialogs.setNextFileName(path);
        QSignalSpy exitSpy(h.window.get(), &MainForm::exitRequested);

        if (way == "window closed")
            QCOMPARE(h.window->close(), exits);
        else if (way == "Ctrl+E in a text box")
            QTest::keyClick(name, Qt::Key_E, Qt::ControlModifier);
        else
            h.trigger(h.window.get(), "numExit");

        if (way != "window closed")
            QCOMPARE(exitSpy.count(), int(exits));
        QCOMPARE(h.dialogs.shown().size(), saveFails ? 2 : 1); // the question, the failure
        QVERIFY2(h.dialogs.shown()[0].text.startsWith(question),
                 qPrintable(h.dialogs.shown()[0].text));
        const bool saved = answer == int(ui::Dialogs::Answer::Save) && !saveFails;
        QCOMPARE(QFileInfo(path).isFile() && readFile(path) != old, saved);
    }
    void windowKeepsItsPlace()
    {
        QSettings().remove(QStringLiteral("mainWindow/geometry")); // nothing from an earlier run
        auto h = std::make_unique<AppHarness>();
        h->window->restoreWindowSettings();
        h->window->resize(900, 700);
        h->trigger(h->window.get(), "numExit"); // the window's place kept for the next start
        h = std::make_unique<AppHarness>();
        QVERIFY(h->window->size() != QSize(900, 700)); // the size comes from the settings
        h->window->restoreWindowSettings();
        QCOMPARE(h->window->size(), QSize(900, 700));
    }

    // A file named on the command line opens at start and heads "Open Recent", whose item opens it.
    void startFileAndRecentFiles()
    {
        AppHarness h;
        const auto scanner = samples::newFixture(3);
        const QString good = h.dir.filePath(QStringLiteral("scanner.tff"));
        writeFile(good, imageOf(*scanner));
        h.window->openAtStart(good);
        QCOMPARE(int(h.window->record().FixHeader.NumChannels), 3);
        QCOMPARE(h.window->findChild<QLabel*>("FilePath")->text(), QDir::toNativeSeparators(good));
        h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok);
        h.trigger(h.fixture(), "NewFixture");
        QCOMPARE(int(h.window->record().FixHeader.NumChannels), 8);
        auto* recent = h.fixtureChild<QMenu>("OpenRecent");
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().first()->text(), QDir::toNativeSeparators(good));
        recent->actions().first()->trigger();
        QCOMPARE(int(h.window->record().FixHeader.NumChannels), 3);
    }

    void locate_data()
    {
        // Each copy is given by its content; an empty one means there is no file.
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<QByteArray>("programCopy");
        QTest::addColumn<QByteArray>("userCopy");
        QTest::addColumn<QByteArray>("installedCopy");
        QTest::addColumn<bool>("inProgramFolder");
        QTest::addColumn<QByteArray>("userContent"); // what the user folder's file holds afterwards

        const QByteArray none, program("program"), user("user"), installed("installed");
        QTest::newRow("build folder") << true << program << none << installed << true << none;
        QTest::newRow("build folder lost its copy")
            << true << none << none << none << false << none;
        QTest::newRow("installed: first start")
            << false << none << none << installed << false << installed;
        QTest::newRow("installed, run by root: the program folder is writable but holds none")
            << true << none << none << installed << false << installed;
        QTest::newRow("installed: own copy kept")
            << false << none << user << installed << false << user;
        QTest::newRow("read-only program folder: its copy seeds before the installed one")
            << false << program << none << installed << false << program;
        QTest::newRow("no copy anywhere") << false << none << none << none << false << none;
    }

    void locate()
    {
        QFETCH(bool, programWritable);
        QFETCH(QByteArray, programCopy);
        QFETCH(QByteArray, userCopy);
        QFETCH(QByteArray, installedCopy);
        QFETCH(bool, inProgramFolder);
        QFETCH(QByteArray, userContent);

        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("usr/bin"));
        const QString data = root.filePath(QStringLiteral("usr/share/fixture-editor"));
        const QString user =
            root.filePath(QStringLiteral("home/.local/share/ORVA")); // not made yet
        const QString installed = data + QStringLiteral("/ChNameSet.fix");
        QDir().mkpath(program);
        QDir().mkpath(data);
        const auto put = [](const QString& path, const QByteArray& content) {
            if (!content.isEmpty()) {
                QDir().mkpath(QFileInfo(path).path());
                writeFile(path, content);
                QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadOther);
            }
        };
        put(program + QStringLiteral("/ChNameSet.fix"), programCopy);
        put(user + QStringLiteral("/ChNameSet.fix"), userCopy);
        put(installed, installedCopy);
        if (!userCopy.isEmpty()) // the user's own copy is writable
            QFile::setPermissions(user + QStringLiteral("/ChNameSet.fix"),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);

        const QString path =
            chnameset::locate(program, user, installed, [&](const QString& candidate) {
                return candidate.startsWith(program) ? programWritable : true;
            });
        QCOMPARE(path, (inProgramFolder ? program : user) + QStringLiteral("/ChNameSet.fix"));
        if (!inProgramFolder) {
            QVERIFY(QFileInfo(user).isDir());
            QCOMPARE(QFile::exists(path), !userContent.isEmpty());
            QCOMPARE(readFile(path), userContent);
            if (!userContent.isEmpty())
                QVERIFY(QFile::permissions(path) & QFileDevice::WriteOwner);
        }
        // The seeds are never changed.
        if (!installedCopy.isEmpty())
            QCOMPARE(readFile(installed), installedCopy);
        if (!programCopy.isEmpty())
            QCOMPARE(readFile(program + QStringLiteral("/ChNameSet.fix")), programCopy);
    }

    void canWriteFile()
    {
        QTemporaryDir root;
        const QString fresh = root.filePath(QStringLiteral("ChNameSet.fix"));
        QVERIFY(chnameset::canWriteFile(fresh));
        QVERIFY(!QFile::exists(fresh)); // the probe leaves nothing behind

        writeFile(fresh, "keep");
        QVERIFY(chnameset::canWriteFile(fresh));
        QCOMPARE(readFile(fresh), QByteArray("keep"));

        // A folder that cannot exist: its parent is a plain file.
        QVERIFY(!chnameset::canWriteFile(fresh + QStringLiteral("/sub/ChNameSet.fix")));
    }
};

QTEST_MAIN(TestMainForm)
#include "TestMainForm.moc"
