#include "tool/compila.h"

#include <utility>

#include "core/esecuzione/avvio.h"
#include "core/modello/modello.h"
#include "core/esecuzione/nomi_file.h"
#include "core/percorso/percorso.h"
#include "platform/scratch_directory.h"

namespace scenari::tool {

namespace {

// Cell 1, the start record, in metres as every cell is reported.
constexpr std::int32_t posizione_partenza = 50;

const char* significato_fatale(int numero) {
  return numero == 1250
             ? "start record taken: an object in cell 1 has a non-zero first value"
             : "start record taken: an object in cell 1 has a non-zero second value";
}

// The readers delete what they read, so they get copies.
void copia_testi(platform::Files& files, const NomiFile& da, const NomiFile& a) {
  for (const auto& [sorgente, copia] :
       {std::pair{da.linea_txt, a.linea_txt}, std::pair{da.treno_txt, a.treno_txt}}) {
    if (!files.exists(sorgente)) throw platform::FileError(sorgente, "no such file");
    files.replace(copia, files.read(sorgente));
  }
}

// The binaries the builder left in the scratch directory, moved into the
// output directory: all written to temporaries first, then renamed.
std::vector<FileScritto> consegna(platform::Files& files, const NomiFile& lavoro,
                                  const NomiFile& uscita, bool planimetria) {
  std::vector<std::pair<std::string, std::string>> contenuti;
  if (planimetria) contenuti.emplace_back(uscita.linea_dat, files.read(lavoro.linea_dat));
  contenuti.emplace_back(uscita.sim, files.read(lavoro.sim));
  contenuti.emplace_back(uscita.dat, files.read(lavoro.dat));
  files.replace_all(contenuti);
  std::vector<FileScritto> scritti;
  for (const auto& [percorso, byte] : contenuti) scritti.push_back({percorso, byte.size()});
  return scritti;
}

// Every problem the build recorded, in order, with the description text
// it was found in (the route cells file for the builder's own codes).
std::vector<Segnalazione> problemi_registrati(const Modello& m, const OpzioniCompilazione& o,
                                              const NomiFile& uscita) {
  std::vector<Segnalazione> segnalazioni;
  for (const Problema& problema : m.problemi) {
    Segnalazione s;
    s.codice = problema.codice;
    s.significato = significato_codice(problema.codice);
    s.file = problema.file.empty() ? uscita.dat : platform::join(o.cartella, problema.file);
    s.riga = problema.riga;
    s.posizione = problema.posizione;
    segnalazioni.push_back(std::move(s));
  }
  return segnalazioni;
}

Segnalazione problema_fatale(int numero, const NomiFile& uscita) {
  return Segnalazione{numero, significato_fatale(numero), uscita.dat, 0, posizione_partenza, true};
}

}  // namespace

EsitoCompilazione compila(const OpzioniCompilazione& o, platform::Files& files) {
  EsitoCompilazione esito;
  const NomiFile sorgente = nomi_file(o.cartella, o.nome_linea, o.numero_treno);
  const NomiFile uscita = nomi_file(o.cartella_uscita, o.nome_linea, o.numero_treno);
  Modello m;
  m.nome_linea = o.nome_linea;
  m.numero_treno = o.numero_treno;
  try {
    const platform::ScratchDirectory lavoro("scenari-tool");
    const NomiFile copie = nomi_file(lavoro.path(), o.nome_linea, o.numero_treno);
    copia_testi(files, sorgente, copie);
    memorizza_percorso(m, files, copie, o.planimetria ? 1 : 0);
    esito.scritti = consegna(files, copie, uscita, o.planimetria);
    esito.stato = m.codice_errore == 0 ? uscita_ok : uscita_dati;
  } catch (const ErroreFatale& e) {
    esito.problemi.push_back(problema_fatale(e.numero(), uscita));
    esito.stato = uscita_errore_fatale;
  } catch (const PercorsoAssente& e) {
    esito.messaggio = e.what();
    esito.stato = uscita_senza_percorso;
  } catch (const platform::FileError& e) {
    esito.messaggio = e.what();
    esito.stato = uscita_errore_file;
  }
  const auto registrati = problemi_registrati(m, o, uscita);
  esito.problemi.insert(esito.problemi.begin(), registrati.begin(), registrati.end());
  return esito;
}

std::string descrivi_problema(const Segnalazione& p) {
  std::string testo = p.file;
  if (p.riga > 0) testo += ":" + std::to_string(p.riga);
  testo += ": code " + std::to_string(p.codice) + ": " + p.significato + " (position " +
           std::to_string(p.posizione) + " m)";
  return testo;
}

}  // namespace scenari::tool
