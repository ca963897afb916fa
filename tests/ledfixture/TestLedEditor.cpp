// The LED fixture editor's window: files saved through it byte for byte, refused opens, where a
// save lands, undo and redo, and a fresh start (the edits' rules are the core document's table,
// the grid's keys the grid table's, the exit question's answers the main window's test).

#include "LedEditorDriver.h"
#include "tests/support/TestFiles.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QTemporaryDir>

using namespace support;

class TestLedEditor : public QObject {
    Q_OBJECT
    QString path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir; // a fresh folder for every case

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // A window reopened after work on 10 channels starts a fresh fixture again.
    void reopenStartsFresh()
    {
        LedEditorDriver ed;
        QVERIFY(ed.ready());
        const fx::LedFixtureRecord fresh = ed.form->record();
        QVERIFY(ed.setChannelCount(10));
        QVERIFY(ed.pick(0, 1, "Blue"));
        QTest::keyClicks(ed.nameBox, "X");
        ed.form->hide(); // closing hides the window; opening it again runs the start-up
        ed.form->load();
        QVERIFY(ed.showActive());
        QVERIFY(ed.form->record() == fresh);
        QCOMPARE(ed.nameBox->text(), QString("New Fixture"));
        QCOMPARE(ed.countList->currentText(), QString("8"));
        QCOMPARE(ed.grid->model()->rowCount(), 8);
    }

    // The Edit menu: each edit named in Undo (typing the name is one edit), Ctrl+Z and Ctrl+Y,
    // a save clears the modified mark and the exit question is asked only while modified (the
    // mark's rules, shared by every editor, are TestUndo's).
    void undoRedo()
    {
        LedEditorDriver ed;
        QVERIFY(ed.ready());
        auto* undo = ed.form->findChild<QAction*>(QStringLiteral("EditUndo"));
        QVERIFY(undo && !undo->isEnabled());
        ed.nameBox->selectAll();
        QTest::keyClicks(ed.nameBox, "Par");
        QCOMPARE(undo->text(), QStringLiteral("&Undo Fixture Name"));
        QVERIFY(ed.pick(2, 1, "Green"));
        QCOMPARE(undo->text(), QStringLiteral("&Undo Channel Name"));
        QTest::keyClick(ed.grid, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(ed.grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ed.nameBox->text(), QStringLiteral("New Fixture"));
        QCOMPARE(ed.text(2, 1), QString());
        QTest::keyClick(ed.grid, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ed.nameBox->text(), QStringLiteral("Par"));
        QVERIFY(ed.form->isWindowModified());
        ed.dialogs.setNextAnswer(ui::Dialogs::Answer::Save);
        ed.dialogs.setNextFileName(path("led.tff"));
        QVERIFY(ed.form->maybeDiscard());
        QVERIFY(!ed.form->isWindowModified());
        QVERIFY(ed.form->maybeDiscard()); // nothing to ask
        QCOMPARE(ed.dialogs.pendingAnswers(), 0);
    }

    // An open takes the whole file with a fresh history: nothing of the fixture shown before
    // stays, not even in a row hidden behind the count, and a save gives the same bytes again.
    void openReplacesEverything()
    {
        LedEditorDriver ed;
        QAbstractItemModelTester tester(ed.grid->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(ed.setChannelCount(10));
        QVERIFY(ed.pick(9, 1, "Red"));
        QVERIFY(ed.setChannelCount(8));
        ed.dialogs.setNextFileName(goldenPath("led-default.tff"));
        QTest::keyClick(ed.nameBox, Qt::Key_O, Qt::ControlModifier);
        QVERIFY(!ed.form->isModified());
        QVERIFY(!ed.form->findChild<QAction*>(QStringLiteral("EditUndo"))->isEnabled());
        QCOMPARE(ed.form->record().LedChannels[9].ColourCode, 0);
        ed.dialogs.setNextFileName(path("again.tff"));
        QTest::mouseClick(ed.saveButton, Qt::LeftButton);
        COMPARE_GOLDEN("led-default.tff", readFile(path("again.tff")));
    }

    // A save as a user makes it: the mirror boxes are not saved, and a fadeable pair set as high
    // type, partner, then low type is written as such (channel 1 's' with partner 2, channel 2
    // 'O'). The golden files are in tests/data (FIXTURE_REGENERATE_GOLDEN=1 writes them again).
    void savedFile_data()
    {
        QTest::addColumn<bool>("pair");
        QTest::newRow("mirror boxes are not saved") << false;
        QTest::newRow("fadeable pair written before the low type is set") << true;
    }
    void savedFile()
    {
        QFETCH(bool, pair);
        LedEditorDriver ed;
        QVERIFY(ed.ready());
        for (const char* name : {"Text4", "Text2"}) {
            auto* box = ed.form->findChild<QLineEdit*>(name);
            box->selectAll();
            QTest::keyClicks(box, "359");
            QCOMPARE(box->text(), QString("359"));
        }
        if (pair) {
            QVERIFY(ed.pick(0, 2, "Fadeable LTP 16bitH"));
            QVERIFY(ed.pick(0, 3, "2"));
            QVERIFY(ed.pick(1, 2, "Fadeable LTP 16bitL"));
        }
        ed.dialogs.setNextFileName(path("led.tff"));
        QTest::mouseClick(ed.saveButton, Qt::LeftButton);
        QVERIFY(ed.dialogs.shown().isEmpty());
        COMPARE_GOLDEN(pair ? "led-fadeable-pair.tff" : "led-default.tff",
                       readFile(path("led.tff")));
    }

    // A file the editor cannot open is named in a message and changes nothing (the reasons
    // are the LED file table's).
    void refusedOpen()
    {
        QVERIFY(writeFile(path("bad.tff"), QByteArray(6144, 0))); // a fixture setup file
        LedEditorDriver ed;
        QVERIFY(ed.ready());
        QVERIFY(ed.setChannelCount(4));
        QVERIFY(ed.pick(0, 2, "HTP"));
        const fx::LedFixtureRecord before = ed.form->record();
        ed.dialogs.setNextFileName(path("bad.tff"));
        QTest::keyClick(ed.nameBox, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ed.dialogs.shown().size(), 1);
        QVERIFY2(ed.dialogs.shown()[0].text.contains("6144 bytes long"),
                 qPrintable(ed.dialogs.shown()[0].text));
        QVERIFY(ed.form->record() == before);
        QCOMPARE(ed.text(0, 2), QString("HTP"));
        QCOMPARE(ed.countList->currentText(), QString("4"));
    }

    // Where a save lands: the question before replacing "led.tff", asked about the name with the
    // suffix, and a cancelled file dialog (the suffix rule is the fixture file table's, a failing
    // write and its message the guard's test).
    void saveTarget_data()
    {
        QTest::addColumn<QString>("chosen"); // empty: the file dialog is cancelled
        QTest::addColumn<int>("answer");     // to the replace question; -1: none asked
        const int yes = int(ui::Dialogs::Answer::Yes), no = int(ui::Dialogs::Answer::No);
        QTest::newRow("No keeps") << QString("led.tff") << no;
        QTest::newRow("asked about the suffixed name, Yes replaces") << QString("led") << yes;
        QTest::newRow("cancelled dialog") << QString() << -1;
    }
    void saveTarget()
    {
        QFETCH(QString, chosen);
        QFETCH(int, answer);
        const bool saved = !chosen.isEmpty() && answer != int(ui::Dialogs::Answer::No);
        const QByteArray old("the old LED file");
        QVERIFY(writeFile(path("led.tff"), old));

        LedEditorDriver ed;
        QVERIFY(ed.pick(0, 2, "Fadeable LTP 16bitL"));
        ed.dialogs.setNextFileName(chosen.isEmpty() ? QString() : path(chosen));
        if (answer >= 0)
            ed.dialogs.setNextAnswer(ui::Dialogs::Answer(answer));
        QTest::mouseClick(ed.saveButton, Qt::LeftButton);

        QCOMPARE(ed.dialogs.shown().size(), answer >= 0 ? 1 : 0);
        if (answer >= 0)
            QCOMPARE(ed.dialogs.shown()[0].text,
                     QDir::toNativeSeparators(path("led.tff")) +
                         " already exists.\rDo you want to replace it?");
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"led.tff"});
        if (saved) // channel 1 written 'O', a low type no high channel names
            COMPARE_GOLDEN("led-orphan-low.tff", readFile(path("led.tff")));
        else
            QCOMPARE(readFile(path("led.tff")), old);
        // Only a written file normalises the types.
        QCOMPARE(ed.text(0, 2), QString(saved ? "LTP" : "Fadeable LTP 16bitL"));
    }
};

QTEST_MAIN(TestLedEditor)
#include "TestLedEditor.moc"
