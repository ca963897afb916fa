// The palette editor's states and transitions, driven through its real controls.
#include "PaletteEditHarness.h"

#include <QLabel>

namespace {

enum class State { Viewing, Locked, EntryEditing, Setting };

// Palette 1 "Spot": channels 1, 3, 6, 12 and 21 selected, entries "Red" and "Blue".
void fillSpotPalette(fx::FixtureRecord& r)
{
    r.PalName[0] = fx::PaletteName::fromText("Spot");
    for (int k : {0, 2, 5, 11, 20})
        r.PalChannelUsed[0][k] = 1;
    r.PalEntryName[0][0] = fx::PaletteName::fromText("Red");
    r.PalEntryName[0][1] = fx::PaletteName::fromText("Blue");
    for (int e = 0; e < fx::PaletteEntryCount; ++e)
        for (int k = 0; k < fx::MaxChannels; ++k)
            r.PalValue[0][e][k] = static_cast<std::uint8_t>((k * 7 + e * 31) % 256);
    r.PalName[1] = fx::PaletteName::fromText("Wash");
    r.PalChannelUsed[1][1] = 1;
    fx::UpdatePaletteUse(r);
}

// One run with flag true, one with it false.
void twoRows(const char* flag, const char* whenTrue, const char* whenFalse)
{
    QTest::addColumn<bool>(flag);
    QTest::newRow(whenTrue) << true;
    QTest::newRow(whenFalse) << false;
}

} // namespace

class TestPaletteEdit : public QObject {
    Q_OBJECT

    std::unique_ptr<PaletteEditHarness> h;

    void start(int palChannels)
    {
        h = std::make_unique<PaletteEditHarness>(16, palChannels);
        h->record.setUp(fillSpotPalette);
        QVERIFY(h->open());
    }

    // One row of the state table: entry buttons, check boxes below PalChannels, the name box,
    // Command3, the entry editing controls and the tab strip.
    void verifyState(State state, const QString& settingCaption)
    {
        const bool entriesOn = state == State::Viewing;
        for (int e = 0; e < fx::PaletteEntryCount; ++e)
            QCOMPARE(h->entryButton(e)->isEnabled(), entriesOn);
        const int shown = h->record->PalChannels;
        for (int k = 0; k < fx::MaxChannels; ++k) {
            QCOMPARE(h->check(k)->isVisible(), k < shown);
            if (k < shown)
                QCOMPARE(h->check(k)->isEnabled(), state == State::Setting);
        }
        QCOMPARE(h->paletteName()->isEnabled(), state == State::Setting);
        QCOMPARE(h->settingButton()->isEnabled(), state != State::EntryEditing);
        QCOMPARE(h->settingButton()->text(), settingCaption);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 h->saveButton(), h->cancelButton(), h->entryName(), h->find<QLabel>("Label1")})
            QCOMPARE(w->isVisible(), state == State::EntryEditing);
        QCOMPARE(h->tabs()->isEnabled(), state != State::EntryEditing);
        QCOMPARE(h->editor->settingMode(), state == State::Setting);
    }

    // Strips shown exactly for the channels below PalChannels that the check boxes tick.
    void verifyStrips()
    {
        for (int k = 0; k < fx::MaxChannels; ++k) {
            const bool shown = k < h->record->PalChannels && h->check(k)->isChecked();
            QCOMPARE(h->slider(k)->isVisible(), shown);
            QCOMPARE(h->valueBox(k)->isVisible(), shown);
        }
    }

private slots:
    void cleanup() { h.reset(); }

    // Viewing -> entry editing -> "Save " or "Cancel" -> viewing.
    void entryEditing_data() { twoRows("save", "Save", "Cancel"); }
    void entryEditing()
    {
        QFETCH(bool, save);
        start(12);
        const fx::FixtureRecord before = *h->record;

        h->click(h->entryButton(1));
        verifyState(State::EntryEditing, "Update Setting");
        QCOMPARE(h->entryName()->text(), QStringLiteral("Blue  "));
        QVERIFY(h->entryName()->hasFocus());
        for (int k : {0, 2, 5, 11}) {
            const int stored = before.PalValue[0][1][k];
            QCOMPARE(h->slider(k)->value(), stored);
            QCOMPARE(h->valueBox(k)->text(), QString::number(stored));
        }
        // Neither a tab nor Command3 can end the entry editing.
        h->chooseTab(4);
        h->click(h->settingButton());
        QCOMPARE(h->editor->curPalette(), 0);
        verifyState(State::EntryEditing, "Update Setting");

        h->setSliderValue(2, 200);
        QCOMPARE(h->valueBox(2)->text(), QStringLiteral("200"));
        h->typeInto(h->entryName(), "Cyan");
        h->click(save ? h->saveButton() : h->cancelButton());
        verifyState(State::Viewing, "Update Setting");
        QCOMPARE(h->valueBox(2)->text(), QStringLiteral("200")); // still showing either way

        fx::FixtureRecord expected = before;
        if (save) {
            expected.PalEntryName[0][1] = fx::PaletteName::fromText("Cyan");
            expected.PalValue[0][1][2] = 200;
        }
        QVERIFY(*h->record == expected);
        QCOMPARE(h->entryButton(1)->text(), save ? QStringLiteral("Cyan  ") : "Blue  ");
    }

    // Viewing -> setting editing -> "Save Setting" -> viewing, and the strips follow the ticks.
    void settingMode()
    {
        start(12);
        h->click(h->settingButton());
        verifyState(State::Setting, "Save Setting");
        QVERIFY(h->paletteName()->hasFocus());

        h->clickCheck(3); // tick channel 4
        h->clickCheck(0); // clear channel 1
        verifyStrips();
        h->typeInto(h->paletteName(), "Beam");
        QCOMPARE(h->record->PalName[0], fx::PaletteName::fromText("Spot")); // nothing stored yet

        h->click(h->settingButton());
        verifyState(State::Viewing, "Updata Setting");
        QCOMPARE(h->record->PalName[0], fx::PaletteName::fromText("Beam"));
        std::array<std::uint8_t, fx::MaxChannels> selection{};
        for (int k : {2, 3, 5, 11}) // channel 21 lay beyond PalChannels: storing clears it
            selection[k] = 1;
        QVERIFY(h->record->PalChannelUsed[0] == selection);
    }

    // A tab chosen in the setting mode asks; OK stores into the palette left. Either way the
    // entries stay locked until the setting mode is entered and left again.
    void tabChangeInSettingMode_data() { twoRows("ok", "OK", "Cancel"); }
    void tabChangeInSettingMode()
    {
        QFETCH(bool, ok);
        start(12);
        const fx::FixtureRecord before = *h->record;
        h->click(h->settingButton());
        h->clickCheck(7);
        h->typeInto(h->paletteName(), "Gobo");

        h->dialogs.setNextAnswer(ok ? ui::Dialogs::Answer::Ok : ui::Dialogs::Answer::Cancel);
        h->chooseTab(1);
        QCOMPARE(h->dialogs.shown().size(), 1);
        QCOMPARE(h->editor->curPalette(), 1);
        verifyState(State::Locked, "Updata Setting");
        QCOMPARE(h->paletteName()->text(), QStringLiteral("Wash  "));
        QVERIFY(h->check(1)->isChecked());
        QVERIFY(!h->check(7)->isChecked());
        verifyStrips();

        QCOMPARE(h->record->PalName[0], fx::PaletteName::fromText(ok ? "Gobo" : "Spot"));
        QCOMPARE(int(h->record->PalChannelUsed[0][7]), ok ? 1 : 0);
        QVERIFY(h->record->PalName[1] == before.PalName[1]);
        QVERIFY(h->record->PalChannelUsed[1] == before.PalChannelUsed[1]);

        // Locked: an entry button does nothing; a tab keeps the state and asks nothing.
        h->click(h->entryButton(0));
        h->chooseTab(0);
        verifyState(State::Locked, "Updata Setting");
        QCOMPARE(h->dialogs.shown().size(), 1);

        // Only a round through the setting mode unlocks them.
        h->click(h->settingButton());
        verifyState(State::Setting, "Save Setting");
        h->click(h->settingButton());
        verifyState(State::Viewing, "Updata Setting");
    }

    // Palette and entry names shown back as stored (padded to six; a longer one is cut as every
    // FixedText is, tst_fixturedocument), an all-blank name as an empty box.
    void names_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shownInBox");
        // Only a name of six plain blanks is an empty name; no-break spaces are characters.
        const char* rows[][4] = {{"empty", "", "      ", ""},
                                 {"ampersand", "R&B", "R&B   ", "R&B   "},
                                 {"no-break spaces", "\u00a0\u00a0\u00a0", "\u00a0\u00a0\u00a0   ",
                                  "\u00a0\u00a0\u00a0   "}};
        for (const auto& [row, typed, stored, shown] : rows)
            QTest::newRow(row) << QString::fromUtf8(typed) << QString::fromUtf8(stored)
                               << QString::fromUtf8(shown);
    }
    void names()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, shownInBox);
        start(12);
        const auto storedName = fx::PaletteName::fromText(stored.toLatin1().toStdString());

        h->click(h->settingButton());
        h->typeInto(h->paletteName(), typed);
        h->click(h->settingButton());
        QCOMPARE(h->record->PalName[0], storedName);

        h->click(h->entryButton(4));
        h->typeInto(h->entryName(), typed);
        h->click(h->saveButton());
        QCOMPARE(h->record->PalEntryName[0][4], storedName);
        // A caption shows "&" as typed instead of taking it as a shortcut mark.
        QCOMPARE(h->entryButton(4)->text(), QString(stored).replace("&", "&&"));

        h->chooseTab(3);
        h->chooseTab(0);
        QCOMPARE(h->paletteName()->text(), shownInBox);
        h->click(h->entryButton(4));
        QCOMPARE(h->entryName()->text(), shownInBox);
    }

    // Closing in the setting mode or while editing an entry stores nothing; opening again starts
    // afresh on palette 1.
    void reopenStartsFresh_data() { twoRows("inSettingMode", "setting mode", "entry editing"); }
    void reopenStartsFresh()
    {
        QFETCH(bool, inSettingMode);
        start(12);
        h->chooseTab(1);
        const fx::FixtureRecord before = *h->record;
        if (inSettingMode) {
            h->click(h->settingButton());
            h->clickCheck(4);
            h->typeInto(h->paletteName(), "Lost");
        } else {
            h->click(h->entryButton(0));
            h->setSliderValue(1, 17);
        }
        h->editor->close();
        QVERIFY(h->open());
        verifyState(State::Viewing, "Update Setting");
        QCOMPARE(h->tabs()->currentIndex(), 0);
        QCOMPARE(h->paletteName()->text(), QStringLiteral("Spot  "));
        QVERIFY(*h->record == before);
        QVERIFY(h->dialogs.shown().isEmpty());
    }
};

QTEST_MAIN(TestPaletteEdit)
#include "TestPaletteEdit.moc"
