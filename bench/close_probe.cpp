// Measures how fast a windowed program closes, from the outside: the time
// from a click on its close button to its window leaving the screen, and to
// the process's end.
//
//   close_probe [--at X,Y] [--timeout-ms N] -- program [args...]
//
// Runs against the X server in $DISPLAY (an Xvfb without a window manager).
// Starts the program, waits for its top-level window of at least 100 x 100
// pixels to be mapped, then for the program to go idle (its processor time
// stops growing: a word list read and indexed in the background is done),
// and clicks the left button at X,Y inside that window through the XTEST
// extension, as a real pointer would. The window is gone at its UnmapNotify
// (or DestroyNotify); the process has ended when waitpid returns.
//
// Prints one line: "gone_ms=... end_ms=...". Exits with 1 when something
// does not happen within --timeout-ms (default 30000).
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <poll.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's user and system time in clock ticks; -1 when it is gone.
long long ProcessorTicks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text))
        return -1;
    // The fields after the command's closing parenthesis; utime and stime
    // are the 12th and 13th of them.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::size_t at = close + 2;
    long long utime = 0, stime = 0;
    for (int field = 1; field <= 13 && at < text.size(); ++field) {
        const std::size_t space = text.find(' ', at);
        const std::string value = text.substr(at, space - at);
        if (field == 12)
            utime = std::atoll(value.c_str());
        if (field == 13)
            stime = std::atoll(value.c_str());
        at = space == std::string::npos ? text.size() : space + 1;
    }
    return utime + stime;
}

int Fail(const char* message, pid_t pid = 0)
{
    std::fprintf(stderr, "close_probe: %s\n", message);
    if (pid > 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    int atX = 644, atY = 24;
    int timeoutMs = 30000;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--at" && i + 1 < argc)
            std::sscanf(argv[++i], "%d,%d", &atX, &atY);
        else if (arg == "--timeout-ms" && i + 1 < argc)
            timeoutMs = std::atoi(argv[++i]);
        else
            return Fail("usage: close_probe [--at X,Y] [--timeout-ms N] -- program [args...]");
    }
    if (i >= argc)
        return Fail("no program given");

    xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(conn))
        return Fail("cannot connect to the X server in $DISPLAY");
    const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(conn, &xcb_test_id);
    if (!xtest || !xtest->present)
        return Fail("the X server has no XTEST extension");
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(conn)).data;
    const xcb_window_t root = screen->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(conn, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(conn);

    const Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[i], nullptr, nullptr, argv + i, environ) != 0)
        return Fail("cannot start the program");

    // The program's window: the first mapped one of at least 100 x 100.
    xcb_window_t window = XCB_NONE;
    std::set<xcb_window_t> large;
    const int fd = xcb_get_file_descriptor(conn);
    while (window == XCB_NONE) {
        if (MillisecondsSince(start) > timeoutMs)
            return Fail("no window was mapped", pid);
        xcb_generic_event_t* event = xcb_poll_for_event(conn);
        if (!event) {
            if (xcb_connection_has_error(conn))
                return Fail("the X connection broke", pid);
            pollfd p{fd, POLLIN, 0};
            ::poll(&p, 1, 50);
            continue;
        }
        const std::uint8_t type = event->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
            auto* e = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (e->parent == root && e->width >= 100 && e->height >= 100)
                large.insert(e->window);
        } else if (type == XCB_CONFIGURE_NOTIFY) {
            auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event);
            if (e->width >= 100 && e->height >= 100)
                large.insert(e->window);
        } else if (type == XCB_MAP_NOTIFY) {
            auto* e = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (large.count(e->window))
                window = e->window;
        }
        std::free(event);
    }

    // Idle: no processor time used over three samples 100 ms apart.
    long long last = ProcessorTicks(pid);
    for (int quiet = 0; quiet < 3;) {
        if (MillisecondsSince(start) > timeoutMs)
            return Fail("the program never went idle", pid);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const long long now = ProcessorTicks(pid);
        if (now < 0)
            return Fail("the program ended by itself", pid);
        quiet = now == last ? quiet + 1 : 0;
        last = now;
    }
    // Anything the window's own painting sent meanwhile is of no interest.
    while (xcb_generic_event_t* event = xcb_poll_for_event(conn))
        std::free(event);

    xcb_translate_coordinates_reply_t* origin =
        xcb_translate_coordinates_reply(conn, xcb_translate_coordinates(conn, window, root, 0, 0), nullptr);
    if (!origin)
        return Fail("cannot find the window", pid);
    const int x = origin->dst_x + atX;
    const int y = origin->dst_y + atY;
    std::free(origin);
    // The pointer comes to the button first, as a hand would bring it.
    xcb_test_fake_input(conn, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, static_cast<std::int16_t>(x),
                        static_cast<std::int16_t>(y), 0);
    xcb_flush(conn);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    xcb_test_fake_input(conn, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_flush(conn);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // The click is complete when the button comes up: the time starts here.
    xcb_test_fake_input(conn, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, root, 0, 0, 0);
    xcb_flush(conn);
    const Clock::time_point click = Clock::now();

    double goneMs = -1;
    while (goneMs < 0) {
        if (MillisecondsSince(click) > timeoutMs)
            return Fail("the window did not go", pid);
        xcb_generic_event_t* event = xcb_poll_for_event(conn);
        if (!event) {
            if (xcb_connection_has_error(conn))
                return Fail("the X connection broke", pid);
            pollfd p{fd, POLLIN, 0};
            ::poll(&p, 1, 5);
            continue;
        }
        const std::uint8_t type = event->response_type & 0x7F;
        if (type == XCB_UNMAP_NOTIFY && reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window == window)
            goneMs = MillisecondsSince(click);
        else if (type == XCB_DESTROY_NOTIFY && reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == window)
            goneMs = MillisecondsSince(click);
        std::free(event);
    }
    xcb_disconnect(conn);

    // The end: waited for without a time limit of our own beyond the timeout.
    double endMs = -1;
    while (endMs < 0) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            endMs = MillisecondsSince(click);
            break;
        }
        if (MillisecondsSince(click) > timeoutMs)
            return Fail("the program did not end", pid);
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::printf("gone_ms=%.2f end_ms=%.2f\n", goneMs, endMs);
    return 0;
}
