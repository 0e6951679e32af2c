#include "core/lettura/lettura_linea.h"

#include <string>

#include "core/lettura/campi.h"
#include "core/lettura/pendenze.h"
#include "core/lettura/planimetria_calcolo.h"

namespace scenari {

namespace {

constexpr std::int32_t lunghezza_massima = 1'000'000;
constexpr std::int32_t primo_cartello = 80;

// Whether reading goes on after an entry of the body.
enum class Esito { continua, fine_corpo, termina };

// Turn per metre of a curve from the first class digit in its keyword field;
// 0 when there is none. An "s" makes it a left-hand curve.
double curvatura(std::string_view campo) {
  static constexpr struct {
    const char* cifra;
    double valore;
  } classi[] = {{"1", 0.0001}, {"2", 0.0002}, {"3", 0.0004},
                {"4", 0.001},  {"5", 0.002},  {"6", 0.003}};
  for (const auto& classe : classi) {
    if (contiene(campo, classe.cifra)) {
      return contiene_nocase(campo, "s") ? -classe.valore : classe.valore;
    }
  }
  return 0.0;
}

// A field such as "[curve]" closes the general section; one starting with
// "-" is a comment even when it holds brackets.
bool chiude_sezione(std::string_view campo) {
  const auto primo = campo.find_first_not_of(" \t");
  const bool commento = primo != std::string_view::npos && campo[primo] == '-';
  return contiene(campo, "[") && contiene(campo, "]") && !commento;
}

class LetturaLinea {
 public:
  LetturaLinea(Modello& m, std::string_view testo)
      : m_(m), lettore_(testo), piano_(m.planimetria) {}

  DopoLinea esegui();

 private:
  std::string leggi_campo();
  std::int32_t leggi_intero() { return lettore_.leggi<std::int32_t>(); }

  bool cerca_generale();
  bool leggi_generale();
  bool applica_generale(const std::string& campo);
  bool lunghezza_percorso();
  void progressiva(std::size_t voce);
  bool ripetizione_segnali(const std::string& campo);

  bool inizia_corpo();
  Esito leggi_corpo();
  Esito applica_corpo(const std::string& campo);
  Esito pendenza();
  Esito curva(const std::string& campo);
  Esito montagna();
  Esito indicatori();
  Esito cartello();
  void termina_corpo();

  Esito rifiuta(std::int32_t codice, std::int32_t posizione);
  bool oltre_percorso(std::int32_t posizione) const;
  std::int32_t verifica_posizione(std::int32_t posizione) const;

  Modello& m_;
  LettoreCampi lettore_;
  RiempimentoPendenze pendenze_;
  TracciatoPiano piano_;
};

std::string LetturaLinea::leggi_campo() {
  m_.riga = lettore_.leggi_testo();
  return m_.riga;
}

DopoLinea LetturaLinea::esegui() {
  m_.tabella_generale[85].nome = m_.nome_linea;
  m_.tabella_generale[86].nome = m_.numero_treno;
  if (!cerca_generale() || !leggi_generale() || !inizia_corpo()) return DopoLinea::termina;
  if (leggi_corpo() == Esito::termina) return DopoLinea::termina;
  termina_corpo();
  return DopoLinea::leggi_treno;
}

// Everything before the first "[generale]" field is ignored.
bool LetturaLinea::cerca_generale() {
  for (;;) {
    const std::string campo = leggi_campo();
    if (lettore_.fine()) {
      m_.registra_errore(102, m_.posizione_errore, lettore_.riga());
      return false;
    }
    if (contiene_nocase(campo, "[generale]")) return true;
  }
}

// False when a general value stopped the reading.
bool LetturaLinea::leggi_generale() {
  while (!lettore_.fine()) {
    std::string campo = leggi_campo();
    if (lettore_.fine()) break;
    // Comment fields; a run of them may reach the end of the text, which
    // then fails as a read past the end.
    for (int i = 0; i < 10 && contiene_nocase(campo, "-"); ++i) campo = leggi_campo();
    if (!applica_generale(campo)) return false;
    if (chiude_sezione(campo)) break;
  }
  return true;
}

bool LetturaLinea::applica_generale(const std::string& campo) {
  if (contiene_nocase(campo, "percorso") && contiene_nocase(campo, "lunghezza")) {
    if (!lunghezza_percorso()) return false;
  }
  if (contiene(campo, "tre") && contiene(campo, "progressiva")) progressiva(81);
  if (contiene(campo, "due") && contiene(campo, "progressiva")) progressiva(82);
  if (contiene(campo, "uno") && contiene(campo, "progressiva")) progressiva(83);
  if (contiene(campo, "sfondo") && contiene(campo, "uno")) {
    m_.tabella_generale[85].valore1 = leggi_intero();
  }
  if (contiene(campo, "sfondo") && contiene(campo, "due")) {
    m_.tabella_generale[85].valore3 = leggi_intero();
  }
  if (contiene(campo, "sfondo") && contiene(campo, "tre")) {
    m_.tabella_generale[85].valore2 = leggi_intero();
  }
  if (contiene(campo, "segnali") && contiene(campo, "ripetizione")) {
    return ripetizione_segnali(campo);
  }
  return true;
}

// The route length is kept even when refused; cells and plan are created
// anew for every accepted length line.
bool LetturaLinea::lunghezza_percorso() {
  const std::int32_t lunghezza = leggi_intero();
  m_.tabella_generale[84].valore2 = lunghezza;
  if (lunghezza > lunghezza_massima) {
    m_.registra_errore(1, m_.posizione_errore, lettore_.riga());
    return false;
  }
  if (lunghezza < 0) {
    rifiuta(codice_posizione_negativa, lunghezza);
    return false;
  }
  m_.crea_percorso(lunghezza);
  return true;
}

void LetturaLinea::progressiva(std::size_t voce) {
  auto& record = m_.tabella_generale[voce];
  record.valore1 = leggi_intero();
  record.valore2 = leggi_intero();
  record.valore3 = leggi_intero();
}

bool LetturaLinea::ripetizione_segnali(const std::string& campo) {
  auto& record = m_.tabella_generale[86];
  record.valore1 = leggi_intero();
  record.valore2 = leggi_intero();
  std::int32_t codice = 0;
  if (record.valore1 % 50 != 0) {
    codice = 3;
  } else if (record.valore2 % 50 != 0) {
    codice = 4;
  } else if (contiene(campo, "4")) {
    record.valore3 = 4;
  } else if (contiene(campo, "9")) {
    record.valore3 = 9;
  } else {
    codice = 5;
  }
  if (codice != 0) {
    m_.registra_errore(codice, m_.posizione_errore, lettore_.riga());
    return false;
  }
  if (record.valore2 == 0) record.valore3 = 0;
  return true;
}

// The body needs the route cells: a text without a route length is refused.
bool LetturaLinea::inizia_corpo() {
  progressive_ordina(m_);
  if (!m_.celle_create()) {
    m_.registra_errore(codice_senza_lunghezza, m_.posizione_errore, lettore_.riga());
    return false;
  }
  m_.numero_montagne = 0;
  m_.contatore_cartelli = primo_cartello;
  if (m_.genera_linea != 0) piano_.inizia();
  return true;
}

// The field read at the end of the text (normally "[fine]") is never used.
Esito LetturaLinea::leggi_corpo() {
  while (!lettore_.fine()) {
    std::string campo = leggi_campo();
    if (lettore_.fine()) return Esito::fine_corpo;
    for (int i = 0; i < 2 && contiene_nocase(campo, "-"); ++i) {
      campo = leggi_campo();
      if (lettore_.fine()) return Esito::fine_corpo;
    }
    const Esito esito = applica_corpo(campo);
    if (esito != Esito::continua) return esito;
  }
  return Esito::fine_corpo;
}

// Every test that matches reads its own values, in this order.
Esito LetturaLinea::applica_corpo(const std::string& campo) {
  Esito esito = Esito::continua;
  if (contiene_nocase(campo, "pendenza")) esito = pendenza();
  if (esito == Esito::continua && contiene_nocase(campo, "curva") && m_.genera_linea != 0) {
    esito = curva(campo);
  }
  if (esito == Esito::continua && contiene_nocase(campo, "montagna")) esito = montagna();
  if (esito == Esito::continua && contiene_nocase(campo, "indicatori_v")) esito = indicatori();
  if (esito == Esito::continua && contiene_nocase(campo, "cartello") &&
      contiene_nocase(campo, "indicat")) {
    esito = cartello();
  }
  return esito;
}

Esito LetturaLinea::pendenza() {
  const std::int32_t posizione = leggi_intero();
  const std::int32_t valore = leggi_intero();
  if (const std::int32_t codice = verifica_posizione(posizione)) return rifiuta(codice, posizione);
  pendenze_.linea(m_, posizione, valore);
  return Esito::continua;
}

Esito LetturaLinea::curva(const std::string& campo) {
  const std::int32_t inizio = leggi_intero();
  const std::int32_t lunghezza = leggi_intero();
  if (lunghezza < 0) return rifiuta(codice_posizione_negativa, inizio);
  if (const std::int32_t codice = verifica_posizione(inizio)) return rifiuta(codice, inizio);
  const double k = curvatura(campo);
  if (k == 0.0) {
    m_.registra_errore(103, m_.posizione_errore, lettore_.riga());
    return Esito::termina;
  }
  if (std::int64_t{inizio} + lunghezza > m_.lunghezza_totale) {
    return rifiuta(codice_fine_oltre_percorso, inizio);
  }
  if (!piano_.curva(inizio, lunghezza, k)) {
    m_.registra_errore(103, m_.posizione_errore, lettore_.riga());
    return Esito::termina;
  }
  return Esito::continua;
}

Esito LetturaLinea::montagna() {
  std::int32_t inizio = leggi_intero();
  std::int32_t fine = leggi_intero();
  std::int32_t tipo = leggi_intero();
  if (const std::int32_t codice = verifica_posizione(inizio)) return rifiuta(codice, inizio);
  if (const std::int32_t codice = rifiuto_montagna(m_, inizio, fine)) {
    return rifiuta(codice, codice == codice_troppe_montagne ? inizio : fine);
  }
  memo_montagna(m_, inizio, fine, tipo);
  return Esito::continua;
}

Esito LetturaLinea::indicatori() {
  const std::int32_t posizione = leggi_intero();
  std::int32_t vas = leggi_intero();
  std::int32_t vbs = leggi_intero();
  std::int32_t vcs = leggi_intero();
  auto strisces = lettore_.leggi<std::int16_t>();
  std::int32_t vad = leggi_intero();
  std::int32_t vbd = leggi_intero();
  std::int32_t vcd = leggi_intero();
  auto strisced = lettore_.leggi<std::int16_t>();
  if (const std::int32_t codice = verifica_posizione(posizione)) return rifiuta(codice, posizione);
  memo_indicatori_v_max(m_, posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
  if (m_.codice_errore > 0) return rifiuta(m_.codice_errore, posizione);
  return Esito::continua;
}

// Text boards take general-table records from 80 downward, one each.
Esito LetturaLinea::cartello() {
  const std::int32_t posizione = leggi_intero();
  const std::string testo = m_.riga = lettore_.leggi_nome();
  if (const std::int32_t codice = verifica_posizione(posizione)) return rifiuta(codice, posizione);
  cella& c = m_.celle_percorso[static_cast<std::size_t>(arrotonda(std::int64_t{posizione} + 50, 50))];
  if (!cella_libera(c)) return rifiuta(6, posizione);
  if (m_.contatore_cartelli < 1) return rifiuta(codice_troppi_cartelli, posizione);
  c.tipo = 14;
  c.dato1 = static_cast<std::int16_t>(m_.contatore_cartelli);
  m_.tabella_generale[static_cast<std::size_t>(m_.contatore_cartelli)].nome = testo;
  --m_.contatore_cartelli;
  return Esito::continua;
}

void LetturaLinea::termina_corpo() {
  pendenze_.completa(m_);
  if (m_.genera_linea != 0) piano_.completa();
}

// Code 15 ends the body and the reading goes on with the train text; every
// other code ends the reading.
Esito LetturaLinea::rifiuta(std::int32_t codice, std::int32_t posizione) {
  m_.registra_errore(codice, posizione, lettore_.riga());
  return codice == 15 ? Esito::fine_corpo : Esito::termina;
}

// An object at p needs the cells up to (p + 100) / 50.
bool LetturaLinea::oltre_percorso(std::int32_t posizione) const {
  return std::int64_t{m_.ultima_cella()} * 50 < std::int64_t{posizione} + 100;
}

std::int32_t LetturaLinea::verifica_posizione(std::int32_t posizione) const {
  if (posizione < 0) return codice_posizione_negativa;
  if (oltre_percorso(posizione)) return 15;
  return 0;
}

}  // namespace

DopoLinea leggi_linea(Modello& m, std::string_view testo) {
  return LetturaLinea(m, testo).esegui();
}

}  // namespace scenari
