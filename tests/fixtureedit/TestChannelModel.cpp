// The channel grid's model over the record, checked by QAbstractItemModelTester through row
// count changes and fills, and the reading of typed numbers that every value, From and To cell
// and the degree boxes share.
#include "fixtureedit/ChannelTableModel.h"
#include "core/FixtureRecord.h"
#include "common/RecordView.h"

#include <QUndoStack>
#include "ui/NumberText.h"

#include <QAbstractItemModelTester>
#include <QtTest>

#include <memory>

class TestChannelModel : public QObject {
    Q_OBJECT

private slots:
    void modelTester();
    void mutatorsKeepRecordSound();
    void leadingNumber_data();
    void leadingNumber();
};

void TestChannelModel::modelTester()
{
    ui::Document document;
    RecordView record{&document};
    record.setUp([](fx::FixtureRecord& r) { fx::ResetFixtureRecord(r, 8); });
    ChannelTableModel model(document);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    model.fillFromRecord();
    QCOMPARE(model.rowCount(), 8);
    // Count changes and their undo move the rows.
    for (int n : {12, 3, 40, 1})
        document.push(document.core().setChannelCount(n));
    QCOMPARE(model.rowCount(), 1);
    document.undoStack()->undo();
    QCOMPARE(model.rowCount(), 40);
    record.setUp([](fx::FixtureRecord& r) { r.FixHeader.NumChannels = 5; });
    QCOMPARE(model.rowCount(), 5);
    QVERIFY(model.setData(model.index(1, ChannelTableModel::TypeColumn), 3));
    QVERIFY(model.setData(model.index(1, ChannelTableModel::PartnerColumn), 2));
    QVERIFY(model.setData(model.index(1, ChannelTableModel::NameColumn), QStringLiteral("Pan")));
    QVERIFY(!model.setData(model.index(1, ChannelTableModel::ChannelColumn), QStringLiteral("x")));
    QCOMPARE(model.index(1, ChannelTableModel::PartnerColumn).data().toString(),
             QStringLiteral("2"));
    QCOMPARE(model.index(4, ChannelTableModel::ChannelColumn).data().toString(),
             QStringLiteral("Chan 5"));
    // An undo shows itself in the cells.
    document.undoStack()->undo();
    QCOMPARE(model.index(1, ChannelTableModel::PartnerColumn).data().toString(),
             QStringLiteral("0"));
}

void TestChannelModel::mutatorsKeepRecordSound()
{
    ui::Document document;
    RecordView record{&document};
    record.setUp([](fx::FixtureRecord& r) { fx::ResetFixtureRecord(r, 4); });
    ChannelTableModel model(document);
    model.fillFromRecord();

    model.setChannelType(0, fx::TypeFadeable16H);
    model.setPartner(0, 2);
    QVERIFY(model.flags(model.index(0, ChannelTableModel::PartnerColumn)) & Qt::ItemIsEditable);
    model.setChannelType(0, 9); // no such type: ignored
    QCOMPARE(int(record->Channels[0].ChType), int(fx::TypeFadeable16H));
    model.setPartner(0, 41); // no such channel: ignored
    QCOMPARE(int(record->Channels[0].PairChannel), 2);
    model.setChannelType(0, fx::TypeHtp);
    QCOMPARE(int(record->Channels[0].PairChannel), 0);
    QVERIFY(!(model.flags(model.index(0, ChannelTableModel::PartnerColumn)) & Qt::ItemIsEditable));
    QVERIFY(!(model.flags(model.index(0, ChannelTableModel::ChannelColumn)) & Qt::ItemIsEditable));

    model.setValue(1, 300);
    QCOMPARE(int(record->Channels[1].ChValue), 255);
    model.setValue(1, -4);
    QCOMPARE(int(record->Channels[1].ChValue), 0);

    model.setChannelName(2, QStringLiteral("Colour wheel 2"), 0x109);
    QCOMPARE(record->Channels[2].ChName.str(), std::string("Colour wheel"));
    QCOMPARE(int(record->Channels[2].FuncCode), 9);

    // An LTP channel that still holds a partner byte (from a count change) shows none.
    record.setUp([](fx::FixtureRecord& r) { r.Channels[3].PairChannel = 7; });
    QCOMPARE(model.index(3, ChannelTableModel::PartnerColumn).data().toString(),
             QStringLiteral("0"));
}

void TestChannelModel::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("dmx");
    QTest::newRow("plain") << "120" << 120.0 << 120;
    QTest::newRow("blanks first") << "  42" << 42.0 << 42;
    QTest::newRow("trailing letters") << "12a" << 12.0 << 12;
    QTest::newRow("empty") << "" << 0.0 << 0;
    QTest::newRow("letters") << "abc" << 0.0 << 0;
    QTest::newRow("sign only") << "-" << 0.0 << 0;
    QTest::newRow("negative") << "-5" << -5.0 << 0;
    QTest::newRow("plus") << "+7" << 7.0 << 7;
    QTest::newRow("exponent") << "1e2" << 100.0 << 100;
    QTest::newRow("huge exponent") << "9e9" << 9e9 << 0;
    QTest::newRow("beyond double") << "9e999" << std::numeric_limits<double>::max() << 0;
    QTest::newRow("exponent without digits") << "5e" << 5.0 << 5;
    QTest::newRow("fraction") << ".5" << 0.5 << 0;
    QTest::newRow("half up to even") << "2.5" << 2.5 << 2;
    QTest::newRow("256") << "256" << 256.0 << 0;
    QTest::newRow("255") << "255" << 255.0 << 255;
    QTest::newRow("blanks and sign") << "  +12" << 12.0 << 12;
    QTest::newRow("fraction rounds") << "7.6" << 7.6 << 8;
    QTest::newRow("255.4") << "255.4" << 255.4 << 255;
    QTest::newRow("255.6 rounds over") << "255.6" << 255.6 << 0;
    QTest::newRow("exponent with sign") << "5e+1" << 50.0 << 50;
    QTest::newRow("negative zero") << "-0" << 0.0 << 0;
    QTest::newRow("dot only") << "." << 0.0 << 0;
    QTest::newRow("digits after text") << "x5" << 0.0 << 0;
}

void TestChannelModel::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(int, dmx);
    QCOMPARE(numtext::leadingNumber(text), number);
    QCOMPARE(numtext::dmxValue(text), dmx);
}

QTEST_GUILESS_MAIN(TestChannelModel)
#include "TestChannelModel.moc"
