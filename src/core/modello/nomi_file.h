// Names of every file of a scenario, formed from the route name and the
// train number by plain concatenation.
#pragma once

#include <string>

namespace scenari {

struct NomiFile {
  std::string linea_txt;      // line description text
  std::string treno_txt;      // train description text
  std::string note;           // scenario notes
  std::string rallentamenti;  // slowdown order form
  std::string scheda;         // train card
  std::string linea_dat;      // plan geometry
  std::string sim;            // general table
  std::string dat;            // route cells
};

// The bare names, without a directory.
NomiFile nomi_file(const std::string& nome_linea, const std::string& numero_treno);

}  // namespace scenari
