// The editors driven with the keyboard alone: every key goes to the control that has the focus,
// as a technician's keys do. The offscreen screen is a 1366x768 laptop's, on which the main
// window at its opening size must show and announce what a technician needs.
#include "SampleFixtures.h"
#include "app/MainForm.h"
#include "chnames/EditChName.h"
#include "common/RecordView.h"
#include "core/ChNameSet.h"
#include "core/LedFixtureFile.h"
#include "fixtureedit/ChannelTraits.h"
#include "fixtureedit/FixtureEdit.h"
#include "ledfixture/LedFixture.h"
#include "paletteedit/PaletteEdit.h"
#include "tests/support/TestFiles.h"
#include "ui/DialogFolders.h"
#include "ui/EditGrid.h"
#include "ui/FileAccess.h"
#include "ui/ModifiedMark.h"
#include "ui/ScriptedDialogs.h"
#include "ui/Services.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

using support::readFile;

namespace {

QWidget* focus()
{
    return QApplication::focusWidget();
}

// One key to the control that has the focus, or to an open drop-down list.
void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* target = focus();
    if (QWidget* popup = QApplication::activePopupWidget())
        target = popup->focusWidget() ? popup->focusWidget() : popup;
    QVERIFY(target);
    QTest::keyClick(target, k, modifiers);
}

void type(const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, focus(), Qt::Key_unknown, QString(c), {});
}

// Keys as a string: "\t" Tab, "⇤" Shift+Tab, "\n" Enter, "\x7f" Delete, "⎋" Escape, "⇱" Home,
// "␣" the space bar, "↑↓" the arrows, "⇓⇒" Shift+Down and Shift+Right, "»" F6, "«" Shift+F6,
// "▾" F4, "©" Ctrl+C, "✂" Ctrl+X, "⎀" Ctrl+V, "∀" Ctrl+A, "↶" Ctrl+Z; "▸" clicks the current
// row's heading cell, "▹" Shift+clicks the next row's; "☰" opens the Edit menu and chooses its
// Paste, which must be offered; any other character is typed.
void press(const QString& script)
{
    static const QHash<QChar, std::pair<Qt::Key, Qt::KeyboardModifiers>> named{
        {u'\t', {Qt::Key_Tab, {}}},
        {u'⇤', {Qt::Key_Backtab, Qt::ShiftModifier}},
        {u'\n', {Qt::Key_Return, {}}},
        {u'\x7f', {Qt::Key_Delete, {}}},
        {u'⎋', {Qt::Key_Escape, {}}},
        {u'⇱', {Qt::Key_Home, {}}},
        {u'␣', {Qt::Key_Space, {}}},
        {u'↑', {Qt::Key_Up, {}}},
        {u'↓', {Qt::Key_Down, {}}},
        {u'»', {Qt::Key_F6, {}}},
        {u'«', {Qt::Key_F6, Qt::ShiftModifier}},
        {u'▾', {Qt::Key_F4, {}}},
        {u'⇓', {Qt::Key_Down, Qt::ShiftModifier}},
        {u'⇒', {Qt::Key_Right, Qt::ShiftModifier}},
        {u'©', {Qt::Key_C, Qt::ControlModifier}},
        {u'✂', {Qt::Key_X, Qt::ControlModifier}},
        {u'⎀', {Qt::Key_V, Qt::ControlModifier}},
        {u'∀', {Qt::Key_A, Qt::ControlModifier}},
        {u'↶', {Qt::Key_Z, Qt::ControlModifier}}};
    for (const QChar c : script) {
        if (auto* grid = qobject_cast<QTableView*>(focus()); grid && (c == u'▸' || c == u'▹')) {
            const int row = grid->currentIndex().row() + (c == u'▹' ? 1 : 0);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton,
                              c == u'▹' ? Qt::ShiftModifier : Qt::KeyboardModifiers(),
                              grid->visualRect(grid->model()->index(row, 0)).center());
            continue;
        }
        if (c == u'☰') {
            QWidget* window = focus()->window();
            emit window->findChild<QMenu*>("EditMenu")->aboutToShow();
            QAction* paste = window->findChild<QAction*>("EditPaste");
            QVERIFY(paste->isEnabled());
            paste->trigger();
            continue;
        }
        const auto found = named.constFind(c);
        if (found == named.cend()) {
            type(QString(c));
            continue;
        }
        key(found->first, found->second);
        QCoreApplication::processEvents(); // a cell editor closes on Enter by a queued call
    }
}

QString objectNameOfFocus()
{
    return focus() ? focus()->objectName() : QString();
}

// Whether the whole of w is inside the visible part of area (a viewport).
bool fullyShown(const QWidget* w, const QWidget* area)
{
    return area->rect().contains(QRect(w->mapTo(area, QPoint()), w->size()));
}

// Compares the cells of model ("row,column=text", the text trimmed; "rows=n") separated by '|'.
void checkCells(const QAbstractItemModel* model, const QString& cells)
{
    for (const QString& cell : cells.split(u'|', Qt::SkipEmptyParts)) {
        const QString place = cell.section(u'=', 0, 0);
        const QString shown =
            place == "rows"
                ? QString::number(model->rowCount())
                : model->index(place.section(u',', 0, 0).toInt(), place.section(u',', 1).toInt())
                      .data()
                      .toString()
                      .trimmed();
        QCOMPARE(place + u'=' + shown, cell);
    }
}

// A fixture of n channels named "Chan1".., with steps on the first two channels.
std::unique_ptr<fx::FixtureRecord> namedFixture(int n, int steps0, int steps1)
{
    auto r = samples::newFixture(n);
    for (int c = 0; c < n; ++c)
        r->Channels[c].ChName.assign("Chan" + std::to_string(c + 1));
    r->StepCount[0] = std::uint8_t(steps0);
    r->StepCount[1] = std::uint8_t(steps1);
    return r;
}

// One editor of each kind on its own window, with scripted dialogs and a temporary folder.
struct Editors {
    Editors()
        : record{&document}, services{dialogs, files, dir.filePath(QStringLiteral("ChNameSet.fix"))}
    {
        record.setUp([](fx::FixtureRecord& r) {
            fx::ResetFixtureRecord(r, 8);
            for (int k = 0; k < fx::MaxChannels; ++k)
                r.Channels[k].ChName.assign("Chan" + std::to_string(k + 1));
        });
        document.setPalChannels(40);
        fx::ChNameSet names;
        fx::InitChNameSet(names);
        support::writeFile(services.chNameSetPath, support::bytesOf(fx::chNameSetImage(names)));
    }

    // The editor named ("fixture", "led", "palette", "chnames"), opened as the navigation does.
    QWidget* open(const QString& which)
    {
        if (which == QLatin1String("fixture"))
            return show(fixture, new FixtureEdit(document, services));
        if (which == QLatin1String("led"))
            return show(led, new LedFixture(services));
        if (which == QLatin1String("palette"))
            return show(palette, new PaletteEdit(document, services));
        auto* names = new EditChName(services);
        names->resize(420, 520);
        return show(chnames, names);
    }
    template <typename T> QWidget* show(std::unique_ptr<T>& editor, T* made)
    {
        editor.reset(made);
        editor->load();
        editor->show();
        QApplication::setActiveWindow(editor.get());
        return QTest::qWaitForWindowActive(editor.get()) ? editor.get() : nullptr;
    }

    QTemporaryDir dir;
    ui::Document document;
    RecordView record;
    ui::ScriptedDialogs dialogs;
    ui::DiskFileAccess files;
    ui::Services services;
    std::unique_ptr<FixtureEdit> fixture;
    std::unique_ptr<LedFixture> led;
    std::unique_ptr<PaletteEdit> palette;
    std::unique_ptr<EditChName> chnames;
};

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void init() { m_ed = std::make_unique<Editors>(); }
    void cleanup() { m_ed.reset(); }

    // The four grids take the same keys (ui::EditGrid). Each row: the grid, the steps "S1".."Sn"
    // of channel 1, the cell current as the grid takes the focus (as F6 gives it), the keys, then
    // the cells after them ("row,column=text", trimmed; "rows=n"), the current cell with the open
    // editor's text after a ":" ("*": not checked; "#name": the control with the focus), and the
    // edits in the fixture's history.
    void gridKeys_data()
    {
        QTest::addColumn<QString>("grid"); // "channels", "steps", "led", "names"
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("at");
        QTest::addColumn<int>("edits"); // -1: not the fixture's
        const auto row = [](const char* name, const char* grid, int steps, int row, int column,
                            const char* keys, const char* cells, const char* at, int edits) {
            QTest::newRow(name) << QString(grid) << steps << row << column
                                << QString::fromUtf8(keys) << QString(cells) << QString(at)
                                << edits;
        };
        // The key that opens a cell is its first character, also on the "Chan 1" cell.
        row("key on Chan 1", "channels", 0, 0, 0, "Dimmer\t", "0,1=Dimmer", "0,2:LTP", 1);
        row("key after Escape", "channels", 0, 0, 1, "\n⎋Pan\n", "0,1=Pan", "0,2:LTP", 1);
        row("key after Tab from Type", "channels", 0, 0, 2, "\n\t\tTilt\n", "1,1=Tilt", "1,2:LTP",
            1);
        // Up and Down move between rows unless the list is open (F4).
        row("Down from a name", "channels", 0, 0, 1, "\n↓↓", "0,1=|1,1=", "2,1", 0);
        row("F4 opens the list", "channels", 0, 0, 2, "▾↓\n\n", "0,2=HTP", "0,4:", 1);
        row("Shift+Tab wraps back", "channels", 0, 0, 1, "\n⇤", "", "7,4:", 0);
        // Lists take no typed letters; a name stops taking letters and digits at 13 characters.
        row("type list, then partner", "channels", 0, 0, 2, "▾↓↓↓\nh\t5", "0,2=instant LTP 16bitH",
            "0,3:", 1);
        row("name of 13", "channels", 0, 0, 1, "ABCDEFGHIJKLMN7 -/x", "", "0,1:ABCDEFGHIJKLM -/",
            0);
        // A cell is stored however it is left, except by Escape; a name needs two characters.
        row("name left by F6", "channels", 0, 3, 1, "Dimmer»", "3,1=Dimmer", "#Combo9", 1);
        row("one letter not stored", "channels", 0, 3, 1, "D»", "3,1=", "*", 0);
        row("value left by Down", "channels", 0, 0, 4, "300↓", "0,4=0|1,4=0", "1,4", 0);
        row("value left by Up", "channels", 0, 1, 4, "42↑", "1,4=42", "0,4", 1);
        row("value, Escape", "channels", 0, 0, 4, "42⎋", "0,4=0", "0,4", 0);
        // Tab or Enter after the last cell adds a step; one nobody typed into goes again.
        row("Enter adds a step", "steps", 2, 1, 3, "\n\n", "rows=3|2,0=Step 3", "2,1:", 1);
        row("added, Escape", "steps", 2, 1, 3, "\n\t⎋", "rows=2", "1,1", 0);
        row("added, F6", "steps", 2, 1, 3, "\n\t»", "rows=2", "*", 0);
        row("added, Up", "steps", 2, 1, 3, "\n\t↑", "rows=2", "1,1", 0);
        row("added and typed into", "steps", 2, 1, 3, "\n\tX\t⎋", "rows=3|2,1=X", "2,2", 2);
        row("Tab at 255 steps wraps", "steps", 255, 254, 3, "\n\t", "rows=255", "0,1:S1", 0);
        row("typing on No Steps", "steps", 0, 0, 0, "Gobo\t", "0,0=Step 1|0,1=Gobo", "0,2:", 2);
        row("Home, Delete", "steps", 3, 1, 1, "⇱\x7f", "rows=2|1,1=S3", "*", 1);
        row("led: Tab wraps", "led", 0, 7, 2, "\n\t", "", "0,1:", -1);
        row("led: F4 picks, Down moves", "led", 0, 2, 1, "▾\n↓", "2,1=Red", "3,1", -1);
        row("names: a key opens", "names", 0, 59, 1, "Wheel\n", "59,1=Wheel", "60,1:", -1);
        row("names: arrows open nothing", "names", 0, 10, 0, "↓↓", "", "12,1", -1);
    }
    void gridKeys()
    {
        QFETCH(QString, grid);
        QFETCH(int, steps);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, keys);
        QFETCH(QString, cells);
        QFETCH(QString, at);
        QFETCH(int, edits);
        ui::EditGrid* view = startGrid(grid, steps, row, column);
        QVERIFY(view);
        press(keys);
        checkCells(view->model(), cells);
        if (at.startsWith(u'#')) // F6 left the grid for the control named
            QCOMPARE(u'#' + objectNameOfFocus(), at);
        else if (at != "*") {
            QString now = QStringLiteral("%1,%2")
                              .arg(view->currentIndex().row())
                              .arg(view->currentIndex().column());
            if (QWidget* editor = view->openEditor()) {
                auto* list = qobject_cast<QComboBox*>(editor);
                now +=
                    u':' + (list ? list->currentText() : qobject_cast<QLineEdit*>(editor)->text())
                               .trimmed();
            }
            QCOMPARE(now, at);
        }
        if (edits >= 0)
            QCOMPARE(m_ed->document.undoStack()->count(), edits);
    }

    // Copy, cut and paste in the four grids (ui::EditGrid), by keys. Each row: the grid, the steps
    // "S1".."Sn" of channel 1, the cell current as the grid takes the focus, the clipboard's text
    // before the keys ("" to leave it), the keys (see press), the answer to the question they
    // raise; then the cells after them (as in gridKeys), the clipboard's text ("*": not checked),
    // the edit the editor's Undo would take back, and a text that a message, a question or the
    // status bar showed.
    void clipboard_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("answer"); // "Yes", "Ok" or none
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("undo");
        QTest::addColumn<QString>("said");
        const auto row = [](const char* name, const char* grid, int steps, int row, int column,
                            const char* before, const char* keys, const char* answer,
                            const char* cells, const char* after, const char* undo,
                            const char* said) {
            QTest::newRow(name) << QString(grid) << steps << row << column
                                << QString::fromUtf8(before) << QString::fromUtf8(keys)
                                << QString(answer) << QString(cells) << QString::fromUtf8(after)
                                << QString(undo) << QString::fromUtf8(said);
        };
        row("channels: paste, copy", "channels", 0, 0, 1, "Dimmer\nPan", "⎀⇓⇒⇒⇒©", "",
            "0,1=Dimmer|1,1=Pan", "Dimmer\tLTP\t0\t0\nPan\tLTP\t0\t0\n", "Paste", "");
        row("channels: whole rows", "channels", 0, 0, 1, "Dimmer\tHTP", "⎀▸©↓↓⎀", "",
            "2,1=Dimmer|2,2=HTP", "Chan 1\tDimmer\tHTP\t0\t0\n", "Paste", "");
        row("channels: names added", "channels", 0, 2, 1, "Dimmer\tHTP\nFoo\nBar\t\t\t7\n", "⎀",
            "Yes", "2,1=Dimmer|2,2=HTP|3,1=Foo|4,1=Bar|4,4=7", "*", "Paste", "Bar");
        row("channels: names declined", "channels", 0, 0, 1, "Foo\n", "⎀", "", "0,1=", "*", "",
            "Foo");
        row("channels: cut", "channels", 0, 0, 1, "Dimmer\t\t\t9", "⎀⇒⇒⇒✂", "",
            "0,1=|0,2=LTP|0,4=0", "Dimmer\tLTP\t0\t9\n", "Cut", "");
        row("steps: rows copied and pasted", "steps", 3, 0, 1, "", "▸▹©↓⇱☰", "",
            "rows=4|2,1=S1|3,1=S2", "Step 1\tS1\t0\t0\nStep 2\tS2\t0\t0\n", "Paste", "");
        row("steps: paste undone", "steps", 3, 0, 1, "Gobo\t5\t9\nPrism\t10\t19", "↓↓⎀↶", "",
            "rows=3|2,1=S3|2,2=0", "*", "", "");
        row("steps: from a manual", "steps", 0, 0, 1,
            "DMX chart\n0-9 Open\n10–19 Red\n\n20 ~ 29: Blue", "⎀", "Ok",
            "rows=3|0,1=Open|1,2=10|2,1=Blue|2,3=29", "*", "Paste",
            "3 steps pasted, 1 line skipped");
        row("steps: preview cancelled", "steps", 2, 1, 1, "0-9 Open\n10-19 Red", "⎀", "",
            "rows=2|1,1=S2", "*", "", "Red\t10\t19");
        row("steps: cut", "steps", 3, 0, 1, "", "⇓✂", "", "rows=1|0,1=S3", "S1\nS2\n", "Cut", "");
        row("led: paste, copy", "led", 0, 2, 1, "Red\nGreen", "⎀⇓©", "", "2,1=Red|3,1=Green",
            "Red\nGreen\n", "Paste", "");
        row("names: paste, select all", "names", 0, 59, 1, "Wheel\nPrism", "⎀∀©", "",
            "59,1=Wheel|60,1=Prism", "*", "Paste", "");
        row("names: fixed ones refused", "names", 0, 2, 1, "Wheel", "⎀", "", "2,1=Dimmer", "*", "",
            "Wheel");
    }
    void clipboard()
    {
        QFETCH(QString, grid);
        QFETCH(int, steps);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, before);
        QFETCH(QString, keys);
        QFETCH(QString, answer);
        QFETCH(QString, cells);
        QFETCH(QString, after);
        QFETCH(QString, undo);
        QFETCH(QString, said);
        ui::EditGrid* view = startGrid(grid, steps, row, column);
        QVERIFY(view);
        if (!before.isEmpty())
            QGuiApplication::clipboard()->setText(before);
        if (!answer.isEmpty())
            m_ed->dialogs.setNextAnswer(answer == "Yes" ? ui::Dialogs::Answer::Yes
                                                        : ui::Dialogs::Answer::Ok);
        QStringList shown;
        if (m_ed->fixture)
            connect(m_ed->fixture.get(), &FixtureEdit::statusMessage, view,
                    [&shown](const QString& text) { shown += text; });
        press(keys);
        checkCells(view->model(), cells);
        if (after != "*") {
            QCOMPARE(QGuiApplication::clipboard()->text(), after);
            QVERIFY(QGuiApplication::clipboard()->mimeData()->hasHtml());
        }
        const QUndoStack* history = grid == "led"     ? m_ed->led->document().undoStack()
                                    : grid == "names" ? m_ed->chnames->document().undoStack()
                                                      : m_ed->document.undoStack();
        QCOMPARE(history->undoText(), undo);
        for (const auto& box : m_ed->dialogs.shown())
            shown += box.text;
        QVERIFY2(said.isEmpty() || shown.join(u'\n').contains(said), qPrintable(shown.join(u'\n')));
        QCOMPARE(m_ed->dialogs.pendingAnswers(), 0);
    }

    // A count change keeps the rows; the rows past the count are hidden, and the file holds
    // of them what the format keeps of any unused position (its colour code) and nothing else.
    void ledCountChangeKeepsRows()
    {
        QWidget* form = m_ed->open("led");
        QVERIFY(form);
        QAbstractItemModel* rows = form->findChild<QTableView*>("MSFlexGrid1")->model();
        auto* count = form->findChild<QComboBox*>("Combo1");
        count->setFocus(Qt::TabFocusReason);
        press("↓↓");                                  // 8 -> 10
        QVERIFY(rows->setData(rows->index(9, 1), 3)); // Blue on channel 10
        QVERIFY(rows->setData(rows->index(0, 2), 3)); // 16bitH on channel 1, partner 10
        QVERIFY(rows->setData(rows->index(0, 3), 10));
        press("↑↑");
        QCOMPARE(rows->rowCount(), 8);
        QCOMPARE(rows->index(0, 3).data().toString(), QStringLiteral("0"));
        const QString path = m_ed->dir.filePath("led.tff");
        m_ed->dialogs.setNextFileName(path);
        press("»»␣"); // Save
        fx::LedFixtureRecord expected;
        expected.LedChannelCount = 8;
        expected.LedChannels[0].TypeCode = 3;
        expected.LedChannels[9].ColourCode = 3;
        QCOMPARE(readFile(path),
                 support::bytesOf(fx::SaveLedFixtureImage(expected, "New Fixture")));
        // The save left the hidden rows as they were.
        count->setFocus(Qt::TabFocusReason);
        press("↓↓");
        QCOMPARE(rows->index(9, 1).data().toString(), QStringLiteral("Blue"));
        QCOMPARE(rows->index(0, 3).data().toString(), QStringLiteral("10"));
    }

    // Sliders take the focus and move with the keys; the value boxes take typed values; the
    // slider's value, and so what a screen reader reads, is the DMX value.
    void paletteValuesByKeys()
    {
        m_ed->record.setUp(
            [](fx::FixtureRecord& r) { r.PalChannelUsed[0][0] = r.PalChannelUsed[0][1] = 1; });
        QWidget* form = m_ed->open("palette");
        QVERIFY(form);
        form->findChild<QPushButton*>("Command2_0")->setFocus(Qt::TabFocusReason);
        press("␣");
        QCOMPARE(objectNameOfFocus(), QStringLiteral("Text3"));
        press("\t\t\t↑");
        key(Qt::Key_PageUp);
        auto* slider = qobject_cast<QSlider*>(focus());
        QVERIFY(slider && slider->objectName() == QLatin1String("VScroll1_0"));
        QCOMPARE(slider->value(), 17);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(slider);
        QVERIFY(reader && reader->valueInterface());
        QCOMPARE(reader->valueInterface()->currentValue().toInt(), 17);
        press("\t300"); // into Text1_0; beyond 255: the third digit is refused
        QCOMPARE(slider->value(), 30);
        press("\t");
        QCOMPARE(objectNameOfFocus(), QStringLiteral("VScroll1_1"));
        key(Qt::Key_End);
        press("«\t"); // to the entry column: the name box, then Store
        QCOMPARE(objectNameOfFocus(), QStringLiteral("Command1"));
        press("␣");
        QCOMPARE(int(m_ed->record->PalValue[0][0][0]), 30);
        QCOMPARE(int(m_ed->record->PalValue[0][0][1]), 255);
    }

    // Every control that takes Tab is announced by its label or its own caption: a control added
    // without one fails here.
    void accessibleNames_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<bool>("labelled"); // it has controls labelled by a QLabel
        for (const char* editor : {"fixture", "led", "palette"})
            QTest::newRow(editor) << editor << true;
        QTest::newRow("chnames") << "chnames" << false;
    }
    void accessibleNames()
    {
        QFETCH(QString, editor);
        QWidget* form = m_ed->open(editor);
        QVERIFY(form);
        // What a screen reader announces: the name, or for a drop-down list (whose name on
        // Linux is its current item) the label it is labelled by.
        const auto spoken = [](QWidget* w) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
            if (!iface)
                return QString();
            if (qobject_cast<QComboBox*>(w)) {
                const auto labels = iface->relations(QAccessible::Label);
                return labels.isEmpty() ? QString()
                                        : labels.first().first->text(QAccessible::Name).trimmed();
            }
            return iface->text(QAccessible::Name).trimmed();
        };
        int controls = 0;
        for (QWidget* w : form->findChildren<QWidget*>()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(form) &&
                !qobject_cast<QScrollArea*>(w) &&
                !qobject_cast<QAbstractScrollArea*>(w->parent())) {
                QVERIFY2(!spoken(w).isEmpty(), qPrintable(w->objectName()));
                ++controls;
            }
        }
        QVERIFY(controls > 0);
        // A control with a label is announced by the label's text as the label itself is.
        int labelled = 0;
        for (QLabel* label : form->findChildren<QLabel*>()) {
            if (label->buddy()) {
                QCOMPARE(spoken(label->buddy()),
                         QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name));
                ++labelled;
            }
        }
        QTEST(labelled > 0, "labelled");
    }

    // The file dialogs start in the folder last used, kept between runs, or the documents folder
    // the first time and when that folder is gone.
    void dialogFolders()
    {
        const QString settings = m_ed->dir.filePath("settings.ini");
        QCOMPARE(ui::DialogFolders(settings).startFolder(), ui::DialogFolders::documentsFolder());

        QVERIFY(QDir(m_ed->dir.path()).mkpath("shows/a"));
        const QString folder = m_ed->dir.filePath("shows/a");
        ui::DialogFolders(settings).remember(folder + "/Spot.tff");
        ui::DialogFolders(settings).remember(QString()); // a cancelled dialog
        QCOMPARE(ui::DialogFolders(settings).startFolder(), folder);
        QVERIFY(QDir(folder).removeRecursively());
        QCOMPARE(ui::DialogFolders(settings).startFolder(), ui::DialogFolders::documentsFolder());
    }

    // "Steps in file: 333 of 204 (129 will not be saved)" leaves the steps grid all four columns.
    void laptopStepsOverTheFileKeepTheGrid()
    {
        const auto main = mainWindow();
        QVERIFY(main);
        main->document().replace(*namedFixture(8, 255, 78));
        QTest::qWait(20);
        auto* usage = main->findChild<QLabel*>("StepUsage");
        QVERIFY(usage->text().contains(QStringLiteral("129 will not be saved")));
        auto* steps = main->findChild<QTableView*>("MSFlexGrid2");
        const QWidget* area = main->mdiArea()->viewport();
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
    void laptopPaletteEntryOpen()
    {
        const auto main = mainWindow();
        QVERIFY(main);
        main->document().replace(*namedFixture(40, 0, 0));
        main->showPaletteEditor();
        QWidget* palette = main->editor(MainForm::Editor::Palette);
        QTest::qWait(20);
        QTest::mouseClick(palette->findChild<QPushButton*>("Command2_0"), Qt::LeftButton);
        auto* scroll = palette->findChild<QScrollArea*>();
        const QWidget* area = main->mdiArea()->viewport();
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
        const auto main = mainWindow();
        QVERIFY(main);
        FixtureEdit* edit = main->fixtureEdit();
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
        for (const QMenuBar* bar : {main->menuBar(), edit->findChild<QMenuBar*>()})
            for (const QAction* menu : bar->actions())
                take(menu->text());
        for (const QLabel* label : edit->findChildren<QLabel*>())
            if (label->isVisibleTo(edit))
                take(label->text());
        for (const QAbstractButton* button : edit->findChildren<QAbstractButton*>())
            take(button->text()); // hidden ones too: "Retry" shows only when it is needed
        for (const char* name : {"Command1", "Command2", "Command3", "FillSteps", "SortSteps",
                                 "Command4", "LiveBox"}) {
            const QString text = edit->findChild<QAbstractButton*>(name)->text();
            QVERIFY2(text.contains(QLatin1Char('&')), name);
        }
    }

    // A screen reader hears the unsaved state with the window: its description says "modified".
    void modifiedIsAnnounced()
    {
        const auto main = mainWindow();
        QVERIFY(main);
        FixtureEdit* edit = main->fixtureEdit();
        QWidget* frame = edit->parentWidget();
        QVERIFY(!edit->accessibleDescription().contains(QStringLiteral("modified")));
        QTest::keyClicks(edit->findChild<QLineEdit*>("Text1"), QStringLiteral("x"));
        QVERIFY(edit->isWindowModified());
        for (const QWidget* w : {static_cast<QWidget*>(edit), frame})
            QCOMPARE(w->accessibleDescription(), QString::fromLatin1(ui::ModifiedDescription));
        main->document().undoStack()->undo();
        QCOMPARE(edit->accessibleDescription(), QString());
    }

private:
    // The grid named ("channels", "steps", "led", "names") in its editor, with the steps "S1".."Sn"
    // on channel 1, row, column current as it takes the focus by F6.
    ui::EditGrid* startGrid(const QString& grid, int steps, int row, int column)
    {
        QWidget* form = m_ed->open(grid == "led" ? "led" : grid == "names" ? "chnames" : "fixture");
        if (!form)
            return nullptr;
        m_ed->record.setUp([&](fx::FixtureRecord& r) {
            r.StepCount[0] = std::uint8_t(steps);
            for (int k = 0; k < steps; ++k)
                r.Steps[0][k].StepName.assign("S" + std::to_string(k + 1));
        });
        auto* view = form->findChild<ui::EditGrid*>(grid == "steps"   ? "MSFlexGrid2"
                                                    : grid == "names" ? "ChMSFlexGrid"
                                                                      : "MSFlexGrid1");
        if (grid == "steps")
            m_ed->fixture->traits()->selectChannel(0);
        view->setCurrentIndex(view->model()->index(row, column));
        view->clearFocus();
        view->setFocus(Qt::ShortcutFocusReason);
        return view;
    }

    // The main window at its opening size, as the program starts.
    std::unique_ptr<MainForm> mainWindow()
    {
        auto form = std::make_unique<MainForm>(m_ed->services);
        form->show();
        return QTest::qWaitForWindowExposed(form.get()) ? std::move(form) : nullptr;
    }

    std::unique_ptr<Editors> m_ed;
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
    TestKeyboard test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestKeyboard.moc"
