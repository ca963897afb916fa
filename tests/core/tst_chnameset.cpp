// The channel name set: defaults, the two readers' thresholds, the save and the append.

#include "ImageCompare.h"
#include "core/ChNameSet.h"
#include "tests/ExpectedChNames.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace fx;

namespace {

const auto& defaults = expected::DefaultChNames;

std::string padded(const std::string& name)
{
    return name + std::string(12 - name.size(), ' ');
}

// A saved file that differs from the defaults: position 0 renamed, a user name at 59.
std::vector<std::uint8_t> customFile()
{
    ChNameSet set;
    InitChNameSet(set);
    set[0].SetName.assign("Spot Pan");
    StoreChName(set, 59, "Laser");
    return chNameSetImage(set);
}

} // namespace

class TestChNameSet : public QObject {
    Q_OBJECT

private slots:
    void defaultImage();
    void editorLoad_data();
    void editorLoad();
    void fixtureEditorLoad_data();
    void fixtureEditorLoad();
    void storeChName_data();
    void storeChName();
    void saveClearsOnlyEmptyUserEntries();
    void saveKeepsTail_data();
    void saveKeepsTail();
    void append_data();
    void append();
    void appendWithNoFreePosition();
};

void TestChNameSet::defaultImage()
{
    ChNameSet set;
    InitChNameSet(set);
    const std::vector<std::uint8_t> image = chNameSetImage(set);

    std::vector<std::uint8_t> expected;
    for (int p = 0; p < 253; ++p) {
        const std::string name = p < 41 ? padded(defaults[p].name) : std::string(12, ' ');
        expected.push_back(static_cast<std::uint8_t>(p < 41 ? p : 0));
        expected.push_back(static_cast<std::uint8_t>(p < 41 ? defaults[p].code : 0));
        expected.insert(expected.end(), name.begin(), name.end());
    }
    QCOMPARE(expected.size(), std::size_t(3542));
    COMPARE_IMAGES(image, expected);
}

void TestChNameSet::editorLoad_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("read");
    QTest::newRow("no file") << 0 << false;
    QTest::newRow("559 bytes") << 559 << false;
    QTest::newRow("570 bytes") << 570 << false;
    QTest::newRow("579 bytes") << 579 << false;
    QTest::newRow("580 bytes") << 580 << true;
    QTest::newRow("whole file") << 3542 << true;
}

void TestChNameSet::editorLoad()
{
    QFETCH(int, length);
    QFETCH(bool, read);
    std::vector<std::uint8_t> file = customFile();
    file.resize(static_cast<std::size_t>(length));

    const ChNameSet set = loadChNameSetForEditor(file);
    QCOMPARE(set[0].SetName.str(), padded(read ? "Spot Pan" : "Pan"));
    QCOMPARE(int(set[0].ChCode), 6);
    QCOMPARE(set[40].SetName.str(), padded("DimSpeed")); // bytes 560..573
    // Entry 41 (bytes 574..587) is cut in a 580-byte file: it reads as empty.
    QCOMPARE(set[41], (ChNameRec{0, 0, FixedText<12>::blanks()}));
    QCOMPARE(set[59].SetName.str(), padded(length == 3542 ? "Laser" : ""));
    QCOMPARE(int(set[59].ChCode), length == 3542 ? 62 : 0);
}

void TestChNameSet::fixtureEditorLoad_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("read");
    QTest::newRow("no file") << 0 << false;
    QTest::newRow("559 bytes") << 559 << false;
    QTest::newRow("560 bytes") << 560 << true;
    QTest::newRow("570 bytes") << 570 << true;
    QTest::newRow("whole file") << 3542 << true;
}

void TestChNameSet::fixtureEditorLoad()
{
    QFETCH(int, length);
    QFETCH(bool, read);
    std::vector<std::uint8_t> file = customFile();
    file.resize(static_cast<std::size_t>(length));

    ChNameSet set{}; // a fresh form: every byte 0
    QCOMPARE(loadChNameSetForFixtureEditor(file, set), read);
    QCOMPARE(set[0].SetName.str(), read ? padded("Spot Pan") : std::string(12, '\0'));
    QCOMPARE(set[39].SetName.str(), read ? padded("ClrRotat") : std::string(12, '\0'));
    // Entries the file does not reach are zero bytes, which the name list skips; they are not
    // free positions either.
    // Entry 40 lies at 560..573: a 570-byte file gives its first ten bytes.
    const std::string entry40 = length == 3542  ? padded("DimSpeed")
                                : length == 570 ? "DimSpeed" + std::string(4, '\0')
                                                : std::string(12, '\0');
    QCOMPARE(set[40].SetName.str(), entry40);
    QCOMPARE(firstFreeUserPosition(set).has_value(), length == 3542);
}

void TestChNameSet::storeChName_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("stored");

    QTest::newRow("position 4 keeps its code") << 4 << "Shutter2" << 4 << "Shutter2    ";
    QTest::newRow("position 41 keeps code 0") << 41 << "Haze" << 0 << "Haze        ";
    QTest::newRow("position 42 gets 45") << 42 << "Fog" << 45 << "Fog         ";
    QTest::newRow("position 252 gets 255") << 252 << "Last" << 255 << "Last        ";
    QTest::newRow("13 characters cut") << 60 << "ABCDEFGHIJKLM" << 63 << "ABCDEFGHIJKL";
    QTest::newRow("12 characters whole") << 60 << "ABCDEFGHIJKL" << 63 << "ABCDEFGHIJKL";
}

void TestChNameSet::storeChName()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    QFETCH(int, code);
    QFETCH(QString, stored);

    ChNameSet set;
    InitChNameSet(set);
    StoreChName(set, position, text.toStdString());
    QCOMPARE(int(set[position].ChIndex), position);
    QCOMPARE(int(set[position].ChCode), code);
    QCOMPARE(set[position].SetName.str(), stored.toStdString());
}

void TestChNameSet::saveClearsOnlyEmptyUserEntries()
{
    ChNameSet set;
    InitChNameSet(set);
    set[45] = {45, 48, FixedText<12>::blanks()}; // emptied below 59: kept
    set[70] = {70, 73, FixedText<12>::blanks()}; // emptied at 59 or above: cleared
    set[71] = {71, 74, FixedText<12>::fromText("Wind")};
    clearEmptyUserEntries(set);
    QCOMPARE(set[45], (ChNameRec{45, 48, FixedText<12>::blanks()}));
    QCOMPARE(set[70], (ChNameRec{0, 0, FixedText<12>::blanks()}));
    QCOMPARE(set[71], (ChNameRec{71, 74, FixedText<12>::fromText("Wind")}));
}

void TestChNameSet::saveKeepsTail_data()
{
    QTest::addColumn<int>("oldLength");
    QTest::addColumn<int>("newLength");
    QTest::newRow("no file") << 0 << 3542;
    QTest::newRow("shorter file") << 600 << 3542;
    QTest::newRow("same length") << 3542 << 3542;
    QTest::newRow("longer file keeps its tail") << 4000 << 4000;
}

void TestChNameSet::saveKeepsTail()
{
    QFETCH(int, oldLength);
    QFETCH(int, newLength);
    std::vector<std::uint8_t> old(static_cast<std::size_t>(oldLength));
    for (std::size_t i = 0; i < old.size(); ++i)
        old[i] = static_cast<std::uint8_t>(i * 7 + 1);

    ChNameSet set;
    InitChNameSet(set);
    const std::vector<std::uint8_t> file = savedChNameFile(old, set);
    QCOMPARE(file.size(), std::size_t(newLength));
    const std::vector<std::uint8_t> image = chNameSetImage(set);
    QVERIFY(std::equal(image.begin(), image.end(), file.begin()));
    QVERIFY(std::equal(file.begin() + 3542, file.end(), old.begin() + std::min(3542, oldLength)));
}

void TestChNameSet::append_data()
{
    QTest::addColumn<int>("taken"); // user positions 59..59+taken-1 already hold names
    QTest::addColumn<int>("oldLength");
    QTest::addColumn<int>("position");

    QTest::newRow("first user position") << 0 << 3542 << 59;
    QTest::newRow("position 61, bytes 854..867") << 2 << 3542 << 61;
    QTest::newRow("last position") << 193 << 3542 << 252;
    QTest::newRow("file too short: zero filled") << 2 << 100 << 61;
    QTest::newRow("longer file") << 0 << 5000 << 59;
}

void TestChNameSet::append()
{
    QFETCH(int, taken);
    QFETCH(int, oldLength);
    QFETCH(int, position);

    ChNameSet set;
    InitChNameSet(set);
    for (int k = 0; k < taken; ++k)
        StoreChName(set, 59 + k, "User" + std::to_string(k));
    std::vector<std::uint8_t> old = chNameSetImage(set);
    old.resize(static_cast<std::size_t>(oldLength), 0xEE);

    const std::optional<int> k = AppendChName(set, "Hazer");
    QCOMPARE(k, std::optional<int>(position));
    QCOMPARE(set[position], (ChNameRec{static_cast<std::uint8_t>(position),
                                       static_cast<std::uint8_t>(position + 3),
                                       FixedText<12>::fromText("Hazer")}));

    const std::vector<std::uint8_t> file = appendedEntryFile(old, set, position);
    const std::size_t at = 14 * static_cast<std::size_t>(position);
    QCOMPARE(file.size(), std::max(old.size(), at + 14));
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (i >= at && i < at + 14)
            continue;
        QCOMPARE(int(file[i]), i < old.size() ? int(old[i]) : 0);
    }
    const std::string entry(file.begin() + static_cast<std::ptrdiff_t>(at),
                            file.begin() + static_cast<std::ptrdiff_t>(at + 14));
    const std::string expected =
        std::string(1, char(position)) + char(position + 3) + padded("Hazer");
    QCOMPARE(entry, expected);
}

void TestChNameSet::appendWithNoFreePosition()
{
    ChNameSet set;
    InitChNameSet(set);
    for (int k = 59; k < 253; ++k)
        StoreChName(set, k, "N" + std::to_string(k));
    const ChNameSet before = set;
    QVERIFY(!AppendChName(set, "More").has_value());
    QVERIFY(set == before);
}

QTEST_APPLESS_MAIN(TestChNameSet)
#include "tst_chnameset.moc"
