// The program itself, once: its help and its status for arguments it cannot use. Everything
// else is driven through the tool's library.
#include <gtest/gtest.h>

#include <QProcess>

namespace zel {
namespace {

struct Ending {
    int status = -1;
    QString output;
    QString errors;
};

Ending RunProgram(const QStringList& arguments) {
    QProcess program;
    program.start(WHINV_BINARY_DIR "/bin/whinv-admin", arguments);
    // Generous: a wait, not a speed target.
    program.waitForFinished(60000);
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

TEST(WhinvAdminProgram, AnswersHelpAndEndsWithTwoOnArgumentsItCannotUse) {
    const Ending help = RunProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.output.contains("grant ID --warehouse|--inventory|--person CODE"))
        << help.output.toStdString();

    const Ending bad = RunProgram({"grant", "wang", "--warehouse", "01"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.errors.startsWith("whinv-admin: ")) << bad.errors.toStdString();
    EXPECT_TRUE(bad.output.isEmpty());
}

}  // namespace
}  // namespace zel
