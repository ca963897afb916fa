// The unsaved-changes guard of the LED fixture and channel name editors: whether the question
// comes, what each answer does to the file, and when the editors count as modified.

#include "chnames/EditChName.h"
#include "ledfixture/LedFixture.h"
#include "tests/support/FailingFileAccess.h"
#include "tests/support/TestFiles.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

using Answer = ui::Dialogs::Answer;
using support::readFile;

// One editor on its own: "led" or "names", with scripted dialogs and a folder of its own.
struct Guarded {
    Guarded(const QString& kind, bool refusingDisk)
        : services{dialogs, refusingDisk ? static_cast<ui::FileAccess&>(refusing) : disk,
                   dir.filePath(QStringLiteral("ChNameSet.fix"))}
    {
        if (kind == QLatin1String("led")) {
            led = std::make_unique<LedFixture>(services);
            grid = led->findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
        } else {
            names = std::make_unique<EditChName>(services);
            names->load();
            grid = names->findChild<QTableView*>();
        }
        widget()->show();
    }

    QWidget* widget() const { return led ? static_cast<QWidget*>(led.get()) : names.get(); }
    bool isModified() const { return led ? led->isModified() : names->isModified(); }
    bool maybeDiscard() { return led ? led->maybeDiscard() : names->maybeDiscard(); }
    void load() { led ? led->load() : names->load(); }

    // A cell committed as the grid's delegate commits it: Green for LED channel 3, "Wheel" for
    // channel ID 60.
    bool edit(const QVariant& value = {})
    {
        QAbstractItemModel* model = grid->model();
        return led ? model->setData(model->index(2, 1), value.isValid() ? value : 2)
                   : model->setData(model->index(59, 1), value.isValid() ? value : "Wheel");
    }
    QString savedPath() const
    {
        return led ? dir.filePath(QStringLiteral("led.tff")) : services.chNameSetPath;
    }
    // What the save is to have written of the edit.
    bool fileHoldsEdit() const
    {
        const QByteArray file = readFile(savedPath());
        if (led)
            return file.size() == 512 && file[23 + 17 * 2] == 2 && file[13 + 2] == 3;
        return file.size() == 3542 && file.mid(59 * 14 + 2, 12) == "Wheel       ";
    }

    QTemporaryDir dir;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess disk;
    support::FailingFileAccess refusing;
    ui::Services services;
    std::unique_ptr<LedFixture> led;
    std::unique_ptr<EditChName> names;
    QTableView* grid = nullptr;
};

const QStringList Kinds{QStringLiteral("led"), QStringLiteral("names")};

} // namespace

class TestLedGuard : public QObject {
    Q_OBJECT

private slots:
    void answers_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer"); // -1: no question expected
        QTest::addColumn<bool>("fileChosen");
        QTest::addColumn<bool>("refusingDisk");
        QTest::addColumn<bool>("mayGo");
        QTest::addColumn<bool>("written");
        for (const QString& kind : Kinds) {
            const auto row = [&](const char* name) -> QTestData& {
                return QTest::newRow(qPrintable(kind + ": " + name)) << kind;
            };
            row("not modified") << false << -1 << false << false << true << false;
            row("Save") << true << int(Answer::Save) << true << false << true << true;
            row("Save, the disk refuses")
                << true << int(Answer::Save) << true << true << false << false;
            row("Discard") << true << int(Answer::Discard) << false << false << true << false;
            row("Cancel") << true << int(Answer::Cancel) << false << false << false << false;
        }
        QTest::newRow("led: Save, file dialog cancelled")
            << "led" << true << int(Answer::Save) << false << false << false << false;
    }
    void answers()
    {
        QFETCH(QString, kind);
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(bool, fileChosen);
        QFETCH(bool, refusingDisk);
        QFETCH(bool, mayGo);
        QFETCH(bool, written);
        Guarded g(kind, refusingDisk);
        QFile::remove(g.services.chNameSetPath); // the load may have made an empty one
        if (edited)
            QVERIFY(g.edit());
        QCOMPARE(g.isModified(), edited);
        if (answer >= 0)
            g.dialogs.setNextAnswer(Answer(answer));
        if (kind == QLatin1String("led"))
            g.dialogs.setNextFileName(fileChosen ? g.savedPath() : QString());

        g.refusing.refused.clear(); // the load's write of a missing set file
        QCOMPARE(g.maybeDiscard(), mayGo);
        const int questions = int(std::count_if(g.dialogs.shown().begin(), g.dialogs.shown().end(),
                                                [](const auto& s) { return s.question; }));
        QCOMPARE(questions, answer >= 0 ? 1 : 0);
        QCOMPARE(g.dialogs.pendingAnswers(), 0);
        QCOMPARE(g.fileHoldsEdit(), written);
        if (refusingDisk) { // the save went through the file access; its failure is told
            QCOMPARE(g.refusing.refused.size(), 1);
            QCOMPARE(g.refusing.refused[0].path, g.savedPath());
            const QString told = g.dialogs.shown().last().text;
            QVERIFY2(told.contains(g.savedPath()) && told.contains("No space left on device"),
                     qPrintable(told));
        }
        QCOMPARE(g.isModified(), edited && !written);
        QCOMPARE(g.widget()->isWindowModified(), edited && !written);
    }

    // The flag through a working session: an edit that changes nothing, edits, a save, a load.
    void modifiedFlag_data()
    {
        QTest::addColumn<QString>("kind");
        for (const QString& kind : Kinds)
            QTest::newRow(qPrintable(kind)) << kind;
    }
    void modifiedFlag()
    {
        QFETCH(QString, kind);
        Guarded g(kind, false);
        QVERIFY(g.edit());
        g.dialogs.setNextFileName(g.savedPath());
        g.dialogs.setNextAnswer(Answer::Save);
        QVERIFY(g.maybeDiscard());
        QVERIFY(!g.isModified());
        QVERIFY(g.edit()); // the same value again
        QVERIFY(!g.isModified());
        QVERIFY(g.edit(kind == QLatin1String("led") ? QVariant(3) : QVariant("Gobo")));
        QVERIFY(g.isModified());
        g.load();
        QVERIFY(!g.isModified());
        QVERIFY(!g.widget()->isWindowModified());
    }

    // The LED editor's own edits (name, count) and an open: the open takes the whole file and
    // leaves nothing of the fixture shown before, not even in rows hidden behind the count.
    void ledOpen()
    {
        Guarded g("led", false);
        QTest::keyClicks(g.led->findChild<QLineEdit*>(QStringLiteral("Text1")), "Bar");
        QVERIFY(g.isModified());
        // Unsaved work with a Red channel 10 hidden behind the count 8.
        auto* countList = g.led->findChild<QComboBox*>(QStringLiteral("Combo1"));
        countList->setCurrentIndex(9);
        QAbstractItemModel* model = g.grid->model();
        QVERIFY(model->setData(model->index(9, 1), 1));
        countList->setCurrentIndex(7);
        QVERIFY(g.isModified());
        g.dialogs.setNextFileName(support::goldenPath("led-default.tff"));
        g.led->findChild<QAction*>(QStringLiteral("mnuOpenLed"))->trigger();
        QCOMPARE(g.dialogs.pendingFileNames(), 0);
        QVERIFY(!g.isModified());
        QCOMPARE(g.led->record().LedChannels[9].ColourCode, 0);
        g.dialogs.setNextFileName(g.dir.filePath("again.tff"));
        QTest::mouseClick(g.led->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        COMPARE_GOLDEN("led-default.tff", readFile(g.dir.filePath("again.tff")));
    }
};

QTEST_MAIN(TestLedGuard)
#include "TestLedGuard.moc"
