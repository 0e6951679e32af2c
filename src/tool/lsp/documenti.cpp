#include "tool/lsp/documenti.h"

#include "core/modello/controlli.h"
#include "core/percorso/compattazione.h"
#include "tool/cp1252.h"
#include "tool/lsp/diagnostiche.h"
#include "tool/lsp/uri.h"
#include "tool/verifica/analisi.h"
#include "tool/verifica/correzioni.h"

namespace scenari::lsp {

namespace {

constexpr std::string_view fine_linea = "_linea.txt";
constexpr std::string_view fine_treno = "-.txt";

}  // namespace

std::optional<Identita> identita(const std::string& percorso) {
  const std::size_t barra = percorso.find_last_of("/\\");
  const std::size_t inizio = barra == std::string::npos ? 0 : barra + 1;
  Identita id{percorso.substr(0, inizio), percorso.substr(inizio), Tipo::linea, {}, {}};
  const std::string_view file = id.file;
  if (file.size() > fine_linea.size() && file.ends_with(fine_linea)) {
    id.nome_linea = file.substr(0, file.size() - fine_linea.size());
    return id;
  }
  // "X_N-.txt": the route name may hold '_', the train number is after the last.
  if (!file.ends_with(fine_treno)) return std::nullopt;
  const std::string_view senza = file.substr(0, file.size() - fine_treno.size());
  const std::size_t separatore = senza.rfind('_');
  if (separatore == std::string_view::npos || separatore == 0 || separatore + 1 == senza.size()) {
    return std::nullopt;
  }
  id.tipo = Tipo::treno;
  id.nome_linea = senza.substr(0, separatore);
  id.numero_treno = senza.substr(separatore + 1);
  return id;
}

const riferimento::Testo& riferimento_di(Tipo tipo) {
  return riferimento::testi()[tipo == Tipo::linea ? 0 : 1];
}

void Documenti::metti(const std::string& uri, std::string utf8) {
  aperti_[uri] = Aperto{percorso_da_uri(uri), std::move(utf8)};
}

const std::string* Documenti::testo(const std::string& uri) const {
  const auto a = aperti_.find(uri);
  return a == aperti_.end() ? nullptr : &a->second.utf8;
}

std::optional<Identita> Documenti::identita_di(const std::string& uri) const {
  const auto a = aperti_.find(uri);
  if (a == aperti_.end() || !a->second.percorso) return std::nullopt;
  return identita(*a->second.percorso);
}

std::optional<std::string> Documenti::uri_aperto(const std::string& percorso) const {
  for (const auto& [uri, a] : aperti_) {
    if (a.percorso == percorso) return uri;
  }
  return std::nullopt;
}

// A line text pairs with a train text of its route: an open one before a
// file, and among several the first by name, so the choice stays the same
// while the directory does.
Documenti::Partner Documenti::partner(const Identita& id) const {
  const auto da_percorso = [&](const std::string& file) -> Partner {
    const std::string percorso = id.cartella + file;
    if (const auto uri = uri_aperto(percorso)) return {*uri, file, aperti_.at(*uri).utf8};
    const std::optional<std::string> byte = disco_.leggi(percorso);
    return {uri_da_percorso(percorso), file,
            byte ? std::optional<std::string>(tool::utf8_da_1252(*byte)) : std::nullopt};
  };
  if (id.tipo == Tipo::treno) return da_percorso(id.nome_linea + std::string(fine_linea));
  const auto del_percorso = [&](const std::string& file) {
    const std::optional<Identita> altra = identita(id.cartella + file);
    return altra && altra->tipo == Tipo::treno && altra->nome_linea == id.nome_linea;
  };
  std::optional<std::string> scelto;
  for (const auto& [uri, a] : aperti_) {
    if (!a.percorso) continue;
    const std::optional<Identita> altra = identita(*a.percorso);
    if (altra && altra->cartella == id.cartella && del_percorso(altra->file) &&
        (!scelto || altra->file < *scelto)) {
      scelto = altra->file;
    }
  }
  if (!scelto) {
    for (const std::string& file : disco_.nomi_in(id.cartella.empty() ? "." : id.cartella)) {
      if (del_percorso(file)) {
        scelto = file;
        break;
      }
    }
  }
  if (!scelto) return {{}, id.nome_linea + "_N-.txt", std::nullopt};
  return da_percorso(*scelto);
}

std::optional<Documenti::Compagno> Documenti::compagno(const std::string& uri) const {
  const std::optional<Identita> id = identita_di(uri);
  if (!id) return std::nullopt;
  const Partner p = partner(*id);
  if (p.uri.empty()) return std::nullopt;
  return Compagno{p.uri, aperti_.contains(p.uri)};
}

std::vector<Pubblicazione> Documenti::analizza(const std::string& uri) {
  const std::optional<Identita> id = identita_di(uri);
  if (!id) return {};
  const Partner p = partner(*id);
  TestoAperto proprio{id->file, uri, aperti_.at(uri).utf8};
  TestoAperto altro{p.file, p.uri, p.utf8.value_or("")};
  const bool linea = id->tipo == Tipo::linea;
  std::vector<TestoAperto> testi;
  testi.push_back(linea ? proprio : altro);
  testi.push_back(linea ? altro : proprio);

  const std::string byte_linea = tool::cp1252_da_utf8(testi[0].utf8);
  const std::string byte_treno = tool::cp1252_da_utf8(testi[1].utf8);
  const std::string treno =
      linea ? identita(p.file).value_or(Identita{}).numero_treno : id->numero_treno;
  const Scenario scenario{id->nome_linea, treno, true};
  const TestiDescrizione testi_byte{byte_linea, byte_treno};
  tool::Analisi analisi = tool::analizza(scenario, testi_byte);
  // Only an editor offers the fixes; some cost compactions of their own.
  tool::aggiungi_correzioni(analisi.problemi, scenario, testi_byte, analisi.compattazione.modello());
  std::vector<Problema> problemi = std::move(analisi.problemi);
  if (!p.utf8) {
    Problema manca;
    manca.gravita = Gravita::avviso;
    manca.controllo = controllo::nome(controllo::Avviso::missing_text);
    manca.luogo = Luogo{id->file, 1, 1};
    manca.messaggio = "no " + std::string(linea ? "train text" : "line text") + " \"" + p.file +
                      "\" in this directory: this text is checked alone";
    manca.aiuto = "the two texts of a scenario lie in one directory";
    problemi.insert(problemi.begin(), std::move(manca));
  }
  // Problems on no text (no route at all) go on the line text, or on this
  // one when it stands alone.
  const std::size_t ospite = p.utf8 ? 0 : (linea ? 0 : 1);
  std::vector<Pubblicazione> uscita;
  for (std::size_t i = 0; i < testi.size(); ++i) {
    if (testi[i].uri.empty()) continue;
    uscita.push_back({testi[i].uri, diagnostiche(problemi, testi, i, ospite)});
  }
  return uscita;
}

}  // namespace scenari::lsp
