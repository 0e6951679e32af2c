#include <iostream>

#include "platform/window.h"

namespace scenari::platform {

namespace {

class ConsoleWindow : public Window {
 public:
  void show(const std::string&, const std::string& label) override {
    std::cout << label << std::endl;
  }
  void report_error(const std::string& message) override { std::cerr << message << std::endl; }
  void close() override {}
};

}  // namespace

std::unique_ptr<Window> console_window() { return std::make_unique<ConsoleWindow>(); }

#ifndef SCENARI_REAL_WINDOW
std::unique_ptr<Window> open_window() { return console_window(); }
#endif

}  // namespace scenari::platform
