#include "TestFiles.h"

#include <QFile>
#include <QProcess>

namespace support {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray imageDifference(const QByteArray& actual, const QByteArray& expected)
{
    if (actual.size() != expected.size())
        return "size " + QByteArray::number(actual.size()) + ", expected " +
               QByteArray::number(expected.size());
    for (qsizetype i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i])
            return "byte " + QByteArray::number(i) + " is " +
                   QByteArray::number(quint8(actual[i])) + ", expected " +
                   QByteArray::number(quint8(expected[i]));
    }
    return {};
}

QString goldenPath(const QString& name)
{
    return QStringLiteral(FIXTURE_TEST_DATA "/") + name;
}

QByteArray goldenDifference(const QString& name, const QByteArray& actual)
{
    const QString path = goldenPath(name);
    if (qEnvironmentVariableIsSet("FIXTURE_REGENERATE_GOLDEN"))
        return writeFile(path, actual) ? QByteArray() : "cannot write " + path.toUtf8();
    if (!QFile::exists(path))
        return "no golden file " + path.toUtf8();
    const QByteArray difference = imageDifference(actual, readFile(path));
    return difference.isEmpty() ? difference : name.toUtf8() + ": " + difference;
}

ProgramRun runProgram(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace support
