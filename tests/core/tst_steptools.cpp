// Fill and Sort of the channel traits: even splits of a DMX range and ordering by From.

#include "core/StepTools.h"

#include <QtTest>

#include <memory>

using namespace fx;

class TestStepTools : public QObject {
    Q_OBJECT

private slots:
    void fill_data();
    void fill();
    void sort();
};

void TestStepTools::fill_data()
{
    QTest::addColumn<int>("before"); // steps the channel has already
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("error");    // part of the refusal, empty when the fill is done
    QTest::addColumn<QString>("expected"); // "from-to name;..." of the new steps, empty: not listed

    const auto row = [](const char* name, int before, int n, int first, int last,
                        const char* pattern, const char* error, const char* expected) {
        QTest::newRow(name) << before << n << first << last << QString(pattern) << QString(error)
                            << QString(expected);
    };
    row("1 step", 0, 1, 0, 255, "Open", "", "0-255 Open");
    row("1 step of one value", 0, 1, 7, 7, "#", "", "7-7 1");
    row("3 steps over 256 values", 0, 3, 0, 255, "Gobo #", "",
        "0-84 Gobo 1;85-169 Gobo 2;170-255 Gobo 3");
    row("3 steps over 10 values", 2, 3, 10, 19, "S#", "", "10-12 S1;13-15 S2;16-19 S3");
    row("first above last", 0, 3, 255, 0, "Speed #", "",
        "171-255 Speed 1;86-170 Speed 2;0-85 Speed 3");
    row("names cut to 8, every # replaced", 0, 2, 0, 1, "Pos ## wheel", "",
        "0-0 Pos 11 w;1-1 Pos 22 w");
    row("255 steps over 256 values", 0, 255, 0, 255, "#", "", "");
    row("255 steps over 255 values", 0, 255, 1, 255, "Step #", "", "");
    row("no step", 0, 0, 0, 255, "#", "1 to 255", "");
    row("256 steps", 0, 256, 0, 255, "#", "1 to 255", "");
    row("value above 255", 0, 2, 0, 256, "#", "0 to 255", "");
    row("more than the room left", 250, 6, 0, 255, "#", "has 250 steps and room for 5 more", "");
    row("the room left exactly", 250, 5, 0, 255, "#", "", "");
    row("more steps than values", 0, 11, 10, 19, "#", "holds 10 values, too few for 11", "");
}

void TestStepTools::fill()
{
    QFETCH(int, before);
    QFETCH(int, n);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, pattern);
    QFETCH(QString, error);
    QFETCH(QString, expected);

    auto r = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*r, 8);
    const int channel = 4;
    r->StepCount[channel] = static_cast<std::uint8_t>(before);
    for (int k = 0; k < before; ++k)
        r->Steps[channel][k] = {1, 2, FixedText<8>::fromText("Old")};
    const FixtureRecord unchanged = *r;

    const std::string result =
        FillSteps(*r, channel, n, first, last, pattern.toLatin1().toStdString());
    if (!error.isEmpty()) {
        QVERIFY2(QString::fromStdString(result).contains(error), result.c_str());
        QVERIFY(*r == unchanged);
        return;
    }
    QCOMPARE(result, std::string());
    QCOMPARE(int(r->StepCount[channel]), before + n);
    for (int k = 0; k < before; ++k)
        QCOMPARE(r->Steps[channel][k], unchanged.Steps[channel][k]);

    // The new steps cover the range exactly: no gap, no overlap, sizes differ by at most one.
    const int low = std::min(first, last), high = std::max(first, last);
    int smallest = 256;
    int largest = 0;
    std::vector<int> hits(256, 0);
    QStringList listed;
    for (int k = before; k < before + n; ++k) {
        const StepInfo& s = r->Steps[channel][k];
        QVERIFY(s.FromDmx <= s.ToDmx);
        for (int v = s.FromDmx; v <= s.ToDmx; ++v)
            ++hits[v];
        smallest = std::min(smallest, s.ToDmx - s.FromDmx + 1);
        largest = std::max(largest, s.ToDmx - s.FromDmx + 1);
        listed << QString::asprintf("%d-%d %s", s.FromDmx, s.ToDmx, s.StepName.trimmed().c_str());
    }
    for (int v = 0; v < 256; ++v)
        QCOMPARE(hits[v], int(v >= low && v <= high));
    QVERIFY(largest - smallest <= 1);
    if (!expected.isEmpty())
        QCOMPARE(listed.join(QLatin1Char(';')), expected);
}

void TestStepTools::sort()
{
    auto r = std::make_unique<FixtureRecord>();
    ResetFixtureRecord(*r, 8);
    const int froms[] = {30, 10, 20, 10};
    const char* names[] = {"a", "b", "c", "d"};
    r->StepCount[2] = 4;
    for (int k = 0; k < 4; ++k)
        r->Steps[2][k] = {static_cast<std::uint8_t>(froms[k]), 40,
                          FixedText<8>::fromText(names[k])};
    r->Steps[2][4] = {0, 0, FixedText<8>::fromText("beyond")};

    QVERIFY(SortSteps(*r, 2));
    QString order;
    for (int k = 0; k < 5; ++k)
        order += QString::fromStdString(r->Steps[2][k].StepName.trimmed()) + ' ';
    QCOMPARE(order, QStringLiteral("b d c a beyond ")); // equal From keep their order
    QCOMPARE(int(r->StepCount[2]), 4);
    QVERIFY(!SortSteps(*r, 2)); // already in order
    QVERIFY(!SortSteps(*r, 40));
}

QTEST_APPLESS_MAIN(TestStepTools)
#include "tst_steptools.moc"
