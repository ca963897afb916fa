// The LED fixture editor's window: start-up, channel count, the cell editors, their commits and
// the keyboard step through the grid.

#include "LedEditorDriver.h"

#include "ledfixture/LedFixtureModel.h"

#include <QAbstractItemModelTester>
#include <QLabel>

namespace {

QStringList numbers(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QString::number(i);
    return list;
}

} // namespace

class TestLedFixtureForm : public QObject {
    Q_OBJECT
private slots:
    // A window reopened after work on 10 channels starts a fresh fixture again.
    void startUp_data()
    {
        QTest::addColumn<bool>("reopened");
        QTest::newRow("first opening") << false;
        QTest::newRow("reopened") << true;
    }
    void startUp()
    {
        QFETCH(bool, reopened);
        LedEditorDriver ed;
        QVERIFY(ed.ready());
        if (reopened) {
            QVERIFY(ed.setChannelCount(10));
            QVERIFY(ed.pick(0, 1, "Blue"));
            QTest::keyClicks(ed.nameBox, "X");
            QVERIFY(ed.reopen());
        }

        QCOMPARE(ed.nameBox->text(), QString("New Fixture"));
        QCOMPARE(ed.countList->count(), 10);
        QCOMPARE(ed.countList->currentText(), QString("8"));
        QCOMPARE(ed.grid->model()->rowCount(), 8);
        for (int r = 0; r < 8; ++r) {
            const QStringList row = {ed.text(r, 0), ed.text(r, 1), ed.text(r, 2), ed.text(r, 3)};
            QCOMPARE(row, QStringList({QString("Chan %1").arg(r + 1), "", "LTP", "0"}));
            const fx::LedChannelRec& channel = ed.form->record().LedChannels[r];
            QCOMPARE(channel.ColourCode + channel.TypeCode + channel.PairChannel, 0);
            QCOMPARE(channel.Name, fx::FixedText<12>{});
        }

        QVERIFY(ed.pick(0, 2, "instant LTP 16bitH"));
        QCOMPARE(ed.partnerItems(0), numbers(8));
    }

    // A 16-bit channel gets partner 5 (the list opens with none chosen), then another type: the
    // partner list opens only for 16-bit types, and a type below 16 bits clears the partner.
    void partnerFollowsType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("is16Bit");
        // Which types keep a partner is the core's rule; these show the grid follows it.
        QTest::newRow("HTP") << QString("HTP") << false;
        QTest::newRow("Fadeable LTP 16bitL") << QString("Fadeable LTP 16bitL") << true;
    }
    void partnerFollowsType()
    {
        QFETCH(QString, type);
        QFETCH(bool, is16Bit);
        LedEditorDriver ed;
        QVERIFY(ed.pick(1, 2, "instant LTP 16bitH"));
        ed.click(1, 3);
        QComboBox* editor = ed.openEditor();
        QVERIFY(editor);
        QCOMPARE(editor->objectName(), QString("Combo2"));
        QCOMPARE(editor->currentIndex(), -1); // no partner yet
        QVERIFY(LedEditorDriver::chooseByKeys(editor, "5"));
        QTest::mouseClick(ed.nameBox, Qt::LeftButton);
        QCOMPARE(ed.form->record().LedChannels[1].PairChannel, 5);

        QVERIFY(ed.pick(1, 2, type));
        const int pair = is16Bit ? 5 : 0;
        QCOMPARE(ed.form->record().LedChannels[1].PairChannel, pair);
        QCOMPARE(ed.text(1, 3), QString::number(pair));
        ed.click(1, 3);
        QCOMPARE(ed.openEditor() != nullptr, is16Bit);
        if (is16Bit) {
            QVERIFY(ed.pick(1, 3, "7"));
            QCOMPARE(ed.form->record().LedChannels[1].PairChannel, 7);
        }
    }

    void nameCommits_data()
    {
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("colourCode");
        QTest::newRow("focus to the name box") << "focus" << QString("Green") << 2;
        QTest::newRow("grid leaves the cell") << "leave" << QString("Green") << 2;
        QTest::newRow("Tab") << "tab" << QString("Duration") << 9;
        QTest::newRow("Escape keeps the old value") << "escape" << QString("Green") << 0;
        QTest::newRow("nothing picked") << "focus" << QString() << 0;
    }
    void nameCommits()
    {
        QFETCH(QString, commit);
        QFETCH(QString, choice);
        QFETCH(int, colourCode);
        LedEditorDriver ed;
        ed.click(2, 1);
        QComboBox* editor = ed.openEditor();
        QVERIFY(editor);
        if (!choice.isEmpty())
            QVERIFY(LedEditorDriver::chooseByKeys(editor, choice));

        if (commit == "focus")
            QTest::mouseClick(ed.nameBox, Qt::LeftButton);
        else if (commit == "leave")
            ed.grid->setCurrentIndex(ed.cell(6, 0));
        else
            QTest::keyClick(editor, commit == "tab" ? Qt::Key_Tab : Qt::Key_Escape);

        const fx::LedChannelRec& channel = ed.form->record().LedChannels[2];
        QCOMPARE(channel.ColourCode, colourCode);
        QCOMPARE(ed.text(2, 1), colourCode ? choice : QString());
        QCOMPARE(channel.Name, colourCode ? fx::FixedText<12>::fromText(choice.toStdString())
                                          : fx::FixedText<12>{});
    }

    void typingIsDiscarded()
    {
        LedEditorDriver ed;
        QTest::keyClicks(ed.countList, "5 ");
        QCOMPARE(ed.countList->currentText(), QString("8"));

        ed.click(0, 1);
        QComboBox* names = ed.openEditor();
        QVERIFY(names);
        QTest::keyClicks(names, "GreenBlue");
        QTest::keyClicks(names->view(), "D");
        QCOMPARE(names->currentIndex(), -1);
    }

    void keyboardStep_data()
    {
        QTest::addColumn<QString>("reach"); // how the first cell's editor is opened
        QTest::addColumn<int>("row");       // counted from 0: row 2 is "Chan 3"
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("nextRow");
        QTest::addColumn<int>("nextColumn");
        QTest::addColumn<bool>("nextOpen");
        const int tab = Qt::Key_Tab;
        QTest::newRow("Name to Type") << "click" << 0 << 1 << tab << 0 << 2 << true;
        QTest::newRow("row 3 Type to row 4 Name") << "click" << 2 << 2 << tab << 3 << 1 << true;
        QTest::newRow("last Type wraps to row 1") << "click" << 7 << 2 << tab << 0 << 1 << true;
        QTest::newRow("last Ch16bit wraps to row 1") << "arrows" << 7 << 3 << tab << 0 << 1 << true;
        QTest::newRow("Enter steps like Tab")
            << "click" << 4 << 2 << int(Qt::Key_Return) << 5 << 1 << true;
        QTest::newRow("Shift+Tab steps back")
            << "click" << 0 << 1 << int(Qt::Key_Backtab) << 7 << 2 << true;
        QTest::newRow("Escape stays")
            << "click" << 3 << 1 << int(Qt::Key_Escape) << 3 << 1 << false;
        // A click clears the step: after a clicked Ch16bit cell the focus comes back without one.
        QTest::newRow("clicked Ch16bit stays") << "click16" << 2 << 3 << tab << 2 << 3 << false;
        // The focus coming to the grid from another control steps too.
        QTest::newRow("Tab into the grid") << "from Text2" << 5 << 1 << tab << 5 << 2 << true;
    }
    void keyboardStep()
    {
        QFETCH(QString, reach);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, key);
        QFETCH(int, nextRow);
        QFETCH(int, nextColumn);
        QFETCH(bool, nextOpen);
        LedEditorDriver ed;
        if (reach == "arrows") {
            // The Ch16bit cell reached by the arrow keys after a Name editor has opened.
            QVERIFY(ed.pick(row, 2, "Fadeable LTP 16bitH"));
            ed.click(row, 1);
            QTest::keyClick(ed.openEditor(), Qt::Key_Escape);
            QTest::keyClick(ed.grid, Qt::Key_Right);
            QTest::keyClick(ed.openEditor(), Qt::Key_Escape);
            QTest::keyClick(ed.grid, Qt::Key_Right);
        } else if (reach == "click16") {
            QVERIFY(ed.pick(row, 2, "instant LTP 16bitH"));
            ed.click(row, 3);
        } else {
            ed.click(row, column);
        }
        QComboBox* editor = ed.openEditor();
        QVERIFY(editor);
        QCOMPARE(ed.current(), ed.cell(row, column));

        QWidget* target = editor;
        if (reach == "from Text2") {
            target = ed.form->findChild<QLineEdit*>("Text2");
            QTest::mouseClick(target, Qt::LeftButton);
            QVERIFY(!ed.openEditor());
        }
        QTest::keyClick(target, Qt::Key(key),
                        key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::processEvents(); // Enter commits once the list has seen the key

        QCOMPARE(ed.current(), ed.cell(nextRow, nextColumn));
        QComboBox* next = ed.openEditor();
        QCOMPARE(next != nullptr, nextOpen);
        if (next) {
            QCOMPARE(next->objectName(), QString(nextColumn == 1 ? "Combo10" : "Combo13"));
            QVERIFY(next->hasFocus());
        } else {
            QVERIFY(ed.grid->hasFocus());
        }
    }

    void modelPassesTester()
    {
        fx::LedFixtureRecord record;
        LedFixtureModel model(record);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.resetChannels(10);
        QVERIFY(model.setData(model.index(9, LedFixtureModel::NameColumn), 9));
        QVERIFY(model.setData(model.index(9, LedFixtureModel::TypeColumn), 5));
        QVERIFY(model.setData(model.index(9, LedFixtureModel::PairColumn), 10));
        QCOMPARE(model.index(9, LedFixtureModel::NameColumn).data().toString(),
                 QString("Duration"));
        // Codes outside the lists never reach the record.
        QVERIFY(!model.setData(model.index(0, LedFixtureModel::NameColumn), 10));
        QVERIFY(!model.setData(model.index(0, LedFixtureModel::TypeColumn), 7));
        QVERIFY(!model.setData(model.index(0, LedFixtureModel::PairColumn), 1)); // not 16-bit
        QVERIFY(!model.setData(model.index(9, LedFixtureModel::PairColumn), 11));
        model.setType(9, 1);
        QCOMPARE(record.LedChannels[9].PairChannel, 0);
        fx::LedFixtureRecord saved = record;
        saved.LedChannelCount = 4;
        model.applySaved(saved);
        QCOMPARE(model.rowCount(), 4);
        model.resetChannels(1);
        QCOMPARE(model.rowCount(), 1);
    }
};

QTEST_MAIN(TestLedFixtureForm)
#include "tst_ledfixtureform.moc"
