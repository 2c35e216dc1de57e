#include "tests/support/hostilefiles.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

namespace nimbara::test {

UnwrittenPipe::UnwrittenPipe(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    m_valid = ::mkfifo(name.constData(), 0600) == 0;
    if (!m_valid) {
        return;
    }
    m_release = std::jthread([this, name](std::stop_token stop) {
        const auto patienceEnds = std::chrono::steady_clock::now() + kPatience;
        while (!stop.stop_requested()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            if (std::chrono::steady_clock::now() < patienceEnds) {
                continue;
            }
            // Succeeds only while a reader has the pipe open; closing it at once ends its wait.
            const int writer = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) {
                ::close(writer);
                m_released = true;
            }
        }
    });
}

UnwrittenPipe::~UnwrittenPipe() = default;

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_previous);
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = m_previous;
    full.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &full);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
}

namespace {

// The address space the process holds now, in bytes (VmSize of /proc/self/status).
rlim_t addressSpaceInUse() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmSize:") {
            rlim_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

}  // namespace

MemoryCeiling::MemoryCeiling(long headroomMegabytes) {
    ::getrlimit(RLIMIT_AS, &m_previous);
    rlimit ceiling = m_previous;
    ceiling.rlim_cur = addressSpaceInUse() + static_cast<rlim_t>(headroomMegabytes) * 1024 * 1024;
    if (m_previous.rlim_max != RLIM_INFINITY && ceiling.rlim_cur > m_previous.rlim_max) {
        ceiling.rlim_cur = m_previous.rlim_max;
    }
    ::setrlimit(RLIMIT_AS, &ceiling);
}

MemoryCeiling::~MemoryCeiling() {
    ::setrlimit(RLIMIT_AS, &m_previous);
}

bool runsAsAdministrator() {
    return ::geteuid() == 0;
}

}  // namespace nimbara::test
