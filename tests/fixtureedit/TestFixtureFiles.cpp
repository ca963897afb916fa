// Save and open through the fixture editor: the file dialogs, the ".tff" suffix, the replace
// question, what the file cannot hold, failed writes and reads, and a keyboard session saved
// byte for byte as the core writer writes the same fixture.
#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"
#include "fixturefile/FixtureFile.h"

#include <QAction>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

QByteArray imageOf(const fx::FixtureRecord& record)
{
    const fx::FixtureImage image = fx::WriteFixtureImage(record);
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

// The fixture setup file as fixture-tool dump prints it; an empty object when the tool is not
// part of this build.
QJsonObject dump(const QString& path)
{
#ifdef FIXTURE_TOOL
    QProcess tool;
    tool.start(QStringLiteral(FIXTURE_TOOL), {QStringLiteral("dump"), path});
    if (!tool.waitForFinished() || tool.exitCode() != 0)
        return {{QStringLiteral("failed"), QString::fromLocal8Bit(tool.readAllStandardError())}};
    return QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
#else
    Q_UNUSED(path);
    return {};
#endif
}

void save(EditorHarness& h, const QString& chosen)
{
    h.dialogs.setNextFileName(chosen);
    h.editor->findChild<QAction*>(QStringLiteral("SaveFixture"))->trigger();
}

void open(EditorHarness& h, const QString& chosen)
{
    h.dialogs.setNextFileName(chosen);
    h.editor->findChild<QAction*>(QStringLiteral("OpenFixture"))->trigger();
}

// A fixture of three channels with a pair, steps and a palette, as a file image.
std::unique_ptr<fx::FixtureRecord> sampleFixture()
{
    auto r = std::make_unique<fx::FixtureRecord>();
    fx::ResetFixtureRecord(*r, 3);
    r->FixHeader.FixtureName.assign("Scanner");
    r->MaxPanDegree = 180;
    r->MaxTiltDegree = 90;
    r->Channels[0] = {6, fx::TypeFadeable16H, 1, 2, 0, 0, fx::FixedText<12>::fromText("Pan"), 128};
    r->Channels[1] = {0, fx::TypeFadeable16L, 2, 0, 0, 0, fx::FixedText<12>::fromText("Pan Fine"),
                      0};
    r->Channels[2] = {9, fx::TypeInstantLtp, 3, 0, 0, 0, fx::FixedText<12>::fromText("Colour"), 0};
    r->StepCount[0] = 2;
    r->Steps[0][0] = {0, 127, fx::FixedText<8>::fromText("Left")};
    r->Steps[0][1] = {128, 255, fx::FixedText<8>::fromText("Right")};
    r->StepCount[2] = 1;
    r->Steps[2][0] = {10, 20, fx::FixedText<8>::fromText("Red")};
    fx::BuildFuncMap(*r);
    return r;
}

} // namespace

class TestFixtureFiles : public QObject {
    Q_OBJECT

private slots:
    void suffix_data();
    void suffix();
    void replaceQuestion_data();
    void replaceQuestion();
    void cancelledDialogsDoNothing();
    void failedWriteKeepsOldFile();
    void openEditIsStoredFirst();
    void keyboardSessionSavesCoreImage();
    void saveLeavesPairsInRecordAndGrid();
    void capacityQuestion_data();
    void capacityQuestion();
    void openFails_data();
    void openFails();
    void openRefreshesEditor();
    void stepsAndTypedNamesRoundTrip();
};

void TestFixtureFiles::suffix_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no suffix") << "spot"
                               << "spot.tff";
    QTest::newRow("lower case") << "spot.tff"
                                << "spot.tff";
    QTest::newRow("upper case") << "spot.TFF"
                                << "spot.TFF";
    QTest::newRow("other suffix") << "spot.fix"
                                  << "spot.fix.tff";
}

void TestFixtureFiles::suffix()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    EditorHarness h;
    save(h, h.path(chosen));
    QCOMPARE(h.dialogs.lastFilter(), QStringLiteral("Fixture Setup File(*.tff)"));
    QVERIFY(h.dialogs.shown().isEmpty());
    const QByteArray bytes = readFile(h.path(written));
    QCOMPARE(bytes.size(), 6144);
    QCOMPARE(bytes, imageOf(*h.record));
    QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files).size(), 2); // the file and ChNameSet.fix
}

void TestFixtureFiles::replaceQuestion_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("Yes") << QByteArray("old fixture") << true << true << true;
    QTest::newRow("No") << QByteArray("old fixture") << false << true << false;
    QTest::newRow("empty file") << QByteArray("") << false << false << true;
}

void TestFixtureFiles::replaceQuestion()
{
    QFETCH(QByteArray, old);
    QFETCH(bool, yes);
    QFETCH(bool, asked);
    QFETCH(bool, replaced);
    EditorHarness h;
    const QString path = h.path(QStringLiteral("wash.tff"));
    writeFile(path, old);
    h.editor->findChild<QLineEdit*>("Text1")->setText(QStringLiteral("Wash"));
    h.editor->findChild<QComboBox*>("Combo1")->setCurrentIndex(4);
    h.channel(4).FuncCode = 3;
    h.dialogs.setNextAnswer(yes ? ui::Dialogs::Answer::Yes : ui::Dialogs::Answer::No);

    save(h, h.path(QStringLiteral("wash")));

    QCOMPARE(h.dialogs.shown().size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(h.dialogs.shown()[0].title, QStringLiteral("ORVA Save As"));
        QCOMPARE(h.dialogs.shown()[0].text,
                 path + QStringLiteral(" already exists.\rDo you want to replace it?"));
    }
    QCOMPARE(readFile(path), replaced ? imageOf(*h.record) : old);
    // The name, the count and the function map are taken before the question.
    QCOMPARE(h.record->FixHeader.FixtureName.str(), std::string("Wash       "));
    QCOMPARE(int(h.record->FixHeader.NumChannels), 5);
    QCOMPARE(int(h.record->FuncMap[3]), 5);
}

void TestFixtureFiles::cancelledDialogsDoNothing()
{
    EditorHarness h;
    const auto before = std::make_unique<fx::FixtureRecord>(*h.record);
    save(h, QString());
    open(h, QString());
    QCOMPARE(h.dialogs.fileDialogsShown(), 2);
    QVERIFY(h.dialogs.shown().isEmpty());
    QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files).size(), 1);
    QVERIFY(h.record->Channels == before->Channels);
}

void TestFixtureFiles::failedWriteKeepsOldFile()
{
    RefusingFileAccess refusing;
    EditorHarness h(defaultNameSetFile(), &refusing);
    const QString path = h.path(QStringLiteral("spot.tff"));
    writeFile(path, "the old fixture");
    h.channel(0).ChType = fx::TypeInstant16L; // would become LTP after a save
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    save(h, path);

    QCOMPARE(refusing.refused, 1);
    QCOMPARE(readFile(path), QByteArray("the old fixture"));
    QCOMPARE(h.dialogs.shown().size(), 2);
    const auto& told = h.dialogs.shown()[1];
    QVERIFY(!told.question);
    QVERIFY(told.text.contains(path));
    QVERIFY(told.text.contains(QStringLiteral("No space left on device")));
    QVERIFY(told.text.contains(QStringLiteral("unchanged")));
    QCOMPARE(int(h.channel(0).ChType), int(fx::TypeInstant16L));
}

void TestFixtureFiles::openEditIsStoredFirst()
{
    EditorHarness h;
    h.clickCell(2, 4);
    QTest::keyClicks(h.openEditor<QLineEdit>("Text5"), QStringLiteral("42"));
    h.editor->traits()->selectChannel(2);
    QTest::mouseClick(h.editor->findChild<QWidget*>("Command1"), Qt::LeftButton); // Add a step
    save(h, h.path(QStringLiteral("a.tff")));
    const QByteArray bytes = readFile(h.path(QStringLiteral("a.tff")));
    QCOMPARE(int(quint8(bytes[1043 + 19 * 2 + 18])), 42);
    QCOMPARE(int(quint8(bytes[1803 + 2])), 1);
    QCOMPARE(h.editor->focusWidget(), h.editor->findChild<QLineEdit*>("Text1"));
}

void TestFixtureFiles::keyboardSessionSavesCoreImage()
{
    EditorHarness h;
    QLineEdit* name = h.editor->findChild<QLineEdit*>("Text1");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Spot 575"));
    auto* pan = h.editor->findChild<QLineEdit*>("Text4");
    pan->setFocus();
    pan->selectAll();
    QTest::keyClicks(pan, QStringLiteral("540"));
    auto* count = h.editor->findChild<QComboBox*>("Combo1");
    count->setFocus();
    QTest::keyClick(count, Qt::Key_Up);
    QTest::keyClick(count, Qt::Key_Up); // 6 channels

    // Every cell from the keyboard: the grid opens the first name cell on a key, then each Tab
    // or Enter stores the cell and opens the next.
    h.grid->setFocus(Qt::TabFocusReason);
    h.grid->setCurrentIndex(h.index(0, 1));
    QTest::keyRelease(h.grid, Qt::Key_Space);
    const auto key = [&h](Qt::Key k, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(h.focus(), k);
    };
    const auto type = [&h](const QString& text) { QTest::keyClicks(h.focus(), text); };

    type("Pan");
    key(Qt::Key_Tab); // row 1: name from the list
    key(Qt::Key_Down, 5);
    key(Qt::Key_Tab); // Fadeable LTP 16bitH
    key(Qt::Key_Down, 2);
    key(Qt::Key_Tab); // partner 2
    type("128");
    key(Qt::Key_Return);
    type("Pan Fine");
    key(Qt::Key_Tab); // row 2: a name the list lacks, not added
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::No);
    key(Qt::Key_Down, 6);
    key(Qt::Key_Tab); // Fadeable LTP 16bitL
    key(Qt::Key_Tab); // no partner chosen
    key(Qt::Key_Tab); // value left at 0
    type("tilt");
    key(Qt::Key_Tab); // row 3: the list's "Tilt" in any case
    key(Qt::Key_Tab); // LTP
    type("255");
    key(Qt::Key_Tab);
    type("Dimmer");
    key(Qt::Key_Tab); // row 4
    key(Qt::Key_Down);
    key(Qt::Key_Tab); // HTP
    type("300");
    key(Qt::Key_Tab); // above 255: 0
    key(Qt::Key_Down, 2);
    key(Qt::Key_Tab); // row 5: the second name, "Tilt"
    key(Qt::Key_Down, 2);
    key(Qt::Key_Tab); // instant LTP
    type("7");
    key(Qt::Key_Tab);
    h.focusElsewhere(); // row 6 name left open and empty

    save(h, h.path(QStringLiteral("session")));

    // The same fixture written by hand.
    auto expected = std::make_unique<fx::FixtureRecord>();
    fx::ResetFixtureRecord(*expected, 8); // the editor starts with 8 channels
    expected->FixHeader.NumChannels = 6;
    expected->FixHeader.FixtureName.assign("Spot 575");
    expected->MaxPanDegree = 540;
    const auto set = [&](int c, const char* n, int code, int type, int pair, int value) {
        fx::ChannelInfo& ch = expected->Channels[c];
        ch.ChName.assign(n);
        ch.FuncCode = std::uint8_t(code);
        ch.ChType = std::uint8_t(type);
        ch.PairChannel = std::uint8_t(pair);
        ch.ChValue = std::uint8_t(value);
    };
    set(0, "Pan", 6, fx::TypeFadeable16H, 2, 128);
    set(1, "", 0, fx::TypeFadeable16L, 0, 0);
    set(2, "Tilt", 7, fx::TypeLtp, 0, 255);
    set(3, "Dimmer", 3, fx::TypeHtp, 0, 0);
    set(4, "Tilt", 7, fx::TypeInstantLtp, 0, 7);
    fx::BuildFuncMap(*expected);

    QCOMPARE(h.dialogs.shown().size(), 1); // the question about "Pan Fine"
    QCOMPARE(h.cell(1, 1), QString());
    const QByteArray saved = readFile(h.path(QStringLiteral("session.tff")));
    const QByteArray wanted = imageOf(*expected);
    QCOMPARE(saved.size(), wanted.size());
    int firstDifference = -1;
    for (int i = 0; i < wanted.size() && firstDifference < 0; ++i)
        firstDifference = saved[i] == wanted[i] ? -1 : i;
    QCOMPARE(firstDifference, -1);

    const QJsonObject dumped = dump(h.path(QStringLiteral("session.tff")));
    if (dumped.isEmpty())
        QSKIP("fixture-tool is not part of this build");
    QCOMPARE(dumped[QStringLiteral("FixtureName")].toString(), QStringLiteral("Spot 575   "));
    QCOMPARE(dumped[QStringLiteral("MaxPanDegree")].toInt(), 540);
    const QJsonArray channels = dumped[QStringLiteral("Channels")].toArray();
    QCOMPARE(channels[0][QStringLiteral("ChName")].toString(), QStringLiteral("Pan         "));
    QCOMPARE(channels[0][QStringLiteral("ChType")].toInt(), int(fx::TypeFadeable16H));
    QCOMPARE(channels[0][QStringLiteral("PairChannel")].toInt(), 2);
    QCOMPARE(channels[0][QStringLiteral("ChValue")].toInt(), 128);
    QCOMPARE(channels[2][QStringLiteral("FuncCode")].toInt(), 7);
    QCOMPARE(channels[3][QStringLiteral("ChType")].toInt(), int(fx::TypeHtp));
    QCOMPARE(channels[4][QStringLiteral("ChValue")].toInt(), 7);
}

void TestFixtureFiles::saveLeavesPairsInRecordAndGrid()
{
    EditorHarness h;
    h.channel(0).ChType = fx::TypeInstant16H;
    h.channel(0).PairChannel = 3;
    h.channel(1).ChType = fx::TypeFadeable16L; // no high channel names it
    h.editor->FillChannelGrid();
    save(h, h.path(QStringLiteral("pairs.tff")));
    QCOMPARE(int(h.channel(2).ChType), int(fx::TypeInstant16L));
    QCOMPARE(int(h.channel(1).ChType), int(fx::TypeLtp));
    QCOMPARE(h.cell(2, 2), QStringLiteral("instant LTP 16bitL"));
    QCOMPARE(h.cell(1, 2), QStringLiteral("LTP"));
}

void TestFixtureFiles::capacityQuestion_data()
{
    QTest::addColumn<bool>("palettes"); // palettes beyond the block instead of steps
    QTest::addColumn<bool>("ok");
    QTest::newRow("steps, OK") << false << true;
    QTest::newRow("steps, Cancel") << false << false;
    QTest::newRow("palettes, OK") << true << true;
    QTest::newRow("palettes, Cancel") << true << false;
}

void TestFixtureFiles::capacityQuestion()
{
    QFETCH(bool, palettes);
    QFETCH(bool, ok);
    EditorHarness h;
    fx::FixtureRecord& r = *h.record;
    if (palettes) {
        h.editor->findChild<QComboBox*>("Combo1")->setCurrentIndex(39);
        for (int p = 0; p < 3; ++p) {
            r.PalUsed[p] = 1;
            r.PalChannelUsed[p].fill(1);
            r.PalEntrySize[p].fill(40);
        }
    } else {
        r.StepCount[0] = 200;
        r.StepCount[3] = 5;
    }
    if (ok)
        h.dialogs.setNextAnswer(ui::Dialogs::Answer::Ok);
    save(h, h.path(QStringLiteral("big.tff")));

    QCOMPARE(h.dialogs.shown().size(), 1);
    const QString text = h.dialogs.shown()[0].text;
    QCOMPARE(text, QString::fromStdString(fx::checkFileCapacity(r).describe()) +
                       QStringLiteral("\nSave the fixture without them?"));
    QVERIFY(text.contains(palettes ? QStringLiteral("Palette3 entry 6")
                                   : QStringLiteral("1 step of channel 4")));
    QCOMPARE(QFileInfo::exists(h.path(QStringLiteral("big.tff"))), ok);
    QCOMPARE(h.dialogs.fileDialogsShown(), ok ? 1 : 0);
}

void TestFixtureFiles::openFails_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no such file
    QTest::addColumn<QString>("reason");
    QByteArray good = imageOf(*sampleFixture());
    QTest::newRow("missing") << QByteArray() << "";
    QTest::newRow("short") << QByteArray(512, '\0') << "512 bytes";
    QTest::newRow("empty") << QByteArray("") << "0 bytes";
    QTest::newRow("longer") << good + QByteArray(100, 'x') << "6244 bytes";
    QByteArray count = good;
    count[12] = char(41);
    QTest::newRow("41 channels") << count << "41";
    QByteArray degree = good;
    degree[13 + 256] = char(200);
    QTest::newRow("degree") << degree << "degree";
    QByteArray partner = good;
    partner[1043 + 3] = char(45);
    QTest::newRow("partner 45") << partner << "45";
}

void TestFixtureFiles::openFails()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    EditorHarness h;
    const QString path = h.path(QStringLiteral("bad.tff"));
    if (!content.isNull())
        writeFile(path, content);
    h.editor->findChild<QComboBox*>("Combo1")->setCurrentIndex(9);
    h.channel(2).ChName.assign("Keep");
    h.editor->FillChannelGrid();
    const auto before = std::make_unique<fx::FixtureRecord>(*h.record);

    open(h, path);

    QCOMPARE(h.dialogs.shown().size(), 1);
    QVERIFY(!h.dialogs.shown()[0].question);
    QVERIFY(h.dialogs.shown()[0].text.contains(path));
    QVERIFY2(h.dialogs.shown()[0].text.contains(reason), qPrintable(h.dialogs.shown()[0].text));
    QVERIFY(*h.record == *before);
    QCOMPARE(h.grid->model()->rowCount(), 10);
    QCOMPARE(h.cell(2, 1), QStringLiteral("Keep        "));
}

void TestFixtureFiles::openRefreshesEditor()
{
    EditorHarness h;
    const auto sample = sampleFixture();
    const QString path = h.path(QStringLiteral("scanner.tff"));
    writeFile(path, imageOf(*sample));
    h.editor->traits()->selectChannel(5);

    open(h, path);

    QVERIFY(h.dialogs.shown().isEmpty());
    QCOMPARE(h.editor->findChild<QLineEdit*>("Text1")->text(), QStringLiteral("Scanner    "));
    QCOMPARE(h.editor->findChild<QLineEdit*>("Text4")->text(), QStringLiteral("180"));
    QCOMPARE(h.editor->findChild<QLineEdit*>("Text2")->text(), QStringLiteral("90"));
    QCOMPARE(h.editor->findChild<QComboBox*>("Combo1")->currentText(), QStringLiteral("3"));
    QCOMPARE(h.grid->model()->rowCount(), 3);
    QCOMPARE(h.cell(0, 1), QStringLiteral("Pan         "));
    QCOMPARE(h.cell(0, 2), QStringLiteral("Fadeable LTP 16bitH"));
    QCOMPARE(h.cell(0, 3), QStringLiteral("2"));
    QCOMPARE(h.cell(1, 2), QStringLiteral("Fadeable LTP 16bitL"));
    QCOMPARE(h.cell(0, 4), QStringLiteral("128"));
    auto* chooser = h.editor->findChild<QComboBox*>("Combo9");
    QCOMPARE(chooser->count(), 3);
    QCOMPARE(chooser->currentIndex(), 0);
    QCOMPARE(chooser->itemText(2), QStringLiteral("Chan 3 - Colour      "));
    auto* steps = h.editor->findChild<QAbstractItemView*>("MSFlexGrid2");
    QCOMPARE(steps->model()->rowCount(), 2);
    QCOMPARE(steps->model()->index(1, 1).data().toString(), QStringLiteral("Right"));
    QCOMPARE(h.record->MaxPanDegree, 180);
    QCOMPARE(h.record->Steps[2][0].StepName.trimmed(), std::string("Red"));
    QCOMPARE(h.editor->focusWidget(), h.editor->findChild<QLineEdit*>("Text1"));

    // Saved again unchanged, the file is the same.
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    save(h, path);
    QCOMPARE(readFile(path), imageOf(*sample));
}

void TestFixtureFiles::stepsAndTypedNamesRoundTrip()
{
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    fx::StoreChName(set, 59, "Strobe2");
    fx::StoreChName(set, 60, "Frost");
    const auto image = fx::chNameSetImage(set);
    const QByteArray setFile(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));

    EditorHarness h(setFile);
    // A typed name the set lacks, added, and a known one typed.
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    h.clickCell(1, 1);
    QTest::keyClicks(h.openEditor<QComboBox>("Combo10"), QStringLiteral("Scan"));
    h.clickCell(0, 1);
    QTest::keyClicks(h.openEditor<QComboBox>("Combo10"), QStringLiteral("Gobo"));
    h.focusElsewhere();
    QCOMPARE(int(h.channel(1).FuncCode), 64);

    // Three steps on channel 2 through the traits frame, the first one named from the keyboard.
    h.editor->traits()->selectChannel(1);
    auto* add = h.editor->findChild<QWidget*>("Command1");
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(add, Qt::LeftButton);
    auto* steps = h.editor->findChild<QAbstractItemView*>("MSFlexGrid2");
    const QRect nameCell = steps->visualRect(steps->model()->index(0, 1));
    QTest::mouseClick(steps->viewport(), Qt::LeftButton, {}, nameCell.center());
    QTest::keyClicks(h.focus(), QStringLiteral("Slow"));
    QTest::keyClick(h.focus(), Qt::Key_Tab);
    QTest::keyClicks(h.focus(), QStringLiteral("10"));
    QTest::keyClick(h.focus(), Qt::Key_Tab);
    QTest::keyClicks(h.focus(), QStringLiteral("99"));
    const QString path = h.path(QStringLiteral("roundtrip.tff"));
    save(h, path); // the step edit still open is stored first
    QCOMPARE(int(h.record->StepCount[1]), 3);
    QCOMPARE(h.record->Steps[1][0].StepName.str(), std::string("Slow    "));
    QCOMPARE(int(h.record->Steps[1][0].ToDmx), 99);

    EditorHarness other(setFile);
    open(other, path);
    QVERIFY(other.dialogs.shown().isEmpty());
    QVERIFY(other.record->Channels == h.record->Channels);
    QVERIFY(other.record->StepCount == h.record->StepCount);
    for (int s = 0; s < 3; ++s)
        QVERIFY(other.record->Steps[1][s] == h.record->Steps[1][s]);
    QCOMPARE(other.cell(1, 1), QStringLiteral("Scan        "));
    QCOMPARE(other.cell(0, 1), QStringLiteral("Gobo        "));

    const QJsonObject dumped = dump(path);
    if (dumped.isEmpty())
        QSKIP("fixture-tool is not part of this build");
    const QJsonObject scan = dumped[QStringLiteral("Channels")].toArray()[1].toObject();
    QCOMPARE(scan[QStringLiteral("ChName")].toString(), QStringLiteral("Scan        "));
    QCOMPARE(scan[QStringLiteral("FuncCode")].toInt(), 64);
    const QJsonArray stepsDumped = dumped[QStringLiteral("Steps")].toArray()[1].toArray();
    QCOMPARE(stepsDumped.size(), 3);
    QCOMPARE(stepsDumped[0][QStringLiteral("StepName")].toString(), QStringLiteral("Slow    "));
    QCOMPARE(stepsDumped[0][QStringLiteral("FromDmx")].toInt(), 10);
    QCOMPARE(stepsDumped[0][QStringLiteral("ToDmx")].toInt(), 99);
}

QTEST_MAIN(TestFixtureFiles)
#include "TestFixtureFiles.moc"
