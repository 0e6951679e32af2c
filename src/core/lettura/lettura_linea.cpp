#include "core/lettura/lettura_linea.h"

#include <array>
#include <string>

#include "core/lettura/campi.h"
#include "core/lettura/luogo.h"
#include "core/modello/codici.h"
#include "core/modello/controlli.h"
#include "core/lettura/pendenze.h"
#include "core/lettura/tabella_voci.h"

namespace scenari {

namespace {

using riferimento::Parola;
using riferimento::riconosce;

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
  LetturaLinea(Modello& m, CursoreLettura& cursore, std::string_view testo)
      : m_(m), cursore_(cursore), lettore_(testo, avvisi_nel_modello(m, cursore)) {}

  Seguito esegui();

 private:
  std::string leggi_campo();
  // Where the entry now being read begins: its keyword field.
  const Luogo& voce() const { return voce_; }
  std::int32_t leggi_intero() { return lettore_.leggi<std::int32_t>(); }

  bool cerca_generale();
  bool leggi_generale();
  bool applica_generale(const std::string& campo);
  bool voce_generale(Parola parola, const std::string& campo);
  bool lunghezza_percorso();
  void progressiva(int numero);
  bool ripetizione_segnali(const std::string& campo);

  bool inizia_corpo();
  Seguito leggi_corpo();
  Seguito applica_corpo(const std::string& campo);
  Seguito voce_corpo(Parola parola, const std::string& campo);
  Seguito pendenza();
  Seguito curva(const std::string& campo);
  Seguito montagna();
  Seguito indicatori();
  Seguito cartello();
  void termina_corpo();

  Seguito rifiuta(Codice codice, std::int32_t posizione);
  bool oltre_percorso(std::int32_t posizione) const;
  std::optional<Codice> verifica_posizione(std::int32_t posizione) const;

  Modello& m_;
  CursoreLettura& cursore_;
  LettoreCampi lettore_;
  RiempimentoPendenze pendenze_;
  Luogo voce_;
};

std::string LetturaLinea::leggi_campo() {
  cursore_.riga = lettore_.leggi_testo();
  voce_ = luogo_campo(cursore_, lettore_);
  return cursore_.riga;
}

Seguito LetturaLinea::esegui() {
  m_.record(voce::linea).nome = m_.nome_linea;
  m_.record(voce::orologio).nome = m_.numero_treno;
  if (!cerca_generale()) {
    return cursore_.segna_arresto(m_) ? Seguito::arresto : Seguito::continua;
  }
  if (!leggi_generale() || !inizia_corpo()) return Seguito::arresto;
  if (leggi_corpo() == Seguito::arresto) return Seguito::arresto;
  termina_corpo();
  return Seguito::continua;
}

// Everything before the first "[generale]" field is ignored.
bool LetturaLinea::cerca_generale() {
  for (;;) {
    const std::string campo = leggi_campo();
    if (lettore_.fine()) {
      m_.registra_errore(codice::generale_assente, std::nullopt, voce());
      return false;
    }
    if (contiene_nocase(campo, "[generale]")) return true;
  }
}

// False when a general value stopped the reading.
bool LetturaLinea::leggi_generale() {
  const auto passo = [this] {
    std::string campo = leggi_campo();
    if (lettore_.fine()) return Seguito::fine_sezione;
    // Comment fields; a run of them may reach the end of the text, which
    // then fails as a read past the end.
    for (int i = 0; i < 10 && campo_commento(campo); ++i) campo = leggi_campo();
    if (!applica_generale(campo) && cursore_.segna_arresto(m_)) return Seguito::arresto;
    return chiude_sezione(campo) ? Seguito::fine_sezione : Seguito::continua;
  };
  while (!lettore_.fine()) {
    const Seguito seguito = con_ripresa(m_, cursore_, lettore_, Seguito::continua, passo);
    if (seguito == Seguito::fine_sezione) return true;
    if (seguito == Seguito::arresto) return false;
  }
  return true;
}

// The general section's keyword tests, in the table's order; a length that
// stops the reading ends them.
bool LetturaLinea::applica_generale(const std::string& campo) {
  for (const Parola parola : riferimento::lettura_generale_linea) {
    if (riconosce(parola, campo) && !voce_generale(parola, campo)) return false;
  }
  return true;
}

bool LetturaLinea::voce_generale(Parola parola, const std::string& campo) {
  switch (parola) {
    case Parola::lunghezza: return lunghezza_percorso();
    case Parola::progressiva_tre: progressiva(voce::progressiva_tre); break;
    case Parola::progressiva_due: progressiva(voce::progressiva_due); break;
    case Parola::progressiva_uno: progressiva(voce::progressiva_uno); break;
    case Parola::sfondo_uno: m_.record(voce::linea).valore1 = leggi_intero(); break;
    case Parola::sfondo_due: m_.record(voce::linea).valore3 = leggi_intero(); break;
    case Parola::sfondo_tre: m_.record(voce::linea).valore2 = leggi_intero(); break;
    case Parola::ripetizione: return ripetizione_segnali(campo);
    default: break;
  }
  return true;
}

// A length above the longest is kept in the general table with its error;
// cells and plan are created anew for every accepted length line. A negative
// length is refused alone, leaving the length before it in place: the
// section goes on.
bool LetturaLinea::lunghezza_percorso() {
  const std::int32_t lunghezza = leggi_intero();
  if (lunghezza < 0) {
    rifiuta(codice::posizione_negativa, lunghezza);
    return true;
  }
  m_.record(voce::treno).valore2 = lunghezza;
  if (lunghezza > lunghezza_massima_percorso) {
    m_.registra_errore(codice::lunghezza_eccessiva, std::nullopt, voce(),
                       "route length " + std::to_string(lunghezza) + " m");
    return false;
  }
  m_.crea_percorso(lunghezza);
  return true;
}

void LetturaLinea::progressiva(int numero) {
  auto& record = m_.record(numero);
  auto& luoghi = cursore_.luoghi_progressive[static_cast<std::size_t>(numero - voce::progressiva_tre)];
  record.valore1 = leggi_intero();
  luoghi[0] = luogo_campo(cursore_, lettore_);
  record.valore2 = leggi_intero();
  luoghi[1] = luogo_campo(cursore_, lettore_);
  record.valore3 = leggi_intero();
}

bool LetturaLinea::ripetizione_segnali(const std::string& campo) {
  auto& record = m_.record(voce::orologio);
  record.valore1 = leggi_intero();
  record.valore2 = leggi_intero();
  std::optional<Codice> codice;
  if (record.valore1 % 50 != 0) {
    codice = codice::ripetizione_primo_valore;
  } else if (record.valore2 % 50 != 0) {
    codice = codice::ripetizione_secondo_valore;
  } else if (contiene(campo, "4")) {
    record.valore3 = 4;
  } else if (contiene(campo, "9")) {
    record.valore3 = 9;
  } else {
    codice = codice::ripetizione_senza_codice;
  }
  if (codice) {
    m_.registra_errore(*codice, std::nullopt, voce());
    return false;
  }
  if (record.valore2 == 0) record.valore3 = 0;
  return true;
}

// The body needs the route cells: a text without a route length is refused.
// Reading on for checking, the body is read on the longest route, where
// every position fits; a length passed over at a stop is no new mistake.
bool LetturaLinea::inizia_corpo() {
  progressive_ordina(m_, cursore_);
  if (!m_.celle_create()) {
    if (!cursore_.arresto_in_corso) {
      m_.registra_errore(codice::senza_lunghezza, std::nullopt, luogo_campo(cursore_, lettore_));
      if (cursore_.segna_arresto(m_)) return false;
    }
    m_.crea_percorso(lunghezza_massima_percorso);
  }
  cursore_.numero_montagne = 0;
  cursore_.contatore_cartelli = voce::primo_cartello;
  if (m_.genera_linea != 0) m_.planimetria.inizia();
  return true;
}

// The field read at the end of the text (normally "[fine]") is never used.
// An entry that stops the reading is marked as the stop; reading on for
// checking, the body goes on after it.
Seguito LetturaLinea::leggi_corpo() {
  while (!lettore_.fine()) {
    std::string campo = leggi_campo();
    if (lettore_.fine()) return Seguito::continua;
    for (int i = 0; i < 2 && campo_commento(campo); ++i) {
      campo = leggi_campo();
      if (lettore_.fine()) return Seguito::continua;
    }
    const Seguito esito =
        con_ripresa(m_, cursore_, lettore_, Seguito::continua, [&] { return applica_corpo(campo); });
    if (ferma(esito) && cursore_.segna_arresto(m_)) return esito;
  }
  return Seguito::continua;
}

// The body's keyword tests, in the table's order: every test that matches
// reads its own values, also after an entry refused alone. Curves are read
// only when the plan is built.
Seguito LetturaLinea::applica_corpo(const std::string& campo) {
  for (const Parola parola : riferimento::lettura_corpo_linea) {
    if (!riconosce(parola, campo)) continue;
    if (const Seguito esito = voce_corpo(parola, campo); ferma(esito)) return esito;
  }
  return Seguito::continua;
}

Seguito LetturaLinea::voce_corpo(Parola parola, const std::string& campo) {
  switch (parola) {
    case Parola::pendenza: return pendenza();
    case Parola::curva: return m_.genera_linea != 0 ? curva(campo) : Seguito::continua;
    case Parola::montagna: return montagna();
    case Parola::indicatori: return indicatori();
    case Parola::cartello: return cartello();
    default: return Seguito::continua;
  }
}

Seguito LetturaLinea::pendenza() {
  const std::int32_t posizione = leggi_intero();
  const std::int32_t valore = leggi_intero();
  if (const auto codice = verifica_posizione(posizione)) return rifiuta(*codice, posizione);
  pendenze_.linea(m_, posizione, valore);
  return Seguito::continua;
}

Seguito LetturaLinea::curva(const std::string& campo) {
  const std::int32_t inizio = leggi_intero();
  const std::int32_t lunghezza = leggi_intero();
  if (const auto codice = verifica_posizione(inizio)) return rifiuta(*codice, inizio);
  const double k = curvatura(campo);
  if (k == 0.0) {
    m_.registra_errore(codice::curva_non_valida, std::nullopt, voce(),
                       "\"" + campo + "\" holds no class digit 1 to 6");
    return Seguito::arresto;
  }
  // A curve that ends before it starts bends nothing.
  if (lunghezza < 0) {
    m_.registra_avviso(std::string(controllo::nome(controllo::Avviso::negative_length)), voce(),
                       "a curve of negative length (" + std::to_string(lunghezza) +
                           " m) has no effect",
                       "write the length of the curve in metres, 0 or more");
    return Seguito::continua;
  }
  if (std::int64_t{inizio} + lunghezza > m_.lunghezza_totale) {
    return rifiuta(codice::fine_oltre_percorso, inizio);
  }
  if (!m_.planimetria.curva(inizio, lunghezza, k)) {
    m_.registra_errore(codice::curva_non_valida, std::nullopt, voce(),
                       "the plan view would grow beyond 1,000,000 m");
    return Seguito::arresto;
  }
  m_.segna_tratto(m_.origini_curve, inizio, std::int64_t{inizio} + lunghezza, voce());
  return Seguito::continua;
}

Seguito LetturaLinea::montagna() {
  const std::int32_t inizio = leggi_intero();
  const std::int32_t fine = leggi_intero();
  const std::int32_t tipo = leggi_intero();
  if (const auto codice = verifica_posizione(inizio)) return rifiuta(*codice, inizio);
  if (const auto codice = rifiuto_montagna(m_, cursore_, inizio, fine)) {
    return rifiuta(*codice, codice == codice::troppe_montagne ? inizio : fine);
  }
  Montagna stretto{inizio, fine, tipo};
  memo_montagna(m_, cursore_, stretto, voce());
  return Seguito::continua;
}

Seguito LetturaLinea::indicatori() {
  IndicatoreVMax i;
  i.posizione = leggi_intero();
  // Where the s-side speeds lie: each dominates its packed value, so a value
  // beyond 16 bits is reported on it.
  std::array<Tratto, 3> tratti_s;
  i.vas = leggi_intero();
  tratti_s[0] = lettore_.tratto();
  i.vbs = leggi_intero();
  tratti_s[1] = lettore_.tratto();
  i.vcs = leggi_intero();
  tratti_s[2] = lettore_.tratto();
  i.strisces = lettore_.leggi<std::int16_t>();
  i.vad = leggi_intero();
  i.vbd = leggi_intero();
  i.vcd = leggi_intero();
  i.strisced = lettore_.leggi<std::int16_t>();
  if (const auto codice = verifica_posizione(i.posizione)) return rifiuta(*codice, i.posizione);
  try {
    if (!memo_indicatori_v_max(m_, i, voce())) {
      registra_cella_occupata(m_, codice::cella_indicatore_occupata, i.posizione, voce(),
                              cella_punto(i.posizione));
      return Seguito::arresto;
    }
  } catch (const ValoreFuoriCampo& e) {
    throw ErroreLettura(tratti_s.at(e.indice()), e.what());
  }
  return Seguito::continua;
}

// Text boards take general-table records from 80 downward, one each.
Seguito LetturaLinea::cartello() {
  const std::int32_t posizione = leggi_intero();
  const std::string testo = cursore_.riga = lettore_.leggi_nome();
  if (const auto codice = verifica_posizione(posizione)) return rifiuta(*codice, posizione);
  const std::int64_t k = cella_punto(posizione);
  cella& c = m_.celle_percorso[static_cast<std::size_t>(k)];
  if (!cella_libera(c)) {
    registra_cella_occupata(m_, codice::cella_cartello_occupata, posizione, voce(), k);
    return Seguito::arresto;
  }
  std::int32_t& contatore = cursore_.contatore_cartelli;
  if (contatore < 1) return rifiuta(codice::troppi_cartelli, posizione);
  c.tipo = tipo_cella::cartello_testo;
  m_.segna_origine(k, voce());
  c.dato1 = static_cast<std::int16_t>(contatore);
  m_.record(contatore).nome = testo;
  --contatore;
  return Seguito::continua;
}

void LetturaLinea::termina_corpo() {
  pendenze_.completa(m_);
  if (m_.genera_linea != 0) m_.planimetria.completa();
}

// Code 15 ends the body and the reading goes on with the train text; the
// other codes of the format end the reading; a refused entry alone has no
// effect and the body goes on.
Seguito LetturaLinea::rifiuta(Codice codice, std::int32_t posizione) {
  m_.registra_errore(codice, posizione, voce());
  if (codice == codice::oltre_percorso) return Seguito::fine_testo;
  return codice::descrivi(codice).del_formato ? Seguito::arresto : Seguito::rifiutata;
}

// An object at p needs the cells up to (p + 100) / 50.
bool LetturaLinea::oltre_percorso(std::int32_t posizione) const {
  return inizio_cella(m_.ultima_cella()) < std::int64_t{posizione} + 100;
}

std::optional<Codice> LetturaLinea::verifica_posizione(std::int32_t posizione) const {
  if (posizione < 0) return codice::posizione_negativa;
  if (oltre_percorso(posizione)) return codice::oltre_percorso;
  return std::nullopt;
}

}  // namespace

Seguito leggi_linea(Modello& m, CursoreLettura& cursore, std::string_view testo) {
  return LetturaLinea(m, cursore, testo).esegui();
}

}  // namespace scenari
