// The fixture editor's "&Save Fixture", the LED fixture editor's Save and the fixture editor's
// adding of a typed channel name, each under every fault the disk can throw at it: the user is
// told, naming the file, and the file already there stays byte for byte as it was.
#include "FaultInjection.h"
#include "core/ChNameSet.h"
#include "fixtureedit/ChannelGrid.h"
#include "fixtureedit/FixtureEdit.h"
#include "core/FixtureFile.h"
#include "ledfixture/LedFixture.h"
#include "core/LedFixtureFile.h"
#include "core/FixtureRecord.h"
#include "ui/Document.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using proof::bytesOf;

// Reads and writes wherever the test points it, so that an editor can load from a sound file
// and meet the fault only when it saves.
class SwitchableFileAccess : public ui::FileAccess {
public:
    ui::FileAccess* target = &disk;
    ui::DiskFileAccess disk;

    std::optional<QByteArray> read(const QString& path, QString* error) override
    {
        return target->read(path, error);
    }
    bool write(const QString& path, const QByteArray& data, QString* error) override
    {
        return target->write(path, data, error);
    }
};

// Loads and shows the editor, then types text into its "Text1" box.
bool openAndName(QWidget& editor, const QString& text)
{
    editor.show();
    if (!QTest::qWaitForWindowExposed(&editor))
        return false;
    auto* box = editor.findChild<QLineEdit*>(QStringLiteral("Text1"));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    return true;
}

} // namespace

class TestEditorSaveFaults : public QObject {
    Q_OBJECT

private slots:
    void fixtureSave_data() { proof::addFaultRows(); }
    void fixtureSave();
    void ledFixtureSave_data() { proof::addFaultRows(); }
    void ledFixtureSave();
    void appendedChannelName_data() { proof::addFaultRows(); }
    void appendedChannelName();
};

void TestEditorSaveFaults::fixtureSave()
{
    QFETCH(proof::Fault, fault);
    // An earlier save of another fixture: 6144 bytes, two pages on a small disk.
    fx::FixtureRecord old{};
    fx::ResetFixtureRecord(old, 12);
    old.FixHeader.FixtureName.assign("Old fixture");
    const QByteArray oldFile = bytesOf(fx::WriteFixtureImage(old));
    proof::FaultySaveTarget target(fault, QStringLiteral("spot.tff"), oldFile, oldFile.size());
    if (!target.skipReason().isEmpty())
        QSKIP(qPrintable(target.skipReason()));

    QTemporaryDir names;
    ui::ScriptedDialogs dialogs;
    ui::Services services{dialogs, target.files(), names.filePath(QStringLiteral("ChNameSet.fix"))};
    ui::Document document;
    const fx::FixtureRecord* record = &document.record();
    FixtureEdit editor(document, services);
    editor.load();
    QVERIFY(openAndName(editor, QStringLiteral("Spot 575")));

    const qsizetype shownBefore = dialogs.shown().size();
    dialogs.setNextFileName(target.path());
    dialogs.setNextAnswer(ui::Dialogs::Answer::Yes); // replace the old file, where there is one
    auto* save = editor.findChild<QAction*>(QStringLiteral("SaveFixture"));
    QVERIFY(save && save->isEnabled());
    save->trigger();

    const QString problem =
        target.checkSave(dialogs, shownBefore, bytesOf(fx::WriteFixtureImage(*record)));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(record->FixHeader.FixtureName.str(), std::string("Spot 575   "));
}

void TestEditorSaveFaults::ledFixtureSave()
{
    QFETCH(proof::Fault, fault);
    fx::LedFixtureRecord old;
    old.LedChannelCount = 4;
    const QByteArray oldFile = bytesOf(fx::SaveLedFixtureImage(old, "Old LED bar"));
    proof::FaultySaveTarget target(fault, QStringLiteral("bar.tff"), oldFile, oldFile.size());
    if (!target.skipReason().isEmpty())
        QSKIP(qPrintable(target.skipReason()));

    ui::ScriptedDialogs dialogs;
    ui::Services services{dialogs, target.files(), QString()};
    LedFixture editor(services);
    editor.load();
    QVERIFY(openAndName(editor, QStringLiteral("RGBW bar")));

    fx::LedFixtureRecord expected = editor.record();
    const QByteArray expectedFile = bytesOf(fx::SaveLedFixtureImage(expected, "RGBW bar"));
    const qsizetype shownBefore = dialogs.shown().size();
    dialogs.setNextFileName(target.path());
    dialogs.setNextAnswer(ui::Dialogs::Answer::Yes);
    auto* save = editor.findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(save);
    QTest::mouseClick(save, Qt::LeftButton);

    const QString problem = target.checkSave(dialogs, shownBefore, expectedFile);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestEditorSaveFaults::appendedChannelName()
{
    QFETCH(proof::Fault, fault);
    // The set file the editor starts from: the defaults, saved by the channel name editor.
    fx::ChNameSet set;
    fx::InitChNameSet(set);
    const QByteArray setFile = bytesOf(fx::chNameSetImage(set));
    QTemporaryDir sound;
    const QString soundPath = sound.filePath(QStringLiteral("ChNameSet.fix"));
    {
        QFile file(soundPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(setFile);
    }
    proof::FaultySaveTarget target(fault, QStringLiteral("ChNameSet.fix"), setFile, setFile.size());
    if (!target.skipReason().isEmpty())
        QSKIP(qPrintable(target.skipReason()));

    // The editor loads the sound file; by the time a name is added, the set file is the faulty
    // one (a stick pulled, a share gone, a disk filled by something else).
    ui::ScriptedDialogs dialogs;
    SwitchableFileAccess files;
    ui::Services services{dialogs, files, soundPath};
    ui::Document document;
    const fx::FixtureRecord* record = &document.record();
    FixtureEdit editor(document, services);
    editor.load();
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    services.chNameSetPath = target.path();
    files.target = &target.files();

    ChannelGrid* grid = editor.channelGrid();
    const QModelIndex nameCell = grid->model()->index(0, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(nameCell).center());
    QComboBox* names = nullptr;
    for (QComboBox* box : grid->findChildren<QComboBox*>(QStringLiteral("Combo10")))
        if (box->isVisible())
            names = box;
    QVERIFY(names);
    QTest::keyClicks(names, QStringLiteral("Wheel Spin"));
    const qsizetype shownBefore = dialogs.shown().size();
    dialogs.setNextAnswer(ui::Dialogs::Answer::Yes); // "Do you wish to add it?"
    editor.findChild<QLineEdit*>(QStringLiteral("Text1"))->setFocus(Qt::MouseFocusReason);

    QVERIFY(dialogs.shown().size() > shownBefore);
    QCOMPARE(dialogs.shown()[shownBefore].text,
             QStringLiteral("Channel Name does not exist,Do you wish to add it?"));
    fx::AppendChName(set, "Wheel Spin");
    QByteArray expected = setFile;
    expected.replace(14 * 59, 14, bytesOf(fx::chNameSetImage(set)).mid(14 * 59, 14));
    const QString problem = target.checkSave(dialogs, shownBefore, expected);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // Whether or not the file took it, the channel has the name the user agreed to.
    QCOMPARE(record->Channels[0].ChName.trimmed(), std::string("Wheel Spin"));
}

QTEST_MAIN(TestEditorSaveFaults)
#include "TestEditorSaveFaults.moc"
