// A demo account opens in the standard sqlite3 shell: an administrator checks, queries and repairs
// the file without anything of the host's, such as a collation only the host registers.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace {

struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString error;
};

ProgramRun RunProgram(const QString& program, const QStringList& arguments,
                      const QString& input = {}) {
    QProcess process;
    process.start(program, arguments);
    process.write(input.toUtf8());
    process.closeWriteChannel();
    ProgramRun run;
    if (!process.waitForFinished(120000)) {
        run.error = program + ": " + process.errorString();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.error = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(Sqlite3Shell, ChecksAndQueriesEveryTableOfADemoAccount) {
    QTemporaryDir dir;
    const QString file = dir.filePath("demo.db");
    const ProgramRun demo =
        RunProgram(WHINV_BINARY_DIR "/bin/whinv-demo-db", {"--output", file, "--rows", "400"});
    ASSERT_EQ(demo.exitCode, 0) << demo.error.toStdString();

    const ProgramRun tables = RunProgram(
        "sqlite3", {file, "select name from sqlite_master where type = 'table' order by name"});
    ASSERT_EQ(tables.exitCode, 0) << "is the sqlite3 shell installed? "
                                  << tables.error.toStdString();
    const QStringList names = tables.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_TRUE(names.contains("WhInvContrapose")) << tables.out.toStdString();

    QString script = "pragma integrity_check;\npragma foreign_key_check;\n";
    for (const QString& name : names) {
        script += "select '" + name + "', count(*) from \"" + name + "\";\n";
    }
    const ProgramRun check = RunProgram("sqlite3", {"-bail", file}, script);
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.error, "");
    const QStringList lines = check.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), names.size() + 1) << check.out.toStdString();
    EXPECT_EQ(lines.front(), "ok");
    EXPECT_TRUE(lines.contains("WhInvContrapose|400")) << check.out.toStdString();
}

}  // namespace
