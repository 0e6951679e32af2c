#include "bench/generatore.h"

#include <algorithm>
#include <string_view>

namespace scenari::bench {

namespace {

// Every object lives in a 2000 m block at a fixed offset from the block's
// start, so the cells they claim (and the free cells the protection pass
// needs around a slowdown) never meet:
//   +100 speed board, +300..+900 curve, +600 text board, +1000 signal,
//   +1400 station, +1600 slowdown of 600 m with its board at +400.
constexpr std::int32_t blocco = 2000;
constexpr std::int32_t massimo_cartelli = 15;
constexpr std::int32_t massimo_stazioni = 60;
constexpr std::int32_t massimo_montagne = 80;

class Casuale {
 public:
  explicit Casuale(std::uint32_t seme) : stato_(seme * 2654435761u + 1) {}
  std::int32_t tra(std::int32_t minimo, std::int32_t massimo) {
    stato_ = stato_ * 1664525u + 1013904223u;
    return minimo + static_cast<std::int32_t>((stato_ >> 8) % static_cast<std::uint32_t>(massimo - minimo + 1));
  }

 private:
  std::uint32_t stato_;
};

void riga(std::string& testo, std::string_view contenuto) {
  testo.append(contenuto);
  testo.append("\r\n");
}

std::string numero(std::int64_t valore) { return std::to_string(valore); }

// Every n-th block, with n chosen so that at most `massimo` blocks qualify.
std::int32_t passo_per(std::int32_t blocchi, std::int32_t massimo) {
  return std::max<std::int32_t>(1, (blocchi + massimo - 1) / massimo);
}

std::string testo_linea(std::int32_t lunghezza, std::int32_t blocchi, Casuale& caso) {
  std::string t;
  riga(t, "[generale]");
  riga(t, "lunghezza percorso, " + numero(lunghezza));
  riga(t, "progressiva chilometrica uno, 0, 0, 0");
  riga(t, "progressiva chilometrica due, 0, 0, 0");
  riga(t, "progressiva chilometrica tre, 0, 0, 0");
  riga(t, "sfondo uno, 1");
  riga(t, "sfondo due, 0");
  riga(t, "sfondo tre, 0");
  riga(t, "ripetizione segnali 4 codici, 0, 0");
  riga(t, "[curve]");
  for (std::int32_t b = 0; b < blocchi; ++b) {
    if (b % 2 != 0) continue;
    const std::string lato = caso.tra(0, 1) == 0 ? "s" : "d";
    riga(t, "curva" + lato + numero(caso.tra(1, 6)) + ", " + numero(b * blocco + 300) + ", " +
                numero(caso.tra(2, 6) * 100));
  }
  riga(t, "[pendenze]");
  for (std::int32_t b = 0; b < blocchi; ++b) {
    riga(t, "pendenza, " + numero(b * blocco + 500) + ", " + numero(caso.tra(-12, 12)));
    riga(t, "pendenza, " + numero(b * blocco + 1500) + ", " + numero(caso.tra(-12, 12)));
  }
  riga(t, "[montagne]");
  const std::int32_t passo_montagne = passo_per(blocchi, massimo_montagne);
  for (std::int32_t b = 0; b < blocchi; b += passo_montagne) {
    riga(t, "montagna, " + numero(b * blocco + 100) + ", " + numero(b * blocco + 1900) + ", " +
                numero(caso.tra(11, 14)));
  }
  riga(t, "[cartelli]");
  for (std::int32_t b = 0; b < blocchi; ++b) {
    const std::int32_t v = caso.tra(12, 28) * 5;
    // The d side holds at most 95 km/h.
    const std::int32_t d = std::min(v, 85);
    riga(t, "indicatori_vmax, " + numero(b * blocco + 100) + ", " + numero(v) + ", " +
                numero(v + 5) + ", " + numero(v + 10) + ", 1, " + numero(d) + ", " + numero(d + 5) +
                ", " + numero(d + 10) + ", 2");
  }
  riga(t, "[indicazioni]");
  const std::int32_t passo_cartelli = passo_per(blocchi, massimo_cartelli);
  for (std::int32_t b = 0; b < blocchi; b += passo_cartelli) {
    riga(t, "cartello indicatore, " + numero(b * blocco + 600) + ", \"BIVIO, KM " + numero(b * 2) +
                "\"");
  }
  riga(t, "[fine]");
  return t;
}

bool blocco_rallentamento(std::int32_t b) { return b % 5 == 2; }

std::string testo_treno(std::int32_t blocchi, Casuale& caso) {
  std::string t;
  riga(t, "[generale]");
  riga(t, "numero vetture, " + numero(caso.tra(3, 12)));
  riga(t, "percentuale massa frenata, " + numero(caso.tra(80, 140)));
  riga(t, "sabbia, 0");
  riga(t, "orologio, 7 59 47");
  riga(t, "[aderenze]");
  for (std::int32_t b = 0; b < blocchi; b += 2) {
    riga(t, "aderenza, " + numero(b * blocco) + ", " + numero(caso.tra(60, 100)));
  }
  riga(t, "[vel_limite]");
  for (std::int32_t b = 0; b < blocchi; ++b) {
    riga(t, "velocita, " + numero(b * blocco) + ", " + numero(caso.tra(6, 28) * 5));
  }
  riga(t, "[stazioni]");
  riga(t, "stazione, 0, 8, 500, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 0, 0, 0, STAZIONE 0");
  const std::int32_t passo_stazioni = std::max(3, passo_per(blocchi, massimo_stazioni - 1));
  std::int32_t secondi = 0;
  for (std::int32_t b = passo_stazioni; b < blocchi; b += passo_stazioni) {
    if (blocco_rallentamento(b)) continue;
    secondi += 600;
    riga(t, "stazione, " + numero(b * blocco + 1400) + ", 2, 400, 1, 0, 0, 1, 1, 0, 2, 1, 1, 0, " +
                numero(secondi / 3600) + ", " + numero(secondi / 60 % 60) + ", 0, STAZIONE " +
                numero(b));
  }
  riga(t, "[rallentamenti]");
  for (std::int32_t b = 0; b < blocchi; ++b) {
    if (!blocco_rallentamento(b)) continue;
    riga(t, "rallentamento, " + numero(b * blocco + 1600) + ", " + numero(caso.tra(6, 20) * 5) +
                ", 600, 1, 1, 0");
  }
  riga(t, "[segnali]");
  for (std::int32_t b = 0; b < blocchi; ++b) {
    riga(t, "segnale, " + numero(b * blocco + 1000) + ", 2, " + numero(caso.tra(1, 5)) + ", 1, 1, 0, 0, 0, 0, 0, 0");
  }
  riga(t, "[codici]");
  riga(t, "[fine]");
  return t;
}

}  // namespace

ScenarioSintetico genera_scenario(std::int32_t lunghezza, std::uint32_t seme) {
  lunghezza = std::clamp(lunghezza, blocco, lunghezza_massima);
  const std::int32_t blocchi = lunghezza / blocco;
  Casuale caso(seme);
  ScenarioSintetico scenario;
  scenario.linea = testo_linea(lunghezza, blocchi, caso);
  scenario.treno = testo_treno(blocchi, caso);
  return scenario;
}

}  // namespace scenari::bench
