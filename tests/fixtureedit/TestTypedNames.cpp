// Names typed into the channel name editor that the name set lacks: the question, the one entry
// written into "ChNameSet.fix", the list and the channel taking the name, the No path, a full
// list, and a file that cannot be written.
#include "EditorHarness.h"

namespace {

// The default names with user names at positions 59 and 60.
QByteArray setWithUserNames(int filled = 61)
{
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    for (int k = 59; k < filled; ++k)
        fx::StoreChName(set, k, "User" + std::to_string(k));
    const auto image = fx::chNameSetImage(set);
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

// Types text into the name cell of row and leaves the editor as a click elsewhere does.
void typeIntoNameCell(EditorHarness& h, int row, const QString& text)
{
    h.clickCell(row, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    names->lineEdit()->clear();
    QTest::keyClicks(names, text);
    h.focusElsewhere();
}

const QString AddQuestion = QStringLiteral("Channel Name does not exist,Do you wish to add it?");

} // namespace

class TestTypedNames : public QObject {
    Q_OBJECT

private slots:
    void knownNameInOtherCase();
    void newNameAdded();
    void newNameRefused();
    void longNameStoredAsTwelve();
    void blanksAskNothing();
    void fullList();
    void noFreeUserPosition();
    void oneLetterCheckedAtNextOpening();
    void failedWriteKeepsName();
    void unreadableFileNotOverwritten();
    void typingOverAName();
    void escapedNameNotChecked();
};

void TestTypedNames::knownNameInOtherCase()
{
    EditorHarness h(setWithUserNames());
    const QByteArray before = readFile(h.services.chNameSetPath);
    typeIntoNameCell(h, 0, QStringLiteral("pan"));
    QVERIFY(h.dialogs.shown().isEmpty());
    QCOMPARE(readFile(h.services.chNameSetPath), before);
    QCOMPARE(h.editor->nameList().count(), 43);
    QCOMPARE(h.channel(0).ChName.str(), std::string("Pan         "));
    QCOMPARE(int(h.channel(0).FuncCode), 6);
}

void TestTypedNames::newNameAdded()
{
    EditorHarness h(setWithUserNames());
    const QByteArray before = readFile(h.services.chNameSetPath);
    h.channel(2).ChName.assign("Old");
    h.channel(2).FuncCode = 5;
    h.editor->FillChannelGrid();
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    typeIntoNameCell(h, 2, QStringLiteral("Scan"));

    QCOMPARE(h.dialogs.shown().size(), 1);
    QCOMPARE(h.dialogs.shown()[0].title, QStringLiteral("Add Channel Name"));
    QCOMPARE(h.dialogs.shown()[0].text, AddQuestion);

    const fx::ChNameRec& rec = h.editor->nameList().set()[61];
    QCOMPARE(int(rec.ChIndex), 61);
    QCOMPARE(int(rec.ChCode), 64);
    QCOMPARE(rec.SetName.str(), std::string("Scan        "));

    const QByteArray after = readFile(h.services.chNameSetPath);
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after.mid(854, 14), QByteArray("\x3D\x40Scan        "));
    QCOMPARE(after.left(854), before.left(854));
    QCOMPARE(after.mid(868), before.mid(868));

    const ChannelNameList& list = h.editor->nameList();
    QCOMPARE(list.count(), 44);
    QCOMPARE(list.text(43), QStringLiteral("Scan        "));
    QCOMPARE(list.code(43), 64);
    QCOMPARE(h.channel(2).ChName.str(), std::string("Scan        "));
    QCOMPARE(int(h.channel(2).FuncCode), 64);
    QCOMPARE(h.cell(2, 1), QStringLiteral("Scan        "));
    QCOMPARE(h.editor->findChild<QComboBox*>("Combo9")->itemText(2),
             QStringLiteral("Chan 3 - Scan        "));

    // The list offers it from now on.
    h.clickCell(4, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QCOMPARE(names->itemText(names->count() - 1), QStringLiteral("Scan        "));
}

void TestTypedNames::newNameRefused()
{
    EditorHarness h(setWithUserNames());
    const QByteArray before = readFile(h.services.chNameSetPath);
    h.channel(2).ChName.assign("Old");
    h.channel(2).FuncCode = 5;
    h.editor->FillChannelGrid();
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::No);
    typeIntoNameCell(h, 2, QStringLiteral("Scan"));

    QCOMPARE(h.dialogs.shown().size(), 1);
    QCOMPARE(h.cell(2, 1), QString());
    QCOMPARE(h.grid->currentIndex(), h.index(2, 1));
    QCOMPARE(h.channel(2).ChName.trimmed(), std::string("Old"));
    QCOMPARE(int(h.channel(2).FuncCode), 5);
    QCOMPARE(readFile(h.services.chNameSetPath), before);
    QCOMPARE(h.editor->nameList().count(), 43);
    QVERIFY(h.editor->nameList().set()[61].SetName.isBlank());
}

void TestTypedNames::longNameStoredAsTwelve()
{
    EditorHarness h(setWithUserNames());
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    typeIntoNameCell(h, 0, QStringLiteral("ColourWheel2B"));
    QCOMPARE(h.dialogs.shown().size(), 1);
    QCOMPARE(h.editor->nameList().set()[61].SetName.str(), std::string("ColourWheel2"));
    QCOMPARE(h.channel(0).ChName.str(), std::string("ColourWheel2"));
    QCOMPARE(int(h.channel(0).FuncCode), 64);
}

void TestTypedNames::blanksAskNothing()
{
    EditorHarness h(setWithUserNames());
    typeIntoNameCell(h, 0, QStringLiteral("    "));
    QVERIFY(h.dialogs.shown().isEmpty());
    QCOMPARE(h.editor->nameList().count(), 43);
    QVERIFY(!h.grid->typedName().typed);
}

void TestTypedNames::fullList()
{
    EditorHarness h(setWithUserNames(fx::ChNameCount));
    QCOMPARE(h.editor->nameList().count(), 41 + 194);
    // Positions 41 to 58 are empty in the defaults; fill them too for a list of 253.
    fx::ChNameSet set = h.editor->nameList().set();
    for (int k = 41; k < 59; ++k)
        fx::StoreChName(set, k, "Mid" + std::to_string(k));
    const auto image = fx::chNameSetImage(set);
    writeFile(h.services.chNameSetPath,
              QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size())));
    h.editor->load();
    QCOMPARE(h.editor->nameList().count(), 253);

    typeIntoNameCell(h, 0, QStringLiteral("Pan")); // even a known name
    QCOMPARE(h.dialogs.shown().size(), 1);
    QCOMPARE(h.dialogs.shown()[0].text, QStringLiteral("Over Channel Name Index!"));
    QCOMPARE(h.editor->nameList().count(), 253);
}

void TestTypedNames::noFreeUserPosition()
{
    // Every user position taken while default positions stand empty: nothing to ask.
    EditorHarness h(setWithUserNames(fx::ChNameCount));
    typeIntoNameCell(h, 0, QStringLiteral("Scan"));
    QVERIFY(h.dialogs.shown().isEmpty());
    QCOMPARE(h.editor->nameList().count(), 235);
}

void TestTypedNames::oneLetterCheckedAtNextOpening()
{
    EditorHarness h(setWithUserNames());
    typeIntoNameCell(h, 1, QStringLiteral("X"));
    QVERIFY(h.dialogs.shown().isEmpty()); // one letter: not checked on leaving the editor
    QCOMPARE(h.cell(1, 1), QString());

    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    h.clickCell(5, 1);
    QCOMPARE(h.dialogs.shown().size(), 1);
    QCOMPARE(h.dialogs.shown()[0].text, AddQuestion);
    QCOMPARE(h.channel(1).ChName.str(), std::string("X           "));
    QCOMPARE(int(h.channel(1).FuncCode), 64);
    QCOMPARE(h.channel(5).ChName.str(), std::string(12, ' '));
    QVERIFY(h.openEditor<QComboBox>("Combo10"));
    QCOMPARE(h.grid->currentIndex(), h.index(5, 1));
}

void TestTypedNames::failedWriteKeepsName()
{
    RefusingFileAccess refusing;
    EditorHarness h(setWithUserNames(), &refusing);
    const QByteArray before = readFile(h.services.chNameSetPath);
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    typeIntoNameCell(h, 0, QStringLiteral("Scan"));

    QCOMPARE(refusing.refused, 1);
    QCOMPARE(readFile(h.services.chNameSetPath), before);
    QCOMPARE(h.dialogs.shown().size(), 2);
    const auto& told = h.dialogs.shown()[1];
    QVERIFY(!told.question);
    QVERIFY(told.text.contains(h.services.chNameSetPath));
    QVERIFY(told.text.contains(QStringLiteral("No space left on device")));
    QCOMPARE(h.editor->nameList().text(43), QStringLiteral("Scan        "));
    QCOMPARE(h.channel(0).ChName.str(), std::string("Scan        "));
    QCOMPARE(int(h.channel(0).FuncCode), 64);
}

void TestTypedNames::unreadableFileNotOverwritten()
{
    EditorHarness h(setWithUserNames());
    // The name set file turns into a folder after the load: it cannot be read, so it is not
    // rewritten from nothing.
    QFile::remove(h.services.chNameSetPath);
    QDir().mkpath(h.services.chNameSetPath);
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    typeIntoNameCell(h, 0, QStringLiteral("Scan"));
    QCOMPARE(h.dialogs.shown().size(), 2);
    QVERIFY(h.dialogs.shown()[1].text.contains(h.services.chNameSetPath));
    QVERIFY(QFileInfo(h.services.chNameSetPath).isDir());
    QCOMPARE(h.channel(0).ChName.str(), std::string("Scan        "));
}

void TestTypedNames::typingOverAName()
{
    // The editor opens with the cell's name selected: typing replaces it, and the new name is
    // the one checked.
    EditorHarness h(setWithUserNames());
    h.channel(0).ChName.assign("Pan");
    h.channel(0).FuncCode = 6;
    h.editor->FillChannelGrid();
    h.clickCell(0, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QCOMPARE(names->currentText(), QStringLiteral("Pan         "));
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    QTest::keyClicks(names, QStringLiteral("Caf"));
    QTest::sendKeyEvent(QTest::Click, names, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
    QCOMPARE(names->currentText(), QStringLiteral("Café"));
    QTest::keyClick(names, Qt::Key_Tab);
    QCOMPARE(h.dialogs.shown().size(), 1);
    QCOMPARE(h.channel(0).ChName.str(), std::string("Caf\xE9"
                                                    "        "));
    QCOMPARE(int(h.channel(0).FuncCode), 64);
    QCOMPARE(readFile(h.services.chNameSetPath).mid(14 * 61, 14), QByteArray("\x3D\x40"
                                                                             "Caf\xE9"
                                                                             "        "));
    // Tab went on to the type of the same channel.
    QVERIFY(h.openEditor<QComboBox>("Combo13"));
}

void TestTypedNames::escapedNameNotChecked()
{
    // Escape drops a typed name with the edit: the next name cell opened asks nothing, and
    // neither the channel nor the name set takes it.
    EditorHarness h(setWithUserNames());
    const QByteArray before = readFile(h.services.chNameSetPath);
    h.channel(2).ChName.assign("Old");
    h.editor->FillChannelGrid();
    h.clickCell(2, 1);
    h.typeName(QStringLiteral("Scan"));
    QTest::keyClick(h.focus(), Qt::Key_Escape);
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    h.clickCell(4, 1);
    QVERIFY(h.openEditor<QComboBox>("Combo10"));
    h.focusElsewhere();

    QVERIFY(h.dialogs.shown().isEmpty());
    QCOMPARE(h.channel(2).ChName.trimmed(), std::string("Old"));
    QCOMPARE(h.editor->nameList().count(), 43);
    QCOMPARE(readFile(h.services.chNameSetPath), before);
}

QTEST_MAIN(TestTypedNames)
#include "TestTypedNames.moc"
