// Each save path of the editors (the fixture editor's "&Save Fixture", the LED fixture editor's
// Save, the channel name editor's Save, a typed channel name added from the fixture editor) goes
// through the file access, whose disk faults TestDiskFileAccess proves, and tells the user, naming
// the file, when the write fails.
#include "chnames/EditChName.h"
#include "core/ChNameSet.h"
#include "core/FixtureFile.h"
#include "core/LedFixtureFile.h"
#include "fixtureedit/ChannelGrid.h"
#include "fixtureedit/FixtureEdit.h"
#include "ledfixture/LedFixture.h"
#include "tests/support/FailingFileAccess.h"
#include "tests/support/TestFiles.h"
#include "ui/Document.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using support::bytesOf;

class TestEditorSaveFaults : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ui::ScriptedDialogs m_dialogs;
    support::FailingFileAccess m_files;
    QString m_names; // "ChNameSet.fix" with the default names
    std::unique_ptr<ui::Services> m_services;

    // The one write the save asked for held expected and went to path, and the one message
    // shown since shownBefore (questions aside) names the file.
    void checkRefusedSave(const QString& path, const QByteArray& expected, qsizetype shownBefore)
    {
        QCOMPARE(m_files.refused.size(), 1);
        QCOMPARE(m_files.refused[0].path, path);
        COMPARE_IMAGES(m_files.refused[0].data, expected);
        QStringList told;
        for (qsizetype i = shownBefore; i < m_dialogs.shown().size(); ++i)
            if (!m_dialogs.shown()[i].question)
                told << m_dialogs.shown()[i].text;
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(path) && told[0].contains("No space left on device"),
                 qPrintable(told[0]));
    }

private slots:
    void init()
    {
        fx::ChNameSet set;
        fx::InitChNameSet(set);
        m_names = m_dir.filePath("ChNameSet.fix");
        QVERIFY(support::writeFile(m_names, bytesOf(fx::chNameSetImage(set))));
        m_dialogs.clear();
        m_files.refused.clear();
        m_services = std::make_unique<ui::Services>(ui::Services{m_dialogs, m_files, m_names});
    }
    void fixtureSave();
    void ledFixtureSave();
    void chNameSetSave();
    void appendedChannelName();
};

void TestEditorSaveFaults::fixtureSave()
{
    ui::Document document;
    FixtureEdit editor(document, *m_services);
    editor.load();
    const QString path = m_dir.filePath("spot.tff");
    m_dialogs.setNextFileName(path);
    auto* save = editor.findChild<QAction*>(QStringLiteral("SaveFixture"));
    QVERIFY(save && save->isEnabled());
    save->trigger();
    // The save writes a prepared copy; the failed save leaves the fixture as it was.
    auto expected = std::make_unique<fx::FixtureRecord>(document.record());
    fx::ApplyFixedFunctionCodes(*expected);
    fx::BuildFuncMap(*expected);
    checkRefusedSave(path, bytesOf(fx::WriteFixtureImage(*expected)), 0);
}

void TestEditorSaveFaults::ledFixtureSave()
{
    LedFixture editor(*m_services);
    editor.load();
    fx::LedFixtureRecord expected = editor.record();
    const QByteArray image = bytesOf(fx::SaveLedFixtureImage(expected, "New Fixture"));
    const QString path = m_dir.filePath("bar.tff");
    m_dialogs.setNextFileName(path);
    auto* save = editor.findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(save);
    QTest::mouseClick(save, Qt::LeftButton);
    checkRefusedSave(path, image, 0);
}

void TestEditorSaveFaults::chNameSetSave()
{
    EditChName form(*m_services);
    form.load();
    auto* save = form.findChild<QPushButton*>(QStringLiteral("ChSave"));
    QVERIFY(save);
    QTest::mouseClick(save, Qt::LeftButton);
    checkRefusedSave(m_names, support::readFile(m_names), 0);
}

void TestEditorSaveFaults::appendedChannelName()
{
    ui::Document document;
    FixtureEdit editor(document, *m_services);
    editor.load();
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));

    // A name the set lacks typed into channel 1's name cell, added when the cell is left.
    ChannelGrid* grid = editor.channelGrid();
    const QModelIndex nameCell = grid->model()->index(0, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(nameCell).center());
    QComboBox* names = nullptr;
    for (QComboBox* box : grid->findChildren<QComboBox*>(QStringLiteral("Combo10")))
        if (box->isVisible())
            names = box;
    QVERIFY(names);
    QTest::keyClicks(names, QStringLiteral("Wheel Spin"));
    m_dialogs.setNextAnswer(ui::Dialogs::Answer::Yes); // "Do you wish to add it?"
    editor.findChild<QLineEdit*>(QStringLiteral("Text1"))->setFocus(Qt::MouseFocusReason);

    fx::ChNameSet set;
    fx::InitChNameSet(set);
    fx::AppendChName(set, "Wheel Spin");
    checkRefusedSave(m_names, bytesOf(fx::chNameSetImage(set)), 0);
    // The channel has the name the user agreed to, though the file does not.
    QCOMPARE(document.record().Channels[0].ChName.trimmed(), std::string("Wheel Spin"));
}

QTEST_MAIN(TestEditorSaveFaults)
#include "TestEditorSaveFaults.moc"
