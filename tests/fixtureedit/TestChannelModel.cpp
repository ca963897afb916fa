// The channel grid's model and the channel list over the record, checked by
// QAbstractItemModelTester through row count changes, fills and edits, and the reading of typed
// numbers that every value, From and To cell and the degree boxes share.
#include "common/RecordView.h"
#include "fixtureedit/ChannelListModel.h"
#include "fixtureedit/ChannelNameList.h"
#include "fixtureedit/ChannelTableModel.h"
#include "ui/NumberText.h"

#include <QAbstractItemModelTester>
#include <QUndoStack>
#include <QtTest>

class TestChannelModel : public QObject {
    Q_OBJECT

private slots:
    void modelTester();
    void leadingNumber_data();
    void leadingNumber();
};

void TestChannelModel::modelTester()
{
    ui::Document document;
    RecordView record{&document};
    record.setUp([](fx::FixtureRecord& r) { fx::ResetFixtureRecord(r, 8); });
    ChannelNameList names; // no name set read: every typed name is unknown
    ChannelTableModel model(document, names);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    ChannelListModel channels(document); // the traits choosers' list follows the same changes
    QAbstractItemModelTester listTester(&channels,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

    model.fillFromRecord();
    QCOMPARE(model.rowCount(), 8);
    // Count changes and their undo move the rows.
    for (int n : {12, 3, 40, 1})
        document.push(document.core().setChannelCount(n));
    QCOMPARE(model.rowCount(), 1);
    document.undoStack()->undo();
    QCOMPARE(model.rowCount(), 40);
    QCOMPARE(channels.rowCount(), 40);
    record.setUp([](fx::FixtureRecord& r) { r.FixHeader.NumChannels = 5; });
    QCOMPARE(model.rowCount(), 5);
    const auto cell = [&model](int row, int column) { return model.index(row, column); };
    const QModelIndex partner = cell(1, ChannelTableModel::PartnerColumn);
    QVERIFY(!(partner.flags() & Qt::ItemIsEditable));
    QVERIFY(model.setData(cell(1, ChannelTableModel::TypeColumn), int(fx::TypeFadeable16H)));
    QVERIFY(model.setData(partner, 2));
    QVERIFY(partner.flags() & Qt::ItemIsEditable);
    QCOMPARE(partner.data().toString(), QStringLiteral("2"));
    // A typed name the list lacks stands in the cell; the channel keeps its own.
    QVERIFY(model.setData(cell(1, ChannelTableModel::NameColumn), QStringLiteral("Scan")));
    QCOMPARE(cell(1, ChannelTableModel::NameColumn).data().toString(), QStringLiteral("Scan"));
    QVERIFY(record->Channels[1].ChName.isBlank());
    // An undo shows itself in the cells.
    document.undoStack()->undo();
    QCOMPARE(partner.data(Qt::EditRole).toInt(), 0);
}

void TestChannelModel::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("dmx");
    QTest::newRow("blanks first") << "  42" << 42.0 << 42;
    QTest::newRow("trailing letters") << "12a" << 12.0 << 12;
    QTest::newRow("empty") << "" << 0.0 << 0;
    QTest::newRow("negative") << "-5" << -5.0 << 0;
    QTest::newRow("huge exponent") << "9e9" << 9e9 << 0;
    QTest::newRow("beyond double") << "9e999" << std::numeric_limits<double>::max() << 0;
    QTest::newRow("half up to even") << "2.5" << 2.5 << 2;
    QTest::newRow("256") << "256" << 256.0 << 0;
    QTest::newRow("255.4") << "255.4" << 255.4 << 255;
    QTest::newRow("255.6 rounds over") << "255.6" << 255.6 << 0;
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
