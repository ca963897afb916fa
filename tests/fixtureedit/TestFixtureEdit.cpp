// The fixture editor driven through its window: header fields, the channel count list and the
// channel grid's cell editors and their commits (the keys every grid shares are TestKeyboard's
// gridKeys). What an edit does to the fixture is the document's (tst_fixturedocument).
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
    // Letters pick no type; the list (F4) does: the HTP channel becomes a 16-bit one, and its
    // partner cell opens, with typed keys discarded there too.
    h.clickCell(1, 2);
    auto* types = h.openEditor<QComboBox>("Combo13");
    QVERIFY(types);
    QTest::keyClicks(types, QStringLiteral("f"));
    QCOMPARE(types->currentIndex(), int(fx::TypeHtp));
    types->setCurrentIndex(fx::TypeInstant16H);
    QTest::keyClick(types, Qt::Key_Tab);
    QCOMPARE(int(h.channel(1).ChType), int(fx::TypeInstant16H));
    auto* partners = h.openEditor<QComboBox>("Combo2");
    QVERIFY(partners);
    QTest::keyClicks(partners, QStringLiteral("5"));
    QCOMPARE(partners->currentIndex(), -1);
    // Back below the 16-bit types: the partner goes.
    h.clickCell(1, 2);
    h.openEditor<QComboBox>("Combo13")->setCurrentIndex(fx::TypeLtp);
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
    row("name, click", 1, "Dimmer", ClickCell, "Dimmer      ", "Dimmer");
    // A one-letter name is not stored; it is checked when a name cell next opens (TestTypedNames).
    row("one letter, leaving", 1, "D", LeaveCell, "Old         ", "Old");
    row("value, leaving", 4, "200", LeaveCell, "200", "200");
    row("value, Escape", 4, "200", Qt::Key_Escape, "33", "33");
    row("empty value, focus loss", 4, "", FocusLoss, "33", "33");
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
    else if (how == LeaveCell)
        h.grid->setCurrentIndex(h.index(5, 0));
    else if (how == FocusLoss)
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
    // A name picked from the list selects its channel in the traits chooser, which shows the
    // name once it is stored.
    auto* chooser = h.combo("Combo9");
    h.clickCell(4, 1);
    auto* names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    names->setCurrentIndex(names->findText(QStringLiteral("Colour"), Qt::MatchStartsWith));
    QCOMPARE(chooser->currentIndex(), 4);
    h.focusElsewhere();
    QCOMPARE(h.channel(4).ChName.str(), std::string("Colour      "));
    QCOMPARE(int(h.channel(4).FuncCode), 9);
    QCOMPARE(chooser->itemText(4), QStringLiteral("Chan 5 - Colour"));

    // Opening a cell whose text matches an entry in other letter case selects that entry.
    h.record.setUp([&](fx::FixtureRecord& r) { r.Channels[6].ChName.assign("ZOOM"); });
    h.editor->FillChannelGrid();
    h.clickCell(6, 1);
    names = h.openEditor<QComboBox>("Combo10");
    QVERIFY(names);
    QCOMPARE(names->currentText(), QStringLiteral("Zoom        "));
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
