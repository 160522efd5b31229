#include "tiled_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace level_tool {

bool RunTiled(const std::string& folder, std::string& message) {
    // The child's exec error comes back through a pipe that a good exec closes unread.
    int errors[2];
    if (::pipe2(errors, O_CLOEXEC) != 0) {
        message = std::string("tiled: cannot be started: ") + std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        message = std::string("tiled: cannot be started: ") + std::strerror(errno);
        ::close(errors[0]);
        ::close(errors[1]);
        return false;
    }
    if (child == 0) {
        ::close(errors[0]);
        // A Tiled of its own: one already running keeps its session and would not open this one.
        ::execlp("tiled", "tiled", "--new-instance", static_cast<char*>(nullptr));
        const int error = errno;
        (void)!::write(errors[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(errors[1]);
    int error = 0;
    ssize_t got;
    while ((got = ::read(errors[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(errors[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (got == static_cast<ssize_t>(sizeof error)) {
        message = std::string("tiled: cannot be started: ") + std::strerror(error);
        return false;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    message = "Tiled could not open " + folder + " (it ended " +
              (WIFSIGNALED(status) ? std::string("by signal ") + std::to_string(WTERMSIG(status))
                                   : "with status " + std::to_string(WEXITSTATUS(status))) +
              "; its reason is above)";
    return false;
}

}  // namespace level_tool
