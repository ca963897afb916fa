// The fixture editor's save paths ("&Save Fixture" and a typed channel name added to the set) go
// through the file access, whose disk faults TestDiskFileAccess proves, and tell the user, naming
// the file, when the write fails.
#include "tests/fixtureedit/EditorHarness.h"

class TestEditorSaveFaults : public QObject {
    Q_OBJECT

    // The one write the save asked for held expected and went to path, and the one message
    // shown (questions aside) names the file and the reason.
    static void checkRefusedSave(const EditorHarness& h, const support::FailingFileAccess& files,
                                 const QString& path, const QByteArray& expected)
    {
        QCOMPARE(files.refused.size(), 1);
        QCOMPARE(files.refused[0].path, path);
        COMPARE_IMAGES(files.refused[0].data, expected);
        QList<ui::ScriptedDialogs::Shown> told = h.dialogs.shown();
        told.removeIf([](const ui::ScriptedDialogs::Shown& s) { return s.question; });
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].text.contains(path) && told[0].text.contains("No space left on device"),
                 qPrintable(told[0].text));
    }

private slots:
    void fixtureSave()
    {
        support::FailingFileAccess files;
        EditorHarness h(nameSetFile(), &files);
        h.save(h.path("spot.tff"));
        // The save writes a prepared copy; the failed save leaves the fixture as it was.
        auto expected = std::make_unique<fx::FixtureRecord>(*h.record);
        fx::ApplyFixedFunctionCodes(*expected);
        fx::BuildFuncMap(*expected);
        checkRefusedSave(h, files, h.path("spot.tff"), imageOf(*expected));
    }

    // A name the set lacks typed into channel 1's name cell, added when the cell is left.
    void appendedChannelName()
    {
        support::FailingFileAccess files;
        EditorHarness h(nameSetFile(), &files);
        h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes); // "Do you wish to add it?"
        h.typeIntoNameCell(0, QStringLiteral("Wheel Spin"));
        fx::ChNameSet set;
        fx::InitChNameSet(set);
        fx::AppendChName(set, "Wheel Spin");
        checkRefusedSave(h, files, h.services.chNameSetPath, bytesOf(fx::chNameSetImage(set)));
        // The channel has the name the user agreed to, though the file does not.
        QCOMPARE(h.channel(0).ChName.trimmed(), std::string("Wheel Spin"));
    }
};

QTEST_MAIN(TestEditorSaveFaults)
#include "TestEditorSaveFaults.moc"
