// The fixture editor driven through its window: header fields, the channel count list, the four
// cell editors, their commits and the keyboard advance through the grid. What an edit does to
// the fixture is the document's (tst_fixturedocument).
#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"

enum { FocusLoss, LeaveCell, ClickCell }; // how a cell is left other than by a key

class TestFixtureEdit : public QObject {
    Q_OBJECT

private slots:
    void degreeBox_data();
    void degreeBox();
    void channelCountList();
    void typeListAndPartner();
    void commits_data();
    void commits();
    void nameKeyFilter();
    void pickedNames();
    void keyboardAdvance();
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

void TestFixtureEdit::channelCountList()
{
    EditorHarness h;
    auto* list = h.combo("Combo1");
    list->setFocus();
    QTest::keyClicks(list, QStringLiteral("3")); // typed keys do not change the count
    QCOMPARE(int(h.record->FixHeader.NumChannels), 8);
    h.editor->traits()->selectChannel(6);
    for (const auto& [key, presses, count] :
         {std::tuple{Qt::Key_Down, 4, 12}, {Qt::Key_Up, 9, 3}}) {
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(list, key);
        QCOMPARE(int(h.record->FixHeader.NumChannels), count);
        QCOMPARE(h.grid->model()->rowCount(), count);
        for (const char* name : {"Combo9", "Combo11", "Combo12"})
            QCOMPARE(h.combo(name)->count(), count);
    }
    QCOMPARE(h.combo("Combo9")->currentIndex(), 0); // a lower count goes back to channel 1
    // The partner list offers exactly the channels there are.
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[0].ChType = fx::TypeInstant16H; });
    h.clickCell(0, 3);
    auto* partners = h.openEditor<QComboBox>("Combo2");
    QVERIFY(partners);
    QCOMPARE(partners->count(), 3);
}

void TestFixtureEdit::typeListAndPartner()
{
    EditorHarness h;
    h.setChannel(1, "", fx::TypeHtp);
    h.editor->FillChannelGrid();
    // The type list makes the HTP channel a 16-bit one; now the partner list opens.
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

    // Letters pick no type; arrows do.
    h.clickCell(1, 2);
    types = h.openEditor<QComboBox>("Combo13");
    QTest::keyClicks(types, QStringLiteral("h"));
    QCOMPARE(types->currentIndex(), int(fx::TypeInstant16H));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(types, Qt::Key_Up);
    h.focusElsewhere();
    QCOMPARE(h.cell(1, 2) + h.cell(1, 3), QStringLiteral("LTP0"));
}

void TestFixtureEdit::commits_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed"); // typed into the opened editor after clearing it
    QTest::addColumn<int>("how");       // FocusLoss, LeaveCell (the current cell moves), ClickCell
                                        // (row 6 "Channel Type") or a key
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("kept"); // the channel's name or value afterwards
    const auto row = [](const char* name, int column, const char* typed, int how, const char* cell,
                        const char* kept) {
        QTest::newRow(name) << column << QString(typed) << how << QString(cell) << QString(kept);
    };
    row("name, focus loss", 1, "Dimmer", FocusLoss, "Dimmer      ", "Dimmer");
    row("name, leaving", 1, "Dimmer", LeaveCell, "Dimmer      ", "Dimmer");
    row("name, click", 1, "Dimmer", ClickCell, "Dimmer      ", "Dimmer");
    // A one-letter name is checked when a name cell next opens (TestTypedNames), not here.
    row("one letter, leaving", 1, "D", LeaveCell, "D", "Old");
    row("value, focus loss", 4, "200", FocusLoss, "200", "200");
    row("value, click", 4, "200", ClickCell, "200", "200");
    row("value, Escape", 4, "200", Qt::Key_Escape, "33", "33");
    row("empty value, focus loss", 4, "", FocusLoss, "33", "33");
    row("empty value, leaving", 4, "", LeaveCell, "0", "0");
}

void TestFixtureEdit::commits()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(int, how);
    QFETCH(QString, cell);
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
    if (how == ClickCell)
        h.clickCell(5, 2);
    else if (how == LeaveCell) {
        h.grid->setAdvanceOnFocus(false);
        h.grid->setCurrentIndex(h.index(5, 0));
    } else if (how == FocusLoss)
        h.focusElsewhere();
    else
        QTest::keyClick(h.focus(), Qt::Key(how));

    // A click opens the clicked cell, not the next one; Escape leaves the focus on the grid.
    QCOMPARE(bool(h.openEditor<QComboBox>("Combo13")), how == ClickCell);
    if (how != LeaveCell) {
        QCOMPARE(h.grid->currentIndex(), how == ClickCell ? h.index(5, 2) : h.index(3, column));
        QCOMPARE(h.grid->hasFocus(), how == Qt::Key_Escape);
    }
    QCOMPARE(h.cell(3, column), cell);
    QTEST(column == 1 ? QString::fromLatin1(h.channel(3).ChName.trimmed())
                      : QString::number(h.channel(3).ChValue),
          "kept");
}

void TestFixtureEdit::nameKeyFilter()
{
    EditorHarness h;
    h.clickCell(0, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    QTest::keyClicks(names, QStringLiteral("ABCDEFGHIJKLM"));

    // From the 14th character on, letters and digits are refused; blanks and punctuation below
    // "0" still go in.
    QTest::keyClicks(names, QStringLiteral("N7 -/x"));
    QCOMPARE(names->currentText(), QStringLiteral("ABCDEFGHIJKLM -/"));
    // With the text selected, a letter replaces it.
    names->lineEdit()->selectAll();
    QTest::keyClicks(names, QStringLiteral("Zo"));
    QCOMPARE(names->currentText(), QStringLiteral("Zo"));
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

    h.clickCell(4, 1);
    names = h.openEditor<QComboBox>("Combo10");
    names->setCurrentIndex(names->findText(QStringLiteral("Colour"), Qt::MatchStartsWith));
    h.focusElsewhere();
    QCOMPARE(h.channel(4).ChName.str(), std::string("Colour      "));
    QCOMPARE(int(h.channel(4).FuncCode), 9);

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
    h.setChannel(1, "Tilt", fx::TypeFadeable16H, 1, 77);
    h.editor->FillChannelGrid();
    // Each editor opens on the cell's value.
    const auto next = [&h](Qt::Key key, int row, int column, const char* editor, const char* text) {
        QTest::keyClick(h.focus(), key);
        QCOMPARE(h.grid->currentIndex(), h.index(row, column));
        QWidget* open = h.grid->openEditor();
        QVERIFY2(open && open->objectName() == editor, editor);
        auto* combo = qobject_cast<QComboBox*>(open);
        QCOMPARE(combo ? combo->currentText() : static_cast<QLineEdit*>(open)->text(), text);
    };
    // Row 1: name, type, (no partner for LTP), value.
    h.clickCell(0, 1);
    next(Qt::Key_Tab, 0, 2, "Combo13", "LTP");
    next(Qt::Key_Return, 0, 4, "Text5", ""); // 0 opens empty
    // Row 2: a 16-bit channel, so its partner cell is on the way.
    next(Qt::Key_Tab, 1, 1, "Combo10", "Tilt        ");
    next(Qt::Key_Tab, 1, 2, "Combo13", "Fadeable LTP 16bitH");
    next(Qt::Key_Tab, 1, 3, "Combo2", "1");
    next(Qt::Key_Tab, 1, 4, "Text5", "77");
    // The last cell wraps to row 1 "Channel Name"; Shift+Tab goes back from there to the last.
    next(Qt::Key_Tab, 0, 1, "Combo10", "");
    next(Qt::Key_Backtab, 1, 4, "Text5", "77");
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
