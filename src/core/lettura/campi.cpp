#include "core/lettura/campi.h"

#include <algorithm>
#include <limits>

namespace scenari {

namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A whole part and its decimal digits to the nearest whole number, ties to
// the even one, decided on the digits so that no binary fraction rounds.
std::int64_t arrotonda_decimali(std::int64_t intera, std::string_view decimali) {
  if (decimali.empty() || decimali[0] < '5') return intera;
  const bool oltre_la_meta =
      decimali[0] > '5' || decimali.substr(1).find_first_not_of('0') != std::string_view::npos;
  if (oltre_la_meta || intera % 2 != 0) return intera + 1;
  return intera;
}

}  // namespace

ErroreLettura::ErroreLettura(const Tratto& tratto, const std::string& motivo)
    : std::runtime_error(motivo), tratto_(tratto) {}

void LettoreCampi::errore(const std::string& motivo) const { throw ErroreLettura(tratto_, motivo); }

std::string_view LettoreCampi::leggi_grezzo(Modo modo) {
  if (fine()) {
    tratto_ = scansione_.qui();
    errore("the text ends where a value was expected");
  }
  const CampoLetto campo = scansione_.campo(modo);
  tratto_ = campo.tratto;
  return campo.valore;
}

std::string LettoreCampi::leggi_testo() { return std::string(leggi_grezzo(Modo::testo)); }

std::string LettoreCampi::leggi_nome() {
  std::string nome = leggi_testo();
  if (nome.size() > std::numeric_limits<std::uint16_t>::max()) {
    errore("a name of " + std::to_string(nome.size()) + " characters does not fit its field");
  }
  return nome;
}

void LettoreCampi::fuori_intervallo(std::string_view valore, std::int64_t minimo,
                                    std::int64_t massimo) const {
  errore(std::string(valore) + " does not fit this field (" + std::to_string(minimo) + " to " +
         std::to_string(massimo) + ")");
}

void LettoreCampi::avvisa(controllo::Avviso controllo, std::string messaggio, std::string aiuto) const {
  if (avvisi_) {
    avvisi_(AvvisoCampo{tratto_, std::string(controllo::nome(controllo)), std::move(messaggio),
                        std::move(aiuto)});
  }
}

// The value of a run of digits, up to the first that takes it past
// `limite`: the caller refuses a value beyond it.
std::int64_t LettoreCampi::cifre(std::string_view cifre, std::string_view grezzo,
                                 std::int64_t limite) const {
  const bool tutte_cifre = std::all_of(cifre.begin(), cifre.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!tutte_cifre) errore("a whole number was expected, not \"" + std::string(grezzo) + "\"");
  std::int64_t valore = 0;
  for (char c : cifre) {
    valore = valore * 10 + (c - '0');
    if (valore > limite) return valore;
  }
  return valore;
}

std::int64_t LettoreCampi::leggi_numero(std::int64_t minimo, std::int64_t massimo) {
  std::string_view campo = leggi_grezzo(Modo::numero);
  while (!campo.empty() && spazio(campo.front())) campo.remove_prefix(1);
  while (!campo.empty() && spazio(campo.back())) campo.remove_suffix(1);
  const std::string_view grezzo = campo;
  bool negativo = false;
  if (!campo.empty() && (campo.front() == '-' || campo.front() == '+')) {
    negativo = campo.front() == '-';
    campo.remove_prefix(1);
  }
  if (campo.empty()) errore("a whole number was expected, the field is empty");
  const std::size_t punto = campo.find('.');
  const std::string_view intera = campo.substr(0, punto);
  const std::string_view decimali =
      punto == std::string_view::npos ? std::string_view() : campo.substr(punto + 1);
  if (intera.empty() && decimali.empty()) {
    errore("a whole number was expected, not \"" + std::string(grezzo) + "\"");
  }
  const std::int64_t limite = std::max(massimo, -minimo) + 1;
  std::int64_t valore = cifre(intera, grezzo, limite);
  if (valore > limite) fuori_intervallo(grezzo, minimo, massimo);
  if (punto != std::string_view::npos) {
    cifre(decimali, grezzo, 0);  // only checked: the digits decide the rounding
    valore = arrotonda_decimali(valore, decimali);
  }
  if (negativo) valore = -valore;
  if (valore < minimo || valore > massimo) fuori_intervallo(grezzo, minimo, massimo);
  if (punto != std::string_view::npos) {
    avvisa(controllo::Avviso::decimal_value,
           "the decimal value " + std::string(grezzo) + " is taken as " + std::to_string(valore),
           "write whole numbers: the format has no decimals");
  }
  return valore;
}

bool contiene(std::string_view campo, std::string_view parola) {
  return campo.find(parola) != std::string_view::npos;
}

std::string minuscolo(std::string_view testo) {
  std::string risultato(testo);
  for (char& c : risultato) c = minuscola(c);
  return risultato;
}

bool contiene_nocase(std::string_view campo, std::string_view parola) {
  auto uguale = [](char a, char b) { return minuscola(a) == minuscola(b); };
  return std::search(campo.begin(), campo.end(), parola.begin(), parola.end(), uguale) !=
         campo.end();
}

}  // namespace scenari
