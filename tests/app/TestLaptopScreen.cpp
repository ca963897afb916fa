// The main window on a 1366x768 laptop screen at its opening size: what a technician must be able
// to see and reach there, and what a screen reader hears.
#include "tests/fixtureedit/EditorHarness.h"

#include "app/MainForm.h"
#include "ui/ModifiedMark.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QUndoStack>

namespace {

using Editor = MainForm::Editor;

// Whether the whole of w is inside the visible part of area (a viewport).
bool fullyShown(const QWidget* w, const QWidget* area)
{
    return area->rect().contains(QRect(w->mapTo(area, QPoint()), w->size()));
}

// A fixture of n channels named "Chan1".., with steps on the first two channels.
std::unique_ptr<fx::FixtureRecord> fixture(int n, int steps0, int steps1)
{
    auto r = samples::newFixture(n);
    for (int c = 0; c < n; ++c)
        r->Channels[c].ChName.assign("Chan" + std::to_string(c + 1));
    r->StepCount[0] = std::uint8_t(steps0);
    r->StepCount[1] = std::uint8_t(steps1);
    return r;
}

} // namespace

class TestLaptopScreen : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        writeFile(m_services.chNameSetPath, nameSetFile());
        m_main = std::make_unique<MainForm>(m_services);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void cleanup() { m_main.reset(); }

    // "Steps in file: 333 of 204 (129 will not be saved)" leaves the steps grid all four columns.
    void stepsOverTheFileKeepTheGrid()
    {
        m_main->document().replace(*fixture(8, 255, 78));
        QTest::qWait(20);
        auto* usage = m_main->findChild<QLabel*>("StepUsage");
        QVERIFY(usage->text().contains(QStringLiteral("129 will not be saved")));
        auto* steps = m_main->findChild<QTableView*>("MSFlexGrid2");
        const QWidget* area = m_main->mdiArea()->viewport();
        QVERIFY(fullyShown(steps, area) && fullyShown(usage, area));
        const int last = steps->model()->columnCount() - 1;
        QCOMPARE(last, 3);
        QVERIFY2(steps->columnViewportPosition(last) + steps->columnWidth(last) <=
                     steps->viewport()->width(),
                 qPrintable(QString::number(steps->viewport()->width())));
        QCOMPARE(steps->columnViewportPosition(0), 0);
    }

    // With an entry open, "Save " and "Cancel" and the check box grid's "Ch8" column are on the
    // screen; each check box and slider names its channel.
    void paletteEntryOpen()
    {
        m_main->document().replace(*fixture(40, 0, 0));
        m_main->showPaletteEditor();
        QWidget* palette = m_main->editor(Editor::Palette);
        QTest::qWait(20);
        QTest::mouseClick(palette->findChild<QPushButton*>("Command2_0"), Qt::LeftButton);
        auto* scroll = palette->findChild<QScrollArea*>();
        const QWidget* area = m_main->mdiArea()->viewport();
        for (const char* name : {"Command1", "Command4", "Check1_7", "Label5_7"}) {
            auto* w = palette->findChild<QWidget*>(name);
            QTRY_VERIFY2(w->isVisible() && fullyShown(w, scroll->viewport()) && fullyShown(w, area),
                         name);
        }
        for (const char* name : {"Check1_%1", "VScroll1_%1", "Text1_%1"}) {
            auto* w = palette->findChild<QWidget*>(QString::fromLatin1(name).arg(20));
            QCOMPARE(w->toolTip(), QStringLiteral("Ch21 Chan21"));
            QCOMPARE(w->accessibleName(), QStringLiteral("Ch21 Chan21"));
        }
    }

    // No two mnemonics of the fixture editor's window (with the main window's menu bar) clash,
    // and every step button and the Live box have one.
    void mnemonicsDoNotClash()
    {
        FixtureEdit* edit = m_main->fixtureEdit();
        QMap<QChar, QString> taken;
        const auto take = [&](const QString& text) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (at < 0 || at + 1 >= text.size())
                return;
            const QChar letter = text.at(at + 1).toLower();
            QVERIFY2(!taken.contains(letter),
                     qPrintable(taken.value(letter) + QStringLiteral(" / ") + text));
            taken.insert(letter, text);
        };
        for (const QMenuBar* bar : {m_main->menuBar(), edit->findChild<QMenuBar*>()})
            for (const QAction* menu : bar->actions())
                take(menu->text());
        for (const QLabel* label : edit->findChildren<QLabel*>())
            if (label->isVisibleTo(edit))
                take(label->text());
        for (const QAbstractButton* button : edit->findChildren<QAbstractButton*>())
            take(button->text()); // hidden ones too: "Retry" shows only when it is needed
        for (const char* name :
             {"Command1", "Command2", "Command3", "FillSteps", "SortSteps", "Command4", "LiveBox"}) {
            const QString text = edit->findChild<QAbstractButton*>(name)->text();
            QVERIFY2(text.contains(QLatin1Char('&')), name);
        }
    }

    // A screen reader hears the unsaved state with the window: its description says "modified".
    void modifiedIsAnnounced()
    {
        FixtureEdit* edit = m_main->fixtureEdit();
        QWidget* frame = edit->parentWidget();
        QVERIFY(!edit->accessibleDescription().contains(QStringLiteral("modified")));
        QTest::keyClicks(edit->findChild<QLineEdit*>("Text1"), QStringLiteral("x"));
        QVERIFY(edit->isWindowModified());
        for (const QWidget* w : {static_cast<QWidget*>(edit), frame})
            QCOMPARE(w->accessibleDescription(), QString::fromLatin1(ui::ModifiedDescription));
        m_main->document().undoStack()->undo();
        QCOMPARE(edit->accessibleDescription(), QString());
    }

private:
    QTemporaryDir m_dir;
    ui::ScriptedDialogs m_dialogs;
    ui::DiskFileAccess m_disk;
    ui::Services m_services{m_dialogs, m_disk, m_dir.filePath(QStringLiteral("ChNameSet.fix"))};
    std::unique_ptr<MainForm> m_main;
};

int main(int argc, char** argv)
{
    // The offscreen platform's screen is made a laptop's 1366x768.
    QTemporaryDir config;
    const QString screens = config.filePath(QStringLiteral("screens.json"));
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" &&
        support::writeFile(screens,
                           R"({"screens": [{"name": "laptop", "width": 1366, "height": 768}]})"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.toLocal8Bit());
    QApplication app(argc, argv);
    TestLaptopScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestLaptopScreen.moc"
