#include "storage/ProgramInfo.h"
#include "tests/support/VintorctlRun.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString UsageLead = QStringLiteral("用法: vintorctl ");

// The commands the overview lists, each with the synopsis it shows.
QList<std::pair<QString, QString>> ListedCommands(const QString& overview) {
    QList<std::pair<QString, QString>> commands;
    const QStringList lines = overview.split(u'\n');
    qsizetype at = lines.indexOf(QStringLiteral("命令:"));
    EXPECT_GE(at, 0) << overview.toStdString();
    for (++at; at >= 1 && at < lines.size() && !lines[at].isEmpty(); ++at) {
        if (!lines[at].startsWith(QLatin1String("        "))) {
            const QString synopsis = lines[at].trimmed();
            commands.append({synopsis.section(u' ', 0, 0), synopsis});
        }
    }
    return commands;
}

// The manual page as the text a reader sees of it, roughly: font changes
// dropped, "\-" as "-", break points gone.
QString ManualText() {
    QFile file(QStringLiteral(VINTOR_SOURCE_DIR "/docs/vintorctl.1"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(QStringLiteral(R"(\\f[BIRP])")));
    text.remove(QStringLiteral("\\:"));
    return text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

} // namespace

TEST(VintorctlHelp, VersionAndOverviewGoToStandardOutput) {
    const TRun version = RunVintorctl({QStringLiteral("--version")});
    EXPECT_EQ(version.rc, 0);
    EXPECT_EQ(version.out, ProgramInfo::VersionLine(QStringLiteral("vintorctl")) + u'\n');
    EXPECT_EQ(version.out, QStringLiteral("vintorctl (Tolmar-didorivizo) 2.06 Build2.06\n"));

    const TRun help = RunVintorctl({QStringLiteral("--help")});
    EXPECT_EQ(help.rc, 0);
    EXPECT_TRUE(help.err.isEmpty());
    EXPECT_EQ(RunVintorctl({QStringLiteral("-h")}).out, help.out);
    EXPECT_EQ(RunVintorctl({QStringLiteral("help")}).out, help.out);
    // Where the files live and what moves them.
    for (const char* text : {"VINTOR_HOME", "VINTOR_CONFIG", "XDG_DATA_HOME", "退出码"}) {
        EXPECT_TRUE(help.out.contains(QString::fromUtf8(text))) << text;
    }
    // Without arguments the same overview is a usage error.
    const TRun none = RunVintorctl({});
    EXPECT_EQ(none.rc, 2);
    EXPECT_EQ(none.err, help.out);

    const TRun unknown = RunVintorctl({QStringLiteral("help"), QStringLiteral("frobnicate")});
    EXPECT_EQ(unknown.rc, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("frobnicate")));
}

TEST(VintorctlHelp, EveryCommandShowsOneUsageForHelpAndForWrongArguments) {
    const QList<std::pair<QString, QString>> commands =
        ListedCommands(RunVintorctl({QStringLiteral("--help")}).out);
    ASSERT_GE(commands.size(), 13);
    for (const auto& [name, synopsis] : commands) {
        SCOPED_TRACE(name.toStdString());
        const TRun help = RunVintorctl({name, QStringLiteral("--help")});
        EXPECT_EQ(help.rc, 0);
        EXPECT_TRUE(help.out.startsWith(UsageLead + synopsis + u'\n')) << help.out.toStdString();
        // More than the synopsis: what the command does.
        EXPECT_GE(help.out.count(u'\n'), 2);
        EXPECT_EQ(RunVintorctl({QStringLiteral("help"), name}).out, help.out);
        if (name == QLatin1String("pinyin")) {
            continue; // takes any arguments
        }
        // Wrong arguments: the same text, as an error.
        const TRun wrong = RunVintorctl({name});
        EXPECT_EQ(wrong.rc, 2);
        EXPECT_EQ(wrong.err, help.out);
    }
}

TEST(VintorctlHelp, TheManualPageDocumentsEveryCommandAsItsUsageSaysAndTheEnvironment) {
    const QString manual = ManualText();
    for (const auto& [name, synopsis] :
         ListedCommands(RunVintorctl({QStringLiteral("--help")}).out)) {
        EXPECT_TRUE(manual.contains(u'\n' + synopsis + u'\n')) << synopsis.toStdString();
    }
    for (const char* section : {".SH ENVIRONMENT", ".SH FILES", ".SH EXAMPLES",
                                ".SH \"EXIT STATUS\"", "VINTOR_HOME", "VINTOR_CONFIG"}) {
        EXPECT_TRUE(manual.contains(QString::fromUtf8(section))) << section;
    }
}

TEST(VintorctlHelp, TheDeskScriptListsItsCommands) {
    QTemporaryDir dir;
    const QString ledger = dir.filePath(QStringLiteral("a.mdb"));
    ASSERT_EQ(RunVintorctl({QStringLiteral("create"), ledger}, {}, dir.path()).rc, 0);
    const TRun desk =
        RunVintorctl({QStringLiteral("desk"), ledger}, QByteArray("help\n"), dir.path());
    EXPECT_EQ(desk.rc, 0) << desk.err.toStdString();
    for (const char* line : {"rent.code TEXT", "sale.edit N DISCOUNT NUMBER PRICE",
                             "member.record MEMBER key=value ...", "stockrent.header", "help"}) {
        EXPECT_TRUE(desk.out.contains(QString::fromUtf8(line))) << line;
    }
}
