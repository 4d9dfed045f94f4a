#include "platform/folders.h"

#include <QFile>
#include <QStandardPaths>

#include <climits>
#include <unistd.h>

namespace folders {

std::string ProgramFilePath()
{
    char buffer[PATH_MAX + 1];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0)
        return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::string FolderOfProgram(const std::string& programFile)
{
    const auto slash = programFile.rfind('/');
    if (slash == std::string::npos)
        return {};
    std::string folder = programFile.substr(0, slash + 1);
    if (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string SharedDataFolder()
{
    const QString location = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return location.isEmpty() ? std::string() : QFile::encodeName(location).toStdString();
}

}  // namespace folders
