#include "tool/verifica/regole.h"

#include "core/formato/celle.h"
#include "core/lettura/campi.h"

namespace scenari::tool {

namespace {

using controllo::Avviso;

// A value as the reader takes it; no value when the reader refuses it, which
// is its error and not a rule's.
std::optional<std::int64_t> numero(std::string_view campo) {
  try {
    LettoreCampi lettore(campo);
    return lettore.leggi<std::int32_t>();
  } catch (const ErroreLettura&) {
    return std::nullopt;
  }
}

std::string con_unita(std::int64_t valore, const riferimento::Campo& campo) {
  std::string t = std::to_string(valore);
  if (!campo.unita.empty()) t += " " + std::string(campo.unita);
  return t;
}

// Whether the simulator gets the value as written, by its field's rule.
bool nella_regola(const riferimento::Regola& r, std::int64_t scritto) {
  if (scritto < r.minimo || scritto > r.massimo || scritto % r.passo != 0) return false;
  return r.conservato == nullptr || r.conservato(scritto) == scritto;
}

// "sx 0, rapp 5 and dx 1"
std::string elenco(const riferimento::Voce& voce, const riferimento::Pacchetto& p,
                   const riferimento::Pacchetto::Valori& valori, std::size_t tranne) {
  std::vector<std::string> parti;
  for (std::size_t j = 0; j < p.campi.size(); ++j) {
    if (j == tranne) continue;
    const riferimento::Campo& campo = voce.campi[p.campi[j]];
    parti.push_back(std::string(campo.nome) + " " + con_unita(valori[j], campo));
  }
  std::string t;
  for (std::size_t k = 0; k < parti.size(); ++k) {
    t += (k == 0 ? "" : k + 1 == parti.size() ? " and " : ", ") + parti[k];
  }
  return t;
}

}  // namespace

void RegoleValori::voce(const riferimento::Voce& voce, const std::vector<CampoLetto>& valori) {
  const std::size_t n = std::min(valori.size(), voce.campi.size());
  for (std::size_t i = 0; i < n; ++i) {
    const riferimento::Campo& campo = voce.campi[i];
    if (riferimento::modo_di(campo) != Modo::numero) continue;
    const auto scritto = numero(valori[i].valore);
    if (!scritto) continue;
    if (campo.regola.crescente) ordine(voce, valori[i], *scritto);
    if (campo.regola.non_prima_di >= 0) non_prima(voce, valori, i, *scritto);
    if (riferimento::regola_avvisata(campo.regola)) valore(campo, valori[i], *scritto);
  }
  for (const riferimento::Pacchetto& p : voce.pacchetti) pacchetto(voce, p, valori);
}

void RegoleValori::valore(const riferimento::Campo& campo, const CampoLetto& letto,
                          std::int64_t scritto) {
  const riferimento::Regola& r = campo.regola;
  const std::optional<std::int64_t> conservato = r.conservato ? r.conservato(scritto) : scritto;
  if (!conservato) return;
  const bool fuori = scritto < r.minimo || scritto > r.massimo;
  const bool fuori_passo = scritto % r.passo != 0;
  if (!fuori && !fuori_passo && *conservato == scritto) return;
  const std::string messaggio = con_unita(scritto, campo) + " is stored as " +
                                std::to_string(*conservato) + ": " + std::string(r.frase);
  if (!fuori && fuori_passo) {
    avvisa(Avviso::value_step, letto.tratto, messaggio,
           "write " + std::to_string(*conservato) + ", the value the simulator gets");
    const Tratto& t = letto.tratto;
    avvisi_.back().correzione = Correzione{t.riga, t.inizio, t.fine, std::to_string(*conservato)};
    return;
  }
  avvisa(Avviso::value_range, letto.tratto, messaggio,
         "write a value from " + std::to_string(r.minimo) + " to " + std::to_string(r.massimo) +
             (r.passo != 1 ? ", a multiple of " + std::to_string(r.passo) : std::string()));
}

// The reader fills a profile's cells up to the cell of each new line, and
// always at least one: a line at or before the end of the stretch filled so
// far takes effect only after it.
void RegoleValori::ordine(const riferimento::Voce& voce, const CampoLetto& letto,
                          std::int64_t posizione) {
  if (posizione < 0) return;  // refused by the reader: it fills nothing
  Profilo& profilo = profili_[&voce];
  const std::int64_t cella = cella_profilo(posizione);
  if (cella > 0) {
    do {
      ++profilo.cursore;
    } while (profilo.cursore < cella);
  }
  const std::int64_t precedente = profilo.posizione;
  profilo.posizione = posizione;
  if (profilo.cursore == cella) return;
  const std::string chiave(voce.parola);
  avvisa(Avviso::value_order, letto.tratto,
         std::to_string(posizione) + " m is taken as " +
             std::to_string(inizio_cella(profilo.cursore)) + " m: it follows the `" + chiave +
             "` line at " + std::to_string(precedente) + " m, and `" + chiave +
             "` lines go in ascending order of position",
         "move this line to its place among the `" + chiave + "` lines");
}

// A value that lies before the field it follows, such as a stretch that
// ends before it starts: what it spans is empty.
void RegoleValori::non_prima(const riferimento::Voce& voce, const std::vector<CampoLetto>& valori,
                             std::size_t i, std::int64_t scritto) {
  const auto k = static_cast<std::size_t>(voce.campi[i].regola.non_prima_di);
  const auto prima = numero(valori[k].valore);
  if (!prima || scritto >= *prima) return;
  const riferimento::Campo& campo = voce.campi[i];
  const riferimento::Campo& altro = voce.campi[k];
  avvisa(Avviso::value_order, valori[i].tratto,
         "the " + std::string(campo.nome) + " " + con_unita(scritto, campo) + " lies before the " +
             std::string(altro.nome) + " " + con_unita(*prima, altro) + ": the `" +
             std::string(voce.parola) + "` covers no cell",
         "write the " + std::string(campo.nome) + " at or after the " + std::string(altro.nome));
}

// Only values that each keep to their own rule: the others have a warning
// of their own. The warning stands on the first field, in text order, that
// takes the fields before it past their digits.
void RegoleValori::pacchetto(const riferimento::Voce& voce, const riferimento::Pacchetto& p,
                             const std::vector<CampoLetto>& valori) {
  riferimento::Pacchetto::Valori scritti{};
  for (std::size_t j = 0; j < p.campi.size(); ++j) {
    const std::size_t i = p.campi[j];
    if (i >= valori.size()) return;
    const auto scritto = numero(valori[i].valore);
    if (!scritto || !nella_regola(voce.campi[i].regola, *scritto)) return;
    scritti[j] = *scritto;
  }
  const riferimento::Pacchetto::Valori letti = p.riletti(scritti);
  if (letti == scritti) return;
  riferimento::Pacchetto::Valori fin_qui{};
  std::size_t colpa = 0;
  for (; colpa + 1 < p.campi.size(); ++colpa) {
    fin_qui[colpa] = scritti[colpa];
    if (p.riletti(fin_qui) != fin_qui) break;
  }
  const riferimento::Campo& campo = voce.campi[p.campi[colpa]];
  avvisa(Avviso::value_overflow, valori[p.campi[colpa]].tratto,
         std::string(campo.nome) + " " + con_unita(scritti[colpa], campo) + " with " +
             elenco(voce, p, scritti, colpa) + " is stored as " +
             elenco(voce, p, letti, p.campi.size()) + ": " + std::string(p.frase),
         std::string(p.aiuto));
}

void RegoleValori::avvisa(Avviso controllo, const Tratto& dove, std::string messaggio,
                          std::string aiuto) {
  avvisi_.push_back(avviso(controllo, Luogo{file_, dove.riga, dove.inizio, dove.fine},
                           std::move(messaggio), std::move(aiuto)));
}

}  // namespace scenari::tool
