// The fixture document's edits: the rules each kind follows, bad values refused, and a long random
// run of every kind of edit walked back to the start and forward to the end exactly.

#include "core/FixtureDocument.h"
#include "core/PaletteStore.h"

#include <QtTest>

#include <memory>
#include <random>
#include <span>

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
    void rules_data();
    void rules();
    void changesStayNarrow();
    void randomHistoryWalksBackAndForth();
};

// A channel as "name type/partner value code #count: entry, ..." with its first four step
// entries (blank names read "_"); channel -1 is the header.
QString channelText(const fx::FixtureRecord& r, int c)
{
    const auto text = [](const auto& fixed) {
        const std::string t = fixed.trimmed();
        return t.empty() ? QStringLiteral("_") : QString::fromLatin1(t);
    };
    if (c < 0)
        return QString::asprintf("%s pan%d tilt%d n%d", qPrintable(text(r.FixHeader.FixtureName)),
                                 r.MaxPanDegree, r.MaxTiltDegree, int(r.FixHeader.NumChannels));
    const fx::ChannelInfo& ch = r.Channels[c];
    QString line =
        QString::asprintf("%s %d/%d v%d f%d #%d:", qPrintable(text(ch.ChName)), ch.ChType,
                          ch.PairChannel, ch.ChValue, ch.FuncCode, r.StepCount[c]);
    for (const fx::StepInfo& s : std::span(r.Steps[c]).first(4))
        line += QString::asprintf(" %s %d-%d", qPrintable(text(s.StepName)), s.FromDmx, s.ToDmx);
    return line;
}

// Makes the edits of a script such as "add 3; name 2 6 Pan" as the editor's controls make them;
// "_" in a text is a blank.
void run(fx::FixtureDocument& d, const QString& script)
{
    for (const QString& command : script.split(u';')) {
        QStringList w = command.simplified().split(u' ');
        const auto n = [&w](int i) { return w.value(i).toInt(); };
        const std::string text = w.last().replace(u'_', u' ').toStdString();
        const QString verb = w[0];
        if (verb == "new") {
            d.replace(*d.newFixture(n(1), n(2), "New"));
            continue;
        }
        using F = fx::FixtureDocument::StepField;
        const fx::Edit e = verb == "count"    ? d.setChannelCount(n(1))
                           : verb == "title"  ? d.setFixtureName(text)
                           : verb == "pan"    ? d.setMaxPanDegree(n(1))
                           : verb == "tilt"   ? d.setMaxTiltDegree(n(1))
                           : verb == "name"   ? d.setChannelName(n(1), text, n(2))
                           : verb == "type"   ? d.setChannelType(n(1), n(2))
                           : verb == "pair"   ? d.setPartner(n(1), n(2))
                           : verb == "value"  ? d.setChannelValue(n(1), n(2))
                           : verb == "step"   ? d.setStepName(n(1), n(2), text)
                           : verb == "from"   ? d.setStepValue(n(1), n(2), F::From, n(3))
                           : verb == "add"    ? d.addStep(n(1))
                           : verb == "insert" ? d.insertStep(n(1), n(2))
                           : verb == "delete" ? d.deleteStep(n(1), n(2))
                           : verb == "copy"   ? d.copySteps(n(1), n(2))
                           : verb == "fill"   ? d.fillSteps(n(1), n(2), n(3), n(4), text)
                           : verb == "sort"   ? d.sortSteps(n(1))
                                              : d.settleAfterSave(); // "save"
        d.apply(e.after);
    }
}

void TestFixtureDocument::rules_data()
{
    QTest::addColumn<QString>("script"); // run on the sample
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* name, const char* script, int channel, const char* expected) {
        QTest::newRow(name) << QString(script) << channel << QString(expected);
    };
    // Channels a count change hides or brings back are blanked; their steps stay.
    row("count down", "count 2", 5, "_ 0/0 v0 f0 #1: S0 0-9 S1 10-19 S2 20-29 S3 30-39");
    row("count 0 refused", "count 0", 5, "Ch5 0/0 v35 f0 #1: S0 0-9 S1 10-19 S2 20-29 S3 30-39");
    row("count up", "name 13 6 Pan; count 14", 13, "_ 0/0 v0 f0 #0: _ 0-0 _ 0-0 _ 0-0 _ 0-0");
    // Below 16 bit a channel loses its partner; the partner keeps its own pairing.
    row("type below 16 bit", "type 0 5; pair 0 2; type 1 6; pair 1 1; type 0 0", 0,
        "Ch0 0/0 v0 f0 #0: S0 0-9 S1 10-19 S2 20-29 S3 30-39");
    row("partner kept", "type 0 5; pair 0 2; type 1 6; pair 1 1; type 0 0", 1,
        "Ch1 6/1 v7 f0 #1: S0 0-9 S1 10-19 S2 20-29 S3 30-39");
    row("type 7 and partner 41 refused", "type 0 5; type 0 7; pair 0 41", 0,
        "Ch0 5/0 v0 f0 #0: S0 0-9 S1 10-19 S2 20-29 S3 30-39");
    row("value above 255", "value 1 300", 1,
        "Ch1 0/0 v255 f0 #1: S0 0-9 S1 10-19 S2 20-29 S3 30-39");
    row("step name cut to 8", "step 3 0 Strobe_fast", 3,
        "Ch3 0/0 v21 f0 #3: Strobe f 0-9 S1 10-19 S2 20-29 S3 30-39");
    // A channel without steps keeps what is typed into its first entry, without a step.
    row("entry of no step", "step 0 0 Open; from 0 0 7", 0,
        "Ch0 0/0 v0 f0 #0: Open 7-9 S1 10-19 S2 20-29 S3 30-39");
    row("add on no steps", "add 0", 0, "Ch0 0/0 v0 f0 #1: _ 0-0 S1 10-19 S2 20-29 S3 30-39");
    row("add up to 255", "fill 1 254 0 255 #; add 1; add 1", 1,
        "Ch1 0/0 v7 f0 #255: S0 0-9 1 0-0 2 1-1 3 2-2");
    row("insert", "insert 3 1", 3, "Ch3 0/0 v21 f0 #4: S0 0-9 _ 0-0 S1 10-19 S2 20-29");
    row("insert at no step", "insert 0 0", 0,
        "Ch0 0/0 v0 f0 #0: S0 0-9 S1 10-19 S2 20-29 S3 30-39");
    row("insert up to 50", "fill 2 47 0 255 #; insert 2 0; insert 2 0", 2,
        "Ch2 0/0 v14 f0 #50: _ 0-0 S0 0-9 S1 10-19 1 0-4");
    row("delete", "delete 3 1", 3, "Ch3 0/0 v21 f0 #2: S0 0-9 S2 20-29 _ 0-0 S3 30-39");
    row("delete the only step", "delete 1 0", 1,
        "Ch1 0/0 v7 f0 #0: S0 0-9 S1 10-19 S2 20-29 S3 30-39");
    row("copy takes every entry", "step 3 3 far; copy 3 1", 1,
        "Ch1 0/0 v7 f0 #3: S0 0-9 S1 10-19 S2 20-29 far 30-39");
    row("fill appends", "fill 2 2 0 255 F#", 2,
        "Ch2 0/0 v14 f0 #4: S0 0-9 S1 10-19 F1 0-127 F2 128-255");
    row("sort", "from 3 0 50; sort 3", 3, "Ch3 0/0 v21 f0 #3: S1 10-19 S2 20-29 S0 50-9 S3 30-39");
    // A save gives the partner a high channel names its low type (tst_editordocuments: the rest).
    row("save: named low half", "type 0 3; pair 0 3; save", 2,
        "Ch2 4/0 v14 f0 #2: S0 0-9 S1 10-19 S2 20-29 S3 30-39");
    // New keeps the name and the pan degree; its first showing names it and clears the pan.
    row("new", "title Spot; pan 540; tilt 90; new 8 0", -1, "Spot pan540 tilt0 n8");
    row("new, first showing", "pan 540; tilt 90; new 8 1", -1, "New pan0 tilt0 n8");
    row("new clears the steps", "new 8 0", 3, "_ 0/0 v0 f0 #0: _ 0-0 _ 0-0 _ 0-0 _ 0-0");
}

void TestFixtureDocument::rules()
{
    QFETCH(QString, script);
    QFETCH(int, channel);
    fx::FixtureDocument doc;
    doc.replace(*sample());
    run(doc, script);
    QTEST(channelText(doc.record(), channel), "expected");
}

void TestFixtureDocument::changesStayNarrow()
{
    fx::FixtureDocument doc;
    doc.replace(*sample());
    // Only the channels a count change blanks change their names.
    QVERIFY(doc.setChannelValue(0, 1).change.names.none());
    const fx::Edit down = doc.setChannelCount(2);
    QVERIFY(down.change.names.test(5) && !down.change.names.test(1));
    // One step edit keeps one step, not the channel's table (2560 bytes).
    QVERIFY(doc.setStepName(3, 200, "x").after.bytes() < 1024);
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
        switch (pick(15)) {
        case 0: edit = doc.setChannelCount(1 + pick(40)); break;
        case 1: edit = doc.setChannelName(c, "N" + std::to_string(pick(99)), pick(60)); break;
        case 2: edit = doc.setChannelType(c, pick(7)); break;
        case 3: edit = doc.setPartner(c, pick(41)); break;
        case 4: edit = doc.setStepName(c, pick(256), "s" + std::to_string(pick(9))); break;
        case 5: edit = doc.addStep(c); break;
        case 6: edit = doc.insertStep(c, pick(8)); break;
        case 7: edit = doc.deleteStep(c, pick(8)); break;
        case 8: edit = doc.copySteps(c, pick(40)); break;
        case 9: edit = doc.setChannelValue(c, pick(300)); break;
        case 10: edit = doc.fillSteps(c, 1 + pick(4), pick(256), pick(256), "F#"); break;
        case 11: edit = doc.sortSteps(c); break;
        case 12: edit = doc.setMaxPanDegree(pick(721)); break;
        case 13:
            edit = doc.change("Palette", [&](fx::FixtureRecord& r) {
                r.PalValue[pick(10)][pick(10)][c] = std::uint8_t(pick(256));
            });
            break;
        default: edit = doc.setStepValue(c, pick(256), D::StepField::From, pick(256)); break;
        }
        QVERIFY(doc.record() == *states.back()); // working out an edit changes nothing
        if (edit.empty())
            continue;
        doc.apply(edit.after);
        QVERIFY(!(doc.record() == *states.back())); // an edit that is not empty changes the record
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
