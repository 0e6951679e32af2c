// Names of every file of a run, formed from the route name and the train
// number by plain concatenation, in the program directory.
#pragma once

#include <string>

namespace scenari {

struct NomiFile {
  std::string linea_txt;      // line description text (working file)
  std::string treno_txt;      // train description text (working file)
  std::string note;           // scenario notes
  std::string rallentamenti;  // slowdown order form
  std::string scheda;         // train card
  std::string linea_dat;      // plan geometry
  std::string sim;            // general table
  std::string dat;            // route cells
};

NomiFile nomi_file(const std::string& cartella, const std::string& nome_linea,
                   const std::string& numero_treno);

}  // namespace scenari
