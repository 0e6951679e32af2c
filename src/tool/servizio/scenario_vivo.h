// The scenario of a directory as the served page shows it: its two
// description texts read anew after every change and compiled in memory,
// as `check` compiles them. Nothing is written.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/percorso/compattazione.h"
#include "platform/files.h"

namespace scenari::tool {

class ScenarioVivo {
 public:
  ScenarioVivo(platform::Files& files, const std::string& cartella, Scenario scenario,
               bool oltre_la_fine);

  // The two texts, to be watched.
  std::vector<std::string> testi() const { return {percorso_linea_, percorso_treno_}; }
  // Reads both texts again: true when what was read differs from the last
  // reading, so an editor that saves the same bytes costs no compile.
  bool rileggi();
  // The page's data for the texts last read: the route as far as it was
  // built, with every problem; a text that cannot be read is one problem.
  std::string dati() const;
  const std::string& titolo() const { return titolo_; }

 private:
  struct Lettura {
    std::optional<std::string> testo;
    std::string errore;  // why it could not be read
    bool operator==(const Lettura&) const = default;
  };
  Lettura leggi(const std::string& percorso) const;

  platform::Files& files_;
  Scenario scenario_;
  bool oltre_la_fine_;
  std::string percorso_linea_, percorso_treno_;
  std::string titolo_;
  Lettura linea_, treno_;
};

}  // namespace scenari::tool
