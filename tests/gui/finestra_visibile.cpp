// Runs a program on the current X display and tells whether it mapped a
// top-level window with the given title. The window of a run lives only
// for milliseconds, too short for polling tools, so this watcher listens
// to the root window's map events from before the program starts.
//
// Usage: finestra_visibile TITLE TIMEOUT_SECONDS PROGRAM
// Exit status: 0 window seen and program ended with 0, 1 otherwise,
// 77 when no display can be opened.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

// The window may be gone by the time its name is asked for.
int ignore_errors(Display*, XErrorEvent*) { return 0; }

bool has_title(Display* display, Window window, const std::string& title) {
  char* name = nullptr;
  if (XFetchName(display, window, &name) == 0 || name == nullptr) return false;
  const bool same = title == name;
  XFree(name);
  return same;
}

pid_t start(const char* program) {
  const pid_t child = fork();
  if (child == 0) {
    execl(program, program, static_cast<char*>(nullptr));
    std::perror(program);
    _exit(127);
  }
  return child;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: finestra_visibile TITLE TIMEOUT_SECONDS PROGRAM\n";
    return 2;
  }
  const std::string title = argv[1];
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::cerr << "no X display\n";
    return 77;
  }
  XSetErrorHandler(ignore_errors);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const pid_t child = start(argv[3]);
  bool seen = false;
  bool ended = false;
  int status = 0;
  while (!ended && std::chrono::steady_clock::now() < deadline) {
    if (waitpid(child, &status, WNOHANG) == child) {
      ended = true;
      // A round trip brings in every event the server sent before the end.
      XSync(display, False);
    }
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && has_title(display, event.xmap.window, title)) seen = true;
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    if (!ended) poll(&connection, 1, 50);
  }
  if (!ended) {
    std::cerr << argv[3] << " did not end in time\n";
    kill(child, SIGKILL);
    return 1;
  }
  std::cout << "window \"" << title << "\" " << (seen ? "appeared" : "never appeared")
            << ", exit status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1) << '\n';
  return seen && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
