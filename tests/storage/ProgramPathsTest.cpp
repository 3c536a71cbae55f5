#include "storage/ledger/ProgramPaths.h"
#include "storage/Settings.h"
#include "tests/support/VintorctlRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Every variable that moves the program's files, set for one test only and
// put back afterwards: HOME and the XDG folders point into a temporary folder,
// VINTOR_HOME and VINTOR_CONFIG start unset, as on a shop's desktop.
class ProgramPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        Set("HOME", Path("home"));
        Set("XDG_DATA_HOME", Path("xdg-data"));
        Set("XDG_CONFIG_HOME", Path("xdg-config"));
        Set("VINTOR_HOME", QString());
        Set("VINTOR_CONFIG", QString());
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value.isNull()) {
                qunsetenv(name.c_str());
            } else {
                qputenv(name.c_str(), value);
            }
        }
    }
    // An empty value unsets the variable.
    void Set(const char* name, const QString& value) {
        if (saved_.count(name) == 0) {
            saved_[name] = qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray();
        }
        if (value.isEmpty()) {
            qunsetenv(name);
        } else {
            qputenv(name, value.toUtf8());
        }
    }
    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir_;
    std::map<std::string, QByteArray> saved_;
};

} // namespace

TEST_F(ProgramPathsTest, AnInstalledProgramKeepsLedgersAndSettingsInTheXdgFolders) {
    // The executable's folder holds no data/: nothing is ever written there.
    const QString programDir = Path("xdg-data/Tolmar-Software/Vintor");
    EXPECT_EQ(
        ProgramPaths::ChooseProgramDirectory({}, QStringLiteral("/usr/bin"), Path("xdg-data")),
        programDir);
    EXPECT_EQ(ProgramPaths::ProgramDirectory(), programDir);
    EXPECT_EQ(ProgramPaths::DataDirectory(), programDir + QStringLiteral("/data/"));
    EXPECT_TRUE(QFileInfo(programDir + QStringLiteral("/data")).isDir());
    EXPECT_EQ(ProgramPaths::SettingsFile(), Path("xdg-config/Tolmar-Software/Vintor.conf"));

    TSettings().SetDefaultDb(QStringLiteral("/srv/a.mdb"));
    EXPECT_TRUE(QFile::exists(Path("xdg-config/Tolmar-Software/Vintor.conf")));

    // Without XDG_DATA_HOME and XDG_CONFIG_HOME the defaults under HOME hold.
    Set("XDG_DATA_HOME", QString());
    Set("XDG_CONFIG_HOME", QString());
    EXPECT_EQ(ProgramPaths::ProgramDirectory(), Path("home/.local/share/Tolmar-Software/Vintor"));
    EXPECT_EQ(ProgramPaths::SettingsFile(), Path("home/.config/Tolmar-Software/Vintor.conf"));
}

TEST_F(ProgramPathsTest, AProgramHomeKeepsTheSettingsFileInsideIt) {
    // What `make run` does: VINTOR_HOME=run and nothing else.
    const QString run = Path("checkout/run");
    Set("VINTOR_HOME", run);
    EXPECT_EQ(ProgramPaths::ProgramDirectory(), run);
    EXPECT_EQ(ProgramPaths::DataDirectory(), run + QStringLiteral("/data/"));
    EXPECT_EQ(ProgramPaths::SettingsFile(), run + QStringLiteral("/Vintor.conf"));

    TSettings settings;
    settings.SetDefaultDb(run + QStringLiteral("/data/例子账本.mdb"));
    settings.SetExitKind(TSettings::ExitAsk);
    EXPECT_TRUE(QFile::exists(run + QStringLiteral("/Vintor.conf")));
    // The user's real settings are never touched.
    EXPECT_FALSE(QFileInfo::exists(Path("xdg-config/Tolmar-Software")));
    EXPECT_FALSE(QFileInfo::exists(Path("home/.config")));

    // A relative home is taken from the current folder.
    Set("VINTOR_HOME", QStringLiteral("run"));
    EXPECT_EQ(ProgramPaths::ProgramDirectory(),
              QDir::current().absoluteFilePath(QStringLiteral("run")));
}

TEST_F(ProgramPathsTest, TheConfigVariableWinsAndACopyWithItsOwnDataFolderKeepsToIt) {
    Set("VINTOR_HOME", Path("home-of-its-own"));
    Set("VINTOR_CONFIG", Path("second-shop.ini"));
    EXPECT_EQ(ProgramPaths::SettingsFile(), Path("second-shop.ini"));

    // A copy run from a folder that holds a writable data/ keeps everything there.
    const QString portable = Path("portable");
    ASSERT_TRUE(QDir().mkpath(portable + QStringLiteral("/data")));
    EXPECT_EQ(ProgramPaths::ChooseProgramDirectory({}, portable, Path("xdg-data")), portable);
    EXPECT_EQ(ProgramPaths::ChooseSettingsFile({}, portable, Path("xdg-data"), Path("xdg-config")),
              portable + QStringLiteral("/Vintor.conf"));
    // A home named explicitly beats the executable's folder.
    EXPECT_EQ(ProgramPaths::ChooseProgramDirectory(Path("elsewhere"), portable, Path("xdg-data")),
              Path("elsewhere"));
    // A data entry that is a file, not a folder, is no program directory.
    const QString odd = Path("odd");
    ASSERT_TRUE(QDir().mkpath(odd));
    QFile file(odd + QStringLiteral("/data"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(ProgramPaths::ChooseProgramDirectory({}, odd, Path("xdg-data")),
              Path("xdg-data/Tolmar-Software/Vintor"));
}

TEST_F(ProgramPathsTest, TheBlankTemplateIsMadeInTheUsersDataFolderNotBesideTheExecutable) {
    const QString exeDir = QFileInfo(QStringLiteral(VINTORCTL_PATH)).absolutePath();
    ASSERT_FALSE(QFileInfo::exists(exeDir + QStringLiteral("/data")));
    QProcess process; // inherits the fixture's HOME and XDG folders, no VINTOR_HOME
    process.start(QStringLiteral(VINTORCTL_PATH), {QStringLiteral("create"), Path("shop.mdb")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(Path("shop.mdb")));
    EXPECT_TRUE(QFile::exists(Path("xdg-data/Tolmar-Software/Vintor/data/Blank")));
    EXPECT_FALSE(QFileInfo::exists(exeDir + QStringLiteral("/data")));
}
