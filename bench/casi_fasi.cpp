// Each stage of the compile alone, on generated routes. Floors: one pass
// over the stage's input and one over its output at the sizes the files
// give them, with no work in between.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bench/ambiente.h"
#include "bench/casi.h"
#include "bench/generatore.h"
#include "core/lettura/campi.h"
#include "core/formato/formato_binario.h"
#include "core/lettura/lettura_linea.h"
#include "core/lettura/lettura_treno.h"
#include "core/percorso/percorso.h"
#include "platform/files.h"

namespace scenari::bench {

namespace {

constexpr std::array<std::int32_t, 3> lunghezze = {10'000, 100'000, lunghezza_massima};

// The generated texts and the model after each step: without the plan view
// for the readers and the protection pass, with it for the encoders.
struct Fasi {
  explicit Fasi(std::int32_t lunghezza) : scenario(genera_scenario(lunghezza)) {
    solo_linea.genera_linea = 0;
    leggi_linea(solo_linea, dopo_linea, scenario.linea);
    letto = solo_linea;
    CursoreLettura cursore = dopo_linea;
    leggi_treno(letto, cursore, scenario.treno);
    CursoreLettura completo;
    leggi_linea(protetto, completo, scenario.linea);
    leggi_treno(protetto, completo, scenario.treno);
    passo_protezione(protetto);
  }

  static Modello vuoto() {
    Modello m;
    m.nome_linea = std::string("Sintetica_Bench");
    m.numero_treno = std::string("1");
    m.genera_linea = 1;
    return m;
  }

  ScenarioSintetico scenario;
  Modello solo_linea = vuoto();
  CursoreLettura dopo_linea;  // as the line reader left it
  Modello letto;
  Modello protetto = vuoto();
};

std::size_t conta_delimitatori(std::string_view testo) {
  return static_cast<std::size_t>(std::count(testo.begin(), testo.end(), ',') +
                                  std::count(testo.begin(), testo.end(), '\n'));
}

std::size_t passa_celle(const std::vector<cella>& celle) {
  std::size_t somma = 0;
  for (const auto& c : celle) somma += c.tipo;
  return somma;
}

// Curves as the line text gives them: start, length, turn per metre.
struct Curva {
  std::int32_t inizio;
  std::int32_t lunghezza;
  double curvatura;
};

std::vector<Curva> curve_del_testo(std::string_view testo) {
  static constexpr std::array<double, 6> classi = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
  std::vector<Curva> curve;
  for (std::size_t pos = testo.find("curva"); pos != std::string_view::npos;
       pos = testo.find("curva", pos + 1)) {
    char lato = 0;
    int classe = 0;
    Curva c{};
    if (std::sscanf(testo.data() + pos, "curva%c%d, %d, %d", &lato, &classe, &c.inizio,
                    &c.lunghezza) != 4) {
      continue;
    }
    c.curvatura = (lato == 's' ? -1 : 1) * classi[static_cast<std::size_t>(classe - 1)];
    curve.push_back(c);
  }
  return curve;
}

void campi(benchmark::State& state, const Fasi& f) {
  for (auto _ : state) {
    for (const std::string* testo : {&f.scenario.linea, &f.scenario.treno}) {
      LettoreCampi lettore(*testo);
      while (!lettore.fine()) benchmark::DoNotOptimize(lettore.leggi_testo());
    }
  }
}

void campi_floor(benchmark::State& state, const Fasi& f) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(conta_delimitatori(f.scenario.linea) +
                             conta_delimitatori(f.scenario.treno));
  }
}

void lettore_linea(benchmark::State& state, const Fasi& f) {
  for (auto _ : state) {
    Modello m = Fasi::vuoto();
    CursoreLettura cursore;
    leggi_linea(m, cursore, f.scenario.linea);
    benchmark::DoNotOptimize(m.celle_percorso.data());
  }
}

// The line reader's output at file widths: 10 bytes per plan coordinate,
// 15 per cell.
void lettore_linea_floor(benchmark::State& state, const Fasi& f) {
  const std::size_t uscita =
      20 * (std::size_t(f.protetto.planimetria.ultimo_metro()) + 1) + byte_per_cella * f.letto.celle_percorso.size();
  for (auto _ : state) {
    benchmark::DoNotOptimize(conta_delimitatori(f.scenario.linea));
    std::string byte(uscita, '\0');
    benchmark::DoNotOptimize(byte.data());
  }
}

void lettore_treno(benchmark::State& state, const Fasi& f) {
  for (auto _ : state) {
    state.PauseTiming();
    Modello m = f.solo_linea;
    CursoreLettura cursore = f.dopo_linea;
    state.ResumeTiming();
    leggi_treno(m, cursore, f.scenario.treno);
    benchmark::DoNotOptimize(m.celle_percorso.data());
  }
}

void lettore_treno_floor(benchmark::State& state, const Fasi& f) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(conta_delimitatori(f.scenario.treno) +
                             passa_celle(f.solo_linea.celle_percorso));
  }
}

void piano(benchmark::State& state, const Fasi& f) {
  const std::vector<Curva> curve = curve_del_testo(f.scenario.linea);
  for (auto _ : state) {
    Tracciato tracciato;
    tracciato.crea(f.protetto.lunghezza_totale);
    tracciato.inizia();
    for (const Curva& c : curve) tracciato.curva(c.inizio, c.lunghezza, c.curvatura);
    tracciato.completa();
    double ultimo = 0;
    tracciato.scorri([&ultimo](std::int32_t, double x, double) { ultimo = x; });
    benchmark::DoNotOptimize(ultimo);
  }
}

// The same number of straight steps on two plain arrays of doubles.
void piano_floor(benchmark::State& state, const Fasi& f) {
  const auto punti = static_cast<std::size_t>(f.protetto.lunghezza_totale) + 1;
  for (auto _ : state) {
    std::vector<double> x(punti), y(punti);
    y[1] = 1;
    for (std::size_t m = 2; m + 2 < punti; ++m) {
      x[m] = x[m - 1] + (x[m - 1] - x[m - 2]);
      y[m] = y[m - 1] + (y[m - 1] - y[m - 2]);
    }
    benchmark::DoNotOptimize(x.data());
    benchmark::DoNotOptimize(y.data());
  }
}

void protezione(benchmark::State& state, const Fasi& f) {
  for (auto _ : state) {
    state.PauseTiming();
    Modello m = f.letto;
    state.ResumeTiming();
    passo_protezione(m);
    benchmark::DoNotOptimize(m.celle_percorso.data());
  }
}

void protezione_floor(benchmark::State& state, const Fasi& f) {
  for (auto _ : state) benchmark::DoNotOptimize(passa_celle(f.letto.celle_percorso));
}

std::array<std::string, 3> codifica(const Modello& m) {
  return {codifica_planimetria(m.planimetria), codifica_tabella(m.tabella_generale),
          codifica_celle(m.celle_percorso)};
}

void codificatori(benchmark::State& state, const Fasi& f) {
  for (auto _ : state) benchmark::DoNotOptimize(codifica(f.protetto)[0].data());
}

void codificatori_floor(benchmark::State& state, const Fasi& f) {
  const auto sorgenti = codifica(f.protetto);
  for (auto _ : state) {
    for (const std::string& sorgente : sorgenti) {
      std::string copia(sorgente.size(), '\0');
      std::memcpy(copia.data(), sorgente.data(), sorgente.size());
      benchmark::DoNotOptimize(copia.data());
    }
  }
}

std::vector<std::pair<std::string, std::string>> file_binari(
    const platform::ScratchDirectory& cartella, const Fasi& f) {
  const auto byte = codifica(f.protetto);
  const std::array<const char*, 3> nomi = {"linea.dat", "tabella.sim", "celle.dat"};
  std::vector<std::pair<std::string, std::string>> files;
  for (std::size_t i = 0; i < byte.size(); ++i) {
    files.emplace_back(platform::join(cartella.path(), nomi[i]), byte[i]);
  }
  return files;
}

void scritture(benchmark::State& state, const Fasi& f) {
  const platform::ScratchDirectory cartella(prefisso_scratch);
  const auto files = file_binari(cartella, f);
  platform::Files scrittore;
  for (auto _ : state) scrittore.replace_all(files);
}

void scritture_floor(benchmark::State& state, const Fasi& f) {
  const platform::ScratchDirectory cartella(prefisso_scratch);
  const auto files = file_binari(cartella, f);
  for (auto _ : state) {
    for (const auto& [nome, byte] : files) scrivi_blocco(nome, byte);
  }
}

using CorpoFase = void (*)(benchmark::State&, const Fasi&);

struct Fase {
  const char* nome;
  CorpoFase caso;
  CorpoFase floor;
};

constexpr std::array<Fase, 7> fasi = {{
    {"field input", campi, campi_floor},
    {"line reader", lettore_linea, lettore_linea_floor},
    {"train reader", lettore_treno, lettore_treno_floor},
    {"plan geometry", piano, piano_floor},
    {"protection pass", protezione, protezione_floor},
    {"encoders", codificatori, codificatori_floor},
    {"binary file writes", scritture, scritture_floor},
}};

// The models of a length are built when its first case runs and kept for
// the others of the same length.
const Fasi& fasi_di(std::int32_t lunghezza) {
  static std::vector<std::pair<std::int32_t, std::unique_ptr<Fasi>>> pronte;
  for (const auto& [l, f] : pronte) {
    if (l == lunghezza) return *f;
  }
  pronte.clear();
  pronte.emplace_back(lunghezza, std::make_unique<Fasi>(lunghezza));
  return *pronte.back().second;
}

Corpo corpo(CorpoFase fase, std::int32_t lunghezza) {
  return [fase, lunghezza](benchmark::State& s) {
    const Fasi& f = fasi_di(lunghezza);
    const MisuraMemoria memoria;
    fase(s, f);
    memoria.concludi(s, 0);
  };
}

}  // namespace

void registra_fasi() {
  for (const std::int32_t lunghezza : lunghezze) {
    for (const Fase& fase : fasi) {
      registra_coppia(std::string(fase.nome) + " " + etichetta_lunghezza(lunghezza),
                      corpo(fase.caso, lunghezza), corpo(fase.floor, lunghezza));
    }
  }
}

}  // namespace scenari::bench
