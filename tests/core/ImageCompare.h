#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>

// The first offset at which two byte images differ, as a message for QVERIFY2; empty when equal.
inline QByteArray imageDifference(std::span<const std::uint8_t> actual,
                                  std::span<const std::uint8_t> expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1, expected %2")
            .arg(actual.size())
            .arg(expected.size())
            .toUtf8();
    for (std::size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i])
            return QStringLiteral("byte %1 is %2, expected %3")
                .arg(i)
                .arg(actual[i])
                .arg(expected[i])
                .toUtf8();
    }
    return {};
}

#define COMPARE_IMAGES(actual, expected)                                                           \
    do {                                                                                           \
        const QByteArray difference_ = imageDifference(actual, expected);                          \
        QVERIFY2(difference_.isEmpty(), difference_.constData());                                  \
    } while (false)
