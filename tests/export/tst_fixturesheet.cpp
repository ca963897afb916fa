// The fixture sheet read back from its PDF, fixture-tool's export and sheet on good and bad
// input, and the editor's Export Fixture, Print and Export PDF driven through the scripted
// dialogs.

#include "core/FixtureCheck.h"
#include "fixtureedit/EditorHarness.h"
#include "fixtureedit/ExportCommands.h"
#include "ui/FixtureSheet.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

// The text of a PDF as pdftotext reads it, whitespace runs made one blank.
QString pdfText(const QString& pdf)
{
    const auto run =
        support::runProgram(QStringLiteral(PDFTOTEXT_PATH), {pdf, QStringLiteral("-")});
    return run.status == 0 ? QString::fromUtf8(run.out).simplified() : QString();
}

QString latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

// A fixture with what a sheet must escape, a channel of 255 steps and a blank name.
std::unique_ptr<fx::FixtureRecord> awkwardFixture()
{
    auto r = samples::newFixture(4);
    r->FixHeader.FixtureName.assign("A<b>&\"c\"");
    r->Channels[0].ChName.assign("R&D <x>");
    r->Channels[1].ChName.assign("Caf\xe9 \"q\"");
    r->Channels[3].ChName.assign("Gobo");
    r->StepCount[3] = 255;
    for (int k = 0; k < 255; ++k)
        r->Steps[3][k] = {std::uint8_t(k), std::uint8_t(k),
                          fx::FixedText<8>::fromText("g<" + std::to_string(k + 1) + "&")};
    return r;
}

} // namespace

class TestFixtureSheet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings().remove(ExportCommands::ManufacturerKey);
    }

    void sheetHoldsEveryName_data()
    {
        QTest::addColumn<int>("sample");
        QTest::addColumn<int>("maxPages");
        QTest::newRow("40 channels, 204 steps, ten full palettes") << 0 << 7;
        QTest::newRow("escaped names, 255 steps on one channel") << 1 << 3;
        QTest::newRow("new fixture") << 2 << 1;
    }

    void sheetHoldsEveryName()
    {
        QFETCH(int, sample);
        QFETCH(int, maxPages);
        if (QStringLiteral(PDFTOTEXT_PATH).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const auto r = sample == 0   ? samples::fullFixture()
                       : sample == 1 ? awkwardFixture()
                                     : samples::newFixture(8);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        QVERIFY(support::writeFile(pdf, ui::fixtureSheetPdf(*r, QStringLiteral("Spot.tff"),
                                                            QDateTime::currentDateTime(),
                                                            QLocale(QLocale::German))));
        const QString text = pdfText(pdf);
        QVERIFY(text.contains(latin1(r->FixHeader.FixtureName.trimmed())));
        QVERIFY(text.contains(QStringLiteral("Spot.tff")));
        for (int i = 0; i < r->FixHeader.NumChannels; ++i) {
            QVERIFY2(text.contains(latin1(r->Channels[i].ChName.trimmed())),
                     qPrintable(latin1(r->Channels[i].ChName.trimmed())));
            for (int k = 0; k < r->StepCount[i]; ++k)
                QVERIFY2(text.contains(latin1(r->Steps[i][k].StepName.trimmed())),
                         qPrintable(latin1(r->Steps[i][k].StepName.trimmed())));
        }
        for (int p = 0; p < fx::PaletteCount; ++p)
            if (r->PalUsed[p])
                QVERIFY(text.contains(QStringLiteral("Palette%1 %2")
                                          .arg(p + 1)
                                          .arg(latin1(r->PalName[p].trimmed()))));
        // The fixture check's problems, when it has any (the awkward fixture's blank names).
        QCOMPARE(text.contains(QStringLiteral("Problems")), !fx::CheckFixture(*r).empty());
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("page 1 of (\\d+)")).match(text);
        QVERIFY(pages.hasMatch());
        QVERIFY2(pages.captured(1).toInt() <= maxPages, qPrintable(pages.captured(1)));
        QVERIFY(text.contains(QStringLiteral("page %1 of %1").arg(pages.captured(1))));
    }

    void toolCommands_data()
    {
        // The arguments: %IN a fixture file, %BAD a short file, %D the folder.
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("written");
        QTest::newRow("export") << QStringList{"export", "--manufacturer", "ACME", "%IN",
                                               "%D/o.qxf"}
                                << 0 << "o.qxf";
        QTest::newRow("sheet") << QStringList{"sheet", "%IN", "%D/o.pdf"} << 0 << "o.pdf";
        QTest::newRow("unknown type")
            << QStringList{"export", "--type", "Toaster", "%IN", "%D/o.qxf"} << 2 << "";
        QTest::newRow("not a fixture") << QStringList{"sheet", "%BAD", "%D/o.pdf"} << 1 << "";
        QTest::newRow("target is a folder") << QStringList{"sheet", "%IN", "%D"} << 1 << "";
    }

    void toolCommands()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, written);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.tff"));
        QVERIFY(support::writeFile(in, imageOf(*awkwardFixture())));
        QVERIFY(support::writeFile(dir.filePath(QStringLiteral("bad.tff")), "short"));
        for (QString& a : args)
            a.replace(QStringLiteral("%IN"), in)
                .replace(QStringLiteral("%BAD"), dir.filePath(QStringLiteral("bad.tff")))
                .replace(QStringLiteral("%D"), dir.path());
        const auto run = support::runProgram(QStringLiteral(FIXTURE_TOOL_PATH), args);
        QCOMPARE(run.status, status);
        QStringList expected{"bad.tff", "in.tff"};
        if (!written.isEmpty())
            expected.append(written);
        else
            QCOMPARE(run.err.count('\n'), 1);
        expected.sort();
        // Nothing half-written is left behind, no temporary file either.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
    }

    void editorCommands()
    {
        EditorHarness h;
        // An edit not yet saved is in both exports.
        h.setChannel(0, "Unsaved<1>", fx::TypeLtp);
        const QString qxf = h.path(QStringLiteral("out.qxf"));
        h.dialogs.setNextText(QStringLiteral("ACME & Co"));
        h.trigger("ExportFixture", h.path(QStringLiteral("out")));
        const QByteArray xml = readFile(qxf);
        QVERIFY(xml.contains("<Manufacturer>ACME &amp; Co</Manufacturer>"));
        QVERIFY2(xml.contains("Name=\"Unsaved&lt;1>\""), xml.constData());
        // The manufacturer is offered again next time; cancelling that question writes nothing.
        QCOMPARE(QSettings().value(ExportCommands::ManufacturerKey).toString(),
                 QStringLiteral("ACME & Co"));
        h.trigger("ExportFixture", h.path(QStringLiteral("other.qxf")));
        QVERIFY(!QFile::exists(h.path(QStringLiteral("other.qxf"))));

        // Print (Ctrl+Shift+P) through the print dialog's answer: here a PDF file.
        const QString printed = h.path(QStringLiteral("printed.pdf"));
        h.dialogs.setNextPrintFile(printed);
        QTest::keyClick(h.editor.get(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(h.dialogs.printDialogsShown(), 1);
        QVERIFY(readFile(printed).startsWith("%PDF"));
        if (!QStringLiteral(PDFTOTEXT_PATH).isEmpty())
            QVERIFY(pdfText(printed).contains(QStringLiteral("Unsaved<1>")));

        h.trigger("ExportPdf", h.path(QStringLiteral("sheet")));
        QVERIFY(readFile(h.path(QStringLiteral("sheet.pdf"))).startsWith("%PDF"));
    }

    void failedWritesAreTold()
    {
        support::FailingFileAccess failing;
        EditorHarness h(nameSetFile(), &failing);
        for (const char* action : {"ExportFixture", "ExportPdf"}) {
            const QString old = h.path(QString::fromLatin1(action) +
                                       QLatin1String(action[6] == 'F' ? ".qxf" : ".pdf"));
            writeFile(old, "old");
            h.dialogs.clear();
            h.dialogs.setNextAnswer(ui::Dialogs::Answer::Yes); // replace it
            h.dialogs.setNextText(QStringLiteral("Unknown"));
            h.trigger(action, old);
            const auto& told = h.dialogs.shown().last();
            QVERIFY(!told.question);
            QVERIFY2(told.text.contains(old) &&
                         told.text.contains(QStringLiteral("No space left on device")) &&
                         told.text.contains(QStringLiteral("unchanged")),
                     qPrintable(told.text));
            QCOMPARE(readFile(old), QByteArray("old"));
        }
        QCOMPARE(failing.refused.size(), 2);
    }
};

QTEST_MAIN(TestFixtureSheet)
#include "tst_fixturesheet.moc"
