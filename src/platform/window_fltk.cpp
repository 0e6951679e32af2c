// The real window, drawn with FLTK on an X display.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <cstdlib>
#include <iostream>
#include <memory>

#include "platform/window.h"

namespace scenari::platform {

namespace {

constexpr int larghezza = 320;
constexpr int altezza = 120;

class FltkWindow : public Window {
 public:
  void show(const std::string& title, const std::string& label) override {
    title_ = title;
    label_ = label;
    window_ = std::make_unique<Fl_Window>(larghezza, altezza);
    window_->copy_label(title_.c_str());
    auto* box = new Fl_Box(0, 0, larghezza, altezza);
    box->copy_label(label_.c_str());
    box->labelfont(FL_HELVETICA_BOLD);
    box->labelsize(24);
    window_->end();
    window_->show();
    // Painted once here: no events are handled while the run works.
    window_->wait_for_expose();
    Fl::flush();
  }

  // A small modal box with the message and an OK button, no icon; the title
  // is left to the toolkit's default. The message also goes to standard
  // error, so that a log keeps it.
  void report_error(const std::string& message) override {
    std::cerr << message << std::endl;
    Fl_Window box(300, 110);
    box.set_modal();
    Fl_Box text(10, 10, 280, 50);
    text.copy_label(message.c_str());
    Fl_Return_Button ok(110, 70, 80, 30, "OK");
    ok.callback([](Fl_Widget*, void* data) { static_cast<Fl_Window*>(data)->hide(); }, &box);
    box.end();
    box.show();
    while (box.shown()) Fl::wait();
  }

  void close() override {
    if (window_) window_->hide();
    window_.reset();
    Fl::flush();
  }

 private:
  std::string title_;
  std::string label_;
  std::unique_ptr<Fl_Window> window_;
};

// FLTK ends the process when it cannot open its display, so the display is
// opened here first and handed over only when it answers.
bool open_display() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return false;
  Display* display = XOpenDisplay(name);
  if (display == nullptr) return false;
  fl_open_display(display);
  return true;
}

}  // namespace

std::unique_ptr<Window> open_window() {
  if (open_display()) return std::make_unique<FltkWindow>();
  return console_window();
}

}  // namespace scenari::platform
