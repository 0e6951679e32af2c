#include "core/esecuzione/nomi_file.h"

#include "platform/files.h"

namespace scenari {

NomiFile nomi_file(const std::string& cartella, const std::string& nome_linea,
                   const std::string& numero_treno) {
  auto in_cartella = [&](const std::string& nome) { return platform::join(cartella, nome); };
  const std::string treno = nome_linea + "_" + numero_treno;
  return NomiFile{
      in_cartella(nome_linea + "_linea.txt"),
      in_cartella(treno + "-.txt"),
      in_cartella(treno + "_note.txt"),
      in_cartella(treno + "_rallentamenti.txt"),
      in_cartella(treno + "_scheda_treno.txt"),
      in_cartella(nome_linea + "_linea.dat"),
      in_cartella(treno + ".sim"),
      in_cartella(treno + ".dat"),
  };
}

}  // namespace scenari
