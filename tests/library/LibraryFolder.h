#pragma once

// A fixture library folder the tests make: small definitions, and fixture setup files written by
// the program's own writers.

#include "SampleFixtures.h"
#include "core/FixtureFile.h"
#include "core/LedFixtureFile.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace library {

// A definition of manufacturer, model and type with one mode per count, each of that many
// plain channels.
inline QByteArray definition(const QString& maker, const QString& model, const QString& type,
                             const QList<int>& modes)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<FixtureDefinition>"
                                 "<Manufacturer>%1</Manufacturer><Model>%2</Model><Type>%3</Type>")
                      .arg(maker.toHtmlEscaped(), model.toHtmlEscaped(), type.toHtmlEscaped());
    const int most = modes.isEmpty() ? 0 : *std::max_element(modes.begin(), modes.end());
    for (int c = 1; c <= most; ++c)
        xml += QStringLiteral("<Channel Name=\"Ch %1\"/>").arg(c);
    for (const int n : modes) {
        xml += QStringLiteral("<Mode Name=\"%1 channels\">").arg(n);
        for (int c = 0; c < n; ++c)
            xml += QStringLiteral("<Channel Number=\"%1\">Ch %2</Channel>").arg(c).arg(c + 1);
        xml += QStringLiteral("</Mode>");
    }
    return (xml + QStringLiteral("</FixtureDefinition>\n")).toUtf8();
}

// A fixture setup file of name (Latin-1) with channels channels, each with steps steps.
inline QByteArray setupFile(const char* name, int channels, int steps = 0)
{
    auto record = samples::newFixture(channels);
    record->FixHeader.FixtureName.assign(name);
    for (int c = 0; c < channels; ++c) {
        samples::setChannel(record->Channels[c], ("Chan " + std::to_string(c + 1)).c_str(), 0, 0, 0,
                            c + 10);
        record->StepCount[c] = std::uint8_t(steps);
        for (int s = 0; s < steps; ++s)
            record->Steps[c][s] = {std::uint8_t(s * 10), std::uint8_t(s * 10 + 9), {}};
    }
    return support::bytesOf(fx::WriteFixtureImage(*record));
}

inline QByteArray ledFile(const char* name)
{
    fx::LedFixtureRecord led;
    return support::bytesOf(fx::SaveLedFixtureImage(led, name));
}

inline void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY2(support::writeFile(path, bytes), qPrintable(path));
}

} // namespace library
