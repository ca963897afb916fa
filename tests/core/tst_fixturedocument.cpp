// The fixture document's edits: every kind undone and redone gives back the record exactly, and a
// long random run of edits can be walked back to the start and forward to the end.

#include "core/FixtureDocument.h"
#include "core/PaletteStore.h"

#include <QtTest>

#include <memory>
#include <random>

namespace {

std::unique_ptr<fx::FixtureRecord> sample()
{
    auto r = std::make_unique<fx::FixtureRecord>();
    fx::ResetFixtureRecord(*r, 12);
    for (int c = 0; c < 12; ++c) {
        r->Channels[c].ChName.assign("Ch" + std::to_string(c));
        r->Channels[c].ChValue = static_cast<std::uint8_t>(c * 7);
        r->StepCount[c] = static_cast<std::uint8_t>(c % 4);
        for (int s = 0; s < 4; ++s)
            r->Steps[c][s] = {std::uint8_t(s * 10), std::uint8_t(s * 10 + 9),
                              fx::FixedText<8>::fromText("S" + std::to_string(s))};
    }
    return r;
}

} // namespace

class TestFixtureDocument : public QObject {
    Q_OBJECT
private slots:
    void eachEditUndoes_data();
    void eachEditUndoes();
    void stepRules();
    void randomHistoryWalksBackAndForth();
};

using EditMaker = std::function<fx::Edit(const fx::FixtureDocument&)>;
Q_DECLARE_METATYPE(EditMaker)

void TestFixtureDocument::eachEditUndoes_data()
{
    using D = fx::FixtureDocument;
    QTest::addColumn<EditMaker>("make");
    QTest::addColumn<bool>("changes");
    const auto row = [](const char* name, EditMaker make, bool changes = true) {
        QTest::newRow(name) << make << changes;
    };
    row("name", [](const D& d) { return d.setFixtureName("Spot 575"); });
    row("pan", [](const D& d) { return d.setMaxPanDegree(540); });
    row("tilt", [](const D& d) { return d.setMaxTiltDegree(270); });
    row("count down", [](const D& d) { return d.setChannelCount(3); });
    row("count up", [](const D& d) { return d.setChannelCount(40); });
    row(
        "count same", [](const D& d) { return d.setChannelCount(12); }, false);
    row(
        "count 0", [](const D& d) { return d.setChannelCount(0); }, false);
    row("channel name", [](const D& d) { return d.setChannelName(2, "Pan", 6); });
    row("type drops partner", [](const D& d) { return d.setChannelType(0, fx::TypeHtp); });
    row(
        "type 7", [](const D& d) { return d.setChannelType(0, 7); }, false);
    row("partner", [](const D& d) { return d.setPartner(0, 2); });
    row(
        "partner 41", [](const D& d) { return d.setPartner(0, 41); }, false);
    row("value", [](const D& d) { return d.setChannelValue(1, 300); });
    row("step name", [](const D& d) { return d.setStepName(3, 1, "Gobo"); });
    row("step to", [](const D& d) { return d.setStepValue(3, 2, D::StepField::To, 77); });
    row("add", [](const D& d) { return d.addStep(3); });
    row("insert", [](const D& d) { return d.insertStep(3, 0); });
    row("delete", [](const D& d) { return d.deleteStep(3, 1); });
    row("delete only", [](const D& d) { return d.deleteStep(1, 0); });
    row("copy", [](const D& d) { return d.copySteps(3, 1); });
    row(
        "copy onto itself", [](const D& d) { return d.copySteps(3, 3); }, false);
    row("palette", [](const D& d) {
        return d.change("Store Palette Setting", [](fx::FixtureRecord& r) {
            r.PalName[2] = fx::PaletteName::fromText("Looks");
            r.PalEntryName[2][0] = fx::PaletteName::fromText("Red");
            r.PalChannelUsed[2][1] = 1;
            r.PalChannels = 12;
            fx::UpdatePaletteUse(r);
        });
    });
}

void TestFixtureDocument::eachEditUndoes()
{
    QFETCH(EditMaker, make);
    QFETCH(bool, changes);
    fx::FixtureDocument doc;
    auto start = sample();
    start->Channels[0].ChType = fx::TypeFadeable16H;
    start->Channels[0].PairChannel = 5;
    doc.replace(*start);

    const fx::Edit edit = make(doc);
    QCOMPARE(!edit.empty(), changes);
    QVERIFY(doc.record() == *start); // working out an edit changes nothing
    doc.apply(edit.after);
    QCOMPARE(!(doc.record() == *start), changes);
    const auto done = std::make_unique<fx::FixtureRecord>(doc.record());
    doc.apply(edit.before);
    QVERIFY(doc.record() == *start);
    doc.apply(edit.after);
    QVERIFY(doc.record() == *done);
}

void TestFixtureDocument::stepRules()
{
    fx::FixtureDocument doc;
    doc.replace(*sample());
    const fx::FixtureRecord& r = doc.record();
    // Count changes blank the channels they add or remove (their names change), and keep steps.
    QVERIFY(doc.setChannelValue(0, 1).change.names.none());
    const fx::Edit down = doc.setChannelCount(2);
    QVERIFY(down.change.names.test(5) && !down.change.names.test(1));
    doc.apply(down.after);
    QCOMPARE(r.Channels[5].ChName.str(), std::string(12, ' '));
    QCOMPARE(int(r.StepCount[5]), 1);
    // Insert only from 1 to 49 steps; Add up to 255; Delete of the only step keeps its entry.
    QVERIFY(doc.insertStep(0, 0).empty());
    doc.apply(doc.deleteStep(1, 0).after);
    QCOMPARE(int(r.StepCount[1]), 0);
    QCOMPARE(r.Steps[1][0].StepName.trimmed(), std::string("S0"));
    for (int i = 0; i < 255; ++i)
        doc.apply(doc.addStep(1).after);
    QCOMPARE(int(r.StepCount[1]), 255);
    QVERIFY(doc.addStep(1).empty());
    QVERIFY(doc.insertStep(1, 0).empty());
    doc.apply(doc.insertStep(3, 1).after);
    QCOMPARE(int(r.StepCount[3]), 4);
    QCOMPARE(r.Steps[3][1].StepName.str(), std::string(8, ' '));
    QCOMPARE(r.Steps[3][2].StepName.trimmed(), std::string("S1"));
    // One step edit keeps one step, not the channel's table.
    const fx::Edit small = doc.setStepName(3, 200, "x");
    QVERIFY(small.after.bytes() < 1024); // a channel's whole table is 2560 bytes
}

void TestFixtureDocument::randomHistoryWalksBackAndForth()
{
    using D = fx::FixtureDocument;
    fx::FixtureDocument doc;
    doc.replace(*sample());
    std::mt19937 random(20261206);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    std::vector<fx::Edit> history;
    std::vector<std::unique_ptr<fx::FixtureRecord>> states;
    states.push_back(std::make_unique<fx::FixtureRecord>(doc.record()));
    while (history.size() < 600) {
        const int c = pick(40);
        fx::Edit edit;
        switch (pick(10)) {
        case 0: edit = doc.setChannelCount(1 + pick(40)); break;
        case 1: edit = doc.setChannelName(c, "N" + std::to_string(pick(99)), pick(60)); break;
        case 2: edit = doc.setChannelType(c, pick(7)); break;
        case 3: edit = doc.setPartner(c, pick(41)); break;
        case 4: edit = doc.setStepName(c, pick(256), "s" + std::to_string(pick(9))); break;
        case 5: edit = doc.addStep(c); break;
        case 6: edit = doc.insertStep(c, pick(8)); break;
        case 7: edit = doc.deleteStep(c, pick(8)); break;
        case 8: edit = doc.copySteps(c, pick(40)); break;
        default: edit = doc.setStepValue(c, pick(256), D::StepField::From, pick(256)); break;
        }
        if (edit.empty())
            continue;
        doc.apply(edit.after);
        history.push_back(std::move(edit));
        states.push_back(std::make_unique<fx::FixtureRecord>(doc.record()));
    }
    for (std::size_t i = history.size(); i-- > 0;) {
        doc.apply(history[i].before);
        QVERIFY2(doc.record() == *states[i], qPrintable(QStringLiteral("undo to %1").arg(i)));
    }
    for (std::size_t i = 0; i < history.size(); ++i) {
        doc.apply(history[i].after);
        QVERIFY2(doc.record() == *states[i + 1], qPrintable(QStringLiteral("redo %1").arg(i)));
    }
}

QTEST_GUILESS_MAIN(TestFixtureDocument)
#include "tst_fixturedocument.moc"
