// Palettes edited through the editor survive the fixture setup file: written, read back into a
// fresh record, and shown again by a second editor.
#include "PaletteEditHarness.h"

#include "core/FixtureFile.h"

namespace {

struct EditedEntry {
    int entry;
    const char* name;
    std::vector<std::pair<int, int>> values; // channel index, value
};

struct EditedPalette {
    int palette;
    const char* name; // nullptr: leave the palette unnamed
    std::vector<int> channels;
    std::vector<EditedEntry> entries;
};

// What the technician does: five palettes, one of them with a selection but no name (it is not
// in use, so its values are not stored), one with a name and no entries, one whose entry 0 is
// empty.
const std::vector<EditedPalette> edits = {
    {0,
     "Spot",
     {0, 1, 2, 15},
     {{0, "Red", {{0, 255}, {1, 0}, {2, 0}, {15, 200}}},
      {1, "Green", {{0, 0}, {1, 255}, {2, 1}, {15, 254}}},
      {3, "Blue", {{2, 128}}}}},
    {2, "Wash", {4, 5, 6, 7}, {{0, "Warm", {{4, 60}, {7, 90}}}}},
    {4, "Empty", {3}, {}},
    {6, nullptr, {8}, {{0, "Lost", {{8, 33}}}}},
    {9, "Gobo10", {8, 10}, {{9, "Last", {{8, 7}, {10, 250}}}}},
};

} // namespace

class TestPaletteRoundTrip : public QObject {
    Q_OBJECT

    void edit(PaletteEditHarness& h)
    {
        for (const EditedPalette& pal : edits) {
            h.chooseTab(pal.palette);
            h.click(h.settingButton());
            if (pal.name)
                h.typeInto(h.paletteName(), pal.name);
            for (int k : pal.channels)
                h.clickCheck(k);
            h.click(h.settingButton());
            for (const EditedEntry& e : pal.entries) {
                h.click(h.entryButton(e.entry));
                h.typeInto(h.entryName(), e.name);
                for (const auto& [k, value] : e.values)
                    h.setSliderValue(k, value);
                h.click(h.saveButton());
            }
        }
    }

private slots:
    void editedPalettesSurviveTheFile()
    {
        PaletteEditHarness h(16, 16);
        QVERIFY(h.open());
        edit(h);
        QVERIFY(h.dialogs.shown().isEmpty());
        const fx::FixtureRecord& edited = *h.record;
        QCOMPARE(int(edited.PalUsed[0]), 1);
        QCOMPARE(int(edited.PalUsed[4]), 0); // a name but no entry
        QCOMPARE(int(edited.PalUsed[6]), 0); // entries but no name
        QCOMPARE(int(edited.PalEntrySize[0][1]), 4);
        QCOMPARE(int(edited.PalValue[0][1][2]), 1);
        QCOMPARE(int(edited.PalValue[9][9][10]), 250);

        const fx::FixtureImage image = fx::WriteFixtureImage(edited);
        auto read = std::make_unique<fx::FixtureRecord>();
        QCOMPARE(QString::fromStdString(fx::ReadFixtureImage(image, *read)), QString());

        QVERIFY(read->PalName == edited.PalName);
        QVERIFY(read->PalEntryName == edited.PalEntryName);
        QVERIFY(read->PalUsed == edited.PalUsed);
        QVERIFY(read->PalEntrySize == edited.PalEntrySize);
        // The file carries selections and values of the palettes in use, for their named entries.
        for (int p = 0; p < fx::PaletteCount; ++p) {
            if (edited.PalUsed[p] == 0)
                continue;
            QVERIFY2(read->PalChannelUsed[p] == edited.PalChannelUsed[p],
                     qPrintable(QString::number(p)));
            for (int e = 0; e < fx::PaletteEntryCount; ++e) {
                if (edited.PalEntrySize[p][e] == 0)
                    continue;
                for (int k = 0; k < fx::MaxChannels; ++k) {
                    if (edited.PalChannelUsed[p][k] == 1)
                        QCOMPARE(read->PalValue[p][e][k], edited.PalValue[p][e][k]);
                }
            }
        }

        // A second editor on the record read back shows the same palettes.
        PaletteEditHarness again(16, 16);
        again.document.replace(*read);
        again.document.setPalChannels(16);
        QVERIFY(again.open());
        again.chooseTab(9);
        QCOMPARE(again.paletteName()->text(), QStringLiteral("Gobo10"));
        QVERIFY(again.check(8)->isChecked() && again.check(10)->isChecked());
        QCOMPARE(again.entryButton(9)->text(), QStringLiteral("Last  "));
        again.click(again.entryButton(9));
        QCOMPARE(again.valueBox(8)->text(), QStringLiteral("7"));
        QCOMPARE(again.slider(10)->value(), 250);
        again.click(again.cancelButton());

        again.chooseTab(0);
        again.click(again.entryButton(0));
        QCOMPARE(again.slider(0)->value(), 255);
        QCOMPARE(again.valueBox(15)->text(), QStringLiteral("200"));
        QVERIFY(again.slider(15)->isVisible());
        QVERIFY(!again.slider(3)->isVisible());
    }
};

QTEST_MAIN(TestPaletteRoundTrip)
#include "TestPaletteRoundTrip.moc"
