// The fixture editor driven through its window: header fields, the channel count list and the
// channel grid's cell editors (how every grid's cells open and are stored is TestKeyboard's
// gridKeys). What an edit does to the fixture is the document's (tst_fixturedocument).
#include "EditorHarness.h"

#include "fixtureedit/ChannelTraits.h"

class TestFixtureEdit : public QObject {
    Q_OBJECT

private slots:
    void degreeBox_data();
    void degreeBox();
    void channelCountList();
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
