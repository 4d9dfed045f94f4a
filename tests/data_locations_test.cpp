#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/data_locations.h"
#include "platform/folders.h"
#include "test_support.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteFile;

TEST(DataLocations, ASettingsFileBesideTheProgramKeepsAllDataThere)
{
    TempFolder program;
    WriteFile(program.File("Vorpanta.ini"), "");
    const DataLocations l = ComputeDataLocations(program.Path(), "/home/anna/.local/share");
    EXPECT_EQ(l.programDir, program.Path());
    EXPECT_EQ(l.dataDir, program.Path());
    EXPECT_EQ(l.settingsFile, program.Path() + "/Vorpanta.ini");
}

TEST(DataLocations, OtherwiseTheDataLiveInTheSharedFolder)
{
    TempFolder program;
    WriteFile(program.File("SzavakLista.txt"), "\"alma\"\r\n");  // not used without a settings file
    const DataLocations l = ComputeDataLocations(program.Path(), "/home/Anna/.local/share");
    EXPECT_EQ(l.dataDir, "/home/Anna/.local/share/Vorpanta");
    EXPECT_EQ(l.settingsFile, "/home/Anna/.local/share/Vorpanta/Vorpanta.ini");
}

TEST(DataLocations, AFolderNamedLikeTheSettingsFileDoesNotCount)
{
    TempFolder program;
    ASSERT_EQ(::mkdir(program.File("Vorpanta.ini").c_str(), 0755), 0);
    EXPECT_EQ(ComputeDataLocations(program.Path(), "/shared").dataDir, "/shared/Vorpanta");
}

TEST(DataLocations, WithoutASharedFolderTheDataStayBesideTheProgram)
{
    TempFolder program;
    const DataLocations l = ComputeDataLocations(program.Path(), "");
    EXPECT_EQ(l.dataDir, program.Path());
    EXPECT_EQ(l.settingsFile, program.Path() + "/Vorpanta.ini");
}

TEST(DataLocations, TheProgramFolderKeepsItsCaseAndLosesItsTrailingSeparator)
{
    EXPECT_EQ(folders::FolderOfProgram("/home/Anna/Games/vorpanta"), "/home/Anna/Games");
    EXPECT_EQ(folders::FolderOfProgram("/usr/lib/vorpanta/"), "/usr/lib/vorpanta");
    // A program in the root gives the empty folder, so the settings file it
    // looks for beside itself is /Vorpanta.ini.
    EXPECT_EQ(folders::FolderOfProgram("/vorpanta"), "");
    EXPECT_EQ(ComputeDataLocations("", "").settingsFile, "/Vorpanta.ini");
    EXPECT_FALSE(folders::ProgramFilePath().empty());
}

TEST(DataLocations, TheSharedFolderFollowsXdgDataHome)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/vorpanta-xdg-test");
    EXPECT_EQ(folders::SharedDataFolder(), "/tmp/vorpanta-xdg-test");
    if (saved.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}

}  // namespace
