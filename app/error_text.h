// The text of an error as the error box shows it: the message with a full
// stop appended when its last character's code lies above that of the full
// stop (so a message ending in a letter gets one, one ending in "." or ")"
// does not).
#pragma once

#include <string>

std::string ErrorBoxText(std::string message);
