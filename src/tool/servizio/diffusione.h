// The latest data of the page and its number, handed to every open page:
// one publisher, the loop that recompiles, and any number of readers, the
// connections of the pages, each waiting for a number newer than its own.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace scenari::tool {

struct Edizione {
  std::uint64_t numero = 0;  // from 1; 0 is none yet
  std::shared_ptr<const std::string> dati;
};

class Diffusione {
 public:
  void pubblica(std::string dati);
  Edizione ultima() const;
  // The latest edition once it is newer than `vista`; nothing when `attesa`
  // passes first or the diffusion is closed.
  std::optional<Edizione> attendi(std::uint64_t vista, std::chrono::milliseconds attesa) const;
  // Wakes every reader for good: the server is stopping.
  void chiudi();
  bool chiusa() const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable cambiata_;
  Edizione ultima_;
  bool chiusa_ = false;
};

}  // namespace scenari::tool
