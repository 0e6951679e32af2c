#include "tool/servizio/diffusione.h"

namespace scenari::tool {

void Diffusione::pubblica(std::string dati) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ultima_ = {ultima_.numero + 1, std::make_shared<const std::string>(std::move(dati))};
  }
  cambiata_.notify_all();
}

Edizione Diffusione::ultima() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return ultima_;
}

std::optional<Edizione> Diffusione::attendi(std::uint64_t vista,
                                            std::chrono::milliseconds attesa) const {
  std::unique_lock<std::mutex> lock(mutex_);
  cambiata_.wait_for(lock, attesa, [&] { return chiusa_ || ultima_.numero > vista; });
  if (chiusa_ || ultima_.numero <= vista) return std::nullopt;
  return ultima_;
}

void Diffusione::chiudi() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    chiusa_ = true;
  }
  cambiata_.notify_all();
}

bool Diffusione::chiusa() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return chiusa_;
}

}  // namespace scenari::tool
