// The fixture editor driven through its window: header fields, the count list, the name cell's
// list, its tools, typed names the name set lacks (the question, the entry written, the focus,
// the messages) and the import dialog by keys. How grid cells open and store is TestKeyboard's
// gridKeys; what an edit does, tst_fixturedocument's; which names are asked about, tst_chnameset's.
#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/ImportFixtureDialog.h"
#include "tests/support/QxfSamples.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QUndoStack>

namespace {

const QString AddQuestion = QStringLiteral("Channel Name does not exist,Do you wish to add it?");
using Answer = ui::Dialogs::Answer;
using fixtureedit::ImportFixtureDialog;

fx::QxfDefinition load(const char* file)
{
    fx::QxfDefinition def;
    fx::loadQxfFile(std::string(QXF_DATA_DIR "/") + file, def);
    return def;
}

struct Shown {
    std::unique_ptr<ImportFixtureDialog> dialog;
    QListWidget* modes;
    QTableWidget* channels;
    QPushButton* ok;

    explicit Shown(const char* file) : Shown(load(file), file) {}
    Shown(const fx::QxfDefinition& definition, const char* file)
    {
        fx::ChNameSet names;
        fx::InitChNameSet(names);
        dialog = std::make_unique<ImportFixtureDialog>(definition, names, file);
        modes = dialog->findChild<QListWidget*>("importModes");
        channels = dialog->findChild<QTableWidget*>("importChannels");
        ok = dialog->findChild<QPushButton*>("importOk");
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
};

} // namespace

class TestFixtureEdit : public QObject {
    Q_OBJECT

private slots:
    void degreeBox_data();
    void degreeBox();
    void channelCountList();
    void pickedNames();
    void frameClickFocusesNameBox();
    void problemsFollowEditsAndJump();
    void fillRefusalIsShown();
    void importReplacesTheFixture();
    void answered_data();
    void answered();
    void messages_data();
    void messages();
    void checkedAtNextOpening_data();
    void checkedAtNextOpening();
    void importKeys_data();
    void importKeys();
    void importStepBoxes();
};

void TestFixtureEdit::degreeBox_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("stored"); // also the text the box shows afterwards
    QTest::newRow("720 kept") << "720" << 720;
    QTest::newRow("999 over 720") << "999" << 0;
    QTest::newRow("negative refused") << "-5" << 270;
}

void TestFixtureEdit::degreeBox()
{
    QFETCH(QString, entry);
    QFETCH(int, stored);
    EditorHarness h;
    for (const char* name : {"Text4", "Text2"}) {
        auto* box = h.line(name);
        const std::int16_t& degree =
            QByteArray(name) == "Text4" ? h.record->MaxPanDegree : h.record->MaxTiltDegree;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("270"));
        QCOMPARE(degree, 270);
        box->selectAll();
        box->insert(entry);
        QCOMPARE(box->text(), QString::number(stored));
        QCOMPARE(int(degree), stored);
        QCOMPARE(box->cursorPosition(), int(box->text().size()));
    }
}

void TestFixtureEdit::channelCountList()
{
    EditorHarness h;
    auto* list = h.combo("Combo1");
    list->setFocus();
    QTest::keyClicks(list, QStringLiteral("3")); // typed keys do not change the count
    QCOMPARE(int(h.record->FixHeader.NumChannels), 8);
    h.editor->traits()->selectChannel(6);
    for (const auto& [key, presses, count] :
         {std::tuple{Qt::Key_Down, 4, 12}, {Qt::Key_Up, 9, 3}}) {
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(list, key);
        QCOMPARE(int(h.record->FixHeader.NumChannels), count);
        QCOMPARE(h.grid->model()->rowCount(), count);
    }
    QCOMPARE(h.combo("Combo9")->currentIndex(), 0); // a lower count goes back to channel 1
    // The partner list offers exactly the channels there are.
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[0].ChType = fx::TypeInstant16H; });
    h.clickCell(0, 3);
    auto* partners = h.openEditor<QComboBox>("Combo2");
    QVERIFY(partners);
    QCOMPARE(partners->count(), 3);
}

void TestFixtureEdit::pickedNames()
{
    EditorHarness h;
    // A name picked from the list selects its channel in the traits chooser, which shows the
    // name once it is stored.
    auto* chooser = h.combo("Combo9");
    h.clickCell(4, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    names->setCurrentIndex(names->findText(QStringLiteral("Colour"), Qt::MatchStartsWith));
    QCOMPARE(chooser->currentIndex(), 4);
    h.focusElsewhere();
    QCOMPARE(h.channel(4).ChName.str(), std::string("Colour      "));
    QCOMPARE(int(h.channel(4).FuncCode), 9);
    QCOMPARE(chooser->itemText(4), QStringLiteral("Chan 5 - Colour"));

    // Opening a cell whose text matches an entry in other letter case selects that entry.
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[6].ChName.assign("ZOOM"); });
    h.editor->FillChannelGrid();
    h.clickCell(6, 1);
    names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    QCOMPARE(names->currentText(), QStringLiteral("Zoom        "));
}

void TestFixtureEdit::frameClickFocusesNameBox()
{
    EditorHarness h;
    for (const char* frameName : {"Fixtue_Setup", "Frame2"}) {
        h.clickCell(0, 4);
        QVERIFY(h.openEditor<QLineEdit>("Text5"));
        QTest::keyClicks(h.focus(), QStringLiteral("9"));
        auto* frame = h.editor->findChild<QWidget*>(frameName);
        QVERIFY(frame);
        // The frame's own border, clear of the controls inside it.
        QTest::mouseClick(frame, Qt::LeftButton, {},
                          QPoint(frame->width() - 3, frame->height() - 3));
        QVERIFY2(h.line("Text1")->hasFocus(), frameName);
        QCOMPARE(int(h.channel(0).ChValue), 9);
        h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[0].ChValue = 0; });
        h.editor->FillChannelGrid();
    }
}

void TestFixtureEdit::problemsFollowEditsAndJump()
{
    EditorHarness h;
    auto* list = h.editor->findChild<QListWidget*>("ProblemList");
    // A new fixture nobody has touched has no problems: its blank names are not yet any.
    QCOMPARE(list->count(), 0);
    // Two channels named "Pan": the console keeps one of them.
    for (int row : {2, 5})
        h.typeIntoNameCell(row, QStringLiteral("Pan"));
    QCOMPARE(list->count(), 1);
    const auto lineOf = [list](const QString& what) {
        const auto found = list->findItems(what, Qt::MatchContains);
        return found.isEmpty() ? -1 : list->row(found.first());
    };
    // Enter on the line selects the channel's row.
    list->setFocus();
    list->setCurrentRow(lineOf(QStringLiteral("channel 3")));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(h.grid->currentIndex().row(), 2);
    // An undo takes the problem away again.
    h.document.undoStack()->undo();
    QCOMPARE(lineOf(QStringLiteral("channel 3")), -1);
}

void TestFixtureEdit::fillRefusalIsShown()
{
    EditorHarness h;
    h.record.setUp([](fx::FixtureRecord& r) { r.StepCount[1] = 250; });
    h.editor->traits()->selectChannel(1);
    onNextDialog([](QDialog* dialog) {
        dialog->findChild<QSpinBox*>("FillCount")->setValue(6);
        QTest::keyClick(dialog->findChild<QLineEdit*>("FillPattern"), Qt::Key_Return);
        QVERIFY(dialog->isVisible()); // which counts fit is the core's (tst_steptools)
        QVERIFY(dialog->findChild<QLabel*>("FillReason")->text().contains("room for 5"));
        dialog->reject();
    });
    QTest::mouseClick(h.editor->findChild<QPushButton*>("FillSteps"), Qt::LeftButton);
    QCOMPARE(int(h.record->StepCount[1]), 250);
    QVERIFY(!h.document.undoStack()->canUndo());
}

void TestFixtureEdit::importReplacesTheFixture()
{
    EditorHarness h;
    const int names = h.editor->nameList().count();
    h.combo("Combo1")->setCurrentIndex(2); // unsaved work: the import asks first
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Discard);
    h.dialogs.setNextFileName(QStringLiteral(QXF_DATA_DIR "/moving-head.qxf"));
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes); // add the names the set lacks
    onNextDialog([](QDialog* dialog) { dialog->accept(); });
    QTest::keyClick(h.line("Text1"), Qt::Key_I, Qt::ControlModifier);

    QVERIFY(h.dialogs.shown().back().text.contains(QStringLiteral("Do you wish to add them?")));
    QVERIFY(h.editor->nameList().count() > names); // one entry each, in a whole name set file
    QCOMPARE(readFile(h.services.chNameSetPath).size(), qsizetype(fx::ChNameCount * 14));
    const fx::FixtureRecord& r = *h.record;
    QCOMPARE(h.grid->model()->rowCount(), int(r.FixHeader.NumChannels));
    QCOMPARE(h.line("Text1")->text(), QString::fromStdString(r.FixHeader.FixtureName.str()));
    QVERIFY(h.editor->isWindowModified());       // in no file yet
    QVERIFY(!h.document.undoStack()->canUndo()); // a fresh history
    QVERIFY(h.document.filePath().isEmpty());

    // A file whose pan degree the editor cannot show opens with a note saying so.
    auto wide = std::make_unique<fx::FixtureRecord>(r);
    wide->MaxPanDegree = 800;
    fx::BuildFuncMap(*wide);
    writeFile(h.path("wide.tff"), imageOf(*wide));
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Discard);
    QVERIFY(h.editor->openFile(h.path("wide.tff")));
    QVERIFY2(h.dialogs.shown().back().text.contains(QStringLiteral("800")),
             qPrintable(h.dialogs.shown().back().text));
}

void TestFixtureEdit::answered_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(Answer::Yes);
    QTest::newRow("No") << int(Answer::No);
    QTest::newRow("Escape") << int(Answer::Cancel); // the box closed
}

void TestFixtureEdit::answered()
{
    // Typed over the cell's name (the first key opens it) and left with Tab. A box has the focus
    // while the question is open, which is asked once the name editor has closed; after it the
    // focus is back in the grid with the row's Type open, whatever the answer.
    QFETCH(int, answer);
    EditorHarness h(nameSetFile(61));
    const QByteArray before = readFile(h.services.chNameSetPath);
    h.setChannel(0, "Pan", fx::TypeLtp, 0, 0, 6);
    h.editor->FillChannelGrid();
    h.grid->setCurrentIndex(h.index(0, 1));
    h.grid->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(h.grid, QStringLiteral("C"));
    auto* names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    QTest::keyClicks(names, QStringLiteral("af"));
    QTest::sendKeyEvent(QTest::Click, names, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
    h.dialogs.setNextAnswer(Answer(answer));
    h.dialogs.whileAsking = [] {
        QDialog box;
        QTimer::singleShot(0, &box, [&box] {
            QVERIFY(QTest::qWaitForWindowActive(&box));
            box.accept();
        });
        box.exec();
    };
    QTest::keyClick(names, Qt::Key_Tab);
    h.editor->activateWindow(); // as the window manager does when the box goes
    QVERIFY(QTest::qWaitForWindowActive(h.editor.get()));
    QCOMPARE(h.dialogs.shown().size(), 1);
    QVERIFY(h.grid->isAncestorOf(h.focus()));
    QVERIFY(h.openEditor<QComboBox>("Combo13"));
    QCOMPARE(h.grid->currentIndex(), h.index(0, 2));
    // Yes: the channel, its cell and chooser label take the name, one 14-byte entry at position 61
    // of the file. Otherwise the cell is emptied and the channel loses its name, so that the
    // chooser no longer shows "Pan" either.
    const bool added = answer == int(Answer::Yes);
    const QByteArray name = added ? QByteArray("Caf\xE9        ", 12) : QByteArray(12, ' ');
    QCOMPARE(QByteArray::fromStdString(h.channel(0).ChName.str()), name);
    QCOMPARE(int(h.channel(0).FuncCode), added ? 64 : 0);
    QCOMPARE(h.cell(0, 1), added ? QString::fromLatin1(name) : QString());
    QCOMPARE(h.combo("Combo9")->itemText(0),
             added ? QStringLiteral("Chan 1 - Caf\u00e9") : QStringLiteral("Chan 1"));
    QByteArray file = before;
    if (added)
        file.replace(14 * 61, 14, "\x3D\x40" + name);
    QCOMPARE(readFile(h.services.chNameSetPath), file);
    QCOMPARE(h.editor->nameList().count(), added ? 44 : 43);
}

void TestFixtureEdit::messages_data()
{
    // The set's names run from position 41 ("full" list), 59 (no free place) or only the
    // defaults, with the set file a folder: it cannot be read, so it is not rewritten.
    QTest::addColumn<int>("namedFrom");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("messages"); // what each message shown contains
    QTest::addColumn<QString>("cell");         // afterwards; the channel's name when not empty
    QTest::newRow("no place") << 59 << "Scan" << QStringList{"no free place"} << "";
    QTest::newRow("full, known") << 41 << "Pan" << QStringList{"Over Channel Name Index!"}
                                 << "Pan         ";
    QTest::newRow("folder, Yes") << fx::ChNameCount << "Scan"
                                 << QStringList{AddQuestion, "could not be written"}
                                 << "Scan        ";
}

void TestFixtureEdit::messages()
{
    QFETCH(int, namedFrom);
    QFETCH(QString, typed);
    QFETCH(QStringList, messages);
    QFETCH(QString, cell);
    EditorHarness h(nameSetFile(fx::ChNameCount, namedFrom));
    const QString path = h.services.chNameSetPath;
    const bool folder = namedFrom == fx::ChNameCount;
    if (folder) {
        QFile::remove(path);
        QDir().mkpath(path);
    }
    h.setChannel(2, "Old", fx::TypeLtp, 0, 0, 5);
    h.editor->FillChannelGrid();
    h.dialogs.setNextAnswer(Answer::Yes);
    h.typeIntoNameCell(2, typed);

    QCOMPARE(h.dialogs.shown().size(), messages.size());
    for (int i = 0; i < messages.size(); ++i)
        QVERIFY2(h.dialogs.shown()[i].text.contains(messages[i]), qPrintable(messages[i]));
    QCOMPARE(h.cell(2, 1), cell);
    QCOMPARE(h.channel(2).ChName.trimmed(), cell.trimmed().toStdString());
    QCOMPARE(h.editor->nameList().find(typed) >= 0, !cell.isEmpty());
    QCOMPARE(QFileInfo(path).isDir(), folder);
}

void TestFixtureEdit::checkedAtNextOpening_data()
{
    // A one-letter name is not checked as its editor loses the focus, but when a name cell is
    // next opened; one dropped by Escape is never checked.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("escape");
    QTest::newRow("one letter") << "X" << false;
    QTest::newRow("Escape") << "Scan" << true;
}

void TestFixtureEdit::checkedAtNextOpening()
{
    QFETCH(QString, typed);
    QFETCH(bool, escape);
    EditorHarness h(nameSetFile(61));
    const QByteArray before = readFile(h.services.chNameSetPath);
    h.clickCell(1, 1);
    QTest::keyClicks(h.openEditor<QComboBox>("Combo10"), typed);
    if (escape)
        QTest::keyClick(h.focus(), Qt::Key_Escape);
    else
        h.focusElsewhere();
    QVERIFY(h.dialogs.shown().isEmpty());
    QCOMPARE(h.cell(1, 1), QString());

    h.dialogs.setNextAnswer(Answer::Yes);
    h.clickCell(5, 1);
    QCOMPARE(h.dialogs.shown().size(), escape ? 0 : 1);
    QCOMPARE(QString::fromStdString(h.channel(1).ChName.trimmed()), escape ? "" : typed);
    QCOMPARE(int(h.channel(1).FuncCode), escape ? 0 : 64);
    QVERIFY(h.channel(5).ChName.isBlank());
    QVERIFY(h.openEditor<QComboBox>("Combo10"));
    QCOMPARE(h.grid->currentIndex(), h.index(5, 1));
    QCOMPARE(readFile(h.services.chNameSetPath) == before, escape);
}

void TestFixtureEdit::importKeys_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("mode"); // -1: none fits, OK stays disabled
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("result"); // -1: the dialog is still open
    const auto row = [](const char* name, const char* file, QList<int> keys, int mode, int rows,
                        int result = -1) {
        QTest::newRow(name) << QString(file) << keys << mode << rows << result;
    };
    // wide.qxf: 48 (over 40), 24, 24 B, 41 (over 40), Empty; the first 24 is the default
    row("default", "wide.qxf", {}, 1, 24);
    row("up to 48", "wide.qxf", {Qt::Key_Up}, 1, 24);
    row("down past 41", "wide.qxf", {Qt::Key_Down, Qt::Key_Down, Qt::Key_End}, 2, 24);
    row("none fits", "too-wide.qxf", {}, -1, 0);
    row("Enter", "rgbw-par.qxf", {Qt::Key_Up, Qt::Key_Return}, 0, 6, QDialog::Accepted);
    row("Escape", "rgbw-par.qxf", {Qt::Key_Escape}, 1, 12, QDialog::Rejected);
}

void TestFixtureEdit::importKeys()
{
    QFETCH(QString, file);
    QFETCH(QList<int>, keys);
    QFETCH(int, mode);
    QFETCH(int, result);
    Shown shown(qPrintable(file));
    for (const int key : keys)
        QTest::keyClick(shown.modes, Qt::Key(key));
    QCOMPARE(shown.dialog->chosenMode(), mode);
    QTEST(shown.channels->rowCount(), "rows");
    QCOMPARE(shown.ok->isEnabled(), mode >= 0);
    QCOMPARE(shown.dialog->isVisible() ? -1 : shown.dialog->result(), result);
    if (mode >= 0)
        QCOMPARE(shown.dialog->chosenImport()->record->FixHeader.NumChannels,
                 shown.channels->rowCount());
}

void TestFixtureEdit::importStepBoxes()
{
    Shown shown(support::definition(support::effectsProjector()), "x.qxf");
    QTableWidget* channels = shown.channels;
    auto* total = shown.dialog->findChild<QLabel*>("importSteps");
    auto* report = shown.dialog->findChild<QPlainTextEdit*>("importReport");
    // x ticked, o not, - no steps to keep
    const auto ticks = [&] {
        QString t;
        for (int r = 0; r < channels->rowCount(); ++r) {
            const QTableWidgetItem* item = channels->item(r, 3);
            t += !(item->flags() & Qt::ItemIsUserCheckable) ? '-'
                 : item->checkState() == Qt::Checked        ? 'x'
                                                            : 'o';
        }
        return t;
    };
    // As the import chose: shutter and gobos, not the 170 colour effects.
    QCOMPARE(ticks(), QString("oxxx-"));
    QCOMPARE(total->text(), QString("Steps ticked: 35 of the file's 204."));
    // Space on the first row ticks the effects: past 204, and the dialog says what is lost.
    channels->setFocus();
    channels->setCurrentCell(0, 0);
    QTest::keyClick(channels, Qt::Key_Space);
    QCOMPARE(ticks(), QString("xxxx-"));
    QVERIFY2(total->text().contains("205 of the file's 204; the file will not hold the last 1"),
             qPrintable(total->text()));
    QVERIFY(report->toPlainText().contains("channel 4 \"Gobo 2\": 1 of its 14 steps lie beyond"));
    QCOMPARE(shown.dialog->chosenImport()->record->StepCount[0], 170);
    // Down and Space untick the shutter: within 204 again; a row without steps ignores Space.
    QTest::keyClick(channels, Qt::Key_Down);
    QTest::keyClick(channels, Qt::Key_Space);
    channels->setCurrentCell(4, 0);
    QTest::keyClick(channels, Qt::Key_Space);
    QCOMPARE(ticks(), QString("xoxx-"));
    QCOMPARE(total->text(), QString("Steps ticked: 196 of the file's 204."));
    QCOMPARE(shown.dialog->chosenImport()->record->StepCount[1], 0);
}

QTEST_MAIN(TestFixtureEdit)
#include "TestFixtureEdit.moc"
