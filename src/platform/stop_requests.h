// Interrupt and termination requests turned into an orderly stop of a
// program that serves until it is told to end: while a StopRequests lives,
// SIGINT and SIGTERM (on Windows Ctrl+C, Ctrl+Break and closing the console)
// no longer end the program but run `on_request`, once.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace scenari::platform {

class StopRequests {
 public:
  // Made before any other thread starts, so that every thread leaves the
  // requests to the one that waits for them.
  explicit StopRequests(std::function<void()> on_request);
  ~StopRequests();
  StopRequests(const StopRequests&) = delete;
  StopRequests& operator=(const StopRequests&) = delete;

  bool requested() const { return requested_; }

 private:
  void receive();

  std::function<void()> on_request_;
  std::atomic<bool> requested_{false};
  std::atomic<bool> ending_{false};
  std::thread receiver_;
};

}  // namespace scenari::platform
