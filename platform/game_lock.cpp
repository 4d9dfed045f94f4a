#include "platform/game_lock.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// FNV-1a, 64 bits, from the given starting value: stable across builds and
// versions, so that every version of the game finds the same name.
std::uint64_t Fnv1a(const std::string& text, std::uint64_t hash)
{
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

// The abstract address of a name: a zero byte, then the name.
socklen_t AddressOf(const std::string& name, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

int NewSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

void CloseQuietly(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

// Waits up to `timeout` for the holder's one-byte answer; 0 when the holder
// closed the connection without one, -1 when nothing came in time.
int ReadAnswer(int fd, std::chrono::milliseconds timeout)
{
    const Clock::time_point end = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0)
            return -1;
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left, INT_MAX)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return -1;
        char answer = 0;
        const ssize_t n = ::read(fd, &answer, 1);
        if (n < 0 && errno == EINTR)
            continue;
        return n == 1 ? static_cast<unsigned char>(answer) : 0;
    }
}

}  // namespace

GameLock::GameLock(const std::string& dataDir) : name_(NameFor(dataDir)) {}

GameLock::~GameLock()
{
    Release();
}

std::string GameLock::CanonicalFolder(const std::string& path)
{
    std::string existing = path;
    while (existing.size() > 1 && existing.back() == '/')
        existing.pop_back();
    std::string rest;
    for (;;) {
        if (char* resolved = ::realpath(existing.c_str(), nullptr)) {
            std::string result = resolved;
            std::free(resolved);
            if (result == "/" && !rest.empty())
                result.clear();
            return result + rest;
        }
        const std::size_t slash = existing.find_last_of('/');
        if (slash == std::string::npos || existing.size() <= 1)
            return path;  // nothing of it exists, not even its root
        rest = existing.substr(slash) + rest;
        existing.resize(slash == 0 ? 1 : slash);
    }
}

std::string GameLock::NameFor(const std::string& dataDir)
{
    const std::string canonical = CanonicalFolder(dataDir);
    char name[64];
    std::snprintf(name, sizeof name, "vorpanta-%016llx%016llx",
                  static_cast<unsigned long long>(Fnv1a(canonical, 0xCBF29CE484222325ull)),
                  static_cast<unsigned long long>(Fnv1a(canonical, 0x84222325CBF29CE4ull)));
    return name;
}

GameLock::Outcome GameLock::TakeOrKnock(std::chrono::milliseconds patience)
{
    if (listening_ >= 0)
        return Outcome::Taken;
    sockaddr_un address{};
    const socklen_t length = AddressOf(name_, address);
    const Clock::time_point end = Clock::now() + patience;
    for (;;) {
        const int fd = NewSocket();
        if (fd < 0)
            return Outcome::Unavailable;
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
            // Knocks are answered from the event loop, which must never wait
            // on an accept.
            if (::listen(fd, 16) != 0 || ::fcntl(fd, F_SETFL, O_NONBLOCK) != 0) {
                ::close(fd);
                return Outcome::Unavailable;
            }
            listening_ = fd;
            return Outcome::Taken;
        }
        const int bindError = errno;
        ::close(fd);
        if (bindError != EADDRINUSE)
            return Outcome::Unavailable;

        // Held: knock.
        const int knock = NewSocket();
        if (knock < 0)
            return Outcome::Unavailable;
        int answer = 0;
        if (::connect(knock, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            answer = ReadAnswer(knock, std::max(left, std::chrono::milliseconds(1000)));
        }
        // else: bound but not listening yet, or just let go; try again.
        ::close(knock);
        if (answer == static_cast<unsigned char>(Answer::InFront) || answer < 0)
            return Outcome::OtherInFront;
        if (Clock::now() >= end)
            return Outcome::OtherInFront;  // it keeps the lock: never a second game beside it
        // Ending, or gone without an answer: the lock is let go soon.
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
}

int GameLock::AnswerKnocks(Answer answer)
{
    if (listening_ < 0)
        return 0;
    int count = 0;
    for (;;) {
        const int fd = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return count;  // EAGAIN: no more waiting
        }
        const char byte = static_cast<char>(answer);
        (void)::send(fd, &byte, 1, MSG_NOSIGNAL);
        ::close(fd);
        ++count;
    }
}

void GameLock::Release()
{
    CloseQuietly(listening_);
    listening_ = -1;
}
