// The export to QLC+ fixture definitions: the round trip through the import over generated
// fixtures, and the document's shape (root, namespace, one mode naming every channel) on fixtures
// that could break it.

#include "core/ChNameSet.h"
#include "core/Latin1Text.h"
#include "core/QxfExport.h"
#include "core/QxfImport.h"
#include "tool/RecordGenerator.h"

#include <pugixml.hpp>

#include <QtTest>

using namespace fx;

namespace {

ChNameSet defaultNames()
{
    return loadChNameSetForEditor({}); // no file: the default set
}

// A name as a definition carries it: whitespace runs one blank, ends trimmed.
std::string clean(std::string_view latin1)
{
    return utf8ToLatin1Text(latin1ToUtf8(latin1)).text;
}

// A generated fixture made into one a definition can carry whole: unique names without
// punctuation, paired with their codes as the name set pairs them (a typed name code 0), 16-bit
// pairs of a high channel naming its low one, the low named "<high> Fine" (within the 12
// characters of a name), steps From <= To with
// clean names, no channel of one step (a definition's single range is the whole channel, which
// the import does not make a step).
void makeExportable(FixtureRecord& r, const ChNameSet& set)
{
    const int n = r.FixHeader.NumChannels;
    std::vector<std::string> taken;
    for (int i = 0; i < n; ++i) {
        ChannelInfo& ch = r.Channels[i];
        std::string name = ch.ChName.str();
        // Punctuation an import drops from names read from other libraries ("Dimmer, fine (LSB)").
        for (char& c : name)
            if (std::string_view(",()[]{}:-/").find(c) != std::string_view::npos)
                c = 'x';
        name = clean(name);
        std::uint8_t code = 0;
        for (const ChNameRec& e : set)
            if (e.SetName.bytes[0] != 0 && sameChName(e.SetName.trimmed(), name)) {
                name = e.SetName.trimmed();
                code = e.ChCode;
                break;
            }
        for (const std::string& t : taken)
            if (sameChName(t, name))
                name.clear();
        if (name.empty()) {
            name = "Chan " + std::to_string(i + 1);
            code = 0;
        }
        taken.push_back(name);
        ch.ChName.assign(name);
        ch.FuncCode = code;
        if (r.StepCount[i] == 1)
            r.StepCount[i] = 0;
        for (int k = 0; k < r.StepCount[i]; ++k) {
            StepInfo& s = r.Steps[i][k];
            if (s.FromDmx > s.ToDmx)
                std::swap(s.FromDmx, s.ToDmx);
            s.StepName.assign(clean(s.StepName.str()));
        }
    }
    std::vector<int> partner(n, -1);
    for (int i = 0; i < n; ++i) {
        const ChannelInfo& high = r.Channels[i];
        const int low = high.PairChannel - 1;
        if ((high.ChType == TypeFadeable16H || high.ChType == TypeInstant16H) && low >= 0 &&
            low < n && low != i && partner[i] < 0 && partner[low] < 0 &&
            (r.Channels[low].ChType == TypeFadeable16L ||
             r.Channels[low].ChType == TypeInstant16L) &&
            high.ChName.trimmed().size() <= 7) {
            partner[i] = low;
            partner[low] = i;
            // A fine channel is named after its coarse one, as definitions name them.
            r.Channels[low].ChName.assign(high.ChName.trimmed() + " Fine");
            r.Channels[low].FuncCode = 0;
        }
    }
    for (int i = 0; i < n; ++i) {
        ChannelInfo& ch = r.Channels[i];
        const bool high = partner[i] >= 0 && isSixteenBitType(ch.ChType) && ch.ChType % 2 == 1;
        ch.ChType = partner[i] < 0 ? std::uint8_t(ch.ChType % 3)
                                   : std::uint8_t(high ? TypeFadeable16H : TypeFadeable16L);
        ch.PairChannel = std::uint8_t(partner[i] + 1);
    }
}

std::unique_ptr<FixtureRecord> roundTrip(const FixtureRecord& r, const ChNameSet& set)
{
    const std::string text = exportQxf(r, QxfExportOptions{});
    QxfDefinition def;
    const std::string error =
        parseQxf(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), def);
    if (!error.empty() || def.modes.size() != 1) {
        qWarning("%s", error.c_str());
        return nullptr;
    }
    QxfImport imported;
    QxfImportOptions all; // every channel keeps its steps, as `import --steps all`
    all.steps = QxfStepChoice::All;
    if (!importQxfMode(def, 0, set, imported, all).empty())
        return nullptr;
    return std::move(imported.record);
}

QByteArray channelLine(const FixtureRecord& r, int i)
{
    const ChannelInfo& ch = r.Channels[i];
    QByteArray line = QByteArray::fromStdString(ch.ChName.trimmed()) + " code " +
                      QByteArray::number(ch.FuncCode) + " value " +
                      QByteArray::number(ch.ChValue) + " pair " +
                      QByteArray::number(isSixteenBitType(ch.ChType) ? ch.PairChannel : 0) +
                      (isSixteenBitType(ch.ChType) ? (ch.ChType % 2 ? "H" : "L") : "") + " steps";
    for (int k = 0; k < r.StepCount[i]; ++k) {
        const StepInfo& s = r.Steps[i][k];
        line += " " + QByteArray::number(s.FromDmx) + "-" + QByteArray::number(s.ToDmx) + ":" +
                QByteArray::fromStdString(s.StepName.trimmed());
    }
    return line;
}

} // namespace

class TestQxfExport : public QObject {
    Q_OBJECT
private slots:
    void roundTripOfGeneratedFixtures()
    {
        const ChNameSet set = defaultNames();
        int pairs = 0, steps = 0;
        for (unsigned seed = 1; seed <= 300; ++seed) {
            RecordGenerator generator(seed);
            auto r = generator.next();
            makeExportable(*r, set);
            const auto back = roundTrip(*r, set);
            QVERIFY2(back, qPrintable(QString("seed %1").arg(seed)));
            QCOMPARE(back->FixHeader.NumChannels, r->FixHeader.NumChannels);
            QCOMPARE(back->MaxPanDegree, r->MaxPanDegree);
            QCOMPARE(back->MaxTiltDegree, r->MaxTiltDegree);
            for (int i = 0; i < r->FixHeader.NumChannels; ++i) {
                QCOMPARE(channelLine(*back, i), channelLine(*r, i));
                pairs += r->Channels[i].PairChannel != 0;
                steps += r->StepCount[i];
            }
        }
        // The generated fixtures did test something: pairs of every kind and many steps.
        QVERIFY(pairs > 100);
        QVERIFY(steps > 10000);
    }

    void documentShape_data()
    {
        QTest::addColumn<QByteArray>("channelNames"); // "|" between channels, as in the record
        QTest::addColumn<int>("stepsOnFirst");
        QTest::addColumn<QByteArray>("exportedNames"); // what the mode names
        QTest::addColumn<QString>("type");
        QTest::newRow("empty fixture") << QByteArray("||") << 0
                                       << QByteArray("Chan 1|Chan 2|Chan 3") << "Other";
        QTest::newRow("XML characters")
            << QByteArray("a<b&c|\"q\" 'x'|]]>") << 2 << QByteArray("a<b&c|\"q\" 'x'|]]>")
            << "Other";
        QTest::newRow("equal names numbered")
            << QByteArray("Gobo|Gobo| Gobo  |Gobo 2") << 0
            << QByteArray("Gobo|Gobo 2|Gobo 3|Gobo 2 2") << "Other";
        QTest::newRow("255 steps, control characters")
            << QByteArray("Pan\x01|Tilt\t|Dimmer") << 255 << QByteArray("Pan|Tilt|Dimmer")
            << "Moving Head";
        QTest::newRow("Latin-1") << QByteArray("Red\xe9|Cyan") << 3
                                 << QByteArray("Red\xc3\xa9|Cyan") << "Color Changer";
        QTest::newRow("one dimmer") << QByteArray("Dimmer") << 0 << QByteArray("Dimmer")
                                    << "Dimmer";
    }

    void documentShape()
    {
        QFETCH(QByteArray, channelNames);
        QFETCH(int, stepsOnFirst);
        QFETCH(QByteArray, exportedNames);
        QFETCH(QString, type);
        const ChNameSet set = defaultNames();
        auto r = std::make_unique<FixtureRecord>();
        const QList<QByteArray> names = channelNames.split('|');
        ResetFixtureRecord(*r, int(names.size()));
        for (int i = 0; i < names.size(); ++i) {
            r->Channels[i].ChName.assign(names[i].toStdString());
            for (const ChNameRec& e : set)
                if (e.SetName.trimmed() == clean(names[i].toStdString()))
                    r->Channels[i].FuncCode = e.ChCode;
        }
        r->StepCount[0] = std::uint8_t(stepsOnFirst);
        for (int k = 0; k < stepsOnFirst; ++k)
            r->Steps[0][k] = {std::uint8_t(k), std::uint8_t(k), FixedText<8>::fromText("<&\"")};

        const std::string xml = exportQxf(*r, QxfExportOptions{});
        pugi::xml_document doc;
        QVERIFY(doc.load_string(xml.c_str()));
        const pugi::xml_node root = doc.document_element();
        QCOMPARE(QString(root.name()), QString("FixtureDefinition"));
        QCOMPARE(QString(root.attribute("xmlns").value()),
                 QString("http://www.qlcplus.org/FixtureDefinition"));
        QCOMPARE(QString(root.child("Type").text().get()), type);
        QCOMPARE(QString(root.child("Manufacturer").text().get()), QString("Unknown"));
        const auto modes = root.children("Mode");
        QCOMPARE(std::distance(modes.begin(), modes.end()), 1);
        const pugi::xml_node mode = root.child("Mode");
        QCOMPARE(QString(mode.attribute("Name").value()),
                 QString("%1 Channel").arg(names.size()));
        QList<QByteArray> listed;
        for (const pugi::xml_node ch : mode.children("Channel")) {
            QCOMPARE(ch.attribute("Number").as_int(), int(listed.size()));
            listed.append(ch.text().get());
            QVERIFY(root.find_child_by_attribute("Channel", "Name", ch.text().get()));
        }
        QCOMPARE(listed, exportedNames.split('|'));
        const auto caps = root.child("Channel").children("Capability");
        QCOMPARE(std::distance(caps.begin(), caps.end()), stepsOnFirst);
        if (stepsOnFirst)
            QCOMPARE(QString(root.child("Channel").child("Capability").text().get()),
                     QString("<&\""));
        // And it reads back: every step of the first channel (255 steps included).
        if (stepsOnFirst >= 2) {
            const auto back = roundTrip(*r, set);
            QVERIFY(back);
            QCOMPARE(int(back->StepCount[0]), stepsOnFirst);
        }
    }
};

QTEST_APPLESS_MAIN(TestQxfExport)
#include "tst_qxfexport.moc"
