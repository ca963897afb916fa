// The import of ".qxf" fixture definitions, on the sample definitions in tests/data/qxf and on
// small inline ones (tests/support/QxfSamples.h): names and codes from the name set, readable
// names, 16-bit pairs, types, values, degrees, which channels keep their steps within the file's
// 204, the two palettes, texts, and the refusal of files that are not definitions.

#include "core/ChNameSet.h"
#include "core/FixtureFile.h"
#include "core/Latin1Text.h"
#include "core/QxfImport.h"
#include "tests/support/QxfSamples.h"
#include "tests/support/TestFiles.h"

#include <QtTest>

#include <numeric>
#include <set>

using namespace fx;
using support::channel;

namespace {

QString dataPath(const QString& name)
{
    return QStringLiteral(QXF_DATA_DIR "/") + name;
}

QxfDefinition load(const QString& file)
{
    QxfDefinition def;
    const std::string error = loadQxfFile(dataPath(file).toStdString(), def);
    if (!error.empty())
        qWarning("%s: %s", qPrintable(file), error.c_str());
    return def;
}

ChNameSet defaultNames()
{
    return loadChNameSetForEditor({}); // no file: the default set
}

// Imports mode (by name, or the default mode when empty) with the default names.
QxfImport importFile(const QString& file, const QString& mode = {},
                     const ChNameSet& names = defaultNames())
{
    const QxfDefinition def = load(file);
    const std::optional<int> m =
        mode.isEmpty() ? defaultQxfMode(def) : findQxfMode(def, mode.toStdString());
    QxfImport out;
    if (m)
        importQxfMode(def, *m, names, out);
    return out;
}

QString latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

} // namespace

class TestQxfImport : public QObject {
    Q_OBJECT

private slots:
    void channels_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("channel"); // 1-based
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("pair");
        QTest::addColumn<int>("value");

        const QString head = "moving-head.qxf", par = "rgbw-par.qxf", scan = "scanner.qxf",
                      bad = "bad-refs.qxf";
        // preset names and pairs; the own name "iris" takes "Iris" before the Shutter group rule
        QTest::newRow("pan coarse") << head << "" << 1 << "Pan" << 6 << 5 << 2 << 0;
        QTest::newRow("pan fine") << head << "" << 2 << "Pan Fine" << 0 << 6 << 1 << 0;
        QTest::newRow("master dimmer") << head << "" << 6 << "Dimmer" << 3 << 1 << 0 << 255;
        QTest::newRow("own name first") << head << "" << 8 << "Iris" << 5 << 0 << 0 << 0;
        QTest::newRow("other keeps name") << head << "" << 15 << "Reset" << 0 << 2 << 0 << 0;
        // colours: fine before coarse
        QTest::newRow("fine first") << par << "" << 3 << "Red Fine" << 0 << 6 << 4 << 0;
        QTest::newRow("custom intensity") << par << "" << 12 << "Fog" << 0 << 1 << 0 << 0;
        QTest::newRow("8 bit HTP") << par << "8 bit" << 2 << "Red" << 22 << 1 << 0 << 0;
        QTest::newRow("head 2 coarse") << par << "2 heads" << 3 << "Red 2" << 0 << 5 << 4 << 0;
        QTest::newRow("head 2 fine") << par << "2 heads" << 4 << "Red Fine 2" << 0 << 6 << 3 << 0;
        // groups: second wheels, speeds by name, Cyrillic name, no name, cut name, bad default
        QTest::newRow("colour 2") << scan << "" << 4 << "Colour1" << 8 << 2 << 0 << 0;
        QTest::newRow("pan speed") << scan << "" << 8 << "P/T Speed" << 16 << 0 << 0 << 0;
        QTest::newRow("script shutter") << scan << "" << 9 << "Shutter" << 4 << 0 << 0 << 255;
        QTest::newRow("blank name") << scan << "" << 10 << "Effect" << 18 << 0 << 0 << 0;
        QTest::newRow("whole words") << scan << "" << 12 << "Motor" << 0 << 0 << 0 << 0;
        // a broken layout: numbers sorted, repeats dropped, unknown and empty names kept
        QTest::newRow("taken forced name") << bad << "" << 4 << "Dimmer 2" << 0 << 1 << 0 << 0;
        QTest::newRow("undefined") << bad << "" << 2 << "Ghost" << 0 << 0 << 0 << 0;
        QTest::newRow("unnumbered") << bad << "" << 5 << "Chan 5" << 0 << 0 << 0 << 0;
        QTest::newRow("entity literal") << "entities.qxf"
                                        << "" << 1 << "&secret;" << 0 << 0 << 0 << 0;
    }

    void channels()
    {
        QFETCH(QString, file);
        QFETCH(QString, mode);
        QFETCH(int, channel);
        const QxfImport out = importFile(file, mode);
        QVERIFY(out.record);
        const ChannelInfo& ch = out.record->Channels[channel - 1];
        QTEST(latin1(ch.ChName.trimmed()), "name");
        QTEST(int(ch.FuncCode), "code");
        QTEST(int(ch.ChType), "type");
        QTEST(int(ch.PairChannel), "pair");
        QTEST(int(ch.ChValue), "value");
        QCOMPARE(int(ch.ChNumber), channel);
    }

    void header_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("pan");
        QTest::addColumn<int>("tilt");
        const auto row = [](const char* file, const char* mode, const char* name, int channels,
                            int pan, int tilt) {
            QTest::newRow(mode[0] ? mode : file)
                << QString(file) << QString(mode) << QString(name) << channels << pan << tilt;
        };
        row("moving-head.qxf", "Extended", "Spot 575 Pr", 15, 630, 265); // the mode's Physical
        row("moving-head.qxf", "Basic", "Spot 575 Pr", 3, 0, 0);         // the mode's, even 0
        row("moving-head.qxf", "Standard", "Spot 575 Pr", 5, 540, 270);  // the fixture's
        row("rgbw-par.qxf", "", "Par RGBW", 12, 0, 0);                   // none at all
        row("scanner.qxf", "", "Scan-Master", 12, 720, 0);               // above 720, below 0
        row("bad-refs.qxf", "", "Odd Layout", 5, 0, 0);                  // a broken layout
    }

    void header()
    {
        QFETCH(QString, file);
        QFETCH(QString, mode);
        const QxfImport out = importFile(file, mode);
        QVERIFY(out.record);
        QTEST(latin1(out.record->FixHeader.FixtureName.trimmed()), "name");
        QTEST(int(out.record->FixHeader.NumChannels), "channels");
        QCOMPARE(int(out.record->PalChannels), int(out.record->FixHeader.NumChannels));
        QTEST(int(out.record->MaxPanDegree), "pan");
        QTEST(int(out.record->MaxTiltDegree), "tilt");
    }

    void modeChoice()
    {
        const QxfDefinition wide = load("wide.qxf");
        QCOMPARE(defaultQxfMode(wide), std::optional<int>(1)); // 24, the first of two
        QCOMPARE(defaultQxfMode(load("too-wide.qxf")), std::nullopt);
        QCOMPARE(findQxfMode(load("moving-head.qxf"), "  Extended\t"), std::optional<int>(1));
        QCOMPARE(findQxfMode(wide, "24"), std::nullopt);

        QxfImport out;
        const auto refusal = [&](int m) { return importQxfMode(wide, m, defaultNames(), out); };
        QVERIFY(refusal(0).find("48 channels") != std::string::npos);
        QVERIFY(refusal(4).find("no channels") != std::string::npos);
        QVERIFY(!refusal(5).empty());
        QVERIFY(!out.record); // a refused import hands out nothing
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const auto file = [](const char* name) { return support::readFile(dataPath(name)); };
        QTest::newRow("empty") << QByteArray() << "is empty";
        QTest::newRow("not xml") << file("broken-not-xml.qxf") << "not a readable XML file";
        QTest::newRow("other xml")
            << file("broken-other-xml.qxf") << "root element is \"Workspace\"";
        QTest::newRow("no mode") << file("broken-no-mode.qxf") << "defines no mode";
        QTest::newRow("too large") << QByteArray(int(MaxQxfFileSize) + 1, ' ') << "over 16 MiB";
        QTest::newRow("257 modes")
            << "<FixtureDefinition>" + QByteArray("<Mode/>").repeated(257) + "</FixtureDefinition>"
            << "defines 257 modes";
        QTest::newRow("513 in a mode")
            << "<FixtureDefinition><Mode>" + QByteArray("<Channel/>").repeated(513) +
                   "</Mode></FixtureDefinition>"
            << "more than a DMX universe holds";
    }

    void refused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QxfDefinition def;
        const std::string error = parseQxf(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size()), def);
        QVERIFY2(QString::fromStdString(error).contains(message), error.c_str());
        QVERIFY(error.find('\n') == std::string::npos);
    }

    // The rules on small inline definitions, one row a channel of the definition's one mode.
    void rules_data()
    {
        QTest::addColumn<QString>("channels"); // the channels' XML
        QTest::addColumn<int>("channel");      // 1-based
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("pair");
        const auto row = [](const char* tag, const std::string& xml, int ch, const char* name,
                            int code, int pair) {
            QTest::newRow(tag) << QString::fromStdString(xml) << ch << name << code << pair;
        };
        const auto preset = [](const char* name, const char* preset) {
            return std::string("<Channel Name=\"") + name + "\" Preset=\"" + preset + "\"/>";
        };
        const auto fine = [](const char* name, const char* group, const char* colour = "") {
            return std::string("<Channel Name=\"") + name + "\"><Group Byte=\"1\">" + group +
                   "</Group>" + (*colour ? std::string("<Colour>") + colour + "</Colour>" : "") +
                   "</Channel>";
        };
        // a wheel whose fine channel alone has a preset
        const std::string wheel =
            channel("Color Wheel", "Colour", 4) + preset("Color Wheel, Fine", "ColorWheelFine");
        row("wheel", wheel, 1, "Colour", 9, 2);
        row("wheel fine", wheel, 2, "Color Fine", 0, 1);
        // an iris of the Beam group, its fine byte by preset
        const std::string iris =
            channel("Iris (MSB)", "Beam", 3) + preset("Iris, fine (LSB)", "ShutterIrisFine");
        row("iris MSB", iris, 1, "Iris", 5, 2);
        row("iris LSB", iris, 2, "Iris Fine", 0, 1);
        // an intensity colour without a preset is its preset
        const std::string red = channel("Red Dimmer", "Intensity", 0, "<Colour>Red</Colour>") +
                                fine("Red Dimmer fine", "Intensity", "Red");
        row("colour child", red, 1, "Red", 22, 2);
        row("colour child fine", red, 2, "Red Fine", 0, 1);
        // two heads, coarse channels first; blades paired by group and name alone
        const std::string heads = preset("Pan (Head 1)", "PositionPan") +
                                  preset("Pan (Head 2)", "PositionPan") +
                                  preset("Pan Fine (Head 1)", "PositionPanFine") +
                                  preset("Pan Fine (Head 2)", "PositionPanFine") +
                                  channel("Blade 1", "Beam") + fine("Blade 1 Fine", "Beam");
        row("head 1", heads, 1, "Pan", 6, 3);
        row("head 2", heads, 2, "Pan Head 2", 0, 4);
        row("head 2 fine", heads, 4, "Pan Fine H2", 0, 2);
        row("blade fine", heads, 6, "Blade 1 Fine", 0, 5);
        // readable names: byte words, brackets and a trailing colon off, one "Fine"
        const std::string names = preset("Dimmer, fine (LSB)", "IntensityDimmerFine") +
                                  channel("Zoom - Coarse", "Beam") +
                                  channel("Tilt 16 bit", "Tilt") + channel("Frost:", "Beam") +
                                  preset("Tilt Fine (Head 4)", "PositionTiltFine");
        row("fine LSB", names, 1, "Dimmer Fine", 0, 0);
        row("coarse", names, 2, "Zoom", 11, 0);
        row("16 bit", names, 3, "Tilt", 7, 5);
        row("colon", names, 4, "Frost", 0, 0);
        row("head tag", names, 5, "Tilt Fine H4", 0, 3);
    }

    void rules()
    {
        QFETCH(QString, channels);
        QFETCH(int, channel);
        QxfImport out;
        QCOMPARE(importQxfMode(support::definition(channels.toStdString()), 0, defaultNames(), out),
                 std::string());
        const ChannelInfo& ch = out.record->Channels[channel - 1];
        QTEST(latin1(ch.ChName.trimmed()), "name");
        QTEST(int(ch.FuncCode), "code");
        QTEST(int(ch.PairChannel), "pair");
    }

    // Which channels keep their steps (whole channels only, unless all are asked for) and the
    // remarks: one line each, naming the channel by number and its full name in the file.
    void stepChoice_data()
    {
        QTest::addColumn<QString>("channels");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<int>>("counts"); // StepCount of channels 1 to 5
        QTest::addColumn<int>("lost");          // steps the file cannot hold
        QTest::addColumn<QString>("line");      // one of the remarks; empty: not looked at
        const QString projector = QString::fromStdString(support::effectsProjector());
        QTest::newRow("auto") << projector << "auto" << QList<int>{0, 9, 12, 14, 0} << 0
                              << "channel 1 \"Colour Effects\": its 170 steps are left out to "
                                 "keep the file's 204 for the other channels";
        QTest::newRow("all") << projector << "all" << QList<int>{170, 9, 12, 14, 0} << 1
                             << "channel 4 \"Gobo 2\": 1 of its 14 steps lie beyond the file's "
                                "204 (of 205 in all) and are not stored";
        QTest::newRow("listed") << projector << "1,3" << QList<int>{170, 0, 12, 0, 0} << 0 << "";
        QTest::newRow("nothing to keep")
            << projector << "5" << QList<int>{0, 0, 0, 0, 0} << 0 << "";
        // Shutter, Colour, Gobo, Prism: the gobo does not fit and is passed over for the prism.
        QTest::newRow("passed over")
            << QString::fromStdString(channel("Prism", "Prism", 10) + channel("Gobo", "Gobo", 20) +
                                      channel("Colour", "Colour", 90) +
                                      channel("Shutter", "Shutter", 100))
            << "auto" << QList<int>{10, 0, 90, 100, 0} << 0 << "";
        const QString lone =
            "<Channel Name=\"Dimmer, fine (LSB)\" Preset=\"IntensityDimmerFine\"/>";
        const QList<int> none{0, 0, 0, 0, 0};
        QTest::newRow("single fine") << lone << "auto" << none << 0
                                     << "channel 1 \"Dimmer, fine (LSB)\": a fine channel whose "
                                        "coarse channel is not certain; it stays a single channel";
        QTest::newRow("not in the set")
            << lone << "auto" << none << 0
            << "channel 1 \"Dimmer, fine (LSB)\": \"Dimmer Fine\" is not in the channel name "
               "set (code none)";
        QTest::newRow("step names cut")
            << QString::fromStdString(channel("Strobe, Shutter and Functions", "Shutter", 3))
            << "auto" << QList<int>{3, 0, 0, 0, 0} << 0
            << "channel 1 \"Strobe, Shutter and Functions\": 3 step name(s) cut to 8 characters";
    }

    void stepChoice()
    {
        QFETCH(QString, channels);
        QFETCH(QString, steps);
        QFETCH(QString, line);
        QxfImportOptions options;
        QCOMPARE(parseQxfSteps(steps.toStdString(), options), std::string());
        QxfImport out;
        const QxfDefinition def = support::definition(channels.toStdString());
        QCOMPARE(importQxfMode(def, 0, defaultNames(), out, options), std::string());
        QList<int> counts;
        for (int c = 0; c < 5; ++c)
            counts << out.record->StepCount[c];
        QTEST(counts, "counts");
        QTEST(std::accumulate(out.stepLoss.begin(), out.stepLoss.end(), 0), "lost");
        QCOMPARE(out.stepTotal, std::accumulate(counts.begin(), counts.end(), 0));
        QStringList lines;
        for (const auto& list : {out.report, qxfNameRemarks(def, 0, out)})
            for (const std::string& remark : list)
                lines << QString::fromStdString(remark);
        QVERIFY2(line.isEmpty() || lines.contains(line), qPrintable(lines.join('\n')));
    }

    void stepsOfFiles()
    {
        // 260 + 50 capabilities, all kept: the record holds 255 and 50, a file the first 204.
        QxfImportOptions all;
        all.steps = QxfStepChoice::All;
        const QxfDefinition def = load("many-steps.qxf");
        QxfImport many;
        QCOMPARE(importQxfMode(def, 0, defaultNames(), many, all), std::string());
        QCOMPARE(many.stepLoss, std::vector<int>({0, 51, 50}));
        const StepInfo& last = many.record->Steps[2][49];
        QCOMPARE(latin1(last.StepName.str()), QString("Program "));
        QCOMPARE(std::pair(int(last.FromDmx), int(last.ToDmx)), std::pair(245, 249));
        // By default the channel of 255 steps that no file can hold leaves the 204 to the other.
        QCOMPARE(importFile("many-steps.qxf").stepLoss, std::vector<int>({0, 0, 0}));

        // Corrected ranges of the scanner's colour wheel: Min 300 > Max 42 becomes 42..255.
        const QxfImport scan = importFile("scanner.qxf");
        QVERIFY(scan.record);
        const auto& wheel = scan.record->Steps[2];
        QCOMPARE(int(scan.record->StepCount[2]), 5);
        QCOMPARE(std::pair(int(wheel[2].FromDmx), int(wheel[2].ToDmx)), std::pair(42, 255));
        QCOMPARE(latin1(wheel[1].StepName.str()), QString("Rot - du"));
    }

    void palettesSurviveTheFile()
    {
        QxfImport out = importFile("moving-head.qxf");
        QVERIFY(out.record);
        FixtureRecord& rec = *out.record;
        QCOMPARE(latin1(rec.PalName[0].str()), QString("Colour"));
        QCOMPARE(latin1(rec.PalName[1].str()), QString("Gobo  "));
        QCOMPARE(rec.PalUsed, (std::array<std::uint8_t, PaletteCount>{1, 1}));
        QCOMPARE(latin1(rec.PalEntryName[0][9].str()), QString("CTO 32")); // 10 of 12 slots
        QCOMPARE(int(rec.PalValue[0][9][8]), 94);                          // middle of 90..99
        QCOMPARE(latin1(rec.PalEntryName[1][3].str()), QString("Ring  "));
        QCOMPARE(int(rec.PalValue[1][3][9]), 55);
        QCOMPARE(int(rec.PalEntrySize[1][3]), 1);
        QCOMPARE(int(rec.PalEntrySize[1][4]), 0);

        BuildFuncMap(rec);
        const FixtureImage image = WriteFixtureImage(rec);
        auto back = std::make_unique<FixtureRecord>();
        QCOMPARE(QString::fromStdString(ReadFixtureImage(image, *back)), QString());
        QCOMPARE(back->PalChannelUsed, rec.PalChannelUsed);
        QCOMPARE(back->PalValue, rec.PalValue);

        // No colour wheel, no palette 1.
        QCOMPARE(importFile("rgbw-par.qxf").record->PalUsed[0], 0);
    }

    void palettesFromSlots()
    {
        const auto cap = [](const char* name, const char* preset = "") {
            return std::string("<Capability Min=\"0\" Max=\"20\" Preset=\"") + preset + "\">" +
                   name + "</Capability>";
        };
        // Colours without slot presets: movements left out, shared names lettered, none empty.
        // Gobos with slot presets: only those, and never a movement.
        const QxfDefinition def = support::definition(
            channel("Colours", "Colour", 0,
                    cap("Open") + cap("Open -> Red") + cap("Red") + cap("Scroll CW") +
                        cap("Slot 1 (Deep)") + cap("Slot 1 (Pale)") + cap("Random speed") +
                        cap("")) +
            channel("Gobos", "Gobo", 0,
                    cap("Open", "GoboMacro") + cap("Open to Dots") + cap("Dots", "GoboMacro") +
                        cap("Dots shaking", "GoboMacro")));
        QxfImport out;
        QCOMPARE(importQxfMode(def, 0, defaultNames(), out), std::string());
        QStringList colours, gobos;
        for (int e = 0; e < PaletteEntryCount; ++e) {
            colours << latin1(out.record->PalEntryName[0][e].trimmed());
            gobos << latin1(out.record->PalEntryName[1][e].trimmed());
        }
        QCOMPARE(colours.join(','), QString("Open,Red,Slot1a,Slot1b,10,,,,,"));
        QCOMPARE(gobos.join(','), QString("Open,Dots,,,,,,,,"));
    }

    void neverTwoChannelsOnOneCode()
    {
        for (const char* file : {"moving-head.qxf", "rgbw-par.qxf", "scanner.qxf", "bad-refs.qxf",
                                 "entities.qxf", "many-steps.qxf", "wide.qxf"}) {
            const QxfDefinition def = load(file);
            for (int m = 0; m < int(def.modes.size()); ++m) {
                QxfImport out;
                if (!importQxfMode(def, m, defaultNames(), out).empty())
                    continue;
                std::set<int> codes;
                std::set<QString> names;
                for (int c = 0; c < out.record->FixHeader.NumChannels; ++c) {
                    const ChannelInfo& ch = out.record->Channels[c];
                    QVERIFY2(ch.FuncCode == 0 || codes.insert(ch.FuncCode).second, file);
                    QVERIFY2(names.insert(latin1(ch.ChName.str()).toLower()).second, file);
                }
            }
        }
    }

    void missingNamesAndAdding()
    {
        ChNameSet names = defaultNames();
        QxfImport out = importFile("rgbw-par.qxf", {}, names);
        QVERIFY(out.record);
        const std::vector<std::string> expected = {"Dimmer Fine", "Red Fine",  "Green",
                                                   "Green Fine",  "Blue Fine", "White",
                                                   "White Fine",  "Fog"};
        QCOMPARE(out.missingNames, expected);

        // Each name added as a typed name is; the channels then carry the new codes.
        std::vector<int> positions;
        for (const std::string& name : out.missingNames)
            positions.push_back(AppendChName(names, name).value_or(-1));
        QCOMPARE(positions.front(), FirstUserPosition);
        QCOMPARE(takeAddedNameCodes(*out.record, names), 8);
        QCOMPARE(int(out.record->Channels[4].FuncCode), FirstUserPosition + 2 + 3); // "Green"
        QCOMPARE(int(out.record->Channels[3].FuncCode), 22); // "Red" unchanged

        // With the names in the set, a second import takes them by name and misses nothing.
        const QxfImport again = importFile("rgbw-par.qxf", {}, names);
        QVERIFY(again.missingNames.empty());
        QCOMPARE(again.record->Channels[4].FuncCode, out.record->Channels[4].FuncCode);
    }

    void texts_data()
    {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("latin1");
        QTest::addColumn<bool>("replaced");
        const auto row = [](const char* name, const char* utf8, const char* latin1, bool replaced) {
            QTest::newRow(name) << QByteArray(utf8) << QByteArray(latin1) << replaced;
        };
        row("whitespace", "  Strobe\n\t  slow  \r\n", "Strobe slow", false);
        row("dashes", "a\u2013b\u2014c\u2212d", "a-b-c-d", false);
        row("quotes", "\u201CRed\u201D \u2018x\u2019", "\"Red\" 'x'", false);
        row("ellipsis", "Scroll\u2026", "Scroll...", false);
        row("latin-1 kept", "Gr\u00FCn 5\u00B0", "Gr\xFCn 5\xB0", false);
        row("extended-a", "\u0141\u00F3d\u017A", "L\xF3\x64z", false);
        row("other script", "\u0421\u0438\u043D", "???", true);
        row("controls", "a\x01\x7F\x62\xC2\x85", "ab", false);
        row("broken utf-8", "x\xFF\xC3y\xE2\x82", "x??y??", true);
        row("overlong", "\xC0\xAF", "??", true);
    }

    void texts()
    {
        QFETCH(QByteArray, utf8);
        const Latin1Conversion c =
            utf8ToLatin1Text(std::string_view(utf8.constData(), utf8.size()));
        QTEST(QByteArray::fromStdString(c.text), "latin1");
        QTEST(c.replaced, "replaced");
    }
};

QTEST_APPLESS_MAIN(TestQxfImport)
#include "tst_qxfimport.moc"
