// Copy and paste without the GUI: the clipboard text reader and writers, the lines of a fixture
// manual (pasted as steps: TestKeyboard's clipboard table), and every grid's paste and cut judged
// cell by cell, applied and taken back.

#include "core/ClipText.h"
#include "core/GridPaste.h"

#include <QtTest>

#include <span>

namespace {

// Rows as "[cell][cell]/[cell]".
QByteArray shown(const fx::TextBlock& rows)
{
    std::string out;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out += r ? "/" : "";
        for (const std::string& cell : rows[r])
            out += "[" + cell + "]";
    }
    return QByteArray::fromStdString(out);
}

// Channels 1 to 3 as "name/type/partner/value/code"; steps as "count: name from-to|..." (the
// first three and the last); LED channels 1 to 3 as "colour/type/pair"; names as "name/code".
QString channels(const fx::FixtureRecord& r)
{
    QString out;
    for (const fx::ChannelInfo& ch : std::span(r.Channels).first(3))
        out += QString::asprintf(" %s/%d/%d/%d/%d", ch.ChName.trimmed().c_str(), ch.ChType,
                                 ch.PairChannel, ch.ChValue, ch.FuncCode);
    return out.mid(1);
}

QString steps(const fx::FixtureRecord& r, int channel)
{
    const int count = r.StepCount[channel];
    QString out = QString::number(count) + ':';
    for (int s = 0; s < std::max(count, 1); ++s) {
        const fx::StepInfo& step = r.Steps[channel][s];
        if (s < 3 || s == count - 1)
            out += QString::asprintf("%c%s %d-%d", s ? '|' : ' ', step.StepName.trimmed().c_str(),
                                     step.FromDmx, step.ToDmx);
    }
    return out;
}

QString leds(const fx::LedFixtureRecord& r)
{
    QString out;
    for (const fx::LedChannelRec& ch : std::span(r.LedChannels).first(3))
        out += QString::asprintf(" %d/%d/%d", ch.ColourCode, ch.TypeCode, ch.PairChannel);
    return out.mid(1);
}

QString chNames(const fx::ChNameSet& set)
{
    QString out;
    for (int p : {2, 3, 4, 59, 60})
        out += QString::asprintf(" %s/%d", set[p].SetName.trimmed().c_str(), set[p].ChCode);
    return out.mid(1);
}

} // namespace

class TestClipboard : public QObject {
    Q_OBJECT
private slots:
    void readBlock_data();
    void readBlock();
    void writeAndReadBack();
    void manualLines_data();
    void manualLines();
    void paste_data();
    void paste();
};

void TestClipboard::readBlock_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QString>("problem"); // the start of the refusal
    const auto row = [](const char* tag, QByteArray text, QByteArray rows, const char* problem) {
        QTest::newRow(tag) << text << rows << QString(problem);
    };
    row("crlf", "a\tb\r\nc\td\r\n", "[a][b]/[c][d]", "");
    row("lone cr and blank line", "a\rb\n\nc", "[a]/[b]/[]/[c]", "");
    row("trailing tab", "a\t\n", "[a][]", "");
    row("quoted cells", "\"Red, deep\"\t\"x\ty\"\n\"say \"\"hi\"\"\"\t\"l1\r\nl2\"\n",
        "[Red, deep][x\ty]/[say \"hi\"][l1\r\nl2]", "");
    row("unterminated quote", "\"Big\tx\ny", "[\"Big][x]/[y]", "");
    row("binary junk kept", QByteArray("a\0b\x01\t\xff", 6), QByteArray("[a\0b\x01][\xff]", 9), "");
    row("empty", "", "", "");
    row("only a line end", "\n", "[]", "");
    row("rows at the limit", "1\n2\n3\n4\n", "[1]/[2]/[3]/[4]", "");
    row("too many rows", "1\n2\n3\n4\n5", "", "The text has more than 4 rows");
    row("too many columns", "a\tb\tc\td", "", "Row 1 has more than 3 columns");
    row("too many bytes", QByteArray(65, 'x'), "", "The text is 65 bytes long");
}

void TestClipboard::readBlock()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, rows);
    QFETCH(QString, problem);
    const fx::ReadBlock block = fx::readTextBlock(text.toStdString(), {64, 4, 3});
    QVERIFY2(QString::fromStdString(block.problem).startsWith(problem), block.problem.c_str());
    QCOMPARE(problem.isEmpty(), block.problem.empty());
    QCOMPARE(shown(block.rows), rows);
}

void TestClipboard::writeAndReadBack()
{
    const fx::TextBlock cells{{"Open", "0", "9"}, {"a\tb", "say \"hi\"", ""}, {"l1\r\nl2", "\"q"}};
    QCOMPARE(fx::readTextBlock(fx::writeTextBlock(cells)).rows, cells);
    QVERIFY(fx::isTextBlock(fx::writeTextBlock(cells)));
    for (const char* manual : {"0-9\n", "Gobo\n40 Gobo 1"})
        QVERIFY2(!fx::isTextBlock(manual), manual);
    for (const char* cells : {"Open\n", "10\n20", "3D\n"})
        QVERIFY2(fx::isTextBlock(cells), cells);
    const std::string html = fx::writeHtmlBlock({{"a & <b>", "\"x\""}});
    QVERIFY(html.find("charset=\"utf-8\"") != std::string::npos);
    QVERIFY(html.find("<tr><td>a &amp; &lt;b&gt;</td><td>&quot;x&quot;</td></tr>") !=
            std::string::npos);
}

void TestClipboard::manualLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("steps"); // from-to:name@line
    QTest::addColumn<int>("skipped");
    const auto row = [](const char* text, const char* steps, int skipped) {
        QTest::newRow(text) << QByteArray(text) << QString::fromUtf8(steps) << skipped;
    };
    row("000 - 009 Open", "0-9:Open@1", 0);
    row("10–19 Red", "10-19:Red@1", 0);
    row("20 ~ 29: Blue", "20-29:Blue@1", 0);
    row("30 to 39 Green", "30-39:Green@1", 0);
    row("40 Gobo 1", "40-40:Gobo 1@1", 0);
    row("40 - Gobo", "40-40:Gobo@1", 0);
    row("50-59 Open (default)", "50-59:Open@1", 0);
    row("60-69", "60-69:@1", 0);
    row("9-0 Reverse, 300-999 Far", "9-0:Reverse, 300-999 Far@1", 0);
    row("0...9 Open\n10…19 Red\n020÷029 Blue", "0-9:Open@1 10-19:Red@2 20-29:Blue@3", 0);
    row("0-10% Open\n1) 0-9 Open\n2. Red", "", 3);
    row("Shutter\n\n0-9 Closed\r\n  \nCH1 mode\r3D look\r10-255 Open", "0-9:Closed@3 10-255:Open@7",
        3);
}

void TestClipboard::manualLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, steps);
    QFETCH(int, skipped);
    const fx::ManualSteps read = fx::readManualLines(text.toStdString());
    QStringList got;
    for (const fx::ManualStep& s : read.steps)
        got << QStringLiteral("%1-%2:%3@%4").arg(s.from).arg(s.to).arg(s.name.c_str()).arg(s.line);
    QCOMPARE(got.join(u' '), steps);
    QCOMPARE(read.skipped, skipped);
    QCOMPARE(fx::manualStepsProblem(fx::readManualLines("1-2 a\n300 b").steps),
             std::string("Line 2: 300 is not a number from 0 to 255."));
}

void TestClipboard::paste_data()
{
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem"); // its start, or "missing: a,b"
    QTest::addColumn<QString>("result");  // empty: the edit is empty
    const auto row = [](const char* tag, const char* grid, int r, int c, const QByteArray& text,
                        const char* problem, const char* result) {
        QTest::newRow(tag) << QString(grid) << r << c << text << QString::fromUtf8(problem)
                           << QString(result);
    };
    // The fixture: Pan LTP, Tilt fadeable 16-bit high with partner 3, two blank channels; channel
    // 1 has the steps Open 0-9 and Red 10-19, channel 3 none (its first entry holds Old 5-6).
    row("channels", "chan", 1, 1, "Dimmer\tHTP\t\t128\nzoom\tinstant LTP 16bitH\t3\t7", "",
        "Pan/0/0/0/6 Dimmer/1/0/128/3 Zoom/3/3/7/11");
    row("whole row, heading passed over", "chan", 0, 0, "Chan 2\tTilt\tLTP\t0\t5\t\t", "",
        "Tilt/0/0/5/7 Tilt/5/3/0/7 /0/0/0/0");
    row("type letter then partner", "chan", 0, 2, "s\t2", "", "Pan/5/2/0/6 Tilt/5/3/0/7 /0/0/0/0");
    row("empty name cell", "chan", 0, 1, "\t\t\t9", "", "/0/0/9/0 Tilt/5/3/0/7 /0/0/0/0");
    row("rows past the count", "chan", 3, 1, "a\nb", "Only 1 row fits: the fixture has 4 ch", "");
    row("start below the last row", "chan", 4, 0, "a", "The paste has no cell to start from.", "");
    row("refused value", "chan", 0, 4, "12\n300", "Chan 2, Value: \"300\" is not a number fr", "");
    row("missing names once", "chan", 0, 1, "Laser1\nlaser1\nWash", "missing: Laser1,Wash", "");
    row("refusal before missing", "chan", 0, 1, "Laser1\tX", "Chan 1, Type: \"X\" is not a ch", "");
    row("not Latin-1", "chan", 0, 1, "Ω", "Chan 1, Channel Name: \"Ω\" holds a char", "");
    row("partner of 8-bit", "chan", 0, 3, "2", "Chan 1, Ch16bit: \"2\" falls on a cell that", "");
    row("text on the heading", "chan", 0, 0, "Open\tPan", "Chan 1, Channel: \"Open\" falls on", "");
    row("past the last column", "chan", 0, 4, "5\t6", "Chan 1: \"6\" falls past the last co", "");
    row("low type letter", "chan", 0, 2, "A", "Chan 1, Type: \"A\" stands for either", "");
    row("steps added", "step", 1, 1, "Blue\t20\t29\nGreen\t30\t39", "",
        "3: Open 0-9|Blue 20-29|Green 30-39 +1@2");
    row("From above To kept", "step", 0, 0, "Step 7\tRev\t9\t0", "", "2: Rev 9-0|Red 10-19");
    row("name cut to 8", "step", 1, 1, "Deep red and more\t\t", "", "2: Open 0-9|Deep red 10-19");
    row("255 steps", "step", 2, 1, QByteArray("x\t1\t2\n").repeated(253), "",
        "255: Open 0-9|Red 10-19|x 1-2|x 1-2 +253@2");
    row("256 steps", "step", 2, 1, QByteArray("x\t1\t2\n").repeated(254),
        "Only 253 rows fit: a channel has at most 255 steps.", "");
    row("refused From", "step", 0, 2, "5\t7\n 300 ", "Step 2, From Dmx: \"300\" is not", "");
    row("control character", "step", 0, 1, "a\x01z", "Step 1, Step Name: \"a?z\" holds a co", "");
    row("no steps yet", "step3", 0, 0, "No Steps\tNew\n\tTwo\t3\t4", "", "2: New 0-0|Two 3-4 +2@0");
    row("LED cells", "led", 0, 1, "red\tFadeable LTP 16bitH\t2\nGreen\tLTP", "",
        "1/5/2 2/0/0 0/0/0");
    row("LED rows past the count", "led", 7, 1, "Red\nBlue", "Only 1 row fits: the fixt", "");
    row("LED colour unknown", "led", 1, 1, "Purple",
        "Chan 2, Channel Name: \"Purple\" is not a colour (Red, Green, Blue,", "");
    row("names", "name", 59, 0, " 12\tLaser\n\tWash", "",
        "Dimmer/3 Colour/9 Shutter/4 Laser/62 Wash/63");
    row("fixed name as shown", "name", 3, 1, "Colour\nHaze", "", "Dimmer/3 Colour/9 Haze/4 /0 /0");
    row("fixed name changed", "name", 2, 1, "Foo", "Channel ID 3, Channel Name: \"Foo\" falls", "");
    row("rows past the set", "name", 252, 1, "a\nb", "Only 1 row fits: the set has 253 posi", "");
    row("cut a step", "cut step", 0, 0, "", "", "1: Red 10-19@0");
    row("cut every step", "cut step", 0, 1, "", "", "0: Open 0-9@0");
    row("cut channel cells", "cut chan", 0, 1, "1 4", "", "/0/0/0/0 /5/3/0/0 /0/0/0/0");
    row("cut LED colour", "cut led", 0, 2, "0 3", "", "0/0/0 0/0/0 0/0/0");
    row("cut names", "cut name", 0, 4, "", "", "Dimmer/3 Colour/9 /4 /0 /0");
}

void TestClipboard::paste()
{
    QFETCH(QString, grid);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QByteArray, text);
    QFETCH(QString, problem);
    QFETCH(QString, result);

    auto fixture = std::make_unique<fx::FixtureDocument>();
    auto record = std::make_unique<fx::FixtureRecord>();
    fx::ResetFixtureRecord(*record, 4);
    record->Channels[0] = {6, 0, 1, 0, 0, 0, fx::FixedText<12>::fromText("Pan"), 0};
    record->Channels[1] = {7, 5, 2, 3, 0, 0, fx::FixedText<12>::fromText("Tilt"), 0};
    record->StepCount[0] = 2;
    record->Steps[0][0] = {0, 9, fx::FixedText<8>::fromText("Open")};
    record->Steps[0][1] = {10, 19, fx::FixedText<8>::fromText("Red")};
    record->Steps[2][0] = {5, 6, fx::FixedText<8>::fromText("Old")};
    fixture->replace(*record);
    fx::LedFixtureDocument led;
    led.apply(led.setColour(1, 2).after);
    fx::ChNameDocument names;
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    names.replace(set);

    const fx::TextBlock block = fx::readTextBlock(text.toStdString()).rows;
    const QStringList span = QString(text).split(u' '); // a cut's first and last column
    const int firstColumn = span.value(0).toInt(), lastColumn = span.value(1).toInt();
    std::string got;
    std::vector<std::string> missing;
    QString shownResult;
    // The edit applied, shown, and taken back by its before side.
    const auto take = [&](auto& doc, const std::string& why, const auto& edit, const auto& show) {
        got = why;
        if (edit.empty())
            return;
        const auto start = doc.record();
        doc.apply(edit.after);
        shownResult = show(doc.record());
        doc.apply(edit.before);
        QVERIFY(doc.record() == start);
    };
    // Step edits also show the steps they added and where the grid's rows move.
    const auto takeSteps = [&](const fx::FixturePaste& paste, int c) {
        take(*fixture, paste.problem, paste.edit, [c](const auto& r) { return steps(r, c); });
        if (paste.added > 0)
            shownResult += QStringLiteral(" +%1").arg(paste.added);
        if (paste.edit.change.stepRows.channel >= 0)
            shownResult += QStringLiteral("@%1").arg(paste.edit.change.stepRows.at);
    };
    if (grid == "chan") {
        const fx::FixturePaste paste = fx::pasteChannels(*fixture, set, row, column, block);
        missing = paste.missingNames;
        take(*fixture, paste.problem, paste.edit, channels);
    } else if (grid == "step" || grid == "step3") {
        const int channel = grid == "step" ? 0 : 2;
        takeSteps(fx::pasteSteps(*fixture, channel, row, column, block), channel);
    } else if (grid == "led") {
        const fx::LedPaste paste = fx::pasteLedCells(led, row, column, block);
        take(led, paste.problem, paste.edit, leds);
    } else if (grid == "name") {
        const fx::ChNamePaste paste = fx::pasteChNames(names, row, column, block);
        take(names, paste.problem, paste.edit, chNames);
    } else if (grid == "cut step") { // row and column: the first and last step
        takeSteps({{}, fx::cutSteps(*fixture, 0, row, column), {}}, 0);
    } else if (grid == "cut chan") {
        take(*fixture, {}, fx::cutChannelCells(*fixture, row, column, firstColumn, lastColumn),
             channels);
    } else if (grid == "cut led") {
        take(led, {}, fx::cutLedCells(led, row, column, firstColumn, lastColumn), leds);
    } else {
        take(names, {}, fx::cutChNames(names, row, column), chNames);
    }
    for (std::size_t i = 0; i < missing.size(); ++i)
        got += (i ? "," : "missing: ") + missing[i];
    QVERIFY2(QString::fromStdString(got).startsWith(problem), got.c_str());
    QCOMPARE(got.empty(), problem.isEmpty());
    QCOMPARE(shownResult, result); // the edits' names: TestKeyboard's clipboard table
}

QTEST_GUILESS_MAIN(TestClipboard)
#include "tst_clipboard.moc"
