// The frame the live output sends for each look, and what it refuses.

#include "LiveHarness.h"

#include <QTest>

Q_DECLARE_METATYPE(fx::LiveLook)
Q_DECLARE_METATYPE(fx::DmxFrame)

namespace {

fx::LiveLook look(fx::LiveLook::Kind kind, int a = 0, int b = 0)
{
    fx::LiveLook l;
    l.kind = kind;
    l.channel = l.palette = a;
    l.step = l.entry = b;
    l.values.fill(99);
    return l;
}

} // namespace

class TestLiveFrame : public QObject {
    Q_OBJECT
private slots:
    void frame_data()
    {
        using K = fx::LiveLook::Kind;
        QTest::addColumn<int>("address");
        QTest::addColumn<fx::LiveLook>("look");
        QTest::addColumn<fx::DmxFrame>("expected");
        QTest::addColumn<int>("cut");
        QTest::addColumn<QString>("cutText");
        // The 16-bit pan pair goes out as its two stored bytes.
        QTest::newRow("values") << 1 << fx::LiveLook{}
                                << livetest::frameOf({255, 0x12, 0x34, 0, 7, 0}) << 0 << QString();
        QTest::newRow("last slot") << 512 << fx::LiveLook{} << livetest::frameOf({255}, 512) << 5
                                   << "channels 2 to 6 pass slot 512 and are not sent";
        QTest::newRow("one cut") << 508 << fx::LiveLook{}
                                 << livetest::frameOf({255, 0x12, 0x34, 0, 7}, 508) << 1
                                 << "channel 6 passes slot 512 and is not sent";
        // Red is 10 to 19: its middle rounds down.
        QTest::newRow("step Red") << 1 << look(K::Step, 3, 1)
                                  << livetest::frameOf({255, 0x12, 0x34, 14, 7, 0}) << 0
                                  << QString();
        QTest::newRow("step cut away")
            << 510 << look(K::Step, 3, 2) << livetest::frameOf({255, 0x12, 0x34}, 510) << 3
            << "channels 4 to 6 pass slot 512 and are not sent";
        // Only the palette's selected channels (4 and 5) take the entry's values.
        QTest::newRow("palette entry")
            << 1 << look(K::PaletteEntry, 0, 1) << livetest::frameOf({255, 0x12, 0x34, 99, 99, 0})
            << 0 << QString();
        QTest::newRow("blackout") << 3 << look(K::Blackout) << fx::DmxFrame{} << 0 << QString();
    }
    void frame()
    {
        QFETCH(int, address);
        QFETCH(fx::LiveLook, look);
        QFETCH(fx::DmxFrame, expected);
        QFETCH(int, cut);
        QFETCH(QString, cutText);
        const auto lamp = livetest::lampFixture();
        const fx::LiveFrame frame = fx::ComposeLiveFrame(*lamp, address, look);
        for (int slot = 0; slot < fx::DmxSlots; ++slot)
            QVERIFY2(frame.dmx[slot] == expected[slot], qPrintable(QString::number(slot + 1)));
        QCOMPARE(frame.cut, cut);
        QCOMPARE(frame.firstSlot, address);
        QCOMPARE(frame.lastSlot, address + 5 - cut);
        QCOMPARE(QString::fromStdString(fx::cutText(*lamp, frame)), cutText);
    }

    void refused_data()
    {
        using K = fx::LiveLook::Kind;
        QTest::addColumn<int>("universe");
        QTest::addColumn<int>("address");
        QTest::addColumn<fx::LiveLook>("look");
        QTest::addColumn<QString>("problem");
        QTest::newRow("fine") << 32767 << 512 << look(K::PaletteEntry, 0, 1) << QString();
        QTest::newRow("address 0") << 1 << 0 << fx::LiveLook{} << "address 0 is outside 1 to 512";
        QTest::newRow("address 513")
            << 1 << 513 << fx::LiveLook{} << "address 513 is outside 1 to 512";
        QTest::newRow("universe 0")
            << 0 << 1 << fx::LiveLook{} << "universe 0 is outside 1 to 32767";
        QTest::newRow("universe 32768")
            << 32768 << 1 << fx::LiveLook{} << "universe 32768 is outside 1 to 32767";
        // The look's own rules, at universe 1, address 1.
        const auto look1 = [](const char* name, const fx::LiveLook& l, const char* problem) {
            QTest::newRow(name) << 1 << 1 << l << QString::fromLatin1(problem);
        };
        look1("channel 7", look(K::Step, 6, 0), "the fixture has no channel 7 (it has 6)");
        look1("step 4", look(K::Step, 3, 3), "channel 4 has no step 4 (it has 3)");
        look1("no steps", look(K::Step, 0, 0), "channel 1 has no step 1 (it has 0)");
        look1("palette 2", look(K::PaletteEntry, 1, 0), "the fixture has no palette 2 in use");
        look1("entry 3", look(K::PaletteEntry, 0, 2), "palette 1 has no entry 3 in use");
    }
    void refused()
    {
        QFETCH(int, universe);
        QFETCH(int, address);
        QFETCH(fx::LiveLook, look);
        QFETCH(QString, problem);
        const auto lamp = livetest::lampFixture();
        std::string found = fx::liveTargetProblem(universe, address);
        if (found.empty())
            found = fx::liveLookProblem(*lamp, look);
        QCOMPARE(QString::fromStdString(found), problem);
    }
};

QTEST_APPLESS_MAIN(TestLiveFrame)
#include "tst_liveframe.moc"
