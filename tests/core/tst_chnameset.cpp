// The channel name set: defaults, the two readers' thresholds, the save and the append.

#include "core/ChNameSet.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace fx;

namespace {

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
    void defaultImage()
    {
        // tests/data/ChNameSet-default.fix, the same as "fixture-tool names --init" writes: 253
        // entries of 14 bytes (ChIndex, ChCode, 12-character name), the 41 console defaults first
        // ("Pan" code 6 ... "DimSpeed" code 43), then blank entries with index and code 0.
        ChNameSet set;
        InitChNameSet(set);
        COMPARE_GOLDEN("ChNameSet-default.fix", chNameSetImage(set));
    }

    void loaders_data()
    {
        // The channel name editor needs 580 bytes, the fixture editor 560; both read what is there.
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("editorReads");
        QTest::addColumn<bool>("fixtureEditorReads");
        QTest::newRow("no file") << 0 << false << false;
        QTest::newRow("559 bytes") << 559 << false << false;
        QTest::newRow("560 bytes") << 560 << false << true;
        QTest::newRow("570 bytes") << 570 << false << true;
        QTest::newRow("579 bytes") << 579 << false << true;
        QTest::newRow("580 bytes") << 580 << true << true;
        QTest::newRow("whole file") << 3542 << true << true;
    }

    void loaders()
    {
        QFETCH(int, length);
        QFETCH(bool, editorReads);
        QFETCH(bool, fixtureEditorReads);
        std::vector<std::uint8_t> file = customFile();
        file.resize(static_cast<std::size_t>(length));
        const bool whole = length == 3542;

        // The channel name editor starts from the defaults; what the file holds replaces them.
        const ChNameSet set = loadChNameSetForEditor(file);
        QCOMPARE(set[0].SetName.str(), padded(editorReads ? "Spot Pan" : "Pan"));
        QCOMPARE(int(set[0].ChCode), 6);
        QCOMPARE(set[40].SetName.str(), padded("DimSpeed")); // bytes 560..573
        // Entry 41 (bytes 574..587) is cut in a 580-byte file: it reads as empty.
        QCOMPARE(set[41], (ChNameRec{0, 0, FixedText<12>::blanks()}));
        QCOMPARE(set[59].SetName.str(), padded(whole ? "Laser" : ""));
        QCOMPARE(int(set[59].ChCode), whole ? 62 : 0);

        // The fixture editor starts from zero bytes, which its name list skips; entries the file
        // does not reach are not free positions either.
        ChNameSet fixtureSet{};
        QCOMPARE(loadChNameSetForFixtureEditor(file, fixtureSet), fixtureEditorReads);
        const std::string zero(12, '\0');
        QCOMPARE(fixtureSet[0].SetName.str(), fixtureEditorReads ? padded("Spot Pan") : zero);
        // Entry 40 lies at 560..573: a 570-byte file gives its first ten bytes.
        const std::string entry40 = length >= 574   ? padded("DimSpeed")
                                    : length == 570 ? "DimSpeed" + std::string(4, '\0')
                                                    : zero;
        QCOMPARE(fixtureSet[40].SetName.str(), entry40);
        QCOMPARE(firstFreeUserPosition(fixtureSet).has_value(), whole);
    }

    void storeChName_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("stored");

        QTest::newRow("position 4 keeps its code") << 4 << "Shutter2" << 4 << "Shutter2    ";
        QTest::newRow("position 41 keeps code 0") << 41 << "Haze" << 0 << "Haze        ";
        QTest::newRow("position 252 gets 255") << 252 << "Last" << 255 << "Last        ";
        QTest::newRow("13 characters cut") << 60 << "ABCDEFGHIJKLM" << 63 << "ABCDEFGHIJKL";
    }

    void storeChName()
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

    void saveClearsOnlyEmptyUserEntries()
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

    void saveKeepsTail_data()
    {
        QTest::addColumn<int>("oldLength");
        QTest::addColumn<int>("newLength");
        QTest::newRow("no file") << 0 << 3542;
        QTest::newRow("shorter file") << 600 << 3542;
        QTest::newRow("same length") << 3542 << 3542;
        QTest::newRow("longer file keeps its tail") << 4000 << 4000;
    }

    void saveKeepsTail()
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
        QVERIFY(
            std::equal(file.begin() + 3542, file.end(), old.begin() + std::min(3542, oldLength)));
    }

    void append_data()
    {
        QTest::addColumn<int>("taken"); // user positions 59..59+taken-1 already hold names
        QTest::addColumn<int>("oldLength");
        QTest::addColumn<int>("position");

        QTest::newRow("first user position") << 0 << 3542 << 59;
        QTest::newRow("last position") << 193 << 3542 << 252;
        QTest::newRow("no free position") << 194 << 3542 << -1;
        QTest::newRow("file too short: zero filled") << 2 << 100 << 61;
        QTest::newRow("longer file") << 0 << 5000 << 59;
    }

    void append()
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

        const ChNameSet before = set;
        const std::optional<int> k = AppendChName(set, "Hazer");
        QCOMPARE(k.value_or(-1), position);
        if (position < 0) {
            QVERIFY(set == before);
            return;
        }
        // The old file with the one entry written over it, zero filled up to it when short.
        const std::size_t at = 14 * static_cast<std::size_t>(position);
        std::vector<std::uint8_t> expected = old;
        expected.resize(std::max(old.size(), at + 14), 0);
        const std::string entry = std::string{char(position), char(position + 3)} + "Hazer";
        std::copy(entry.begin(), entry.end(), expected.begin() + std::ptrdiff_t(at));
        std::fill_n(expected.begin() + std::ptrdiff_t(at + entry.size()), 14 - entry.size(), ' ');
        QCOMPARE(appendedEntryFile(old, set, position), expected);
    }

    void typedName_data()
    {
        // The defaults with "Caf\xE9" at 59; "no place": every user position named; "full": also
        // 41..58; "unwritten": entry 0 ("Pan") zero bytes, as a short file leaves it.
        QTest::addColumn<QString>("set");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<int>("verdict");
        const auto row = [](const char* name, const char* set, QByteArray typed,
                            TypedNameVerdict v) {
            QTest::newRow(name) << QString::fromLatin1(set) << typed << int(v);
        };
        using V = TypedNameVerdict;
        row("blanks", "defaults", "     ", V::Nothing);
        row("known, other case", "defaults", "pAN", V::Known);
        row("known, accented capital", "defaults", "CAF\xC9", V::Known);
        row("known as 12 characters", "defaults", "Pan         x", V::Known);
        row("unknown", "defaults", "Scan", V::OfferToAdd);
        row("unwritten entry is unknown", "unwritten", "Pan", V::OfferToAdd);
        row("unknown, no place", "no place", "Scan", V::NoFreePlace);
        row("known, no place", "no place", "Tilt", V::Known);
        row("full list, known", "full", "Tilt", V::ListFull);
        row("full list, unknown", "full", "Scan", V::ListFull);
    }

    void typedName()
    {
        QFETCH(QString, set);
        QFETCH(QByteArray, typed);
        QFETCH(int, verdict);
        ChNameSet names;
        InitChNameSet(names);
        StoreChName(names, 59, "Caf\xE9");
        const int from = set == "full" ? 41 : set == "no place" ? 60 : ChNameCount;
        for (int k = from; k < ChNameCount; ++k)
            StoreChName(names, k, "N" + std::to_string(k));
        if (set == "unwritten")
            names[0].SetName = {};
        QCOMPARE(int(judgeTypedName(names, typed.toStdString())), verdict);
    }
};

QTEST_APPLESS_MAIN(TestChNameSet)
#include "tst_chnameset.moc"
