#pragma once

// Runs the built fixture-tool and keeps its exit status and both outputs.

#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline Run runTool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(FIXTURE_TOOL_PATH), arguments);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
