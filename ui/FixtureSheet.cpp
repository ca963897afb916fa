#include "ui/FixtureSheet.h"

#include "core/FixtureCheck.h"
#include "core/Latin1Text.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <algorithm>

namespace ui {

namespace {

// Step tables: this many groups of (number, name, From, To) side by side, filled down first.
constexpr int StepColumns = 4;
// Palette tables: at most this many channel columns beside the entry name.
constexpr int PaletteColumns = 20;
constexpr double BodyPoints = 8.0;

QString text(std::string_view latin1)
{
    // Trailing blanks and never-written zero bytes are no part of what a person reads.
    std::string s(latin1);
    s.erase(std::remove(s.begin(), s.end(), '\0'), s.end());
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())).toHtmlEscaped();
}

template <std::size_t N> QString text(const fx::FixedText<N>& t)
{
    return text(t.str());
}

QString cell(const QString& content, bool header = false, const char* align = "left")
{
    const char* tag = header ? "th" : "td";
    return QStringLiteral("<%1 align=\"%2\">%3</%1>").arg(QLatin1String(tag), QLatin1String(align),
                                                          content);
}

int channelsInUse(const fx::FixtureRecord& r)
{
    return std::min<int>(r.FixHeader.NumChannels, fx::MaxChannels);
}

QString channelTable(const fx::FixtureRecord& r)
{
    QString h = QStringLiteral("<h2>Channels</h2><table width=\"100%\" cellspacing=\"0\" "
                               "cellpadding=\"1\" border=\"0.5\"><tr>");
    for (const char* title : {"Ch", "Name", "Code", "Type", "16-bit partner", "Value", "Steps"})
        h += cell(QLatin1String(title), true);
    h += QStringLiteral("</tr>");
    const int n = channelsInUse(r);
    for (int i = 0; i < n; ++i) {
        const fx::ChannelInfo& ch = r.Channels[i];
        const int partner = ch.PairChannel;
        const QString pair = fx::isSixteenBitType(ch.ChType) && partner > 0
                                 ? QString::number(partner) +
                                       (partner <= n ? QStringLiteral(" ") +
                                                           text(r.Channels[partner - 1].ChName)
                                                     : QString())
                                 : QString();
        const QString type = ch.ChType < fx::ChannelTypeCount
                                 ? QString::fromStdString(fx::ChTypeName(ch.ChType))
                                 : QStringLiteral("unknown (%1)").arg(ch.ChType);
        h += QStringLiteral("<tr>") + cell(QString::number(i + 1), false, "right") +
             cell(text(ch.ChName)) + cell(QString::number(ch.FuncCode), false, "right") +
             cell(type) + cell(pair) + cell(QString::number(ch.ChValue), false, "right") +
             cell(QString::number(r.StepCount[i]), false, "right") + QStringLiteral("</tr>");
    }
    return h + QStringLiteral("</table>");
}

const QString TableStart =
    QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\" border=\"0.5\">");

QString stepCells(const fx::StepInfo& s, int k)
{
    return cell(QString::number(k + 1), false, "right") + cell(text(s.StepName)) +
           cell(QString::number(s.FromDmx), false, "right") +
           cell(QString::number(s.ToDmx), false, "right");
}

QString stepHeader(int groups)
{
    QString h = QStringLiteral("<tr>");
    for (int c = 0; c < groups; ++c)
        for (const char* title : {"#", "Name", "From", "To"})
            h += cell(QLatin1String(title), true);
    return h + QStringLiteral("</tr>");
}

QString channelTitle(const fx::FixtureRecord& r, int i, int count)
{
    return QStringLiteral("Channel %1 %2 (%3 step%4)")
        .arg(i + 1)
        .arg(text(r.Channels[i].ChName))
        .arg(count)
        .arg(count == 1 ? "" : "s");
}

// A channel of few steps is a small table of its own, StepColumns of them side by side; a channel
// of many steps takes the page's width, its steps in StepColumns columns filled down first.
QString stepTables(const fx::FixtureRecord& r)
{
    constexpr int SmallChannel = 16;
    QString small, large;
    int smallCount = 0;
    const int n = channelsInUse(r);
    for (int i = 0; i < n; ++i) {
        const int count = std::min<int>(r.StepCount[i], fx::MaxStepsPerChannel);
        if (count == 0)
            continue;
        if (count <= SmallChannel) {
            if (smallCount % StepColumns == 0)
                small += smallCount ? QStringLiteral("</tr><tr>") : QStringLiteral("<tr>");
            QString t = TableStart + QStringLiteral("<tr><th colspan=\"4\" align=\"left\">") +
                        QStringLiteral("%1 %2").arg(i + 1).arg(text(r.Channels[i].ChName)) +
                        QStringLiteral("</th></tr>") + stepHeader(1);
            for (int k = 0; k < count; ++k)
                t += QStringLiteral("<tr>") + stepCells(r.Steps[i][k], k) + QStringLiteral("</tr>");
            small += QStringLiteral("<td valign=\"top\" width=\"25%\">") + t +
                     QStringLiteral("</table></td>");
            ++smallCount;
            continue;
        }
        large += QStringLiteral("<h3>") + channelTitle(r, i, count) + QStringLiteral("</h3>") +
                 TableStart + stepHeader(StepColumns);
        const int rows = (count + StepColumns - 1) / StepColumns;
        for (int row = 0; row < rows; ++row) {
            large += QStringLiteral("<tr>");
            for (int c = 0; c < StepColumns; ++c) {
                const int k = c * rows + row;
                large += k < count ? stepCells(r.Steps[i][k], k)
                                   : cell({}) + cell({}) + cell({}) + cell({});
            }
            large += QStringLiteral("</tr>");
        }
        large += QStringLiteral("</table>");
    }
    if (small.isEmpty() && large.isEmpty())
        return {};
    if (!small.isEmpty()) {
        for (; smallCount % StepColumns != 0; ++smallCount)
            small += QStringLiteral("<td width=\"25%\"></td>");
        small = QStringLiteral("<table width=\"100%\" cellspacing=\"2\" cellpadding=\"0\">") +
                small + QStringLiteral("</tr></table>");
    }
    return QStringLiteral("<h2>Steps</h2>") + small + large;
}

QString paletteTables(const fx::FixtureRecord& r)
{
    QString h;
    const int n = channelsInUse(r);
    for (int p = 0; p < fx::PaletteCount; ++p) {
        if (!r.PalUsed[p])
            continue;
        std::vector<int> channels;
        for (int c = 0; c < n; ++c)
            if (r.PalChannelUsed[p][c])
                channels.push_back(c);
        std::vector<int> entries;
        for (int e = 0; e < fx::PaletteEntryCount; ++e)
            if (r.PalEntrySize[p][e])
                entries.push_back(e);
        if (h.isEmpty())
            h = QStringLiteral("<h2>Palettes</h2>");
        QString names;
        for (const int c : channels)
            names += QStringLiteral("%1%2 %3").arg(names.isEmpty() ? "" : ", ").arg(c + 1).arg(
                text(r.Channels[c].ChName));
        h += QStringLiteral("<h3>Palette%1 %2</h3><p class=\"small\">Channels: %3</p>")
                 .arg(p + 1)
                 .arg(text(r.PalName[p]))
                 .arg(names.isEmpty()               ? QStringLiteral("none")
                      : int(channels.size()) == n ? QStringLiteral("all %1").arg(n)
                                                  : names);
        for (std::size_t first = 0; first < channels.size(); first += PaletteColumns) {
            const std::size_t last = std::min(channels.size(), first + PaletteColumns);
            h += QStringLiteral("<table class=\"small\" cellspacing=\"0\" cellpadding=\"0\" "
                                "border=\"0.5\"><tr>") +
                 cell(QStringLiteral("Entry"), true);
            for (std::size_t k = first; k < last; ++k)
                h += cell(QString::number(channels[k] + 1), true, "right");
            h += QStringLiteral("</tr>");
            for (const int e : entries) {
                h += QStringLiteral("<tr>") +
                     cell(QStringLiteral("%1 %2").arg(e + 1).arg(text(r.PalEntryName[p][e])));
                for (std::size_t k = first; k < last; ++k)
                    h += cell(QString::number(r.PalValue[p][e][channels[k]]), false, "right");
                h += QStringLiteral("</tr>");
            }
            h += QStringLiteral("</table>");
        }
    }
    return h;
}

QString problemList(const fx::FixtureRecord& r)
{
    const std::vector<fx::Problem> problems = fx::CheckFixture(r);
    if (problems.empty())
        return {};
    QString h = QStringLiteral("<h2>Problems</h2><ul>");
    for (const fx::Problem& problem : problems)
        h += QStringLiteral("<li>%1: %2</li>")
                 .arg(problem.severity == fx::Problem::Severity::Error ? "error" : "warning",
                      QString::fromStdString(fx::latin1ToUtf8(fx::describeProblem(problem)))
                          .toHtmlEscaped());
    return h + QStringLiteral("</ul>");
}

QFont sheetFont(double points)
{
    // A family that holds all of Latin-1; the font database falls back to a sans-serif one.
    QFont font(QStringLiteral("DejaVu Sans"), 10);
    font.setStyleHint(QFont::SansSerif);
    // No ligatures: "ff" in "Spot.tff" stays two letters that a search finds.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(points);
    return font;
}

} // namespace

QPageSize::PageSizeId sheetPageSize(const QLocale& locale)
{
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                    : QPageSize::A4;
}

QString fixtureSheetHtml(const fx::FixtureRecord& r, const QString& fileName,
                         const QDateTime& when)
{
    const QString name = text(r.FixHeader.FixtureName);
    QString h = QStringLiteral("<html><body>");
    h += QStringLiteral("<h1>%1</h1>").arg(name.isEmpty() ? QStringLiteral("(no name)") : name);
    h += QStringLiteral("<p>%1 channel%2 &nbsp;&middot;&nbsp; pan %3&deg; &nbsp;&middot;&nbsp; "
                        "tilt %4&deg;<br/>%5 &nbsp;&middot;&nbsp; %6</p>")
             .arg(channelsInUse(r))
             .arg(channelsInUse(r) == 1 ? "" : "s")
             .arg(r.MaxPanDegree)
             .arg(r.MaxTiltDegree)
             .arg(fileName.isEmpty() ? QStringLiteral("not saved yet") : fileName.toHtmlEscaped())
             .arg(QLocale::c().toString(when, QStringLiteral("yyyy-MM-dd HH:mm")));
    h += channelTable(r) + stepTables(r) + paletteTables(r) + problemList(r);
    return h + QStringLiteral("</body></html>");
}

int paintFixtureSheet(const fx::FixtureRecord& record, const QString& fileName,
                      const QDateTime& when, QPagedPaintDevice& device)
{
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&device);
    doc.setDefaultFont(sheetFont(BodyPoints));
    doc.setDefaultStyleSheet(QStringLiteral(
        "h1 { font-size: 14pt; } h2 { font-size: 11pt; } h3 { font-size: 9pt; } "
        "th { background-color: #e0e0e0; } .small { font-size: 7pt; } "
        "h2 { margin-top: 8px; margin-bottom: 2px; } h3 { margin-top: 6px; margin-bottom: 2px; } "
        "p { margin-top: 0px; margin-bottom: 2px; }"));
    doc.setDocumentMargin(0);
    doc.setHtml(fixtureSheetHtml(record, fileName, when));

    const QRect page(0, 0, device.width(), device.height()); // the paintable area, in device pixels
    const QFont footerFont = sheetFont(BodyPoints);
    const int footer = QFontMetrics(footerFont, &device).height() * 2;
    const QSizeF body(page.width(), page.height() - footer);
    doc.setPageSize(body);
    const int pages = doc.pageCount();

    QPainter painter(&device);
    for (int k = 0; k < pages; ++k) {
        if (k > 0)
            device.newPage();
        painter.save();
        painter.translate(0, -k * body.height());
        doc.drawContents(&painter, QRectF(0, k * body.height(), body.width(), body.height()));
        painter.restore();
        painter.setFont(footerFont);
        painter.drawText(QRectF(0, body.height(), body.width(), footer),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("page %1 of %2").arg(k + 1).arg(pages));
    }
    painter.end();
    return pages;
}

QByteArray fixtureSheetPdf(const fx::FixtureRecord& record, const QString& fileName,
                           const QDateTime& when, const QLocale& locale)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(sheetPageSize(locale)));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        {
            const std::string title = record.FixHeader.FixtureName.trimmed();
            writer.setTitle(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
        }
        writer.setCreator(QStringLiteral("Fixture library editor"));
        paintFixtureSheet(record, fileName, when, writer);
    }
    buffer.close();
    return bytes;
}

} // namespace ui
