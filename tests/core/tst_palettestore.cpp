// The palette store rules: the upkeep of PalUsed and PalEntrySize.

#include "core/PaletteStore.h"

#include <QtTest>

#include <memory>
#include <numeric>

using namespace fx;

class TestPaletteStore : public QObject {
    Q_OBJECT

private slots:
    void paletteUse_data()
    {
        QTest::addColumn<int>("palChannels");
        QTest::addColumn<QString>("palName");
        QTest::addColumn<QList<int>>("selected"); // channel indices with PalChannelUsed 1
        QTest::addColumn<QList<int>>("namedEntries");
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("size"); // of every named entry

        QTest::newRow("named palette, two channels")
            << 8 << "Pos" << QList<int>{0, 3} << QList<int>{0, 4} << 1 << 2;
        QTest::newRow("PalChannels 0: used but size 0")
            << 0 << "Pos" << QList<int>{0, 3} << QList<int>{2} << 1 << 0;
        QTest::newRow("palette without a name")
            << 8 << "" << QList<int>{0} << QList<int>{1} << 0 << 0;
        QTest::newRow("no named entry") << 8 << "Pos" << QList<int>{0} << QList<int>{} << 0 << 0;
        QTest::newRow("flags at or above PalChannels not counted")
            << 4 << "Pos" << QList<int>{1, 4, 39} << QList<int>{9} << 1 << 1;
        QList<int> all(40);
        std::iota(all.begin(), all.end(), 0);
        QTest::newRow("all forty") << 40 << "All" << all << all.mid(0, 10) << 1 << 40;
    }

    void paletteUse()
    {
        QFETCH(int, palChannels);
        QFETCH(QString, palName);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, namedEntries);
        QFETCH(int, used);
        QFETCH(int, size);

        auto r = std::make_unique<FixtureRecord>();
        ResetFixtureRecord(*r, 8);
        r->PalChannels = static_cast<std::uint8_t>(palChannels);
        const int p = 6;
        r->PalName[p] = paletteNameFromText(palName.toStdString());
        for (int c : selected)
            r->PalChannelUsed[p][c] = 1;
        for (int e : namedEntries)
            r->PalEntryName[p][e] = paletteNameFromText("E" + std::to_string(e));
        r->PalEntrySize[p][5] = 17; // stale sizes are recomputed
        r->PalUsed[3] = 1;          // so is a stale flag of an empty palette
        r->PalValue[p][1][0] = 200;
        UpdatePaletteUse(*r);

        QCOMPARE(int(r->PalUsed[p]), used);
        QCOMPARE(int(r->PalUsed[3]), 0);
        for (int e = 0; e < 10; ++e)
            QCOMPARE(int(r->PalEntrySize[p][e]), namedEntries.contains(e) ? size : 0);
        // Names and values stay in the store whatever the use.
        QCOMPARE(int(r->PalValue[p][1][0]), 200);
        QCOMPARE(int(r->PalChannelUsed[p][selected.value(0, 0)]), selected.isEmpty() ? 0 : 1);
    }
};

QTEST_APPLESS_MAIN(TestPaletteStore)
#include "tst_palettestore.moc"
