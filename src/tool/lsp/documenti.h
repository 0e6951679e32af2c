// The texts the editor has open, and the scenario each belongs to: a line
// text "X_linea.txt" pairs with the train text "X_N-.txt" of the same
// directory, the open buffer when there is one, the file otherwise.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "core/lettura/tabella_voci.h"

namespace scenari::lsp {

// The files beside an open text, read as the server needs them; tests and
// the fuzzer give their own.
class Disco {
 public:
  virtual ~Disco() = default;
  // The bytes of a file, or nothing when it cannot be read.
  virtual std::optional<std::string> leggi(const std::string& percorso) = 0;
  // The names of the files of a directory, sorted; none when it cannot be read.
  virtual std::vector<std::string> nomi_in(const std::string& cartella) = 0;
};

enum class Tipo { linea, treno };

// What a text's name says about it.
struct Identita {
  std::string cartella;  // with its trailing separator, "" for none
  std::string file;
  Tipo tipo;
  std::string nome_linea;
  std::string numero_treno;  // empty for a line text
};

// The identity of a path named as a description text, or nothing.
std::optional<Identita> identita(const std::string& percorso);

const riferimento::Testo& riferimento_di(Tipo tipo);

// The diagnostics for one text of a scenario.
struct Pubblicazione {
  std::string uri;
  nlohmann::json diagnostiche;
};

class Documenti {
 public:
  explicit Documenti(Disco& disco) : disco_(disco) {}

  // The buffer of `uri` takes `utf8` as its whole text.
  void metti(const std::string& uri, std::string utf8);
  void chiudi(const std::string& uri) { aperti_.erase(uri); }
  const std::string* testo(const std::string& uri) const;
  std::optional<Identita> identita_di(const std::string& uri) const;

  // The analysis of the scenario of an open text: the diagnostics of both
  // its texts. Nothing for a text whose name is no description text's.
  std::vector<Pubblicazione> analizza(const std::string& uri);

  // The URI of the other text of an open text's scenario, and whether the
  // editor has it open.
  struct Compagno {
    std::string uri;
    bool aperto;
  };
  std::optional<Compagno> compagno(const std::string& uri) const;

 private:
  struct Aperto {
    std::optional<std::string> percorso;
    std::string utf8;
  };
  struct Partner {
    std::string uri;
    std::string file;
    std::optional<std::string> utf8;  // nothing when it is neither open nor on disk
  };
  Partner partner(const Identita& id) const;
  std::optional<std::string> uri_aperto(const std::string& percorso) const;

  Disco& disco_;
  std::map<std::string, Aperto> aperti_;
};

}  // namespace scenari::lsp
