// The one window of a run: title "Form1", one label, and a modal box for
// the fatal report. Without a display the same texts go to the console.
#pragma once

#include <memory>
#include <string>

namespace scenari::platform {

class Window {
 public:
  virtual ~Window() = default;
  // Shows the window with its label and paints it once, without waiting.
  virtual void show(const std::string& title, const std::string& label) = 0;
  // A modal message with an OK button only; returns once it is closed.
  virtual void report_error(const std::string& message) = 0;
  // Removes the window.
  virtual void close() = 0;
};

// Label to standard output, errors to standard error.
std::unique_ptr<Window> console_window();

// The real window when the build has a toolkit and a display is reachable,
// else the console.
std::unique_ptr<Window> open_window();

}  // namespace scenari::platform
