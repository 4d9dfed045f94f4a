#include "platform/background_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

void LowerThisThreadsPriority()
{
    // On Linux a thread's nice value is its own, set through its thread id.
    constexpr int kBackgroundNice = 5;
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    const int current = ::getpriority(PRIO_PROCESS, thread);
    if (current < kBackgroundNice)
        ::setpriority(PRIO_PROCESS, thread, kBackgroundNice);
}
