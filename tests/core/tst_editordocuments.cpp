// The edits of the LED fixture and channel name documents and what a fixture save settles: each
// edit named, changing what it says (or nothing, for a refused value), and walked back and
// forward exactly; the function map and the palette editor's channel count out of the history.

#include "core/ChNameDocument.h"
#include "core/FixtureDocument.h"
#include "core/LedFixtureDocument.h"

#include <QtTest>

#include <memory>

namespace {

QStringList commands(const QString& script)
{
    return script.isEmpty() ? QStringList() : script.split(u';');
}

// "name colour/type/pair" for channels 0 to 2 and 9, and the count.
QString ledText(const fx::LedFixtureRecord& r)
{
    QString text = QString::fromStdString(r.LedFixtureName.trimmed()) +
                   QStringLiteral(" n%1:").arg(r.LedChannelCount);
    for (int p : {0, 1, 2, 9}) {
        const fx::LedChannelRec& c = r.LedChannels[p];
        text += QString::asprintf(" %d/%d/%d", c.ColourCode, c.TypeCode, c.PairChannel);
    }
    return text;
}

// Runs edits on a document and checks the walk back and forth; returns the last edit's name
// ("" when the last edit was refused).
template <class Doc, class Edit, class Make>
QString walk(Doc& doc, const QString& script, const Make& make)
{
    const auto start = doc.record();
    std::vector<Edit> history;
    std::vector<std::remove_cvref_t<decltype(doc.record())>> states{start};
    QString last;
    for (const QString& command : commands(script)) {
        const Edit edit = make(command.simplified().split(u' '));
        last = QString::fromStdString(edit.name);
        if (edit.empty())
            continue;
        doc.apply(edit.after);
        history.push_back(edit);
        states.push_back(doc.record());
    }
    for (std::size_t i = history.size(); i-- > 0;) {
        doc.apply(history[i].before);
        if (!(doc.record() == states[i]))
            return QStringLiteral("undo %1 differs").arg(i);
    }
    for (std::size_t i = 0; i < history.size(); ++i)
        doc.apply(history[i].after);
    return last;
}

} // namespace

class TestEditorDocuments : public QObject {
    Q_OBJECT
private slots:
    void ledEdits_data();
    void ledEdits();
    void chNameEdits_data();
    void chNameEdits();
    void fixtureSaveSettles_data();
    void fixtureSaveSettles();
    void palChannelsOutOfHistory();
};

void TestEditorDocuments::ledEdits_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("lastEdit"); // empty: refused, changes nothing
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* script, const char* last, const char* expected) {
        QTest::newRow(script) << QString(script) << QString(last) << QString(expected);
    };
    row("name Bar", "Fixture Name", "Bar n8: 0/0/0 0/0/0 0/0/0 0/0/0");
    row("colour 0 3", "Channel Name", "New Fixture n8: 3/0/0 0/0/0 0/0/0 0/0/0");
    row("colour 0 10", "", "New Fixture n8: 0/0/0 0/0/0 0/0/0 0/0/0");
    row("colour 8 1", "", "New Fixture n8: 0/0/0 0/0/0 0/0/0 0/0/0"); // past the count
    // Hidden channels keep what they hold and come back.
    row("count 10; colour 9 1; count 4; count 10", "Channel Count",
        "New Fixture n10: 0/0/0 0/0/0 0/0/0 1/0/0");
    row("count 11", "", "New Fixture n8: 0/0/0 0/0/0 0/0/0 0/0/0");
    row("type 1 5; pair 1 3", "16-bit Partner", "New Fixture n8: 0/0/0 0/5/3 0/0/0 0/0/0");
    row("type 1 5; pair 1 3; type 1 0", "Channel Type", "New Fixture n8: 0/0/0 0/0/0 0/0/0 0/0/0");
    row("pair 1 3", "", "New Fixture n8: 0/0/0 0/0/0 0/0/0 0/0/0"); // not 16-bit
    row("type 1 5; pair 1 9", "", "New Fixture n8: 0/0/0 0/5/0 0/0/0 0/0/0");
    row("type 1 7", "", "New Fixture n8: 0/0/0 0/0/0 0/0/0 0/0/0");
    // A save mends a low type no high channel names; a sound fixture it leaves alone.
    row("type 0 6; settle", "16-bit Pairs", "New Fixture n8: 0/0/0 0/0/0 0/0/0 0/0/0");
    row("type 0 5; pair 0 2; type 1 6; settle", "", "New Fixture n8: 0/5/2 0/6/0 0/0/0 0/0/0");
}

void TestEditorDocuments::ledEdits()
{
    QFETCH(QString, script);
    fx::LedFixtureDocument doc;
    const QString last = walk<fx::LedFixtureDocument, fx::LedEdit>(
        doc, script, [&](const QStringList& w) -> fx::LedEdit {
            const auto n = [&w](int i) { return w.value(i).toInt(); };
            if (w[0] == "name")
                return doc.setName(w[1].toStdString());
            if (w[0] == "count")
                return doc.setChannelCount(n(1));
            if (w[0] == "colour")
                return doc.setColour(n(1), n(2));
            if (w[0] == "type")
                return doc.setType(n(1), n(2));
            if (w[0] == "pair")
                return doc.setPair(n(1), n(2));
            return doc.settleAfterSave();
        });
    QTEST(last, "lastEdit");
    QTEST(ledText(doc.record()), "expected");
}

void TestEditorDocuments::chNameEdits_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("lastEdit");
    QTest::addColumn<QString>("expected"); // "index/code/name"
    const auto row = [](const char* script, int position, const char* last, const char* expected) {
        QTest::newRow(script) << QString(script) << position << QString(last) << QString(expected);
    };
    row("store 59 Wheel; store 59 Gobo", 59, "Set Channel Name", "59/62/Gobo");
    row("store 3 X", 3, "", "3/9/Colour"); // the fixed names
    row("store 4 Shutter", 4, "", "4/4/Shutter"); // the same name again
    row("store 59 Wheel; init", 59, "Init Channel Names", "0/0/");
    row("init", 0, "Init Channel Names", "0/6/Pan");
    row("restore", 0, "Restore Fixed Codes", "0/6/Pan"); // the set starts with code 100 there
    row("restore; restore", 0, "", "0/6/Pan");
}

void TestEditorDocuments::chNameEdits()
{
    QFETCH(QString, script);
    QFETCH(int, position);
    fx::ChNameDocument doc;
    fx::ChNameSet start = fx::loadChNameSetForEditor({});
    start[0].ChCode = 100;
    doc.replace(start);
    const QString last = walk<fx::ChNameDocument, fx::ChNameEdit>(
        doc, script, [&](const QStringList& w) -> fx::ChNameEdit {
            if (w[0] == "store")
                return doc.storeName(w[1].toInt(), w.value(2).toStdString());
            return w[0] == "init" ? doc.initDefaults() : doc.restoreFixedCodes();
        });
    QTEST(last, "lastEdit");
    const fx::ChNameRec& rec = doc.record()[static_cast<std::size_t>(position)];
    QTEST(QStringLiteral("%1/%2/%3")
              .arg(rec.ChIndex)
              .arg(rec.ChCode)
              .arg(QString::fromStdString(rec.SetName.trimmed())),
          "expected");
}

void TestEditorDocuments::fixtureSaveSettles_data()
{
    QTest::addColumn<QString>("name");     // of channel 0
    QTest::addColumn<int>("lowType");      // of channel 1, no high channel naming it
    QTest::addColumn<QString>("settled");  // the edit's name; empty: nothing to settle
    QTest::newRow("nothing") << "Gobo" << int(fx::TypeLtp) << "";
    QTest::newRow("code") << "Pan" << int(fx::TypeLtp) << "Fixed Function Codes";
    QTest::newRow("pair") << "Gobo" << int(fx::TypeFadeable16L) << "16-bit Pairs";
    QTest::newRow("both") << "Dimmer" << int(fx::TypeInstant16L)
                          << "Fixed Function Codes and 16-bit Pairs";
}

void TestEditorDocuments::fixtureSaveSettles()
{
    QFETCH(QString, name);
    QFETCH(int, lowType);
    fx::FixtureDocument doc;
    auto r = std::make_unique<fx::FixtureRecord>();
    fx::ResetFixtureRecord(*r, 4);
    r->Channels[0].ChName.assign(name.toStdString());
    r->Channels[1].ChType = static_cast<std::uint8_t>(lowType);
    r->MaxPanDegree = 540;
    doc.replace(*r);
    const fx::Edit settle = doc.settleAfterSave();
    QTEST(QString::fromStdString(settle.name), "settled");
    // The function map is never part of an edit; the save gives the record the file's map.
    QVERIFY(!settle.change.header);
    doc.apply(settle.after);
    const auto unsynced = std::make_unique<fx::FixtureRecord>(doc.record());
    doc.syncFuncMap();
    QVERIFY(fx::FixtureDocument::diff("Map", *unsynced, doc.record()).empty());
    QVERIFY(doc.record() == *doc.preparedForSave());
    QCOMPARE(int(doc.record().FuncMap[257]), 540 & 255);
    QVERIFY(doc.settleAfterSave().empty());
}

void TestEditorDocuments::palChannelsOutOfHistory()
{
    fx::FixtureDocument doc;
    auto r = std::make_unique<fx::FixtureRecord>();
    fx::ResetFixtureRecord(*r, 8);
    doc.replace(*r);
    const fx::Edit count = doc.setChannelCount(12);
    doc.apply(count.after);
    doc.setPalChannels(12); // the palette editor is visited
    doc.apply(count.before);
    QCOMPARE(int(doc.record().PalChannels), 12);
    doc.apply(count.after);
    QCOMPARE(int(doc.record().PalChannels), 12);
}

QTEST_GUILESS_MAIN(TestEditorDocuments)
#include "tst_editordocuments.moc"
