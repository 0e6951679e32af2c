#include "tool/lsp/server.h"

#include <stdexcept>

#include "tool/lsp/aiuto.h"
#include "tool/lsp/azioni.h"
#include "tool/lsp/nomi_campi.h"
#include "tool/lsp/righe.h"
#include "tool/lsp/simboli.h"

namespace scenari::lsp {

namespace {

using nlohmann::json;

// The protocol's error codes.
constexpr int parse_error = -32700;
constexpr int invalid_request = -32600;
constexpr int method_not_found = -32601;
constexpr int invalid_params = -32602;
constexpr int internal_error = -32603;
constexpr int server_not_initialized = -32002;

class ParametriNonValidi : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

const json& membro(const json& oggetto, const char* nome) {
  if (!oggetto.is_object() || !oggetto.contains(nome)) {
    throw ParametriNonValidi(std::string("missing \"") + nome + "\"");
  }
  return oggetto.at(nome);
}

std::string stringa(const json& oggetto, const char* nome) {
  const json& v = membro(oggetto, nome);
  if (!v.is_string()) throw ParametriNonValidi(std::string("\"") + nome + "\" is no string");
  return v.get<std::string>();
}

std::size_t intero(const json& oggetto, const char* nome) {
  const json& v = membro(oggetto, nome);
  if (!v.is_number_unsigned()) {
    throw ParametriNonValidi(std::string("\"") + nome + "\" is no unsigned integer");
  }
  return v.get<std::size_t>();
}

std::string uri_di(const json& parametri) {
  return stringa(membro(parametri, "textDocument"), "uri");
}

// A true value at the end of a path of members, false where any is missing.
bool vero(const json& oggetto, std::initializer_list<const char*> percorso) {
  const json* v = &oggetto;
  for (const char* nome : percorso) {
    if (!v->is_object() || !v->contains(nome)) return false;
    v = &v->at(nome);
  }
  return v->is_boolean() && v->get<bool>();
}

std::string testo_json(const json& j) {
  return j.dump(-1, ' ', false, json::error_handler_t::replace);
}

// The document, line and byte a position names; nothing past the text.
struct Punto {
  const std::string* testo;
  std::size_t linea;
  std::string_view riga;
  std::size_t byte;
};

}  // namespace

std::vector<std::string> Server::ricevi(std::string_view corpo) {
  uscita_.clear();
  const json m = json::parse(corpo, nullptr, false);
  if (m.is_discarded()) {
    errore(nullptr, parse_error, "the message is not JSON");
    return std::move(uscita_);
  }
  const json* id = m.is_object() && m.contains("id") ? &m.at("id") : nullptr;
  const bool id_valido = id == nullptr || id->is_string() || id->is_number_integer();
  if (!m.is_object() || !id_valido) {
    errore(nullptr, invalid_request, "a message is an object with a string or integer id");
    return std::move(uscita_);
  }
  if (!m.contains("method")) return {};  // an answer to a request of ours: none are sent
  if (!m.at("method").is_string()) {
    if (id != nullptr) errore(*id, invalid_request, "\"method\" is no string");
    return std::move(uscita_);
  }
  const json nessuno = json::object();
  const json& parametri = m.contains("params") ? m.at("params") : nessuno;
  try {
    gestisci(m.at("method").get<std::string>(), parametri, id);
  } catch (const ParametriNonValidi& e) {
    if (id != nullptr) errore(*id, invalid_params, e.what());
  } catch (const json::exception& e) {
    if (id != nullptr) errore(*id, invalid_params, e.what());
  } catch (const std::exception& e) {
    if (id != nullptr) errore(*id, internal_error, e.what());
  }
  return std::move(uscita_);
}

std::vector<std::string> Server::header_malformato() {
  uscita_.clear();
  errore(nullptr, parse_error, "a header block without a usable Content-Length");
  return std::move(uscita_);
}

std::vector<std::string> Server::a_riposo() {
  uscita_.clear();
  pubblica_in_sospeso();
  return std::move(uscita_);
}

void Server::gestisci(const std::string& metodo, const json& parametri, const json* id) {
  if (metodo == "exit") {
    finito_ = true;
    return;
  }
  if (id == nullptr && (!iniziato_ || spento_)) return;
  if (id != nullptr && spento_) return errore(*id, invalid_request, "the server is shut down");
  if (id != nullptr && metodo == "initialize") {
    if (iniziato_) return errore(*id, invalid_request, "already initialized");
    return rispondi(*id, inizializza(parametri));
  }
  if (id != nullptr && !iniziato_) return errore(*id, server_not_initialized, "not initialized");

  if (id == nullptr) {
    if (metodo == "textDocument/didOpen") {
      const json& documento = membro(parametri, "textDocument");
      const std::string uri = stringa(documento, "uri");
      documenti_.metti(uri, stringa(documento, "text"));
      in_sospeso_.erase(uri);
      pubblica(uri);
    } else if (metodo == "textDocument/didChange") {
      const std::string uri = uri_di(parametri);
      const json& cambi = membro(parametri, "contentChanges");
      if (documenti_.testo(uri) == nullptr || !cambi.is_array() || cambi.empty()) return;
      // Whole-text sync: the last change is the text.
      documenti_.metti(uri, stringa(cambi.back(), "text"));
      in_sospeso_.insert(uri);
    } else if (metodo == "textDocument/didSave") {
      const std::string uri = uri_di(parametri);
      if (documenti_.testo(uri) == nullptr) return;
      if (parametri.contains("text")) documenti_.metti(uri, stringa(parametri, "text"));
      in_sospeso_.erase(uri);
      pubblica(uri);
    } else if (metodo == "textDocument/didClose") {
      chiudi(uri_di(parametri));
    }
    return;
  }

  if (metodo == "shutdown") {
    pubblica_in_sospeso();
    spento_ = true;
    rispondi(*id, nullptr);
  } else if (metodo == "textDocument/hover") {
    rispondi(*id, hover(parametri));
  } else if (metodo == "textDocument/completion") {
    rispondi(*id, completamento(parametri));
  } else if (metodo == "textDocument/documentSymbol") {
    rispondi(*id, simboli_documento(parametri));
  } else if (metodo == "textDocument/definition") {
    rispondi(*id, definizione(parametri));
  } else if (metodo == "textDocument/codeAction") {
    rispondi(*id, azioni_codice(parametri));
  } else if (metodo == "textDocument/inlayHint") {
    rispondi(*id, suggerimenti(parametri));
  } else {
    errore(*id, method_not_found, "no method \"" + metodo + "\"");
  }
}

json Server::inizializza(const json& parametri) {
  iniziato_ = true;
  snippet_ = vero(parametri, {"capabilities", "textDocument", "completion", "completionItem",
                              "snippetSupport"});
  return {{"capabilities",
           {{"positionEncoding", "utf-16"},
            {"textDocumentSync",
             {{"openClose", true}, {"change", 1}, {"save", {{"includeText", false}}}}},
            {"hoverProvider", true},
            {"completionProvider", {{"triggerCharacters", {"["}}}},
            {"documentSymbolProvider", true},
            {"definitionProvider", true},
            {"inlayHintProvider", true},
            {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}}}},
          {"serverInfo", {{"name", "scenari-tool"}}}};
}

namespace {

std::optional<Punto> punto(const Documenti& documenti, const json& parametri) {
  const std::string* testo = documenti.testo(uri_di(parametri));
  const json& posizione = membro(parametri, "position");
  const std::size_t linea = intero(posizione, "line");
  const std::size_t carattere = intero(posizione, "character");
  if (testo == nullptr) return std::nullopt;
  const std::vector<std::string_view> righe = righe_di(*testo);
  if (linea >= righe.size()) return std::nullopt;
  return Punto{testo, linea, righe[linea], byte_da_utf16(righe[linea], carattere)};
}

json intervallo_byte(const Punto& p, const Tratto& t) {
  return {{"start", {{"line", p.linea}, {"character", utf16_da_byte(p.riga, t.inizio)}}},
          {"end", {{"line", p.linea}, {"character", utf16_da_byte(p.riga, t.fine)}}}};
}

bool contiene(const json& intervallo, std::size_t linea, std::size_t carattere) {
  const json& inizio = intervallo.at("start");
  const json& fine = intervallo.at("end");
  const auto prima = [](std::size_t l1, std::size_t c1, std::size_t l2, std::size_t c2) {
    return l1 < l2 || (l1 == l2 && c1 <= c2);
  };
  return prima(inizio.at("line"), inizio.at("character"), linea, carattere) &&
         prima(linea, carattere, fine.at("line"), fine.at("character"));
}

}  // namespace

json Server::hover(const json& parametri) const {
  const std::optional<Punto> p = punto(documenti_, parametri);
  const std::optional<Identita> id = documenti_.identita_di(uri_di(parametri));
  if (!p || !id) return nullptr;
  const std::optional<Aiuto> a = aiuto_campo(riferimento_di(id->tipo), p->riga, p->byte);
  if (!a) return nullptr;
  return {{"contents", {{"kind", "markdown"}, {"value", a->markdown}}},
          {"range", intervallo_byte(*p, a->tratto)}};
}

json Server::completamento(const json& parametri) const {
  const std::optional<Punto> p = punto(documenti_, parametri);
  const std::optional<Identita> id = documenti_.identita_di(uri_di(parametri));
  if (!p || !id) return json::array();
  return completamenti(riferimento_di(id->tipo), {p->riga, p->linea, p->byte, snippet_});
}

json Server::simboli_documento(const json& parametri) const {
  const std::string uri = uri_di(parametri);
  const std::string* testo = documenti_.testo(uri);
  const std::optional<Identita> id = documenti_.identita_di(uri);
  if (testo == nullptr || !id) return nullptr;
  return simboli(riferimento_di(id->tipo), *testo);
}

json Server::suggerimenti(const json& parametri) const {
  const std::string uri = uri_di(parametri);
  const json& intervallo = membro(parametri, "range");
  const std::size_t da = intero(membro(intervallo, "start"), "line");
  const std::size_t a = intero(membro(intervallo, "end"), "line");
  const std::string* testo = documenti_.testo(uri);
  const std::optional<Identita> id = documenti_.identita_di(uri);
  if (testo == nullptr || !id) return nullptr;
  return nomi_campi(riferimento_di(id->tipo), *testo, da, a);
}

json Server::azioni_codice(const json& parametri) {
  const std::string uri = uri_di(parametri);
  const json& intervallo = membro(parametri, "range");
  if (in_sospeso_.contains(uri)) pubblica_in_sospeso();
  const auto pubblicata = pubblicate_.find(uri);
  if (pubblicata == pubblicate_.end()) return json::array();
  return azioni(uri, pubblicata->second, intervallo);
}

json Server::definizione(const json& parametri) {
  const std::string uri = uri_di(parametri);
  const json& posizione = membro(parametri, "position");
  const std::size_t linea = intero(posizione, "line");
  const std::size_t carattere = intero(posizione, "character");
  if (in_sospeso_.contains(uri)) pubblica_in_sospeso();
  const auto pubblicata = pubblicate_.find(uri);
  if (pubblicata == pubblicate_.end()) return nullptr;
  json luoghi = json::array();
  for (const json& d : pubblicata->second) {
    if (!d.contains("relatedInformation") || !contiene(d.at("range"), linea, carattere)) continue;
    for (const json& r : d.at("relatedInformation")) luoghi.push_back(r.at("location"));
  }
  if (luoghi.empty()) return nullptr;
  return luoghi;
}

void Server::pubblica(const std::string& uri) {
  for (Pubblicazione& p : documenti_.analizza(uri)) {
    for (json& d : p.diagnostiche) {
      if (guida_.empty()) continue;
      const json& codice = d.at("code");
      const std::string ancora = codice.is_number() ? "#code-" + std::to_string(codice.get<int>())
                                                    : "#warning-" + codice.get<std::string>();
      d["codeDescription"] = {{"href", guida_ + ancora}};
    }
    pubblicate_[p.uri] = p.diagnostiche;
    notifica("textDocument/publishDiagnostics",
             {{"uri", p.uri}, {"diagnostics", std::move(p.diagnostiche)}});
  }
}

void Server::pubblica_in_sospeso() {
  while (!in_sospeso_.empty()) {
    const std::string uri = *in_sospeso_.begin();
    in_sospeso_.erase(in_sospeso_.begin());
    // One analysis covers both texts of the scenario.
    if (const auto c = documenti_.compagno(uri)) in_sospeso_.erase(c->uri);
    pubblica(uri);
  }
}

void Server::chiudi(const std::string& uri) {
  const std::optional<Documenti::Compagno> c = documenti_.compagno(uri);
  documenti_.chiudi(uri);
  in_sospeso_.erase(uri);
  if (c && c->aperto) {
    // The partner now reads this text from its file.
    in_sospeso_.erase(c->uri);
    pubblica(c->uri);
    return;
  }
  for (const std::string& u : {uri, c ? c->uri : std::string()}) {
    if (u.empty() || !pubblicate_.contains(u)) continue;
    pubblicate_.erase(u);
    notifica("textDocument/publishDiagnostics", {{"uri", u}, {"diagnostics", json::array()}});
  }
}

void Server::rispondi(const json& id, json risultato) {
  uscita_.push_back(testo_json({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(risultato)}}));
}

void Server::errore(const json& id, int codice, const std::string& messaggio) {
  uscita_.push_back(testo_json(
      {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", messaggio}}}}));
}

void Server::notifica(const std::string& metodo, json parametri) {
  uscita_.push_back(
      testo_json({{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(parametri)}}));
}

}  // namespace scenari::lsp
