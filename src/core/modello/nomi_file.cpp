#include "core/modello/nomi_file.h"

namespace scenari {

NomiFile nomi_file(const std::string& nome_linea, const std::string& numero_treno) {
  const std::string treno = nome_linea + "_" + numero_treno;
  return NomiFile{
      nome_linea + "_linea.txt",  treno + "-.txt",         treno + "_note.txt",
      treno + "_rallentamenti.txt", treno + "_scheda_treno.txt", nome_linea + "_linea.dat",
      treno + ".sim",             treno + ".dat",
  };
}

}  // namespace scenari
