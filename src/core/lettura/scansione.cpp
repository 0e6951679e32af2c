#include "core/lettura/scansione.h"

namespace scenari {

namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }
bool fine_riga(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::int32_t Scansione::colonna(std::size_t pos) const {
  return static_cast<std::int32_t>(pos - inizio_riga_) + 1;
}

Tratto Scansione::qui() const { return {riga_, colonna(pos_), colonna(pos_)}; }

void Scansione::salta_spazi() {
  while (pos_ < testo_.size() && spazio(testo_[pos_])) ++pos_;
}

bool Scansione::a_fine_riga() const { return pos_ >= testo_.size() || fine_riga(testo_[pos_]); }

void Scansione::consuma_fine_riga() {
  if (pos_ >= testo_.size()) return;
  if (testo_[pos_] == '\r') {
    ++pos_;
    if (pos_ < testo_.size() && testo_[pos_] == '\n') ++pos_;
  } else if (testo_[pos_] == '\n') {
    ++pos_;
  } else {
    return;  // a blank ended a numeric field: the line goes on
  }
  ++riga_;
  inizio_riga_ = pos_;
}

// Consumes what closes a field: a comma or a line end. A comma before the
// line end leaves the line end to close the empty field after it, so a
// trailing comma never reaches into the next line.
void Scansione::consuma_delimitatore() {
  salta_spazi();
  virgola_ = pos_ < testo_.size() && testo_[pos_] == ',';
  if (virgola_) {
    ++pos_;
  } else {
    consuma_fine_riga();
  }
}

void Scansione::salta_a_riga(std::int32_t riga) {
  while (!fine() && riga_ < riga) {
    while (!a_fine_riga()) ++pos_;
    consuma_fine_riga();
  }
}

CampoLetto Scansione::campo(Modo modo) {
  salta_spazi();
  const std::size_t inizio = pos_;
  const std::int32_t riga = riga_;
  CampoLetto letto;
  if (pos_ < testo_.size() && testo_[pos_] == '"') {
    const std::size_t dentro = ++pos_;
    while (!a_fine_riga() && testo_[pos_] != '"') ++pos_;
    letto.valore = testo_.substr(dentro, pos_ - dentro);
    if (pos_ < testo_.size() && testo_[pos_] == '"') ++pos_;
    letto.tratto = {riga, colonna(inizio), colonna(pos_)};
    while (!a_fine_riga() && testo_[pos_] != ',') ++pos_;
  } else {
    while (!a_fine_riga() && testo_[pos_] != ',' && !(modo == Modo::numero && spazio(testo_[pos_]))) {
      ++pos_;
    }
    letto.valore = testo_.substr(inizio, pos_ - inizio);
    std::size_t fine = pos_;
    while (fine > inizio && spazio(testo_[fine - 1])) --fine;
    letto.tratto = {riga, colonna(inizio), colonna(fine)};
  }
  consuma_delimitatore();
  return letto;
}

std::vector<CampoLetto> campi_della_riga(std::string_view riga, std::int32_t numero,
                                         std::span<const Modo> modi, Modo resto) {
  Scansione s(riga);
  std::vector<CampoLetto> campi;
  do {
    const std::size_t i = campi.size();
    const Modo modo = i == 0 ? Modo::testo : i - 1 < modi.size() ? modi[i - 1] : resto;
    campi.push_back(s.campo(modo));
    campi.back().tratto.riga = numero;
  } while (!s.fine());
  if (s.chiuso_da_virgola()) {
    const std::int32_t fine = s.qui().inizio;
    campi.push_back({riga.substr(riga.size()), {numero, fine, fine}});
  }
  return campi;
}

IndiceRighe::IndiceRighe(std::string_view testo) {
  std::size_t inizio = 0;
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (!fine_riga(testo[i])) continue;
    righe_.push_back(testo.substr(inizio, i - inizio));
    if (testo[i] == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') ++i;
    inizio = i + 1;
  }
  righe_.push_back(testo.substr(inizio));
}

std::string_view IndiceRighe::riga(std::int32_t riga) const {
  if (riga < 1 || riga > numero_righe()) return {};
  return righe_[static_cast<std::size_t>(riga) - 1];
}

bool campo_commento(std::string_view campo) { return campo.find('-') != std::string_view::npos; }

}  // namespace scenari
