// Measures a windowed program's start-up from the outside: the time from
// starting the process to the first paint of its top-level window, and the
// process's peak memory.
//
//   first_frame_probe [--linger-ms N] [--timeout-ms N] -- program [args...]
//
// Runs against the X server in $DISPLAY (an Xvfb without a window manager, so
// top-level windows are children of the root window). Before starting the
// program it asks for the root window's structure events. Every window the
// program creates under the root gets a Damage object at once, before it can
// be mapped, so that no drawing into it goes unseen. The first frame is the
// first Damage report of a mapped window of at least 100 x 100 pixels: the
// moment the program's first paint of its window reached the server.
//
// Right then it reads VmHWM (peak resident memory) from /proc/<pid>/status,
// lets the program run on for --linger-ms (default 500) so that work it does
// after its first frame counts as well, ends it with SIGTERM and takes the
// peak resident size that wait4 reports (ru_maxrss).
//
// Prints one line: "first_frame_ms=... map_ms=... vmhwm_kb=... maxrss_kb=...".
// Exits with 1 when no frame came within --timeout-ms (default 20000).
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <spawn.h>
#include <string>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long VmHwmKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

int Fail(const char* message)
{
    std::fprintf(stderr, "first_frame_probe: %s\n", message);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    int lingerMs = 500;
    int timeoutMs = 20000;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--linger-ms" && i + 1 < argc)
            lingerMs = std::atoi(argv[++i]);
        else if (arg == "--timeout-ms" && i + 1 < argc)
            timeoutMs = std::atoi(argv[++i]);
        else
            return Fail("usage: first_frame_probe [--linger-ms N] [--timeout-ms N] -- program [args...]");
    }
    if (i >= argc)
        return Fail("no program given");

    xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(conn))
        return Fail("cannot connect to the X server in $DISPLAY");
    const xcb_query_extension_reply_t* damageExt = xcb_get_extension_data(conn, &xcb_damage_id);
    if (!damageExt || !damageExt->present)
        return Fail("the X server has no Damage extension");
    xcb_damage_query_version_reply_t* version =
        xcb_damage_query_version_reply(conn, xcb_damage_query_version(conn, 1, 1), nullptr);
    if (!version)
        return Fail("Damage version query failed");
    std::free(version);
    const std::uint8_t damageNotify = damageExt->first_event + XCB_DAMAGE_NOTIFY;

    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
    const xcb_window_t root = screen->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie = xcb_change_window_attributes_checked(conn, root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(conn, cookie)) {
        std::free(error);
        return Fail("cannot watch the root window");
    }

    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[i], nullptr, nullptr, argv + i, environ) != 0)
        return Fail("cannot start the program");

    std::set<xcb_window_t> created;
    std::map<xcb_window_t, std::pair<int, int>> sizes;
    std::set<xcb_window_t> mapped;
    double mapMs = -1;
    double frameMs = -1;
    long vmhwm = -1;
    const int fd = xcb_get_file_descriptor(conn);
    while (frameMs < 0) {
        const double elapsed = MillisecondsSince(start);
        if (elapsed > timeoutMs)
            break;
        xcb_generic_event_t* event = xcb_poll_for_event(conn);
        if (!event) {
            if (xcb_connection_has_error(conn))
                break;
            pollfd p{fd, POLLIN, 0};
            ::poll(&p, 1, 50);
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                pid = 0;
                break;
            }
            continue;
        }
        const std::uint8_t type = event->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
            auto* e = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (e->parent == root && created.insert(e->window).second) {
                sizes[e->window] = {e->width, e->height};
                xcb_damage_create(conn, xcb_generate_id(conn), e->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(conn);
            }
        } else if (type == XCB_CONFIGURE_NOTIFY) {
            auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event);
            if (created.count(e->window))
                sizes[e->window] = {e->width, e->height};
        } else if (type == XCB_MAP_NOTIFY) {
            auto* e = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const auto size = sizes[e->window];
            if (created.count(e->window) && size.first >= 100 && size.second >= 100) {
                mapped.insert(e->window);
                if (mapMs < 0)
                    mapMs = MillisecondsSince(start);
            }
        } else if (type == damageNotify) {
            auto* e = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            if (mapped.count(e->drawable)) {
                frameMs = MillisecondsSince(start);
                vmhwm = VmHwmKb(pid);
            }
        }
        std::free(event);
    }
    xcb_disconnect(conn);

    long maxrss = -1;
    if (pid > 0) {
        if (frameMs >= 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(lingerMs));
        ::kill(pid, SIGTERM);
        int status = 0;
        rusage usage{};
        if (::wait4(pid, &status, 0, &usage) == pid)
            maxrss = usage.ru_maxrss;
    }
    if (frameMs < 0)
        return Fail("no first frame seen");
    std::printf("first_frame_ms=%.2f map_ms=%.2f vmhwm_kb=%ld maxrss_kb=%ld\n", frameMs, mapMs, vmhwm, maxrss);
    return 0;
}
