// The JSON form of the fixture record: dump then build gives back the file byte for byte, and
// build refuses every fault with a one-line message and no image.

#include "RecordGenerator.h"
#include "SampleFixtures.h"
#include "tests/support/TestFiles.h"
#include "tools/FixtureJson.h"

#include <nlohmann/json.hpp>

#include <QtTest>

using namespace fx;
using Json = nlohmann::ordered_json;

namespace {

std::string dumpOf(const FixtureImage& image)
{
    std::string json;
    const std::string error = fixtureJsonFromImage(image, json);
    if (!error.empty())
        qFatal("dump refused a file the writer made: %s", error.c_str());
    return json;
}

// A small fixture with a 16-bit pair, a step and a palette, as the base of the fault rows.
std::string baseJson()
{
    auto r = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*r, 8);
    r->FixHeader.FixtureName.assign("Spot 575");
    r->Channels[0] = {6, TypeInstant16H, 1, 2, 0, 0, FixedText<12>::fromText("Pan"), 0};
    r->Channels[1].ChType = TypeInstant16L;
    r->StepCount[2] = 1;
    r->Steps[2][0] = {0, 127, FixedText<8>::fromText("Open")};
    return dumpOf(editorSave(*r));
}

} // namespace

class TestFixtureJson : public QObject {
    Q_OBJECT

private slots:
    void generatedFixturesRoundTrip()
    {
        // The largest fixture, which the generator never makes: the writer cuts its palettes at the
        // end of the block; the dump holds what the block kept.
        auto full = samples::fullFixture();
        QVERIFY(!checkFileCapacity(*full).fits());

        RecordGenerator generator(20240611);
        for (int round = 0; round <= 200; ++round) {
            auto r = round == 200 ? std::move(full) : generator.next();
            const FixtureImage written = editorSave(*r);
            const std::string json = dumpOf(written);
            const QByteArray where = "fixture " + QByteArray::number(round) + ": ";

            FixtureImage built{};
            const std::string error = fixtureImageFromJson(json, built);
            QVERIFY2(error.empty(), (where + error.c_str()).constData());
            QVERIFY2(built == written, (where + support::imageDifference(support::bytesOf(built),
                                                                         support::bytesOf(written)))
                                           .constData());
            // The text itself is stable: reading it and writing it again changes nothing.
            auto parsed = std::make_unique<FixtureRecord>();
            QCOMPARE(fixtureFromJson(json, *parsed), std::string());
            QVERIFY2(fixtureToJson(*parsed) == json, where.constData());
        }
    }

    void dumpShape()
    {
        // tests/data/spot575.json: the record's fields in file order, one channel, step or list a
        // line, texts at full width, zero bytes as \u0000.
        COMPARE_GOLDEN("spot575.json", QByteArray::fromStdString(baseJson()));
    }

    // A refused text: a one-line message and no image; an accepted one: the file byte it sets.
    void build_data()
    {
        QTest::addColumn<QString>("pointer"); // JSON pointer of the value to change
        QTest::addColumn<QString>("value");   // its new JSON value; "<remove>" removes it
        QTest::addColumn<QByteArray>("text"); // replaces the whole text when not empty
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<int>("offset");      // accepted: the file byte to check
        QTest::addColumn<int>("byte");
        const auto change = [](const char* name, const char* pointer, const char* value,
                               const char* message) {
            QTest::newRow(name) << pointer << QString::fromUtf8(value) << QByteArray() << message
                                << 0 << 0;
        };
        const auto whole = [](const char* name, const char* text, const char* message) {
            QTest::newRow(name) << QString() << QString() << QByteArray(text) << message << 0 << 0;
        };
        const auto accept = [](const char* name, const char* pointer, const char* value, int offset,
                               int byte) {
            QTest::newRow(name) << pointer << QString::fromUtf8(value) << QByteArray() << QString()
                                << offset << byte;
        };

        whole("malformed", "{\"Reserved\": 0,", "malformed JSON");
        whole("not an object", "[1, 2]", "the JSON text is not an object");
        // nlohmann::json reports a number beyond a double as out_of_range, not as a parse error.
        whole("fuzzer's number", "444441e3444\317\31794444au,\n", "malformed JSON");
        change("missing channel key", "/Channels/3/ChValue", "<remove>",
               "Channels[3] lacks the key \"ChValue\"");
        change("unknown key", "/Comment", "\"mine\"", "unknown key \"Comment\"");
        change("name too long", "/FixtureName", "\"Twelve chars\"",
               "FixtureName \"Twelve chars\" has 12 characters; it holds at most 11");
        change("character above U+00FF", "/Channels/0/ChName", "\"Pan \u20AC\"",
               "Channels[0].ChName holds the character U+20AC");
        change("byte 256", "/Channels/2/ChValue", "256",
               "Channels[2].ChValue 256 is out of range 0 to 255");
        change("huge number", "/Reserved", "18446744073709551615",
               "Reserved 18446744073709551615 is out of range");
        change("fraction", "/PalValue/1/2/3", "1.5", "PalValue[1][2][3] is not a whole number");
        change("text as number", "/PalEntryName/0/1", "7", "PalEntryName[0][1] is not a text");
        change("number as text", "/PalUsed/4", "\"1\"", "PalUsed[4] is not a whole number");
        change("pan degree 32768", "/MaxPanDegree", "32768",
               "MaxPanDegree 32768 is out of range 0 to 32767");
        change("no channels", "/NumChannels", "0", "NumChannels 0 is out of range 1 to 40");
        change("type 7 in use", "/Channels/5/ChType", "7",
               "Channels[5].ChType 7 is not a channel type 0 to 6");
        change("short FuncMap", "/FuncMap/259", "<remove>",
               "FuncMap has 259 elements instead of 260");
        change("steps not matching the count", "/StepCount/2", "2",
               "Steps[2] has 1 steps but StepCount[2] is 2");
        change("partner 57", "/Channels/0/PairChannel", "57",
               "would not read back: channel 1 names partner 57");
        accept("short name padded", "/FixtureName", "\"Wash\"", 5, ' ');
        accept("degree 32767", "/MaxPanDegree", "32767", 13 + 256, 127);
        accept("letter type beyond the count", "/Channels/12/ChType", "65",
               int(ChannelRecordsOffset + 19 * 12 + 1), 65);
        accept("FuncMap rebuilt", "/FuncMap/6", "9", 13 + 6, 1);
        accept("Latin-1 letter", "/FixtureName", "\"Caf\u00E9\"", 4, 0xE9);
        accept("zero byte in a text", "/FixtureName", "\"A\\u0000B\"", 2, 0);
    }

    void build()
    {
        QFETCH(QString, pointer);
        QFETCH(QString, value);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);

        std::string json = text.toStdString();
        if (json.empty()) {
            Json j = Json::parse(baseJson());
            const Json::json_pointer at(pointer.toStdString());
            if (value == "<remove>") {
                Json& parent = j[at.parent_pointer()];
                if (parent.is_array())
                    parent.erase(parent.size() - 1);
                else
                    parent.erase(at.back());
            } else {
                j[at] = Json::parse(value.toStdString());
            }
            json = j.dump(2);
        }

        FixtureImage image;
        image.fill(0xAA);
        const std::string error = fixtureImageFromJson(json, image);
        if (message.isEmpty()) {
            QCOMPARE(error, std::string());
            QFETCH(int, offset);
            QTEST(int(image[static_cast<std::size_t>(offset)]), "byte");
            return;
        }
        QVERIFY2(error.find(message.toStdString()) != std::string::npos, error.c_str());
        QVERIFY(error.find('\n') == std::string::npos);
        QVERIFY(std::all_of(image.begin(), image.end(), [](std::uint8_t b) { return b == 0xAA; }));

        // Nor does the record change when the text is refused.
        auto record = std::make_unique<FixtureRecord>();
        ResetFixtureRecord(*record, 3);
        const FixtureRecord before = *record;
        if (!fixtureFromJson(json, *record).empty())
            QVERIFY(*record == before);
    }
};

QTEST_APPLESS_MAIN(TestFixtureJson)
#include "tst_fixturejson.moc"
