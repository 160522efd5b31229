#include "platform/window/console.h"

#include <SDL.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

bool ShowsNothing() {
    const char* driver = SDL_getenv("SDL_VIDEODRIVER");
    return driver != nullptr &&
           (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

// The box's process is this program again, started fresh: a fork alone would share the game's
// connection to the X server, and SDL's requests from two processes on one connection break it.
// The variable marks the fresh start; the box shows before main runs.
constexpr const char* kBoxVariable = "VORN7_MESSAGE_BOX=1";

[[gnu::constructor]] void ShowBoxBeforeMain(int argc, char** argv, char** environment) {
    bool marked = false;
    for (char** e = environment; e != nullptr && *e != nullptr; ++e)
        marked = marked || std::strcmp(*e, kBoxVariable) == 0;
    if (!marked || argc != 3) return;
    const int shown = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, argv[1], argv[2], nullptr);
    _exit(shown == 0 ? 0 : 1);
}

}  // namespace

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    if (ShowsNothing()) return 0;
    text = text ? text : "";
    caption = caption ? caption : "";
    // The box runs in a process of its own, so that a quit signal (a logout, kill) ends the
    // wait at once: the box goes, and the game ends as it would after the box.
    sigset_t quitSignals, waited, before;
    sigemptyset(&quitSignals);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&quitSignals, s);
    waited = quitSignals;
    sigaddset(&waited, SIGCHLD);
    sigprocmask(SIG_BLOCK, &waited, &before);
    // Everything the child needs is made before the fork: between fork and exec it may only
    // make system calls.
    std::vector<char*> environment;
    for (char** e = environ; *e != nullptr; ++e) environment.push_back(*e);
    environment.push_back(const_cast<char*>(kBoxVariable));
    environment.push_back(nullptr);
    char* arguments[] = {const_cast<char*>("vorn7-message-box"), const_cast<char*>(caption),
                         const_cast<char*>(text), nullptr};
    const pid_t game = getpid();
    const pid_t box = fork();
    if (box == 0) {
        // Its own process group (SDL shows the box from a child of its own, which goes with
        // it), ended when the game ends, hearing the quit signals as any program does.
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != game) _exit(1);  // the game ended before the line above
        sigprocmask(SIG_SETMASK, &before, nullptr);
        execve("/proc/self/exe", arguments, environment.data());
        _exit(1);
    }
    int status = 0;
    bool shown = false;
    if (box < 0) {
        shown = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr) == 0;
    } else {
        setpgid(box, box);  // also here: either side may run first
        for (;;) {
            const pid_t ended = waitpid(box, &status, WNOHANG);
            if (ended == box) {
                shown = WIFEXITED(status) && WEXITSTATUS(status) == 0;
                break;
            }
            if (ended < 0 && errno != EINTR) break;
            const int signal = sigwaitinfo(&waited, nullptr);
            if (signal == SIGTERM || signal == SIGINT || signal == SIGHUP) {
                kill(-box, SIGKILL);
                while (waitpid(box, &status, 0) < 0 && errno == EINTR) {
                }
                break;
            }
        }
    }
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return shown ? 1 : 0;
}
