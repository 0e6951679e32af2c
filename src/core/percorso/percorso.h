// The route builder: reads the description texts, protects slowdowns and
// signals, stamps the start record and writes the three binary files.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "core/modello/modello.h"
#include "core/esecuzione/nomi_file.h"
#include "platform/files.h"

namespace scenari {

// A start-record check failed (1250 or 1251); nothing has been written.
class ErroreFatale : public std::runtime_error {
 public:
  explicit ErroreFatale(int numero);
  int numero() const { return numero_; }

 private:
  int numero_;
};

// The readers created no route cells, so there is nothing to finish or
// write.
class PercorsoAssente : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void memorizza_percorso(Modello& m, platform::Files& files, const NomiFile& nomi,
                        std::int32_t j);

void passo_protezione(Modello& m);
// Checks and stamps cell 1 and record 85; throws ErroreFatale.
void codici_partenza(Modello& m);
std::int32_t codice_gara_og(const Modello& m);
std::int32_t codice_gara_st(const Modello& m);

}  // namespace scenari
