// The check of a fixture record: every kind of problem found on a record built for it, none on a
// clean one.

#include "core/FixtureCheck.h"
#include "core/FixtureFile.h"
#include "core/StepTools.h"

#include <QtTest>

#include <functional>
#include <memory>

using namespace fx;

namespace {

// 40 named channels with their own function codes, an instant 16-bit pair on channels 1 and 2,
// two sound steps on channel 3 and Palette1 over channel 1.
std::unique_ptr<FixtureRecord> cleanFixture()
{
    auto r = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*r, 40);
    r->FixHeader.FixtureName.assign("Spot");
    r->MaxPanDegree = 540;
    r->MaxTiltDegree = 270;
    for (int c = 0; c < 40; ++c) {
        r->Channels[c].ChName.assign("Ch" + std::to_string(c + 1));
        r->Channels[c].FuncCode = static_cast<std::uint8_t>(c + 10);
    }
    r->Channels[0].ChType = TypeInstant16H;
    r->Channels[0].PairChannel = 2;
    r->Channels[1].ChType = TypeInstant16L;
    r->StepCount[2] = 2;
    r->Steps[2][0] = {0, 9, FixedText<8>::fromText("Open")};
    r->Steps[2][1] = {10, 19, FixedText<8>::fromText("Red")};
    r->PalUsed[0] = 1;
    r->PalName[0].assign("Gobo");
    r->PalChannelUsed[0][0] = 1;
    r->PalEntryName[0][0].assign("Open");
    r->PalEntrySize[0][0] = 1;
    return r;
}

using Mutation = std::function<void(FixtureRecord&)>;

} // namespace

Q_DECLARE_METATYPE(Mutation)

class TestFixtureCheck : public QObject {
    Q_OBJECT

private slots:
    void problems_data();
    void problems();
    void untouchedBlankNames();
};

void TestFixtureCheck::problems_data()
{
    QTest::addColumn<Mutation>("mutate");
    QTest::addColumn<QStringList>("expected"); // the start of each line, in the check's order

    QTest::newRow("clean") << Mutation([](FixtureRecord&) {}) << QStringList{};
    QTest::newRow("same function code")
        << Mutation([](FixtureRecord& r) {
               r.Channels[2].FuncCode = 200;
               r.Channels[4].FuncCode = 200;
           })
        << QStringList{"E channel 3: function code 200 is also on channel 5 (\"Ch5\"); the "
                       "console uses channel 5"};
    QTest::newRow("high without partner")
        << Mutation([](FixtureRecord& r) { r.Channels[0].PairChannel = 0; })
        << QStringList{"E channel 1: a 16-bit high channel without a partner",
                       "E channel 2: a 16-bit low channel that no high channel names"};
    QTest::newRow("partner beyond the count")
        << Mutation([](FixtureRecord& r) {
               r.FixHeader.NumChannels = 30;
               r.Channels[0].PairChannel = 31;
               r.PalUsed[0] = 0;
           })
        << QStringList{"E channel 1: its 16-bit partner is channel 31, which is not a channel 1 "
                       "to 30",
                       "E channel 2: a 16-bit low"};
    QTest::newRow("fadeable high, instant low")
        << Mutation([](FixtureRecord& r) { r.Channels[0].ChType = TypeFadeable16H; })
        << QStringList{"E channel 1: its 16-bit partner channel 2 is \"instant LTP 16bitL\", not "
                       "\"Fadeable LTP 16bitL\""};
    QTest::newRow("partner itself") << Mutation([](FixtureRecord& r) {
        r.Channels[2].ChType = TypeFadeable16H;
        r.Channels[2].PairChannel = 3;
    }) << QStringList{"E channel 3: it names itself"};
    QTest::newRow("two highs, one low") << Mutation([](FixtureRecord& r) {
        r.Channels[5].ChType = TypeInstant16H;
        r.Channels[5].PairChannel = 2;
    }) << QStringList{"E channel 6: channel 1 names the same low channel 2"};
    QTest::newRow("From above To") << Mutation([](FixtureRecord& r) {
        r.Steps[2][1] = {30, 20, r.Steps[2][1].StepName};
    }) << QStringList{"E channel 3, step 2: From 30 is above To 20"};
    QTest::newRow("overlap") << Mutation([](FixtureRecord& r) { r.Steps[2][1].FromDmx = 9; })
                             << QStringList{"E channel 3, step 2: its range 9 to 19 overlaps step "
                                            "1 (0 to 9)"};
    QTest::newRow("overlap, earlier range later") << Mutation([](FixtureRecord& r) {
        r.StepCount[2] = 4;
        r.Steps[2][2] = {200, 255, FixedText<8>::fromText("Fast")};
        r.Steps[2][3] = {15, 15, FixedText<8>::fromText("Blue")};
    }) << QStringList{"E channel 3, step 4: its range 15 to 15 overlaps step 2 (10 to 19)"};
    QTest::newRow("blank step name")
        << Mutation([](FixtureRecord& r) { r.Steps[2][0].StepName = FixedText<8>::blanks(); })
        << QStringList{"W channel 3, step 1: the step name is blank"};
    QTest::newRow("205 steps") << Mutation([](FixtureRecord& r) {
        QCOMPARE(FillSteps(r, 5, 203, 0, 255, "S#"), std::string());
    }) << QStringList{"E channel 6, step 203: the file holds 204 steps and this fixture has 205"};
    QTest::newRow("palettes beyond the block")
        << Mutation([](FixtureRecord& r) {
               for (int p = 1; p <= 3; ++p) {
                   r.PalUsed[p] = 1;
                   r.PalName[p].assign("Full");
                   r.PalChannelUsed[p].fill(1);
                   for (int s = 0; s < 10; ++s) {
                       r.PalEntryName[p][s].assign("E" + std::to_string(s));
                       r.PalEntrySize[p][s] = 40;
                   }
               }
           })
        << QStringList{"E Palette4 entry 6: only part of this entry fits",
                       "E Palette4 entry 7: this entry does not fit", "E Palette4 entry 8",
                       "E Palette4 entry 9", "E Palette4 entry 10"};
    QTest::newRow("palette channel beyond the count") << Mutation([](FixtureRecord& r) {
        r.FixHeader.NumChannels = 38;
        r.PalChannelUsed[0][38] = 1;
        r.PalChannelUsed[0][39] = 1;
    }) << QStringList{"E Palette1: it uses channels 39, 40, beyond the fixture's 38 channels"};
    QTest::newRow("palette without channels")
        << Mutation([](FixtureRecord& r) { r.PalChannelUsed[0][0] = 0; })
        << QStringList{"W Palette1: the palette is in use but has no channel selected"};
    QTest::newRow("blank names") << Mutation([](FixtureRecord& r) {
        r.FixHeader.FixtureName = FixedText<11>{}; // never assigned: zero bytes
        r.Channels[6].ChName = FixedText<12>::blanks();
    }) << QStringList{"W the fixture name is blank", "W channel 7: the channel name is blank"};
    QTest::newRow("degree above 720") << Mutation([](FixtureRecord& r) { r.MaxPanDegree = 800; })
                                      << QStringList{"E Max Pan Degree 800 is above 720"};
    QTest::newRow("degree a save changes")
        << Mutation([](FixtureRecord& r) { r.MaxTiltDegree = -5; })
        << QStringList{"E Max Tilt Degree -5 cannot be kept in the file"};
    QTest::newRow("channels beyond the count are not looked at") << Mutation([](FixtureRecord& r) {
        r.FixHeader.NumChannels = 30;
        r.Channels[35].ChName = FixedText<12>::blanks();
        r.Channels[36].FuncCode = 10;
        r.Channels[37].ChType = TypeFadeable16H;
    }) << QStringList{};
}

void TestFixtureCheck::problems()
{
    QFETCH(Mutation, mutate);
    QFETCH(QStringList, expected);
    auto r = cleanFixture();
    mutate(*r);
    const std::vector<Problem> problems = CheckFixture(*r);
    QStringList lines; // "E channel 3, step 2: ..." or "W ..."
    for (const Problem& p : problems)
        lines << QString::fromLatin1((p.isError() ? "E " : "W ") + describeProblem(p));
    QVERIFY2(lines.size() == expected.size(), qPrintable(lines.join(QLatin1Char('\n'))));
    for (int i = 0; i < lines.size(); ++i)
        QVERIFY2(lines[i].startsWith(expected[i]), qPrintable(lines[i]));
    const bool errorExpected = std::any_of(expected.begin(), expected.end(),
                                           [](const QString& e) { return e.startsWith("E "); });
    QCOMPARE(hasErrors(problems), errorExpected);
}

void TestFixtureCheck::untouchedBlankNames()
{
    // A new fixture being filled in: a blank name counts once its channel has other content.
    auto r = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*r, 8);
    r->Channels[1].FuncCode = 20;
    r->Channels[2].ChValue = 7;
    r->StepCount[4] = 1;
    r->Steps[4][0] = {0, 255, FixedText<8>::fromText("Open")};
    r->Channels[6].ChType = TypeHtp;
    const auto blank = [&](BlankNames which) {
        QList<int> channels;
        for (const Problem& p : CheckFixture(*r, which))
            if (p.message == "the channel name is blank")
                channels << p.channel;
        return channels;
    };
    QCOMPARE(blank(BlankNames::WithContent), (QList<int>{1, 2, 4, 6}));
    QCOMPARE(blank(BlankNames::All), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

QTEST_APPLESS_MAIN(TestFixtureCheck)
#include "tst_fixturecheck.moc"
