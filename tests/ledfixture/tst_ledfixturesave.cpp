// Files saved through the LED fixture editor, byte for byte, and the save's questions and
// failures.

#include "LedEditorDriver.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace support;

namespace {

// The file of an untouched editor: 8 channels, no names chosen, named "New Fixture" (the golden
// file tests/data/led-default.tff).
QByteArray defaultFile()
{
    return readFile(goldenPath("led-default.tff"));
}

void setRecord(QByteArray& file, int position, const QByteArray& record)
{
    file.replace(23 + 17 * position, 17, record);
}

QByteArray channel(int colour, char type, int pair, char letter, const QByteArray& name)
{
    QByteArray record;
    record += char(colour);
    record += type;
    record += '\0';
    record += char(pair);
    record += letter;
    record += name;
    return record;
}

QByteArray named(const char* name)
{
    return QByteArray(name).leftJustified(12, ' ');
}

const QByteArray Unnamed(12, '\0');

} // namespace

class TestLedFixtureSave : public QObject {
    Q_OBJECT
    QString path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir; // a fresh folder for every case

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Each action is "count N", "name ROW TEXT", "type ROW TEXT", "pair ROW N", "fixture TEXT"
    // or "mirrors TEXT" (both mirror boxes), rows counted from 0, done as a user does them.
    void savedFile_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("typesAfter");

        const QStringList ltp8(8, "LTP");
        QByteArray file = defaultFile();
        QTest::newRow("default") << QStringList() << file << ltp8;
        QTest::newRow("mirror boxes are not saved") << QStringList{"mirrors 359"} << file << ltp8;

        file = defaultFile();
        setRecord(file, 0, channel(0, 's', 2, 0, Unnamed));
        setRecord(file, 1, channel(0, 'O', 0, 0, Unnamed));
        QStringList types = ltp8;
        types[0] = "Fadeable LTP 16bitH";
        types[1] = "Fadeable LTP 16bitL";
        QTest::newRow("fadeable pair written before the low type is set")
            << QStringList{"type 0 Fadeable LTP 16bitH", "pair 0 2", "type 1 Fadeable LTP 16bitL"}
            << file << types;

        file = defaultFile();
        file.replace(1, 12, "LED Bar    \x0a");
        file.replace(13, 10, QByteArray::fromHex("08090000000000000000"));
        file[13 + 9] = 10;
        setRecord(file, 0, channel(0, 'H', 0, 0, Unnamed));
        setRecord(file, 8, channel(1, 'I', 0, 'R', named("Red")));
        setRecord(file, 9, channel(9, 'L', 0, 'D', named("Duration")));
        types = QStringList(10, "LTP");
        types[0] = "HTP";
        types[8] = "instant LTP";
        QTest::newRow("ten channels")
            << QStringList{"count 10",   "fixture LED Bar",    "type 0 HTP",
                           "name 8 Red", "type 8 instant LTP", "name 9 Duration"}
            << file << types;

        // A position no longer in use keeps only its colour code.
        file = defaultFile();
        setRecord(file, 8, channel(3, 0, 0, 0, QByteArray(12, ' ')));
        QTest::newRow("colour of an unused position")
            << QStringList{"count 10", "name 8 Blue", "count 8"} << file << ltp8;
    }
    void savedFile()
    {
        QFETCH(QStringList, actions);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, typesAfter);
        QCOMPARE(file.size(), 512);

        LedEditorDriver ed;
        QVERIFY(ed.ready());
        for (const QString& action : actions) {
            const QString verb = action.section(' ', 0, 0);
            const QString rest = action.section(' ', 1);
            if (verb == "count") {
                QVERIFY2(ed.setChannelCount(rest.toInt()), qPrintable(action));
            } else if (verb == "fixture" || verb == "mirrors") {
                const QStringList boxes =
                    verb == "fixture" ? QStringList{"Text1"} : QStringList{"Text4", "Text2"};
                for (const QString& name : boxes) {
                    auto* box = ed.form->findChild<QLineEdit*>(name);
                    box->selectAll();
                    LedEditorDriver::typeText(box, rest);
                    QCOMPARE(box->text(), rest);
                }
            } else {
                const int column = verb == "name" ? 1 : verb == "type" ? 2 : 3;
                QVERIFY2(ed.pick(rest.section(' ', 0, 0).toInt(), column, rest.section(' ', 1)),
                         qPrintable(action));
            }
        }

        ed.dialogs.setNextFileName(path("led.tff"));
        QTest::mouseClick(ed.saveButton, Qt::LeftButton);
        QCOMPARE(ed.dialogs.lastFilter(), QString("LedFixture Setup File(*.tff)"));
        QVERIFY(ed.dialogs.shown().isEmpty());

        const QByteArray written = readFile(path("led.tff"));
        QCOMPARE(written.size(), 512);
        COMPARE_IMAGES(written, file);
        QStringList types;
        for (int r = 0; r < ed.grid->model()->rowCount(); ++r)
            types << ed.text(r, 2);
        QCOMPARE(types, typesAfter);

        // Opened in a fresh editor (Ctrl+O) and saved again: the same 512 bytes.
        LedEditorDriver again;
        QVERIFY(again.ready());
        again.dialogs.setNextFileName(path("led.tff"));
        QTest::keyClick(again.nameBox, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(again.dialogs.fileDialogsShown(), 1);
        QVERIFY(again.dialogs.shown().isEmpty());
        QCOMPARE(again.grid->model()->rowCount(), ed.grid->model()->rowCount());
        QCOMPARE(again.countList->currentText(), ed.countList->currentText());
        again.dialogs.setNextFileName(path("again.tff"));
        QTest::mouseClick(again.saveButton, Qt::LeftButton);
        QCOMPARE(readFile(path("again.tff")), written);
    }

    // Files the editor cannot open are named in a message and change nothing.
    void refusedOpen_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("a fixture setup file") << QByteArray(6144, 0) << "6144 bytes long";
        QByteArray wrongCount = defaultFile();
        wrongCount[12] = 11;
        QTest::newRow("channel count 11") << wrongCount << "channel count 11";
    }
    void refusedOpen()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFile out(path("bad.tff"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
        out.close();

        LedEditorDriver ed;
        QVERIFY(ed.ready());
        QVERIFY(ed.pick(1, 1, "Blue"));
        QVERIFY(ed.setChannelCount(4));
        QVERIFY(ed.pick(0, 2, "HTP"));
        const fx::LedFixtureRecord before = ed.form->record();
        ed.dialogs.setNextFileName(path("bad.tff"));
        QTest::keyClick(ed.nameBox, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ed.dialogs.shown().size(), 1);
        QVERIFY2(ed.dialogs.shown()[0].text.contains(message),
                 qPrintable(ed.dialogs.shown()[0].text));
        QVERIFY(ed.form->record() == before);
        QCOMPARE(ed.text(0, 2), QString("HTP"));
        QCOMPARE(ed.countList->currentText(), QString("4"));
    }

    // Where a save lands: the suffix, the question before replacing a file, a cancelled file
    // dialog, and failures (the path is a folder) that keep the old file; the disk faults are
    // proven on the file access.
    void saveTarget_data()
    {
        QTest::addColumn<QString>("chosen");  // empty: the file dialog is cancelled
        QTest::addColumn<QString>("target");  // the file the save aims at
        QTest::addColumn<bool>("oldLedFile"); // "led.tff" holds an older file
        QTest::addColumn<int>("answer");      // to the replace question; -1: none asked
        QTest::addColumn<QString>("reason");  // of the failure message; empty: none
        QTest::addColumn<bool>("saved");
        const char* suffixes[][2] = {{"bar", "bar.tff"}, {"bar.TFF", "bar.TFF"}};
        for (const auto& [chosen, target] : suffixes)
            QTest::newRow(chosen) << QString(chosen) << QString(target) << false << -1 << QString()
                                  << true;
        const int yes = int(ui::Dialogs::Answer::Yes), no = int(ui::Dialogs::Answer::No);
        QTest::newRow("Yes replaces") << "led.tff"
                                      << "led.tff" << true << yes << QString() << true;
        QTest::newRow("No keeps") << "led.tff"
                                  << "led.tff" << true << no << QString() << false;
        QTest::newRow("asked about the suffixed name")
            << "led"
            << "led.tff" << true << no << QString() << false;
        QTest::newRow("cancelled dialog")
            << QString() << QString() << true << -1 << QString() << false;
        QTest::newRow("path is a folder")
            << "folder.tff"
            << "folder.tff" << true << -1 << "it is a folder" << false;
    }
    void saveTarget()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, target);
        QFETCH(bool, oldLedFile);
        QFETCH(int, answer);
        QFETCH(QString, reason);
        QFETCH(bool, saved);
        const QByteArray old("the old LED file");
        QFile oldFile(path("led.tff"));
        if (oldLedFile)
            QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
        oldFile.close();
        QVERIFY(QDir(m_dir->path()).mkdir("folder.tff"));

        LedEditorDriver ed;
        QVERIFY(ed.pick(0, 2, "Fadeable LTP 16bitL"));
        ed.dialogs.setNextFileName(chosen.isEmpty() ? QString() : path(chosen));
        if (answer >= 0)
            ed.dialogs.setNextAnswer(ui::Dialogs::Answer(answer));
        QTest::mouseClick(ed.saveButton, Qt::LeftButton);

        QStringList shown;
        for (const ui::ScriptedDialogs::Shown& s : ed.dialogs.shown())
            shown << (s.question ? "? " + s.title + ": " + s.text : "! " + s.text);
        QStringList expected;
        const QString nativeTarget = QDir::toNativeSeparators(path(target));
        if (answer >= 0)
            expected << "? ORVA Save As: " + nativeTarget +
                            " already exists.\rDo you want to replace it?";
        if (!reason.isEmpty()) {
            QCOMPARE(shown.size(), expected.size() + 1);
            QVERIFY2(shown.last().startsWith("! ") && shown.last().contains(nativeTarget) &&
                         shown.last().contains(reason),
                     qPrintable(shown.last()));
            shown.removeLast();
        }
        QCOMPARE(shown, expected);

        QStringList files = oldLedFile ? QStringList{"led.tff"} : QStringList();
        if (saved && !files.contains(target))
            files << target;
        files.sort();
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), files);
        QVERIFY(QFileInfo(path("folder.tff")).isDir());
        QByteArray image = defaultFile();
        setRecord(image, 0, channel(0, 'O', 0, 0, Unnamed));
        if (saved)
            QCOMPARE(readFile(path(target)), image);
        if (oldLedFile && !(saved && target == "led.tff"))
            QCOMPARE(readFile(path("led.tff")), old);
        // Only a written file normalises the types.
        QCOMPARE(ed.text(0, 2), QString(saved ? "LTP" : "Fadeable LTP 16bitL"));
    }
};

QTEST_MAIN(TestLedFixtureSave)
#include "tst_ledfixturesave.moc"
