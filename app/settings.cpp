#include "app/settings.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/app_error.h"
#include "platform/file_io.h"
#include "platform/profile_file.h"

namespace {

constexpr std::string_view kScreen = "Screen";
constexpr std::string_view kGame = "Game";
constexpr std::int32_t kHardLowest = 3;
constexpr std::int32_t kHardHighest = 5;

AppError UnableToWrite(const std::string& settingsFile)
{
    return AppError("Unable to write to " + settingsFile);
}

// The current content of the settings file, or empty text when there is no
// file yet. Everything that would make us lose or overrule what stands there
// counts as a write failure: something other than a file at the path, a file
// the player marked read-only (judged by its mode bits, so that it holds for
// root too), a file we may not write, or one we cannot read back.
std::string ContentToKeep(const std::string& settingsFile)
{
    struct stat st {};
    if (::stat(settingsFile.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return {};  // no file yet; a missing folder fails when writing
        throw UnableToWrite(settingsFile);
    }
    if (!S_ISREG(st.st_mode))
        throw UnableToWrite(settingsFile);
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0
        || ::faccessat(AT_FDCWD, settingsFile.c_str(), W_OK, AT_EACCESS) != 0)
        throw UnableToWrite(settingsFile);
    try {
        return fileio::ReadWholeFile(settingsFile);
    } catch (const AppError&) {
        throw UnableToWrite(settingsFile);
    }
}

}  // namespace

Settings LoadSettings(const std::string& settingsFile)
{
    const Settings defaults;
    if (!fileio::FileExists(settingsFile))
        return defaults;
    std::string text;
    try {
        text = fileio::ReadWholeFile(settingsFile);
    } catch (const AppError&) {
        return defaults;
    }
    const ProfileFile profile(text);
    Settings settings;
    settings.left = profile.ReadInteger(kScreen, "Left", defaults.left);
    settings.top = profile.ReadInteger(kScreen, "Top", defaults.top);
    settings.hard = profile.ReadInteger(kGame, "Hard", defaults.hard);
    if (settings.hard < kHardLowest || settings.hard > kHardHighest)
        settings.hard = defaults.hard;
    return settings;
}

void SaveSettings(const std::string& settingsFile, const Settings& settings)
{
    ProfileFile profile(ContentToKeep(settingsFile));
    profile.WriteInteger(kScreen, "Left", settings.left);
    profile.WriteInteger(kScreen, "Top", settings.top);
    profile.WriteInteger(kGame, "Hard", settings.hard);
    std::string reason;
    if (!fileio::WriteWholeFileAtomic(settingsFile, profile.Text(), reason))
        throw UnableToWrite(settingsFile);
}
