// The fixture editor driven through its window: header fields, the channel count,
// the four cell editors, their commits and the keyboard advance through the grid.
#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>

class TestFixtureEdit : public QObject {
    Q_OBJECT

private slots:
    void degreeBox_data();
    void degreeBox();
    void channelCount_data();
    void channelCount();
    void countListEdges();
    void newFixtureQuestion_data();
    void newFixtureQuestion();
    void editorOpens_data();
    void editorOpens();
    void typeListAndPartner();
    void commits_data();
    void commits();
    void nameKeyFilter();
    void pickedNames();
    void keyboardAdvance();
    void escapeAndMousePress();
    void frameClickFocusesNameBox();
};

void TestFixtureEdit::degreeBox_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("stored"); // also the text the box shows afterwards
    QTest::newRow("720 kept") << "720" << 720;
    QTest::newRow("999 over 720") << "999" << 0;
    QTest::newRow("negative refused") << "-5" << 270;
}

void TestFixtureEdit::degreeBox()
{
    QFETCH(QString, entry);
    QFETCH(int, stored);
    EditorHarness h;
    for (const char* name : {"Text4", "Text2"}) {
        auto* box = h.line(name);
        const std::int16_t& degree =
            QByteArray(name) == "Text4" ? h.record->MaxPanDegree : h.record->MaxTiltDegree;
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("270"));
        QCOMPARE(degree, 270);
        box->selectAll();
        box->insert(entry);
        QCOMPARE(box->text(), QString::number(stored));
        QCOMPARE(int(degree), stored);
        QCOMPARE(box->cursorPosition(), int(box->text().size()));
    }
}

void TestFixtureEdit::channelCount_data()
{
    QTest::addColumn<int>("steps"); // Down (positive) or Up presses on the count list
    QTest::addColumn<int>("count");
    QTest::newRow("8 to 12") << 4 << 12;
    QTest::newRow("8 to 3") << -5 << 3;
}

void TestFixtureEdit::channelCount()
{
    QFETCH(int, steps);
    QFETCH(int, count);
    EditorHarness h;
    // Channels beyond the count hold an old name and type; raising the count clears them.
    h.setChannel(10, "Old", fx::TypeHtp, 0, 0, 6);

    auto* list = h.combo("Combo1");
    list->setFocus();
    for (int i = 0; i < std::abs(steps); ++i)
        QTest::keyClick(list, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(list->currentText(), QString::number(count));
    QCOMPARE(int(h.record->FixHeader.NumChannels), count);
    QCOMPARE(h.grid->model()->rowCount(), count);
    for (int row = 0; row < count; ++row) {
        QCOMPARE(h.cell(row, 0), QStringLiteral("Chan %1").arg(row + 1));
        QCOMPARE(h.cell(row, 2), QStringLiteral("LTP"));
    }
    if (count > 10) {
        QCOMPARE(h.channel(10).ChName.str(), std::string(12, ' '));
        QCOMPARE(int(h.channel(10).ChType), 0);
        QCOMPARE(int(h.channel(10).FuncCode), 0);
    }
    for (const char* name : {"Combo9", "Combo11", "Combo12"})
        QCOMPARE(h.combo(name)->count(), count);

    // The partner list offers exactly the channels there are.
    if (count >= 2) {
        h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[0].ChType = fx::TypeInstant16H; });
        h.clickCell(0, 3);
        auto* partners = h.openEditor<QComboBox>("Combo2");
        QVERIFY(partners);
        QCOMPARE(partners->count(), count);
        QCOMPARE(partners->itemText(count - 1), QString::number(count));
    }
}

void TestFixtureEdit::countListEdges()
{
    EditorHarness h;
    auto* list = h.combo("Combo1");
    auto* chooser = h.combo("Combo9");
    // Typed keys do not change the count.
    list->setFocus();
    QTest::keyClicks(list, QStringLiteral("3"));
    QCOMPARE(list->currentText(), QStringLiteral("8"));
    QCOMPARE(int(h.record->FixHeader.NumChannels), 8);

    // A lower count takes the traits chooser back to channel 1.
    h.editor->traits()->selectChannel(6);
    QCOMPARE(chooser->currentIndex(), 6);
    list->setCurrentIndex(3); // a pick of "4"
    QCOMPARE(chooser->count(), 4);
    QCOMPARE(chooser->currentIndex(), 0);

    // Picking the count already shown changes nothing.
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[2].ChName.assign("Keep"); });
    list->setCurrentIndex(3);
    QCOMPARE(h.channel(2).ChName.trimmed(), std::string("Keep"));
    QCOMPARE(h.grid->model()->rowCount(), 4);
}

void TestFixtureEdit::newFixtureQuestion_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestFixtureEdit::newFixtureQuestion()
{
    QFETCH(bool, ok);
    EditorHarness h;
    h.combo("Combo1")->setCurrentIndex(11);
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[1].ChName.assign("Tilt"); });
    h.record.setUp([&](fx::FixtureRecord& r) { r.Steps[0][0].StepName.assign("Open"); });
    h.record.setUp([&](fx::FixtureRecord& r) { r.StepCount[0] = 1; });
    h.editor->traits()->refreshUsage();
    h.record.setUp([&](fx::FixtureRecord& r) { r.MaxPanDegree = 540; });
    h.line("Text2")->setText(QStringLiteral("270"));
    h.document.markSaved(QString()); // nothing unsaved: the plain question is asked

    h.dialogs.setNextAnswer(ok ? ui::Dialogs::Answer::Ok : ui::Dialogs::Answer::Cancel);
    h.focusElsewhere();
    QTest::keyClick(h.focus(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(h.dialogs.shown().size(), 1);

    QCOMPARE(h.grid->model()->rowCount(), ok ? 8 : 12);
    QCOMPARE(h.combo("Combo1")->currentText(), ok ? QStringLiteral("8") : QStringLiteral("12"));
    QCOMPARE(h.channel(1).ChName.trimmed(), ok ? std::string() : std::string("Tilt"));
    QCOMPARE(int(h.record->StepCount[0]), ok ? 0 : 1);
    QCOMPARE(h.editor->findChild<QLabel*>("StepUsage")->text(),
             QStringLiteral("Steps in file: %1 of 204").arg(ok ? 0 : 1));
    QCOMPARE(int(h.record->MaxTiltDegree), ok ? 0 : 270);
    // The name and the pan degree are not part of the reset.
    QCOMPARE(int(h.record->MaxPanDegree), 540);
    QCOMPARE(h.line("Text1")->text(), QStringLiteral("New Fixture"));
}

void TestFixtureEdit::editorOpens_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("editorName");
    QTest::addColumn<bool>("byKey");
    const struct {
        int column;
        const char* name;
    } columns[] = {{1, "Combo10"}, {2, "Combo13"}, {3, "Combo2"}, {4, "Text5"}};
    for (const auto& c : columns) {
        QTest::addRow("%s by click", c.name) << c.column << QString(c.name) << false;
        QTest::addRow("%s by key", c.name) << c.column << QString(c.name) << true;
    }
}

void TestFixtureEdit::editorOpens()
{
    QFETCH(int, column);
    QFETCH(QString, editorName);
    QFETCH(bool, byKey);
    EditorHarness h;
    h.setChannel(2, "Tilt", fx::TypeFadeable16H, 4, 77);
    h.editor->FillChannelGrid();

    if (byKey)
        h.keyOpenCell(2, column);
    else
        h.clickCell(2, column);

    QWidget* editor = h.grid->openEditor();
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), editorName);
    QVERIFY(editor->isVisible());
    QVERIFY(editor->hasFocus() || editor->isAncestorOf(h.focus()));
    QVERIFY(h.grid->visualRect(h.index(2, column)).intersects(editor->geometry()));
    QVERIFY(h.grid->advanceOnFocus());

    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QStringList expected = {"Tilt        ", "Fadeable LTP 16bitH", "4"};
        QCOMPARE(combo->currentText(), expected[column - 1]);
    } else {
        QCOMPARE(static_cast<QLineEdit*>(editor)->text(), QStringLiteral("77"));
        QCOMPARE(static_cast<QLineEdit*>(editor)->maxLength(), 3);
    }
}

void TestFixtureEdit::typeListAndPartner()
{
    EditorHarness h;
    h.setChannel(1, "", fx::TypeHtp);
    h.setChannel(3, "", fx::TypeFadeable16L, 5);
    h.setChannel(4, "", fx::TypeFadeable16H, 4);
    h.editor->FillChannelGrid();
    QCOMPARE(h.cell(3, 3), QStringLiteral("5"));
    h.clickCell(1, 3); // no partner list for an HTP channel
    QVERIFY(!h.grid->openEditor());

    // The type list makes it a 16-bit channel; now the partner list opens.
    h.clickCell(1, 2);
    auto* types = h.openEditor<QComboBox>("Combo13");
    QVERIFY(types);
    QTest::keyClick(types, Qt::Key_Down);
    QTest::keyClick(types, Qt::Key_Down);
    QCOMPARE(types->currentText(), QStringLiteral("instant LTP 16bitH"));
    h.clickCell(1, 3);
    QCOMPARE(int(h.channel(1).ChType), int(fx::TypeInstant16H));
    auto* partners = h.openEditor<QComboBox>("Combo2");
    QVERIFY(partners);
    QCOMPARE(partners->currentIndex(), -1);
    QTest::keyClicks(partners, QStringLiteral("5")); // typed keys are discarded
    QCOMPARE(partners->currentIndex(), -1);

    // Below 16 bit the partner goes; the partner keeps its own pairing. Letters pick no type.
    h.clickCell(3, 2);
    types = h.openEditor<QComboBox>("Combo13");
    QCOMPARE(types->currentIndex(), int(fx::TypeFadeable16L));
    QTest::keyClicks(types, QStringLiteral("h"));
    QCOMPARE(types->currentIndex(), int(fx::TypeFadeable16L));
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(types, Qt::Key_Up);
    QCOMPARE(types->currentText(), QStringLiteral("LTP"));
    h.focusElsewhere();
    QCOMPARE(int(h.channel(3).ChType), int(fx::TypeLtp));
    QCOMPARE(int(h.channel(3).PairChannel), 0);
    QCOMPARE(h.rowText(3).mid(1), QStringList({"LTP", "0", "0"}));
    QCOMPARE(int(h.channel(4).PairChannel), 4);
    QCOMPARE(int(h.channel(4).ChType), int(fx::TypeFadeable16H));
}

void TestFixtureEdit::commits_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");  // typed into the opened editor after clearing it
    QTest::addColumn<bool>("leaveCell"); // the grid leaves the cell instead of a focus loss
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>(
        "stored"); // -1: the name "Old" kept, 1: the typed name stored, else value

    QTest::newRow("name, focus loss") << 1 << "Dimmer" << false << "Dimmer      " << 1;
    QTest::newRow("name, leaving") << 1 << "Dimmer" << true << "Dimmer      " << 1;
    // A one-letter name is answered No when it is checked.
    QTest::newRow("one letter, focus loss") << 1 << "D" << false << "Old         " << -1;
    QTest::newRow("one letter, leaving") << 1 << "D" << true << "D" << -1;
    QTest::newRow("value, focus loss") << 4 << "200" << false << "200" << 200;
    QTest::newRow("value, leaving") << 4 << "200" << true << "200" << 200;
    QTest::newRow("empty value, focus loss") << 4 << "" << false << "33" << 33;
    QTest::newRow("empty value, leaving") << 4 << "" << true << "0" << 0;
}

void TestFixtureEdit::commits()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, leaveCell);
    QFETCH(QString, cell);
    QFETCH(int, stored);
    EditorHarness h;
    h.setChannel(3, "Old", fx::TypeLtp, 0, 33);
    h.editor->FillChannelGrid();
    h.clickCell(3, column);
    QWidget* editor = h.grid->openEditor();
    QVERIFY(editor);
    auto* names = qobject_cast<QComboBox*>(editor);
    QLineEdit* text = names ? names->lineEdit() : static_cast<QLineEdit*>(editor);
    text->clear();
    QTest::keyClicks(names ? editor : text, typed);
    h.dialogs.setNextAnswer(ui::Dialogs::Answer::No);
    if (leaveCell) {
        h.grid->setAdvanceOnFocus(false);
        h.grid->setCurrentIndex(h.index(5, 0));
    } else
        h.focusElsewhere();

    QVERIFY(!h.grid->openEditor());
    QCOMPARE(h.cell(3, column), cell);
    if (column == 1)
        QCOMPARE(QString::fromStdString(h.channel(3).ChName.trimmed()), stored < 0 ? "Old" : typed);
    else
        QCOMPARE(int(h.channel(3).ChValue), stored);
}

void TestFixtureEdit::nameKeyFilter()
{
    EditorHarness h;
    h.clickCell(0, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    QTest::keyClicks(names, QStringLiteral("ABCDEFGHIJKLM"));
    QCOMPARE(names->currentText(), QStringLiteral("ABCDEFGHIJKLM"));
    const auto& typed = h.grid->typedName();
    QCOMPARE(typed.text, QStringLiteral("ABCDEFGHIJKLM"));
    QVERIFY(typed.typed);
    QCOMPARE(typed.row, 0);
    QCOMPARE(typed.column, 1);

    // From the 14th character on, letters and digits are refused; blanks and punctuation below
    // "0" still go in.
    QTest::keyClicks(names, QStringLiteral("N7 -/x"));
    QCOMPARE(names->currentText(), QStringLiteral("ABCDEFGHIJKLM -/"));
    QCOMPARE(h.grid->typedName().text, QStringLiteral("ABCDEFGHIJKLM -/"));
    // With the text selected, a letter replaces it.
    names->lineEdit()->selectAll();
    QTest::keyClicks(names, QStringLiteral("Zo"));
    QCOMPARE(names->currentText(), QStringLiteral("Zo"));
    QCOMPARE(h.grid->typedName().text, QStringLiteral("Zo"));
    QTest::keyClick(names, Qt::Key_Backspace);
    QCOMPARE(h.grid->typedName().text, QStringLiteral("Z"));
    // Characters the files cannot hold never go in.
    names->lineEdit()->insert(QStringLiteral("Ω"));
    QCOMPARE(names->currentText(), QStringLiteral("Z"));
}

void TestFixtureEdit::pickedNames()
{
    EditorHarness h;
    // Each name picked follows into the traits chooser at once.
    auto* chooser = h.combo("Combo9");
    h.clickCell(2, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    QTest::keyClick(names, Qt::Key_Down); // the first name, "Pan"
    QCOMPARE(chooser->currentIndex(), 2);
    QCOMPARE(chooser->itemText(2), QStringLiteral("Chan 3 - Pan         "));
    QTest::keyClick(names, Qt::Key_Down);
    QCOMPARE(chooser->itemText(2), QStringLiteral("Chan 3 - Tilt        "));

    h.clickCell(4, 1);
    names = h.openEditor<QComboBox>("Combo10");
    names->setCurrentIndex(names->findText(QStringLiteral("Colour"), Qt::MatchStartsWith));
    h.focusElsewhere();
    QCOMPARE(h.channel(4).ChName.str(), std::string("Colour      "));
    QCOMPARE(int(h.channel(4).FuncCode), 9);

    // A name typed in another letter case that the list holds takes the list's name and code.
    h.clickCell(5, 1);
    h.typeName(QStringLiteral("gobo"));
    h.focusElsewhere();
    QCOMPARE(h.channel(5).ChName.str(), std::string("Gobo        "));
    QCOMPARE(int(h.channel(5).FuncCode), 12);
    QCOMPARE(h.cell(5, 1), QStringLiteral("Gobo        "));
    QVERIFY(h.dialogs.shown().isEmpty());

    // Opening a cell whose text matches an entry in other letter case selects that entry.
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[6].ChName.assign("ZOOM"); });
    h.editor->FillChannelGrid();
    h.clickCell(6, 1);
    names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    QCOMPARE(names->currentText(), QStringLiteral("Zoom        "));
}

void TestFixtureEdit::keyboardAdvance()
{
    EditorHarness h;
    h.combo("Combo1")->setCurrentIndex(1); // two channels
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[1].ChType = fx::TypeInstant16L; });
    h.editor->FillChannelGrid();
    const auto next = [&h](Qt::Key key, int row, int column, const char* editor) {
        QTest::keyClick(h.focus(), key);
        QCOMPARE(h.grid->currentIndex(), h.index(row, column));
        QVERIFY2(h.grid->openEditor() && h.grid->openEditor()->objectName() == editor, editor);
    };
    // Row 1: name, type, (no partner for LTP), value.
    h.clickCell(0, 1);
    next(Qt::Key_Tab, 0, 2, "Combo13");
    next(Qt::Key_Return, 0, 4, "Text5");
    // Row 2: a 16-bit channel, so its partner cell is on the way.
    next(Qt::Key_Tab, 1, 1, "Combo10");
    next(Qt::Key_Tab, 1, 2, "Combo13");
    next(Qt::Key_Tab, 1, 3, "Combo2");
    next(Qt::Key_Tab, 1, 4, "Text5");
    // The last cell wraps to row 1 "Channel Name"; Shift+Tab goes back from there to the last.
    next(Qt::Key_Tab, 0, 1, "Combo10");
    next(Qt::Key_Backtab, 1, 4, "Text5");
}

void TestFixtureEdit::escapeAndMousePress()
{
    EditorHarness h;
    // Escape closes without storing and stops the advance.
    h.clickCell(0, 4);
    QVERIFY(h.openEditor<QLineEdit>("Text5"));
    QTest::keyClicks(h.focus(), QStringLiteral("99"));
    QTest::keyClick(h.focus(), Qt::Key_Escape);
    QVERIFY(!h.grid->openEditor());
    QCOMPARE(int(h.channel(0).ChValue), 0);
    QVERIFY(h.grid->hasFocus());
    QVERIFY(!h.grid->advanceOnFocus());

    // A click on another cell stores the value and opens the clicked cell, not the next one.
    h.clickCell(0, 4);
    QVERIFY(h.grid->advanceOnFocus());
    QTest::keyClicks(h.focus(), QStringLiteral("5"));
    h.clickCell(3, 2);
    QCOMPARE(int(h.channel(0).ChValue), 5);
    QVERIFY(h.openEditor<QComboBox>("Combo13"));
    QCOMPARE(h.grid->currentIndex(), h.index(3, 2));
}

void TestFixtureEdit::frameClickFocusesNameBox()
{
    EditorHarness h;
    for (const char* frameName : {"Fixtue_Setup", "Frame2"}) {
        h.clickCell(0, 4);
        QVERIFY(h.openEditor<QLineEdit>("Text5"));
        QTest::keyClicks(h.focus(), QStringLiteral("9"));
        auto* frame = h.editor->findChild<QWidget*>(frameName);
        QVERIFY(frame);
        // The frame's own border, clear of the controls inside it.
        QTest::mouseClick(frame, Qt::LeftButton, {},
                          QPoint(frame->width() - 3, frame->height() - 3));
        QVERIFY2(h.line("Text1")->hasFocus(), frameName);
        QCOMPARE(int(h.channel(0).ChValue), 9);
        h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[0].ChValue = 0; });
        h.editor->FillChannelGrid();
    }
}

QTEST_MAIN(TestFixtureEdit)
#include "TestFixtureEdit.moc"
