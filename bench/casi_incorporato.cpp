// The embedded scenario end to end, as a run does it: five texts written,
// the two description texts read back and deleted, the route built, three
// binaries written. Floor: the same six files' bytes written from memory.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "bench/ambiente.h"
#include "bench/casi.h"
#include "esecuzione/avvio.h"
#include "esecuzione/nomi_file.h"

namespace scenari::bench {

namespace {

NomiFile nomi_incorporati(const platform::ScratchDirectory& cartella) {
  return nomi_file(cartella.path(), nome_linea_incorporato, numero_treno_incorporato);
}

void esegui_una_volta(const platform::ScratchDirectory& cartella) {
  FinestraMuta finestra;
  platform::Files files;
  if (esegui(finestra, files, cartella.path()) != uscita_ok) {
    throw std::runtime_error("the embedded run did not end normally");
  }
}

// The six files a run leaves, with their bytes.
std::vector<std::pair<std::string, std::string>> file_lasciati(
    const platform::ScratchDirectory& cartella) {
  esegui_una_volta(cartella);
  const NomiFile nomi = nomi_incorporati(cartella);
  std::vector<std::pair<std::string, std::string>> lasciati;
  for (const std::string* nome :
       {&nomi.note, &nomi.rallentamenti, &nomi.scheda, &nomi.linea_dat, &nomi.sim, &nomi.dat}) {
    lasciati.emplace_back(*nome, leggi_blocco(*nome));
  }
  return lasciati;
}

std::size_t byte_totali(const std::vector<std::pair<std::string, std::string>>& files) {
  std::size_t n = 0;
  for (const auto& file : files) n += file.second.size();
  return n;
}

void caso(benchmark::State& state) {
  const platform::ScratchDirectory cartella(prefisso_scratch);
  const std::size_t scritti = byte_totali(file_lasciati(cartella));
  const MisuraMemoria memoria;
  for (auto _ : state) esegui_una_volta(cartella);
  memoria.concludi(state, scritti);
}

void floor(benchmark::State& state) {
  const platform::ScratchDirectory cartella(prefisso_scratch);
  const auto lasciati = file_lasciati(cartella);
  const MisuraMemoria memoria;
  for (auto _ : state) {
    for (const auto& [nome, byte] : lasciati) scrivi_blocco(nome, byte);
  }
  memoria.concludi(state, byte_totali(lasciati));
}

}  // namespace

void registra_incorporato() { registra_coppia("embedded run", caso, floor); }

}  // namespace scenari::bench
