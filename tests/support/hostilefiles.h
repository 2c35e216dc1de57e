#pragma once

#include <QString>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

namespace nimbara::test {

// A named pipe at path that nobody writes to. A reader that opens it the usual way waits there
// for a writer for good; this one comes after kPatience (it opens the pipe and closes it again),
// so that such a reader is set free, sees an empty pipe, and the test fails instead of hanging.
class UnwrittenPipe {
public:
    static constexpr std::chrono::seconds kPatience{3};

    explicit UnwrittenPipe(const QString& path);
    ~UnwrittenPipe();
    UnwrittenPipe(const UnwrittenPipe&) = delete;
    UnwrittenPipe& operator=(const UnwrittenPipe&) = delete;

    // False when the pipe could not be made.
    bool isValid() const { return m_valid; }
    // Whether a reader was still waiting on the pipe when patience ran out and had to be freed.
    bool releasedAReader() const { return m_released; }

private:
    bool m_valid = false;
    std::atomic<bool> m_released{false};
    std::jthread m_release;
};

// While it lives, no file of this process may grow beyond bytes: a write past it fails with
// EFBIG as on a full disk (SIGXFSZ is ignored meanwhile, so the process goes on).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = SIG_DFL;
};

// While it lives, the process may take no more than headroomMegabytes of address space beyond
// what it holds now: an allocation past it fails (std::bad_alloc in Qt's containers), so code
// that would read without end fails the test instead of taking the machine's memory.
class MemoryCeiling {
public:
    explicit MemoryCeiling(long headroomMegabytes);
    ~MemoryCeiling();
    MemoryCeiling(const MemoryCeiling&) = delete;
    MemoryCeiling& operator=(const MemoryCeiling&) = delete;

private:
    rlimit m_previous{};
};

// Whether the process runs as the administrator, for whom file permissions do not hold.
bool runsAsAdministrator();

}  // namespace nimbara::test
