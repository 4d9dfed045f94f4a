#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "app/first_start.h"
#include "platform/file_io.h"
#include "test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

class FirstStart : public ::testing::Test {
protected:
    FirstStart()
    {
        locations.programDir = root.File("program");
        locations.dataDir = root.File("share/deeper/Vorpanta");
        locations.settingsFile = locations.dataDir + "/Vorpanta.ini";
        std::filesystem::create_directories(locations.programDir + "/dictionary");
        WriteFile(ShippedWordListPath(locations.programDir), "\"alma\"\r\n\"k\xF6r\"\r\n");
    }
    TempFolder root;
    DataLocations locations;
};

TEST_F(FirstStart, ANewDataFolderGetsTheShippedWordList)
{
    EXPECT_TRUE(PrepareDataFolder(locations));
    EXPECT_TRUE(fileio::DirectoryExists(locations.dataDir)) << "made with its parents";
    EXPECT_EQ(ReadFile(locations.dataDir + "/SzavakLista.txt"), "\"alma\"\r\n\"k\xF6r\"\r\n");
}

TEST_F(FirstStart, AnExistingDataFolderIsLeftAloneEvenWithoutAList)
{
    std::filesystem::create_directories(locations.dataDir);
    EXPECT_FALSE(PrepareDataFolder(locations));
    EXPECT_FALSE(fileio::FileExists(locations.dataDir + "/SzavakLista.txt"));

    WriteFile(locations.dataDir + "/SzavakLista.txt", "");  // emptied by the player
    EXPECT_FALSE(PrepareDataFolder(locations));
    EXPECT_EQ(ReadFile(locations.dataDir + "/SzavakLista.txt"), "");
}

TEST_F(FirstStart, WithoutAShippedListTheFolderIsStillMade)
{
    std::filesystem::remove(ShippedWordListPath(locations.programDir));
    EXPECT_FALSE(PrepareDataFolder(locations));
    EXPECT_TRUE(fileio::DirectoryExists(locations.dataDir));
}

TEST_F(FirstStart, AFolderThatCannotBeMadeIsNoError)
{
    WriteFile(root.File("blocker"), "");
    locations.dataDir = root.File("blocker/Vorpanta");  // below a file
    EXPECT_FALSE(PrepareDataFolder(locations));
    EXPECT_FALSE(fileio::DirectoryExists(locations.dataDir));
}

}  // namespace
