// The error that reaches the player in the error box.
//
// Its message is UTF-8 (it carries file paths and the system's reason, which
// are not game text); the window layer shows it as it stands.
#pragma once

#include <stdexcept>
#include <string>

class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Cannot open file "<path>". <reason>"
AppError CannotOpenFile(const std::string& path, const std::string& reason);
// "Cannot create file "<path>". <reason>"
AppError CannotCreateFile(const std::string& path, const std::string& reason);
