#include "esecuzione/nomi_validi.h"

#include <array>
#include <utility>

#include "core/lettura/campi.h"
#include "core/modello/nomi_file.h"
#include "platform/journal.h"

namespace scenari {

namespace {

// The longest file name most file systems take, in bytes; a file is
// replaced through names longer than its own.
constexpr std::size_t lunghezza_massima = 255;
constexpr std::size_t lunghezza_propria_massima = lunghezza_massima - platform::leftover_extra_length;

struct NomeFile {
  const char* ruolo;
  std::string nome;
};

// The eight names a run forms, each with what it names.
std::array<NomeFile, 8> nomi_formati(std::string_view linea, std::string_view treno) {
  NomiFile n = nomi_file(std::string(linea), std::string(treno));
  return {{{"the line text", std::move(n.linea_txt)},
           {"the train text", std::move(n.treno_txt)},
           {"the notes", std::move(n.note)},
           {"the slowdown form", std::move(n.rallentamenti)},
           {"the train card", std::move(n.scheda)},
           {"the plan file", std::move(n.linea_dat)},
           {"the general table", std::move(n.sim)},
           {"the cells file", std::move(n.dat)}}};
}

// The characters no Windows file name may hold; a scenario written here
// must copy unchanged to the simulator's machines.
constexpr std::string_view vietati = "<>:\"/\\|?*";

// Windows takes these as devices, whatever extension follows them.
bool riservato_da_windows(std::string_view nome) {
  std::string radice = minuscolo(std::string(nome.substr(0, nome.find('.'))));
  while (radice.ends_with(' ')) radice.pop_back();
  if (radice == "con" || radice == "prn" || radice == "aux" || radice == "nul") return true;
  return radice.size() == 4 && (radice.starts_with("com") || radice.starts_with("lpt")) &&
         radice[3] >= '1' && radice[3] <= '9';
}

std::string esadecimale(unsigned char c) {
  constexpr const char* cifre = "0123456789ABCDEF";
  return std::string("0x") + cifre[c >> 4] + cifre[c & 0xF];
}

// What is wrong with one name on its own.
std::optional<std::string> difetto(std::string_view cosa, std::string_view nome) {
  if (nome.empty()) return std::string(cosa) + " is empty";
  if (nome == "." || nome == "..") return std::string(cosa) + " is '" + std::string(nome) + "'";
  for (char c : nome) {
    const auto byte = static_cast<unsigned char>(c);
    if (vietati.find(c) != std::string_view::npos) return std::string(cosa) + " contains '" + c + "'";
    if (byte < 0x20 || byte == 0x7F) {
      return std::string(cosa) + " contains the control character " + esadecimale(byte);
    }
  }
  return std::nullopt;
}

// Every name is the route name, '_' and a tail. A train number without an
// underscore leaves one only in the documents' fixed tails, and what
// follows it there ("note.txt", "rallentamenti.txt", "scheda_treno.txt",
// "treno.txt") is the tail of no name: so a name divides into route and
// tail one way only, and two scenarios never share a name. With one, route
// "A" and train "B_linea" write "A_B_linea.dat", the plan file of route "A_B".
std::optional<std::string> scontro_con_altri(std::string_view linea, std::string_view treno) {
  const std::size_t sotto = treno.find('_');
  if (sotto == std::string_view::npos) return std::nullopt;
  const std::string inizio = "train number '" + std::string(treno) + "' contains '_', so ";
  const std::string altra_linea = std::string(linea) + "_" + std::string(treno.substr(0, sotto));
  const std::string altro_treno(treno.substr(sotto + 1));
  const std::string dat = nomi_file(std::string(linea), std::string(treno)).dat;
  if (minuscolo(altro_treno) == "linea") {
    return inizio + "its cells file '" + dat + "' is the plan file of route '" + altra_linea + "'";
  }
  if (!altro_treno.empty()) {
    return inizio + "its cells file '" + dat + "' is also that of route '" + altra_linea +
           "' with train '" + altro_treno + "'";
  }
  return inizio + "its files could be another scenario's";
}

}  // namespace

std::optional<std::string> nome_rifiutato(std::string_view nome_linea, std::string_view numero_treno) {
  if (auto d = difetto("route name", nome_linea)) return d;
  if (auto d = difetto("train number", numero_treno)) return d;
  if (auto d = scontro_con_altri(nome_linea, numero_treno)) return d;
  const auto nomi = nomi_formati(nome_linea, numero_treno);
  for (const NomeFile& f : nomi) {
    if (riservato_da_windows(f.nome)) {
      return "the name of " + std::string(f.ruolo) + " would be '" + f.nome +
             "', which Windows reserves for a device";
    }
    if (f.nome.size() > lunghezza_propria_massima) {
      return "the name of " + std::string(f.ruolo) + " would be " + std::to_string(f.nome.size()) +
             " bytes long, and its backup while it is replaced " +
             std::to_string(f.nome.size() + platform::leftover_extra_length) + ", above the " +
             std::to_string(lunghezza_massima) + " a file system takes";
    }
  }
  // Compared without case, as the file systems of other systems and of
  // memory cards compare names.
  for (std::size_t i = 0; i < nomi.size(); ++i) {
    for (std::size_t j = i + 1; j < nomi.size(); ++j) {
      if (minuscolo(nomi[i].nome) == minuscolo(nomi[j].nome)) {
        return "train number '" + std::string(numero_treno) + "' makes " + nomi[i].ruolo +
               " and " + nomi[j].ruolo + " the same name";
      }
    }
  }
  return std::nullopt;
}

}  // namespace scenari
