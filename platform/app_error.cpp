#include "platform/app_error.h"

AppError CannotOpenFile(const std::string& path, const std::string& reason)
{
    return AppError("Cannot open file \"" + path + "\". " + reason);
}

AppError CannotCreateFile(const std::string& path, const std::string& reason)
{
    return AppError("Cannot create file \"" + path + "\". " + reason);
}
