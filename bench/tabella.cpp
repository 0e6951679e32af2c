#include "bench/tabella.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "bench/casi.h"

namespace scenari::bench {

namespace {

std::string megabyte(double byte) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%.2f MB", byte / 1e6);
  return testo;
}

// Least-squares slope of log(tempo) on log(lunghezza).
double esponente(const std::vector<std::pair<double, double>>& punti) {
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (const auto& [lunghezza, tempo] : punti) {
    const double x = std::log(lunghezza), y = std::log(tempo);
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
  }
  const double n = static_cast<double>(punti.size());
  return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

}  // namespace

void Raccolta::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
    const std::string& nome = run.run_name.function_name;
    const double ms = run.GetAdjustedRealTime();
    auto [voce, nuova] = misure_.try_emplace(nome);
    if (nuova) ordine_.push_back(nome);
    if (nuova || ms < voce->second.millisecondi) voce->second.millisecondi = ms;
    const auto contatore = [&](const char* chiave) {
      const auto c = run.counters.find(chiave);
      return c == run.counters.end() ? 0.0 : c->second.value;
    };
    voce->second.picco = std::max(voce->second.picco, contatore("peak"));
    voce->second.scritti = contatore("written");
  }
  ConsoleReporter::ReportRuns(runs);
}

void Raccolta::stampa(const std::map<std::string, std::int32_t>& compilazioni) const {
  std::printf("\n%-28s %12s %12s %7s %12s %13s\n", "case", "time (ms)", "floor (ms)", "ratio",
              "peak memory", "peak/written");
  std::vector<std::pair<double, double>> totale, lunghe;
  for (const std::string& nome : ordine_) {
    const auto floor = misure_.find(nome + suffisso_floor);
    if (floor == misure_.end()) continue;
    const Misura& caso = misure_.at(nome);
    const double ms_floor = floor->second.millisecondi;
    std::string rapporto_scritti = "-";
    if (caso.scritti > 0) {
      char testo[16];
      std::snprintf(testo, sizeof testo, "%.2f", caso.picco / caso.scritti);
      rapporto_scritti = testo;
    }
    std::printf("%-28s %12.3f %12.3f %7.2f %12s %13s\n", nome.c_str(), caso.millisecondi,
                ms_floor, caso.millisecondi / ms_floor, megabyte(caso.picco).c_str(),
                rapporto_scritti.c_str());
    if (const auto c = compilazioni.find(nome); c != compilazioni.end()) {
      totale.emplace_back(c->second + 7000.0, caso.millisecondi);
      if (c->second >= 100'000) lunghe.emplace_back(c->second, caso.millisecondi);
    }
  }
  if (totale.size() >= 2) {
    std::printf("\nwhole compile: time ~ (L + 7000 m)^%.3f over all lengths", esponente(totale));
  }
  if (lunghe.size() >= 2) std::printf(", time ~ L^%.3f for L >= 100 km", esponente(lunghe));
  std::printf("\n");
}

}  // namespace scenari::bench
