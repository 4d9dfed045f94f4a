// Lets the calling thread give way to the rest of the program.
#pragma once

// Lowers the calling thread's scheduling priority (its nice value), so that
// work it does in the background (reading the word list while the window
// opens) takes the processor only when the window and the display server
// leave it free. Does nothing where the system does not allow it.
void LowerThisThreadsPriority();
