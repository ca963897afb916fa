#pragma once

#include "core/FixtureRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;

namespace ui {

// The printable fixture sheet: a header (fixture name, channel count, degrees, file name, date),
// the channel table, each channel's steps in columns that fill the page, the palettes in use with
// their values, the fixture check's problems and "page N of M" on every page. Needs Qt's GUI
// module only (a QGuiApplication, the offscreen platform will do), no widgets.

// A4, or Letter where the locale measures in inches.
QPageSize::PageSizeId sheetPageSize(const QLocale& locale);

// The sheet as rich text (HTML), every text of the record escaped.
QString fixtureSheetHtml(const fx::FixtureRecord& record, const QString& fileName,
                         const QDateTime& when);

// Lays the sheet out on device (a QPrinter or QPdfWriter, its page size set) and paints every
// page. Returns the number of pages.
int paintFixtureSheet(const fx::FixtureRecord& record, const QString& fileName,
                      const QDateTime& when, QPagedPaintDevice& device);

// The sheet as a PDF document, in memory, portrait on the locale's paper.
QByteArray fixtureSheetPdf(const fx::FixtureRecord& record, const QString& fileName,
                           const QDateTime& when, const QLocale& locale = QLocale::system());

} // namespace ui
