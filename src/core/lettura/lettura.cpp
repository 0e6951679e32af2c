#include "core/lettura/lettura.h"

#include <string>

#include "core/lettura/campi.h"
#include "core/lettura/lettura_linea.h"
#include "core/lettura/lettura_treno.h"

namespace scenari {

namespace {

constexpr std::int32_t codice_linea_assente = 101;
constexpr std::int32_t codice_lettura_fallita = 25;

std::string nome_base(const std::string& percorso) {
  const std::size_t barra = percorso.find_last_of('/');
  return barra == std::string::npos ? percorso : percorso.substr(barra + 1);
}

// A read failure in either text: code 25 on the line where reading
// stopped, and neither description text is left behind.
void lettura_fallita(Modello& m, platform::Files& files, const NomiFile& nomi,
                     std::int32_t riga) {
  m.registra_errore(codice_lettura_fallita, m.posizione_errore, riga);
  files.remove_if_exists(nomi.linea_txt);
  files.remove_if_exists(nomi.treno_txt);
}

// The line text; returns whether the train text is to be read after it.
bool leggi_testo_linea(Modello& m, platform::Files& files, const NomiFile& nomi) {
  if (!files.exists(nomi.linea_txt)) {
    m.registra_errore(codice_linea_assente, m.posizione_errore, 0);
    return false;
  }
  m.file_in_lettura = nome_base(nomi.linea_txt);
  DopoLinea dopo = DopoLinea::termina;
  try {
    dopo = leggi_linea(m, files.read(nomi.linea_txt));
  } catch (const ErroreLettura& e) {
    lettura_fallita(m, files, nomi, e.riga());
    return false;
  }
  files.remove(nomi.linea_txt);
  return dopo == DopoLinea::leggi_treno;
}

void leggi_testo_treno(Modello& m, platform::Files& files, const NomiFile& nomi) {
  m.file_in_lettura = nome_base(nomi.treno_txt);
  if (!files.exists(nomi.treno_txt)) {
    lettura_fallita(m, files, nomi, 0);
    return;
  }
  try {
    leggi_treno(m, files.read(nomi.treno_txt));
  } catch (const ErroreLettura& e) {
    lettura_fallita(m, files, nomi, e.riga());
    return;
  }
  files.remove(nomi.treno_txt);
}

}  // namespace

void memorizza_dati(Modello& m, platform::Files& files, const NomiFile& nomi) {
  if (leggi_testo_linea(m, files, nomi)) leggi_testo_treno(m, files, nomi);
  m.file_in_lettura.clear();
}

}  // namespace scenari
