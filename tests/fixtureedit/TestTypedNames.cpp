// Names typed into the channel name editor that the name set lacks: the question, the one entry
// written into "ChNameSet.fix", the list and the channel taking the name, the No path, a full
// list, and a file that cannot be written.
#include "EditorHarness.h"

#include <QFileInfo>

namespace {

const QString AddQuestion = QStringLiteral("Channel Name does not exist,Do you wish to add it?");
using Answer = ui::Dialogs::Answer;

} // namespace

class TestTypedNames : public QObject {
    Q_OBJECT

private slots:
    void typedName_data();
    void typedName();
    void fullList();
    void oneLetterCheckedAtNextOpening();
    void nameSetIsAFolder();
    void typingOverAName();
    void escapedNameNotChecked();
};

void TestTypedNames::typedName_data()
{
    QTest::addColumn<int>("userNamesEnd"); // user names at 59.. below this position
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer"); // -1: no question expected; -2: a message, no question
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("listCount"); // 44: the name was added as entry 61
    const int yes = int(Answer::Yes), full = fx::ChNameCount;
    QTest::newRow("known, other case") << 61 << "pan" << -1 << "Pan         " << 6 << 43;
    QTest::newRow("new, Yes") << 61 << "Scan" << yes << "Scan        " << 64 << 44;
    QTest::newRow("new, No") << 61 << "Scan" << int(Answer::No) << "Old         " << 5 << 43;
    QTest::newRow("blanks") << 61 << "    " << -1 << "Old         " << 5 << 43;
    // Every user position taken while default positions stand empty: nothing to ask, but the
    // user is told, and the cell does not keep a name the channel does not hold.
    QTest::newRow("no free user position") << full << "Scan" << -2 << "Old         " << 5 << 235;
}

void TestTypedNames::typedName()
{
    QFETCH(int, userNamesEnd);
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(QString, stored);
    QFETCH(int, code);
    QFETCH(int, listCount);
    EditorHarness h(nameSetFile(userNamesEnd));
    const QByteArray before = readFile(h.services.chNameSetPath);
    h.setChannel(2, "Old", fx::TypeLtp, 0, 0, 5);
    h.editor->FillChannelGrid();
    if (answer >= 0)
        h.dialogs.setNextAnswer(Answer(answer));
    h.typeIntoNameCell(2, typed);

    QCOMPARE(h.dialogs.shown().size(), answer == -1 ? 0 : 1);
    if (answer == -2) {
        QVERIFY(!h.dialogs.shown()[0].question);
        QVERIFY(h.dialogs.shown()[0].text.contains(QStringLiteral("no free place")));
    }
    QCOMPARE(QString::fromLatin1(h.channel(2).ChName.str()), stored);
    QCOMPARE(int(h.channel(2).FuncCode), code);
    const ChannelNameList& list = h.editor->nameList();
    QCOMPARE(list.count(), listCount);
    QVERIFY(!h.grid->typedName().typed);
    if (answer == int(Answer::No) || answer == -2) {
        QCOMPARE(h.cell(2, 1), QString());
        QCOMPARE(h.grid->currentIndex(), h.index(2, 1));
    } else if (code != 5) {
        QCOMPARE(h.cell(2, 1), stored);
    }
    // An added name is one 14-byte entry at position 61 of the file; nothing else changes.
    const bool added = listCount == 44;
    QByteArray file = before;
    if (added)
        file.replace(14 * 61, 14, QByteArray("\x3D\x40") + stored.toLatin1());
    QCOMPARE(readFile(h.services.chNameSetPath), file);
    QCOMPARE(list.set()[61].SetName.isBlank(), !added && userNamesEnd <= 61);
    if (!added)
        return;
    QCOMPARE(int(list.set()[61].ChIndex), 61);
    QCOMPARE(int(list.set()[61].ChCode), 64);
    QCOMPARE(list.text(43), stored);
    QCOMPARE(list.code(43), 64);
    QCOMPARE(h.combo("Combo9")->itemText(2), QStringLiteral("Chan 3 - ") + stored);
    // The list offers it from now on.
    h.clickCell(4, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QCOMPARE(names->itemText(names->count() - 1), stored);
}

void TestTypedNames::fullList()
{
    // Positions 41 to 58 are empty in the defaults; filled too, the list holds 253 names.
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    for (int k = 41; k < fx::ChNameCount; ++k)
        fx::StoreChName(set, k, "Name" + std::to_string(k));
    EditorHarness h(bytesOf(fx::chNameSetImage(set)));
    QCOMPARE(h.editor->nameList().count(), 253);

    h.typeIntoNameCell(0, QStringLiteral("Pan")); // even a known name
    QCOMPARE(h.dialogs.shown().size(), 1);
    QCOMPARE(h.dialogs.shown()[0].text, QStringLiteral("Over Channel Name Index!"));
    QCOMPARE(h.editor->nameList().count(), 253);
}

void TestTypedNames::oneLetterCheckedAtNextOpening()
{
    EditorHarness h(nameSetFile(61));
    h.typeIntoNameCell(1, QStringLiteral("X"));
    QVERIFY(h.dialogs.shown().isEmpty()); // one letter: not checked on leaving the editor
    QCOMPARE(h.cell(1, 1), QString());

    h.dialogs.setNextAnswer(Answer::Yes);
    h.clickCell(5, 1);
    QCOMPARE(h.dialogs.shown().size(), 1);
    QCOMPARE(h.dialogs.shown()[0].text, AddQuestion);
    QCOMPARE(h.channel(1).ChName.str(), std::string("X           "));
    QCOMPARE(int(h.channel(1).FuncCode), 64);
    QCOMPARE(h.channel(5).ChName.str(), std::string(12, ' '));
    QVERIFY(h.openEditor<QComboBox>("Combo10"));
    QCOMPARE(h.grid->currentIndex(), h.index(5, 1));
}

void TestTypedNames::nameSetIsAFolder()
{
    // The set file cannot be read, so it is not rewritten from nothing; the name stays with the
    // channel and the list, and the user is told. (A refused write is the proof suite's.)
    EditorHarness h(nameSetFile(61));
    const QString path = h.services.chNameSetPath;
    QFile::remove(path);
    QDir().mkpath(path);
    h.dialogs.setNextAnswer(Answer::Yes);
    h.typeIntoNameCell(0, QStringLiteral("Scan"));

    QCOMPARE(h.dialogs.shown().size(), 2);
    checkTold(h.dialogs.shown()[1], path, "");
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(h.editor->nameList().text(43), QStringLiteral("Scan        "));
    QCOMPARE(h.channel(0).ChName.str(), std::string("Scan        "));
    QCOMPARE(int(h.channel(0).FuncCode), 64);
}

void TestTypedNames::typingOverAName()
{
    // The editor opens with the cell's name selected: typing replaces it, and the new name is
    // the one checked.
    EditorHarness h(nameSetFile(61));
    h.setChannel(0, "Pan", fx::TypeLtp, 0, 0, 6);
    h.editor->FillChannelGrid();
    h.clickCell(0, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QCOMPARE(names->currentText(), QStringLiteral("Pan         "));
    h.dialogs.setNextAnswer(Answer::Yes);
    QTest::keyClicks(names, QStringLiteral("Caf"));
    QTest::sendKeyEvent(QTest::Click, names, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
    QCOMPARE(names->currentText(), QStringLiteral("Café"));
    QTest::keyClick(names, Qt::Key_Tab);
    QCOMPARE(h.dialogs.shown().size(), 1);
    const QByteArray cafe("Caf\xE9        ", 12);
    QCOMPARE(QByteArray::fromStdString(h.channel(0).ChName.str()), cafe);
    QCOMPARE(int(h.channel(0).FuncCode), 64);
    QCOMPARE(readFile(h.services.chNameSetPath).mid(14 * 61, 14), "\x3D\x40" + cafe);
    QVERIFY(h.openEditor<QComboBox>("Combo13")); // Tab went on to the same channel's type
}

void TestTypedNames::escapedNameNotChecked()
{
    // Escape drops a typed name with the edit: the next name cell opened asks nothing, and
    // neither the channel nor the name set takes it.
    EditorHarness h(nameSetFile(61));
    const QByteArray before = readFile(h.services.chNameSetPath);
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[2].ChName.assign("Old"); });
    h.editor->FillChannelGrid();
    h.clickCell(2, 1);
    h.typeName(QStringLiteral("Scan"));
    QTest::keyClick(h.focus(), Qt::Key_Escape);
    h.dialogs.setNextAnswer(Answer::Yes);
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
