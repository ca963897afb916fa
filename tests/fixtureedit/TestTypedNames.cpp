// Names typed into the channel name editor that the name set lacks, through the real grid: the
// question answered, the one entry written into "ChNameSet.fix", where the focus goes after the
// question, the messages, and the check that waits for the next opening of a name cell. Which
// names are asked about is the name set's own rule (tests/core/tst_chnameset.cpp).
#include "EditorHarness.h"

#include <QFileInfo>

namespace {

const QString AddQuestion = QStringLiteral("Channel Name does not exist,Do you wish to add it?");
using Answer = ui::Dialogs::Answer;

} // namespace

class TestTypedNames : public QObject {
    Q_OBJECT

private slots:
    void answered_data();
    void answered();
    void messages_data();
    void messages();
    void checkedAtNextOpening_data();
    void checkedAtNextOpening();
};

void TestTypedNames::answered_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(Answer::Yes);
    QTest::newRow("No") << int(Answer::No);
    QTest::newRow("Escape") << int(Answer::Cancel); // the box closed
}

void TestTypedNames::answered()
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

void TestTypedNames::messages_data()
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

void TestTypedNames::messages()
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

void TestTypedNames::checkedAtNextOpening_data()
{
    // A one-letter name is not checked as its editor loses the focus, but when a name cell is
    // next opened; one dropped by Escape is never checked.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("escape");
    QTest::newRow("one letter") << "X" << false;
    QTest::newRow("Escape") << "Scan" << true;
}

void TestTypedNames::checkedAtNextOpening()
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

QTEST_MAIN(TestTypedNames)
#include "TestTypedNames.moc"
