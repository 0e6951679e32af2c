// The language server as a function of messages: each body that comes in
// gives the bodies to send back, answers and notifications, in order. The
// loop around it reads and writes the frames.
#pragma once

#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tool/lsp/documenti.h"

namespace scenari::lsp {

class Server {
 public:
  // `guida`: the URI of the texts' reference (docs/testi.md), where each
  // error code links to; none when empty.
  explicit Server(Disco& disco, std::string guida = {})
      : documenti_(disco), guida_(std::move(guida)) {}

  std::vector<std::string> ricevi(std::string_view corpo);
  // The answer to a header block that names no usable body.
  std::vector<std::string> header_malformato();
  // Publishes the diagnostics changes have left pending. The loop calls it
  // when the input pauses, so a burst of changes is analysed once.
  std::vector<std::string> a_riposo();

  // "exit" has come.
  bool finito() const { return finito_; }
  // 0 when "shutdown" came before "exit", 1 otherwise.
  int stato_uscita() const { return spento_ ? 0 : 1; }

 private:
  void gestisci(const std::string& metodo, const nlohmann::json& parametri,
                const nlohmann::json* id);
  void rispondi(const nlohmann::json& id, nlohmann::json risultato);
  void errore(const nlohmann::json& id, int codice, const std::string& messaggio);
  void notifica(const std::string& metodo, nlohmann::json parametri);
  void pubblica(const std::string& uri);
  void pubblica_in_sospeso();
  void chiudi(const std::string& uri);

  nlohmann::json inizializza(const nlohmann::json& parametri);
  nlohmann::json hover(const nlohmann::json& parametri) const;
  nlohmann::json completamento(const nlohmann::json& parametri) const;
  nlohmann::json simboli_documento(const nlohmann::json& parametri) const;
  nlohmann::json definizione(const nlohmann::json& parametri);
  nlohmann::json suggerimenti(const nlohmann::json& parametri) const;
  nlohmann::json azioni_codice(const nlohmann::json& parametri);

  Documenti documenti_;
  std::string guida_;
  // The diagnostics last published, by URI, for "definition".
  std::map<std::string, nlohmann::json> pubblicate_;
  std::set<std::string> in_sospeso_;
  bool snippet_ = false;
  bool iniziato_ = false;
  bool spento_ = false;
  bool finito_ = false;
  std::vector<std::string> uscita_;
};

}  // namespace scenari::lsp
