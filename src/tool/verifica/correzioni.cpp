#include "tool/verifica/correzioni.h"

#include <cstdint>
#include <string>

#include "core/lettura/campi.h"
#include "core/lettura/scansione.h"
#include "core/lettura/tabella_voci.h"
#include "core/modello/controlli.h"
#include "core/modello/nomi_file.h"
#include "tool/cp1252.h"
#include "tool/verifica/posto_libero.h"

namespace scenari::tool {

namespace {

using controllo::Avviso;
using controllo::nome;

struct Testo {
  IndiceRighe righe;
  const riferimento::Testo& rif;
};

bool cifre(std::string_view c, std::size_t minimo, std::size_t massimo) {
  return c.size() >= minimo && c.size() <= massimo &&
         c.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string_view senza_spazi_finali(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string_view tra(std::string_view riga, std::int32_t da, std::int32_t a) {
  if (da < 1 || a < da || static_cast<std::size_t>(a) - 1 > riga.size()) return {};
  return riga.substr(static_cast<std::size_t>(da) - 1, static_cast<std::size_t>(a - da));
}

Correzione in_luogo(const Tratto& t, std::string testo) {
  return Correzione{t.riga, t.inizio, t.fine, std::move(testo)};
}

// An entry's line as the reader takes it: its entry, and its values read in
// the modes of the entry's fields.
struct Voce {
  const riferimento::Voce* voce = nullptr;
  std::vector<CampoLetto> valori;
};

Voce voce_della_riga(std::string_view riga, std::int32_t numero, const riferimento::Testo& rif) {
  Voce v;
  v.voce = riferimento::voce_di(rif, campi_della_riga(riga, numero).front().valore);
  if (v.voce == nullptr) return v;
  v.valori = campi_della_riga(riga, numero, riferimento::modi_di(*v.voce), Modo::numero);
  v.valori.erase(v.valori.begin());
  return v;
}

// The character UTF-8 bytes stand for, where the code page has it; a byte
// order mark goes.
std::optional<Correzione> carattere(std::string_view riga, const Luogo& l) {
  const std::string_view byte = tra(riga, l.colonna, l.fine);
  if (byte.empty()) return std::nullopt;
  const Tratto t{l.riga, l.colonna, l.fine};
  if (l.riga == 1 && l.colonna == 1 && byte == "\xEF\xBB\xBF") return in_luogo(t, "");
  const std::string c = cp1252_da_utf8(byte);
  if (c == "?") return std::nullopt;
  return in_luogo(t, c);
}

// The one number of the line split by a thousands comma ("2,000"), joined
// again; none when no pair, or more than one, looks like it.
std::optional<Correzione> migliaia_unite(std::string_view riga, const Voce& v) {
  if (v.voce == nullptr || v.valori.size() != v.voce->campi.size() + 1) return std::nullopt;
  std::optional<std::size_t> unica;
  for (std::size_t i = 0; i + 1 < v.valori.size(); ++i) {
    const Tratto& a = v.valori[i].tratto;
    const Tratto& b = v.valori[i + 1].tratto;
    std::string_view separatore = tra(riga, a.fine, b.inizio);
    while (!separatore.empty() && separatore.front() == ' ') separatore.remove_prefix(1);
    if (!cifre(v.valori[i].valore, 1, 3) || !cifre(senza_spazi_finali(v.valori[i + 1].valore), 3, 3) ||
        senza_spazi_finali(separatore) != ",") {
      continue;
    }
    if (unica) return std::nullopt;
    unica = i;
  }
  if (!unica) return std::nullopt;
  const CampoLetto& prima = v.valori[*unica];
  const CampoLetto& dopo = v.valori[*unica + 1];
  return in_luogo(Tratto{prima.tratto.riga, prima.tratto.inizio, dopo.tratto.fine},
                  std::string(prima.valore) + std::string(senza_spazi_finali(dopo.valore)));
}

// The missing values at the end of the line, as the entry's example
// writes them.
std::optional<Correzione> valori_aggiunti(std::string_view riga, std::int32_t numero,
                                          const Voce& v) {
  if (v.voce == nullptr || v.valori.size() >= v.voce->campi.size()) return std::nullopt;
  std::vector<CampoLetto> esempio = campi_della_riga(v.voce->esempio, 1, riferimento::modi_di(*v.voce));
  esempio.erase(esempio.begin());
  if (esempio.size() != v.voce->campi.size()) return std::nullopt;
  std::string testo;
  for (std::size_t i = v.valori.size(); i < esempio.size(); ++i) {
    testo += ", " + std::string(senza_spazi_finali(esempio[i].valore));
  }
  const std::string_view scritta = senza_spazi_finali(riga);
  if (scritta.ends_with(',')) testo.erase(0, 1);
  const auto fine = static_cast<std::int32_t>(scritta.size()) + 1;
  return in_luogo(Tratto{numero, fine, fine}, testo);
}

// The whole number the reader made of a decimal: the field input itself
// rounds it.
std::optional<Correzione> intero_scritto(std::string_view riga, const Luogo& l) {
  const std::string_view decimale = tra(riga, l.colonna, l.fine);
  if (decimale.empty()) return std::nullopt;
  try {
    LettoreCampi lettore(decimale);
    return in_luogo(Tratto{l.riga, l.colonna, l.fine},
                    std::to_string(lettore.leggi<std::int32_t>()));
  } catch (const ErroreLettura&) {
    return std::nullopt;
  }
}

// What the fixes that compact the texts again need.
struct Compattata {
  const Scenario& scenario;
  const TestiDescrizione& testi;
  const Modello& modello;
};

// A taken cell: the position value moved to the nearest that fits.
std::optional<Correzione> posizione_spostata(const Problema& p, const Voce& v, bool del_treno,
                                             const Compattata& c) {
  if (v.voce == nullptr || v.valori.empty() || v.voce->campi.front().unita != "m") {
    return std::nullopt;
  }
  return posto_libero({p, v.valori.front().tratto, del_treno}, c.modello, c.scenario, c.testi);
}

std::optional<Correzione> correzione(const Problema& p, const Testo& t, bool del_treno,
                                     const Compattata& c) {
  const std::string_view riga = t.righe.riga(p.luogo.riga);
  if (p.controllo == "cell-taken") {
    return posizione_spostata(p, voce_della_riga(riga, p.luogo.riga, t.rif), del_treno, c);
  }
  if (p.controllo == nome(Avviso::utf8_text)) return carattere(riga, p.luogo);
  if (p.controllo == nome(Avviso::decimal_value)) return intero_scritto(riga, p.luogo);
  if (p.controllo == nome(Avviso::extra_values)) {
    return migliaia_unite(riga, voce_della_riga(riga, p.luogo.riga, t.rif));
  }
  if (p.controllo == nome(Avviso::missing_values)) {
    return valori_aggiunti(riga, p.luogo.riga, voce_della_riga(riga, p.luogo.riga, t.rif));
  }
  return std::nullopt;
}

}  // namespace

void aggiungi_correzioni(std::vector<Problema>& problemi, const Scenario& scenario,
                         const TestiDescrizione& testi, const Modello& modello) {
  if (!testi.linea || !testi.treno) return;
  const NomiFile nomi = nomi_file(scenario.nome_linea, scenario.numero_treno);
  const Testo linea{IndiceRighe(*testi.linea), riferimento::testi()[0]};
  const Testo treno{IndiceRighe(*testi.treno), riferimento::testi()[1]};
  const Compattata c{scenario, testi, modello};
  for (Problema& p : problemi) {
    if (p.correzione || p.luogo.riga < 1) continue;
    if (p.luogo.file == nomi.linea_txt) p.correzione = correzione(p, linea, false, c);
    if (p.luogo.file == nomi.treno_txt) p.correzione = correzione(p, treno, true, c);
  }
}

}  // namespace scenari::tool
