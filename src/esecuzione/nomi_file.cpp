#include "esecuzione/nomi_file.h"

#include "platform/files.h"

namespace scenari {

NomiFile nomi_file(const std::string& cartella, const std::string& nome_linea,
                   const std::string& numero_treno) {
  NomiFile nomi = nomi_file(nome_linea, numero_treno);
  for (std::string* nome : {&nomi.linea_txt, &nomi.treno_txt, &nomi.note, &nomi.rallentamenti,
                            &nomi.scheda, &nomi.linea_dat, &nomi.sim, &nomi.dat}) {
    *nome = platform::join(cartella, *nome);
  }
  return nomi;
}

}  // namespace scenari
