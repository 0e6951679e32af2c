#include "tool/nomi_cartella.h"

#include <algorithm>
#include <set>
#include <vector>

#include "platform/directories.h"
#include "platform/files.h"
#include "tool/stato.h"

namespace scenari::tool {

namespace {

bool finisce_con(const std::string& s, const std::string& coda) {
  return s.size() >= coda.size() && s.compare(s.size() - coda.size(), coda.size(), coda) == 0;
}

bool inizia_con(const std::string& s, const std::string& testa) {
  return s.compare(0, testa.size(), testa) == 0;
}

std::string senza_coda(const std::string& s, const std::string& coda) {
  return s.substr(0, s.size() - coda.size());
}

bool adatta(const Nomi& dati, const Nomi& candidato) {
  return (!dati.linea_data || candidato.linea == dati.linea) &&
         (!dati.treno_data || candidato.treno == dati.treno);
}

std::string elenco(const std::vector<Nomi>& candidati) {
  std::string testo;
  for (const Nomi& n : candidati) {
    testo += (testo.empty() ? "" : ", ") + ("\"" + n.linea + "\" train \"" + n.treno + "\"");
  }
  return testo;
}

[[noreturn]] void troppi(const std::string& cartella, const std::vector<Nomi>& candidati,
                         const char* cosa) {
  throw Rifiuto{uscita_uso, cartella + ": holds " + cosa + " of " +
                                std::to_string(candidati.size()) + " scenarios (" +
                                elenco(candidati) +
                                ")\n  help: choose one with --line NAME and --train NUMBER"};
}

Nomi con_dati(const Nomi& dati, const Nomi& trovato) {
  Nomi n = trovato;
  n.linea_data = dati.linea_data;
  n.treno_data = dati.treno_data;
  return n;
}

// Every "X_N" split of a stem that the route names in `linee` allow and
// that names a scenario; with none of them, the split at the last
// underscore.
std::vector<Nomi> divisioni(const std::string& stem, const std::set<std::string>& linee) {
  std::vector<Nomi> trovati;
  for (const std::string& linea : linee) {
    if (stem.size() > linea.size() + 1 && inizia_con(stem, linea + "_") &&
        !nome_rifiutato(linea, stem.substr(linea.size() + 1))) {
      trovati.push_back({linea, stem.substr(linea.size() + 1)});
    }
  }
  const auto ultimo = stem.rfind('_');
  if (trovati.empty() && ultimo != std::string::npos && ultimo > 0 && ultimo + 1 < stem.size()) {
    trovati.push_back({stem.substr(0, ultimo), stem.substr(ultimo + 1)});
  }
  return trovati;
}

std::set<std::string> linee_con(const std::vector<std::string>& file, const std::string& coda) {
  std::set<std::string> linee;
  for (const std::string& f : file) {
    if (finisce_con(f, coda) && f.size() > coda.size()) linee.insert(senza_coda(f, coda));
  }
  return linee;
}

// Why `cartella` holds no pair of texts that fits the names given, in the
// names the author wrote or would find in it.
std::string nessuno_scenario(const std::string& cartella, const std::set<std::string>& linee,
                             const Nomi& dati) {
  const std::string inizio = cartella + " holds no scenario";
  if (dati.linea_data) {
    const std::string mancante = linee.count(dati.linea) != 0 ? dati.linea + "_*-.txt train text"
                                                              : dati.linea + "_linea.txt";
    return inizio + " of route '" + dati.linea + "': no " + mancante + " in it";
  }
  if (dati.treno_data) return inizio + " of train '" + dati.treno + "': no *_" + dati.treno + "-.txt in it";
  if (linee.empty()) return inizio + ": no *_linea.txt in it";
  return inizio + ": no train text beside " + *linee.begin() + "_linea.txt (" + *linee.begin() +
         "_TRAIN-.txt)";
}

}  // namespace

Nomi nomi_testi(const std::string& cartella, const Nomi& dati) {
  // Entries of any kind: a text that is a directory is then reported as one.
  const std::vector<std::string> file = platform::entry_names(cartella);
  const std::set<std::string> linee = linee_con(file, "_linea.txt");
  std::vector<Nomi> candidati;
  for (const std::string& f : file) {
    if (!finisce_con(f, "-.txt")) continue;
    for (const Nomi& n : divisioni(senza_coda(f, "-.txt"), linee)) {
      if (linee.count(n.linea) != 0 && adatta(dati, n)) candidati.push_back(n);
    }
  }
  if (candidati.size() > 1) troppi(cartella, candidati, "the description texts");
  if (!candidati.empty()) return con_dati(dati, candidati.front());
  // Both names given: the text that is missing is what gets reported.
  if (dati.linea_data && dati.treno_data) return dati;
  throw Rifiuto{uscita_errore_file, nessuno_scenario(cartella, linee, dati)};
}

Nomi nomi_binari(const std::string& cartella, const Nomi& dati) {
  const std::vector<std::string> file = platform::file_names(cartella);
  const std::set<std::string> presenti(file.begin(), file.end());
  std::set<std::string> linee = linee_con(file, "_linea.dat");
  // A scenario compiled with --no-plan has no "_linea.dat" to split by.
  if (dati.linea_data) linee.insert(dati.linea);
  std::vector<Nomi> candidati;
  for (const std::string& f : file) {
    if (!finisce_con(f, ".sim")) continue;
    const std::string stem = senza_coda(f, ".sim");
    if (presenti.count(stem + ".dat") == 0) continue;
    for (const Nomi& n : divisioni(stem, linee)) {
      if (adatta(dati, n)) candidati.push_back(n);
    }
  }
  if (candidati.size() > 1) troppi(cartella, candidati, "the binary files");
  if (candidati.empty()) {
    const std::string quale =
        dati.linea_data || dati.treno_data ? "no binary files of that scenario" : "no binary files";
    throw Rifiuto{uscita_errore_file,
                  cartella + ": " + quale + " (.sim and .dat)\n  help: compile it first: "
                                            "scenari-tool compile " + cartella};
  }
  return con_dati(dati, candidati.front());
}

}  // namespace scenari::tool
