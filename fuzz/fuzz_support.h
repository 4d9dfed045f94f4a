// Shared pieces of the fuzz targets: a failed property aborts with a message
// (libFuzzer then keeps the input), and a scratch folder for the targets that
// go through real files.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fuzzing {

[[noreturn]] inline void Fail(const char* file, int line, const std::string& what)
{
    std::fprintf(stderr, "\n%s:%d: property broken: %s\n", file, line, what.c_str());
    std::fflush(stderr);
    std::abort();
}

// Printable form of a byte string for failure messages.
inline std::string Show(std::string_view bytes)
{
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

// A folder of its own for this process, in memory when /dev/shm exists (the
// saves sync to disk, which a real disk makes slow), emptied between inputs.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/vorpanta-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            Fail(__FILE__, __LINE__, "mkdtemp");
        path_ = pattern;
    }
    ~ScratchFolder()
    {
        Empty();
        ::rmdir(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    // Removes every file in the folder.
    void Empty() const
    {
        if (DIR* dir = ::opendir(path_.c_str())) {
            while (const dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..")
                    ::unlink(File(name).c_str());
            }
            ::closedir(dir);
        }
    }
    // The number of entries in the folder.
    int Count() const
    {
        int count = 0;
        if (DIR* dir = ::opendir(path_.c_str())) {
            while (const dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                count += name != "." && name != "..";
            }
            ::closedir(dir);
        }
        return count;
    }

private:
    std::string path_;
};

}  // namespace fuzzing

#define FUZZ_CHECK(condition, what)                          \
    do {                                                     \
        if (!(condition))                                    \
            ::fuzzing::Fail(__FILE__, __LINE__, (what));     \
    } while (false)
