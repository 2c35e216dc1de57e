#include "tests/support/childprocess.h"

#include <QFile>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>
#include <vector>

namespace nimbara::test {

namespace {

// In the child, between fork and exec: only calls that are safe there.
[[noreturn]] void becomeProgram(char* const* argv, const char* folder, int out, int errors,
                                const ChildLimits& limits) {
    ::dup2(out, STDOUT_FILENO);
    ::dup2(errors, STDERR_FILENO);
    if (folder != nullptr && ::chdir(folder) != 0) {
        ::_exit(126);
    }
    if (limits.fileSizeBytes) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit full{};
        ::getrlimit(RLIMIT_FSIZE, &full);
        full.rlim_cur = static_cast<rlim_t>(*limits.fileSizeBytes);
        ::setrlimit(RLIMIT_FSIZE, &full);
    }
    ::execv(argv[0], argv);
    ::_exit(127);
}

QByteArray contentOf(QTemporaryFile& file) {
    file.seek(0);
    return file.readAll();
}

}  // namespace

ChildRun runChild(const QString& program, const QStringList& arguments, const ChildLimits& limits,
                  const QString& folder) {
    ChildRun run;
    QTemporaryFile out;
    QTemporaryFile errors;
    if (!out.open() || !errors.open()) {
        return run;
    }
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString& argument : arguments) {
        words.push_back(argument.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const QByteArray where = QFile::encodeName(folder);

    const pid_t child = ::fork();
    if (child == 0) {
        becomeProgram(argv.data(), folder.isEmpty() ? nullptr : where.constData(), out.handle(),
                      errors.handle(), limits);
    }
    if (child < 0) {
        return run;
    }
    const auto end = std::chrono::steady_clock::now() + limits.deadline;
    int status = 0;
    rusage usage{};
    while (::wait4(child, &status, WNOHANG, &usage) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            run.timedOut = true;
            ::kill(child, SIGKILL);
            ::wait4(child, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.exitCode = WIFEXITED(status) && !run.timedOut ? WEXITSTATUS(status) : -1;
    run.peakKilobytes = usage.ru_maxrss;
    run.out = contentOf(out);
    run.errors = contentOf(errors);
    return run;
}

}  // namespace nimbara::test
