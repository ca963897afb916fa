// Files saved through the LED fixture editor, byte for byte, and the save's questions and
// failures.

#include "LedEditorDriver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The file of an untouched editor: 8 channels, no names chosen, named "New Fixture".
QByteArray defaultFile()
{
    QByteArray file;
    file += '\0';                                        // reserved
    file += "New Fixture";                               // name, 11 bytes
    file += '\x08';                                      // channel count
    file += QByteArray::fromHex("08000000000000000000"); // colour map: channel 8 has no colour
    for (int r = 0; r < 8; ++r)                          // channels in use: type "L", never named
        file += QByteArray::fromHex("004c000000") + QByteArray(12, '\0');
    for (int r = 8; r < 10; ++r) // unused channels: cleared, name 12 blanks
        file += QByteArray(5, '\0') + QByteArray(12, ' ');
    file += QByteArray(318, '\0');
    file += ' '; // offset 511
    return file;
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

class FailingFileAccess : public ui::FileAccess {
public:
    std::optional<QByteArray> read(const QString& path, QString* error) override
    {
        return ui::DiskFileAccess().read(path, error);
    }
    bool write(const QString&, const QByteArray&, QString* error) override
    {
        *error = QStringLiteral("No space left on device");
        return false;
    }
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

class TestLedFixtureSave : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void savedFile_data();
    void savedFile();
    void suffix_data();
    void suffix();
    void replaceQuestion_data();
    void replaceQuestion();
    void failedSave_data();
    void failedSave();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir; // a fresh folder for every case
};

// Each action is "count N", "name ROW TEXT", "type ROW TEXT", "pair ROW N", "fixture TEXT" or
// "mirrors TEXT" (both mirror boxes),
// with rows counted from 0, as a user would do them on the window.
void TestLedFixtureSave::savedFile_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("typesAfter");

    const QStringList ltp8(8, "LTP");
    QByteArray file = defaultFile();
    QTest::newRow("default") << QStringList() << file << ltp8;
    QTest::newRow("mirror boxes are not saved") << QStringList{"mirrors 359"} << file << ltp8;

    file = defaultFile();
    file[13 + 2] = 5;
    setRecord(file, 2, channel(2, 'L', 0, 'G', named("Green")));
    setRecord(file, 4, channel(2, 'L', 0, 'G', named("Green")));
    QTest::newRow("two Green") << QStringList{"name 2 Green", "name 4 Green"} << file << ltp8;

    file = defaultFile();
    setRecord(file, 0, channel(0, 'S', 4, 0, Unnamed));
    QStringList types = ltp8;
    types[0] = "instant LTP 16bitH";
    types[3] = "instant LTP 16bitL";
    QTest::newRow("instant 16bitH with pair 4")
        << QStringList{"type 0 instant LTP 16bitH", "pair 0 4"} << file << types;

    file = defaultFile();
    setRecord(file, 0, channel(0, 's', 2, 0, Unnamed));
    setRecord(file, 1, channel(0, 'O', 0, 0, Unnamed));
    types = ltp8;
    types[0] = "Fadeable LTP 16bitH";
    types[1] = "Fadeable LTP 16bitL";
    QTest::newRow("fadeable pair written before the low type is set")
        << QStringList{"type 0 Fadeable LTP 16bitH", "pair 0 2", "type 1 Fadeable LTP 16bitL"}
        << file << types;

    file = defaultFile();
    setRecord(file, 1, channel(0, 'O', 0, 0, Unnamed));
    QTest::newRow("unpaired Fadeable 16bitL")
        << QStringList{"type 1 Fadeable LTP 16bitL"} << file << ltp8;

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
    QTest::newRow("ten channels") << QStringList{"count 10",           "fixture LED Bar",
                                                 "type 0 HTP",         "name 8 Red",
                                                 "type 8 instant LTP", "name 9 Duration"}
                                  << file << types;

    // A position no longer in use keeps only its colour code.
    file = defaultFile();
    setRecord(file, 8, channel(3, 0, 0, 0, QByteArray(12, ' ')));
    QTest::newRow("colour of an unused position")
        << QStringList{"count 10", "name 8 Blue", "count 8"} << file << ltp8;

    file = defaultFile();
    file.replace(1, 11, "Lumi\xe8re    ");
    setRecord(file, 7, channel(7, 'L', 0, 'M', named("Dimmer")));
    setRecord(file, 6, channel(8, 'L', 0, 'S', named("Speed")));
    file.replace(13, 10, QByteArray::fromHex("06000000000000080700"));
    QTest::newRow("latin-1 name, dimmer and speed")
        << QStringList{"fixture Lumi\u00e8re", "name 7 Dimmer", "name 6 Speed"} << file << ltp8;
}

void TestLedFixtureSave::savedFile()
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
            auto* box = verb == "fixture" ? ed.nameBox : ed.form->findChild<QLineEdit*>("Text4");
            box->selectAll();
            LedEditorDriver::typeText(box, rest);
            QCOMPARE(box->text(), rest);
            if (verb == "mirrors") {
                ed.form->findChild<QLineEdit*>("Text2")->selectAll();
                LedEditorDriver::typeText(ed.form->findChild<QLineEdit*>("Text2"), rest);
            }
        } else {
            const int row = rest.section(' ', 0, 0).toInt();
            const int column = verb == "name" ? 1 : verb == "type" ? 2 : 3;
            QVERIFY2(ed.pick(row, column, rest.section(' ', 1)), qPrintable(action));
        }
    }

    ed.dialogs.setNextFileName(path("led.tff"));
    QTest::mouseClick(ed.saveButton, Qt::LeftButton);
    QCOMPARE(ed.dialogs.lastFilter(), QString("LedFixture Setup File(*.tff)"));
    QVERIFY(ed.dialogs.shown().isEmpty());

    const QByteArray written = readFile(path("led.tff"));
    QCOMPARE(written.size(), 512);
    for (int i = 0; i < 512; ++i)
        QVERIFY2(written[i] == file[i], qPrintable(QString("offset %1: %2, expected %3")
                                                       .arg(i)
                                                       .arg(quint8(written[i]))
                                                       .arg(quint8(file[i]))));

    QStringList types;
    for (int r = 0; r < ed.grid->model()->rowCount(); ++r)
        types << ed.text(r, 2);
    QCOMPARE(types, typesAfter);
}

void TestLedFixtureSave::suffix_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no suffix") << "bar"
                               << "bar.tff";
    QTest::newRow("lower case") << "bar.tff"
                                << "bar.tff";
    QTest::newRow("upper case") << "bar.TFF"
                                << "bar.TFF";
    QTest::newRow("mixed case") << "bar.Tff"
                                << "bar.Tff";
    QTest::newRow("other suffix") << "bar.txt"
                                  << "bar.txt.tff";
    QTest::newRow("suffix not at the end") << "bar.tff.old"
                                           << "bar.tff.old.tff";
    QTest::newRow("almost") << "bartff"
                            << "bartff.tff";
}

void TestLedFixtureSave::suffix()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    LedEditorDriver ed;
    ed.dialogs.setNextFileName(path(chosen));
    QTest::mouseClick(ed.saveButton, Qt::LeftButton);
    QCOMPARE(readFile(path(written)), defaultFile());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{written});
}

void TestLedFixtureSave::replaceQuestion_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QByteArray>("existing"); // empty: no file there
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("written");
    const QByteArray old("old contents");
    QTest::newRow("new file") << "led.tff" << QByteArray() << 0 << false << true;
    QTest::newRow("Yes replaces") << "led.tff" << old << int(ui::Dialogs::Answer::Yes) << true
                                  << true;
    QTest::newRow("No keeps") << "led.tff" << old << int(ui::Dialogs::Answer::No) << true << false;
    QTest::newRow("asked about the suffixed name")
        << "led" << old << int(ui::Dialogs::Answer::No) << true << false;
    QTest::newRow("cancelled dialog") << "" << old << 0 << false << false;
}

void TestLedFixtureSave::replaceQuestion()
{
    QFETCH(QString, chosen);
    QFETCH(QByteArray, existing);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, written);
    const QString target = path("led.tff");
    if (!existing.isEmpty())
        QVERIFY(writeFile(target, existing));

    LedEditorDriver ed;
    QVERIFY(ed.pick(0, 2, "Fadeable LTP 16bitL"));
    ed.dialogs.setNextFileName(chosen.isEmpty() ? QString() : path(chosen));
    if (asked)
        ed.dialogs.setNextAnswer(ui::Dialogs::Answer(answer));
    QTest::mouseClick(ed.saveButton, Qt::LeftButton);

    QCOMPARE(ed.dialogs.shown().size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(ed.dialogs.shown()[0].title, QString("ORVA Save As"));
        QCOMPARE(ed.dialogs.shown()[0].text,
                 QDir::toNativeSeparators(target) + " already exists.\rDo you want to replace it?");
    }
    QCOMPARE(readFile(target).size(), written ? 512 : existing.size());
    if (!written)
        QCOMPARE(readFile(target), existing);
    // Only a written file normalises the types.
    QCOMPARE(ed.text(0, 2), QString(written ? "LTP" : "Fadeable LTP 16bitL"));
}

void TestLedFixtureSave::failedSave_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("failingDisk");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder") << "folder.tff" << false << "it is a folder";
    QTest::newRow("disk refuses") << "led.tff" << true << "No space left on device";
}

void TestLedFixtureSave::failedSave()
{
    QFETCH(QString, chosen);
    QFETCH(bool, failingDisk);
    QFETCH(QString, reason);
    QVERIFY(QDir(m_dir->path()).mkdir("folder.tff"));
    const QByteArray old("the old LED file");
    QVERIFY(writeFile(path("led.tff"), old));

    FailingFileAccess failing;
    LedEditorDriver ed(failingDisk ? &failing : nullptr);
    QVERIFY(ed.pick(0, 2, "Fadeable LTP 16bitL"));
    ed.dialogs.setNextFileName(path(chosen));
    ed.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    QTest::mouseClick(ed.saveButton, Qt::LeftButton);

    QVERIFY(!ed.dialogs.shown().isEmpty());
    const ui::ScriptedDialogs::Shown message = ed.dialogs.shown().last();
    QVERIFY(!message.question);
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(path(chosen))),
             qPrintable(message.text));
    QVERIFY2(message.text.contains(reason), qPrintable(message.text));
    QCOMPARE(readFile(path("led.tff")), old);
    QVERIFY(QFileInfo(path("folder.tff")).isDir());
    QCOMPARE(ed.text(0, 2), QString("Fadeable LTP 16bitL"));
}

QTEST_MAIN(TestLedFixtureSave)
#include "tst_ledfixturesave.moc"
