// A private directory for the working copies of a compile, removed with
// everything in it when the object goes.
#pragma once

#include <string>

namespace scenari::tool {

class CartellaTemporanea {
 public:
  CartellaTemporanea();
  ~CartellaTemporanea();
  CartellaTemporanea(const CartellaTemporanea&) = delete;
  CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

  const std::string& percorso() const { return percorso_; }

 private:
  std::string percorso_;
};

}  // namespace scenari::tool
