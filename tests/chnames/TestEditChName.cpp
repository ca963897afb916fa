// The channel name editor driven through its window: loading the set file, names typed into the
// grid, Init and Save (the edits' rules are the core document's table, the hand-over to the other
// editors the main window's test).
#include "chnames/EditChName.h"
#include "tests/support/TestFiles.h"
#include "ui/FileAccess.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace support;

namespace {

// One 14-byte entry as the file stores it: index, code, then the name padded with blanks.
QByteArray entry(int index, int code, const QByteArray& name)
{
    return QByteArray(1, char(index)) + char(code) + name.left(12).leftJustified(12, ' ');
}

// A file written by some earlier session over the default names (tests/data): other names and
// codes in positions 0 to 4, a name with leading and trailing blanks, one never written (zero
// bytes), a coded name at 41, user names at 58, 59 and 99, a stale code on an empty entry at 45.
QByteArray customImage()
{
    QByteArray file = readFile(goldenPath("ChNameSet-default.fix"));
    const auto put = [&](int p, const QByteArray& e) { file.replace(14 * p, 14, e); };
    for (int p = 0; p < 5; ++p)
        put(p, entry(p, 100 + p, "Custom" + QByteArray::number(p)));
    put(6, entry(6, 8, "  Lead  "));
    put(7, QByteArray(14, '\0'));
    put(41, entry(41, 77, "Spare"));
    put(45, entry(45, 48, {}));
    for (int p : {58, 59, 99})
        put(p, entry(p, p + 3, "User" + QByteArray::number(p)));
    return file;
}

// The set as the file would hold it, so that two sets compare byte for byte.
QByteArray image(const fx::ChNameSet& set)
{
    return bytesOf(fx::chNameSetImage(set));
}

} // namespace

class TestEditChName : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    ui::ScriptedDialogs m_dialogs;
    ui::DiskFileAccess m_disk;
    std::unique_ptr<ui::Services> m_services;
    std::unique_ptr<EditChName> m_form;

    void makeForm()
    {
        m_services.reset(new ui::Services{m_dialogs, m_disk, m_path});
        m_form = std::make_unique<EditChName>(*m_services);
        m_form->resize(420, 520);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        m_form->load();
    }
    QTableView* grid() const { return m_form->findChild<QTableView*>("ChMSFlexGrid"); }
    // Grid row r (1 to 253) is model row r - 1, position r - 1 of the set.
    QString cellText(int gridRow) const
    {
        return grid()->model()->index(gridRow - 1, 1).data().toString();
    }
    void clickCell(int gridRow, int column)
    {
        const QModelIndex index = grid()->model()->index(gridRow - 1, column);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(index).center());
    }
    void clickButton(const char* name)
    {
        auto* button = m_form->findChild<QPushButton*>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QLineEdit* visibleEditor() const
    {
        for (QLineEdit* edit : m_form->findChildren<QLineEdit*>("ChTextEdit"))
            if (edit->isVisible())
                return edit;
        return nullptr;
    }
    void typeInto(int gridRow, const QString& text)
    {
        clickCell(gridRow, 1);
        QLineEdit* edit = visibleEditor();
        QVERIFY(edit);
        QVERIFY(edit->hasFocus());
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        // Key by key, characters beyond ASCII as key events carrying just their text.
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("ChNameSet.fix"));
        m_dialogs.clear();
    }
    void cleanup()
    {
        m_form.reset();
        m_services.reset();
        m_dir.reset();
    }

    // The grid shows the set as the core reads it and a load writes nothing (a missing file is
    // left behind empty); Init, two typed names and Save then write the default set with those
    // names, and a longer file keeps its tail.
    void loadAndSave_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no file") << false << QByteArray();
        QTest::newRow("longer file") << true << customImage() + QByteArray("TAIL\0END", 8);
    }
    void loadAndSave()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        if (present)
            QVERIFY(writeFile(m_path, content));
        makeForm();
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(content.constData());
        QCOMPARE(image(m_form->chNameSet()),
                 image(fx::loadChNameSetForEditor(std::span(bytes, content.size()))));
        QCOMPARE(cellText(7), present ? QStringLiteral("  Lead") : QStringLiteral("Colour1"));
        QVERIFY(QFileInfo::exists(m_path));
        QCOMPARE(readFile(m_path), content);

        clickButton("Init");
        typeInto(60, QStringLiteral("Wheel"));
        typeInto(253, QStringLiteral("Last Name 12"));
        clickButton("ChSave"); // commits the open edit first
        QByteArray expected = readFile(goldenPath("ChNameSet-default.fix"));
        expected.replace(14 * 59, 14, entry(59, 62, "Wheel"));
        expected.replace(14 * 252, 14, entry(252, 255, "Last Name 12"));
        QCOMPARE(readFile(m_path), expected + content.mid(expected.size()));
        QVERIFY(m_dialogs.shown().isEmpty());
        QVERIFY(m_form->isVisible()); // the editor stays open
    }

    // The Edit menu: a typed name and Init named in Undo, Ctrl+Z, a save that clears the modified
    // mark (its rules, shared by every editor, are TestUndo's), the exit question only while
    // modified, and a load that starts a fresh history.
    void undoRedo()
    {
        makeForm();
        QAbstractItemModelTester tester(grid()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto* undo = m_form->findChild<QAction*>(QStringLiteral("EditUndo"));
        QVERIFY(undo && !undo->isEnabled());
        typeInto(60, QStringLiteral("Wheel"));
        clickCell(1, 0);
        QCOMPARE(undo->text(), QStringLiteral("&Undo Set Channel Name"));
        clickButton("Init");
        QCOMPARE(undo->text(), QStringLiteral("&Undo Init Channel Names"));
        QTest::keyClick(grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellText(60), QStringLiteral("Wheel"));
        QVERIFY(m_form->isWindowModified());
        m_dialogs.setNextAnswer(ui::Dialogs::Answer::Save);
        QVERIFY(m_form->maybeDiscard());
        QVERIFY(!m_form->isWindowModified());
        QCOMPARE(readFile(m_path).mid(14 * 59, 14), entry(59, 62, "Wheel"));
        QVERIFY(m_form->maybeDiscard()); // nothing to ask
        QCOMPARE(m_dialogs.pendingAnswers(), 0);
        clickButton("Init");
        m_form->load();
        QVERIFY(!m_form->isModified() && !undo->isEnabled());
        QCOMPARE(cellText(60), QStringLiteral("Wheel"));
    }

    // A folder where the set file should be: the open fails and says so, and the defaults are
    // shown (a refused save is the guard's test).
    void setFileIsAFolder()
    {
        QVERIFY(QDir().mkpath(m_path));
        makeForm();
        QCOMPARE(m_dialogs.shown().size(), 1);
        QVERIFY(m_dialogs.shown()[0].text.contains(QDir::toNativeSeparators(m_path)));
        QCOMPARE(cellText(1), QStringLiteral("Pan"));
    }
};

QTEST_MAIN(TestEditChName)
#include "TestEditChName.moc"
