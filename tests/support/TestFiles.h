#pragma once

// File helpers shared by the suites, and the comparison with golden files.

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTest>

namespace support {

// The whole file, or an empty array when it cannot be read.
QByteArray readFile(const QString& path);
// Writes data as the whole file; false when that fails.
bool writeFile(const QString& path, const QByteArray& data);

template <typename Bytes> QByteArray bytesOf(const Bytes& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// The first offset at which two byte images differ, as a message; empty when they are equal.
QByteArray imageDifference(const QByteArray& actual, const QByteArray& expected);

// How actual differs from the golden file tests/data/<name>; empty when it is the same. Run a
// test with FIXTURE_REGENERATE_GOLDEN=1 in the environment to write the golden files from what
// the code makes now (tests/data/README.md); check the change before committing it.
QByteArray goldenDifference(const QString& name, const QByteArray& actual);
// The full path of the golden file tests/data/<name>.
QString goldenPath(const QString& name);

// What a program gave when run to its end; status -1 when it did not end normally in a minute.
struct ProgramRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};
ProgramRun
runProgram(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

} // namespace support

#define COMPARE_IMAGES(actual, expected)                                                           \
    do {                                                                                           \
        const QByteArray difference_ =                                                             \
            support::imageDifference(support::bytesOf(actual), support::bytesOf(expected));        \
        QVERIFY2(difference_.isEmpty(), difference_.constData());                                  \
    } while (false)

#define COMPARE_GOLDEN(name, actual)                                                               \
    do {                                                                                           \
        const QByteArray difference_ = support::goldenDifference(name, support::bytesOf(actual));  \
        QVERIFY2(difference_.isEmpty(), difference_.constData());                                  \
    } while (false)
