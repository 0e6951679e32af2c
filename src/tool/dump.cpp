#include "tool/dump.h"

#include <charconv>
#include <cstdio>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <sstream>

#include "core/formato/celle.h"
#include "core/formato/formato_binario.h"
#include "tool/cp1252.h"
#include "tool/significato.h"
#include "tool/rapporto.h"
#include "tool/stato.h"

namespace scenari::tool {

namespace {

bool finisce_con(const std::string& nome, std::string_view coda) {
  return nome.size() >= coda.size() && nome.compare(nome.size() - coda.size(), coda.size(), coda) == 0;
}

// Shortest text that reads back as the same double.
std::string testo_double(double v) {
  char buffer[32];
  const auto fine = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
  return std::string(buffer, fine);
}

// ---- route cells ----

nlohmann::json cella_json(std::size_t indice, const cella& c) {
  return {{"index", indice},
          {"position", inizio_cella(static_cast<std::int64_t>(indice))},
          {"at", metro_autore(indice, c)},
          {"tipo", c.tipo},
          {"type", tipo_cella::nome(c.tipo)},
          {"dato1", c.dato1},
          {"dato2", c.dato2},
          {"dato3", c.dato3},
          {"dato4", c.dato4},
          {"tempo_segnale", c.tempo_segnale},
          {"avvicinamento", c.avvicinamento},
          {"montagna", c.montagna},
          {"velocita_limite", c.velocita_limite},
          {"speed_limit_kmh", velocita_kmh(c.velocita_limite)},
          {"pendenza", c.pendenza},
          {"gradient", pendenza_per_mille(c.pendenza)},
          {"aderenza", c.aderenza},
          {"decoded", decodifica_cella(indice, c)}};
}

bool cella_piena(std::size_t indice, const cella& c) {
  return c.tipo != tipo_cella::vuota || c.avvicinamento != 0 || cella_timbrata(indice, c);
}

bool in_intervallo(std::int64_t metro, const Selezione& s) {
  return (!s.da || metro >= *s.da) && (!s.a || metro <= *s.a);
}

bool cella_scelta(std::size_t indice, const cella& c, const Selezione& s) {
  return in_intervallo(metro_autore(indice, c), s) && (!s.solo_piene || cella_piena(indice, c));
}

// Right-aligned columns, each `larghezza` wide plus one blank before it.
template <typename... T>
void colonne(std::ostream& out, int larghezza, const T&... valori) {
  ((out << ' ' << std::setw(larghezza) << valori), ...);
}

void scrivi_celle(std::ostream& out, std::string_view byte, const Selezione& s) {
  const auto celle = decodifica_celle(byte);
  out << std::setw(5) << "cell" << std::setw(9) << "metre" << "  " << std::left << std::setw(26)
      << "type" << std::right;
  colonne(out, 6, "dato1", "dato2", "dato3", "dato4");
  colonne(out, 8, "time", "approach", "terrain", "km/h", "gradient", "adhesion");
  out << "  decoded\n";
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const cella& c = celle[k];
    if (!cella_scelta(k, c, s)) continue;
    const std::string tipo = std::to_string(c.tipo) + " " +
                             (cella_timbrata(k, c) && c.tipo == tipo_cella::vuota
                                  ? "start record"
                                  : tipo_cella::nome(c.tipo));
    out << std::setw(5) << k << std::setw(9) << metro_autore(k, c) << "  " << std::left
        << std::setw(26) << tipo << std::right;
    colonne(out, 6, c.dato1, c.dato2, c.dato3, c.dato4);
    colonne(out, 8, +c.tempo_segnale, +c.avvicinamento, +c.montagna,
            velocita_kmh(c.velocita_limite), pendenza_per_mille(c.pendenza), +c.aderenza);
    const std::string d = decodifica_cella(k, c);
    out << (d.empty() ? "" : "  ") << d << '\n';
  }
}

// ---- general table ----

nlohmann::json voce_json(std::size_t numero, const voce_tabella& v) {
  return {{"record", numero},     {"tipo", v.tipo},       {"valore1", v.valore1},
          {"valore2", v.valore2}, {"valore3", v.valore3}, {"opzione", v.opzione},
          {"nome", utf8_da_1252(v.nome)},                 {"intero1", v.intero1},
          {"intero2", v.intero2}, {"intero3", v.intero3}, {"intero4", v.intero4},
          {"intero5", v.intero5}, {"byte1", v.byte1},     {"byte2", v.byte2},
          {"byte3", v.byte3},     {"byte4", v.byte4},     {"valore4", v.valore4},
          {"decoded", decodifica_voce(numero, v)}};
}

// One "name value" pair per member, each in a column of its own width so
// that the records line up under each other.
void scrivi_tabella(std::ostream& out, std::string_view byte) {
  const auto tabella = decodifica_tabella(byte);
  for (std::size_t r = 0; r < tabella.size(); ++r) {
    const voce_tabella& v = tabella[r];
    out << "record " << std::setw(2) << r << ": tipo " << std::setw(3) << +v.tipo << "  valore1 "
        << std::setw(11) << v.valore1 << "  valore2 " << std::setw(11) << v.valore2
        << "  valore3 " << std::setw(11) << v.valore3 << "  opzione " << std::setw(3)
        << +v.opzione << "  nome \"" << utf8_da_1252(v.nome) << "\"\n           intero1 "
        << std::setw(6) << v.intero1 << "  intero2 " << std::setw(6) << v.intero2
        << "  intero3 " << std::setw(6) << v.intero3 << "  intero4 " << std::setw(6)
        << v.intero4 << "  intero5 " << std::setw(6) << v.intero5 << "  byte1 " << std::setw(3)
        << +v.byte1 << "  byte2 " << std::setw(3) << +v.byte2 << "  byte3 " << std::setw(3)
        << +v.byte3 << "  byte4 " << std::setw(3) << +v.byte4 << "  valore4 " << std::setw(11)
        << v.valore4 << '\n';
    const std::string d = decodifica_voce(r, v);
    if (!d.empty()) out << "           = " << d << '\n';
  }
}

// ---- plan geometry ----

const char* nome_tipo_elemento(const valore_piano& v) {
  if (std::holds_alternative<std::int16_t>(v)) return "integer";
  if (std::holds_alternative<double>(v)) return "double";
  return "empty";
}

std::string testo_elemento(const valore_piano& v) {
  if (const auto* i = std::get_if<std::int16_t>(&v)) return std::to_string(*i);
  if (const auto* d = std::get_if<double>(&v)) return testo_double(*d);
  return "-";
}

nlohmann::json elemento_json(const valore_piano& v) {
  nlohmann::json j = {{"kind", nome_tipo_elemento(v)}};
  if (const auto* i = std::get_if<std::int16_t>(&v)) j["value"] = *i;
  if (const auto* d = std::get_if<double>(&v)) j["value"] = *d;
  return j;
}

// The widest shortest double text is 24 characters ("-1.2345678901234567e-100").
constexpr int larghezza_coordinata = 24;

void scrivi_planimetria(std::ostream& out, std::string_view byte, const Selezione& s) {
  const Planimetria p = decodifica_planimetria(byte);
  out << std::setw(7) << "point" << ' ' << std::setw(larghezza_coordinata) << "x" << ' '
      << std::left << std::setw(7) << "kind" << std::right << ' '
      << std::setw(larghezza_coordinata) << "y" << " kind\n";
  for (std::int32_t m = 0; m <= p.ultimo_metro(); ++m) {
    if (!in_intervallo(m, s)) continue;
    out << std::setw(7) << m << ' ' << std::setw(larghezza_coordinata) << testo_elemento(p.x(m))
        << ' ' << std::left << std::setw(7) << nome_tipo_elemento(p.x(m)) << std::right << ' '
        << std::setw(larghezza_coordinata) << testo_elemento(p.y(m)) << ' '
        << nome_tipo_elemento(p.y(m)) << '\n';
  }
}

// The object {"kind": ..., "<chiave>": [...]} printed as testo_json prints
// it (keys in order, one blank of indent per level), one element at a
// time: a document of the whole file would take many times its size. It
// begins with the first element or the end, so a file refused while it is
// read prints nothing.
class ElencoJson {
 public:
  ElencoJson(std::ostream& out, std::string_view chiave, std::string_view tipo)
      : out_(out), chiave_(chiave), tipo_(tipo), tipo_prima_(std::string_view("kind") < chiave) {}

  void aggiungi(const nlohmann::json& elemento) {
    apri();
    out_ << (vuoto_ ? "\n  " : ",\n  ");
    vuoto_ = false;
    // Line breaks inside strings are escaped, so every one is the
    // layout's, and takes the two blanks of the element's depth.
    const std::string testo = testo_json(elemento);
    std::size_t da = 0;
    for (std::size_t a = testo.find('\n'); a != std::string::npos; a = testo.find('\n', da)) {
      out_.write(testo.data() + da, static_cast<std::streamsize>(a + 1 - da)) << "  ";
      da = a + 1;
    }
    out_.write(testo.data() + da, static_cast<std::streamsize>(testo.size() - da));
  }

  void chiudi() {
    apri();
    out_ << (vuoto_ ? "]" : "\n ]");
    if (!tipo_prima_) out_ << ",\n \"kind\": " << testo_json(tipo_);
    out_ << "\n}";
  }

 private:
  void apri() {
    if (aperto_) return;
    aperto_ = true;
    out_ << "{\n";
    if (tipo_prima_) out_ << " \"kind\": " << testo_json(tipo_) << ",\n";
    out_ << " " << testo_json(chiave_) << ": [";
  }

  std::ostream& out_;
  std::string chiave_;
  std::string tipo_;
  bool tipo_prima_;
  bool aperto_ = false;
  bool vuoto_ = true;
};

void verifica_selezione(TipoFile tipo, const Selezione& s) {
  if (tipo == TipoFile::tabella && (s.da || s.a || s.solo_piene)) {
    throw Rifiuto{uscita_uso, "--from, --to and --nonempty select cells (.dat) and plan points "
                              "(_linea.dat); a .sim file is shown whole"};
  }
  if (tipo == TipoFile::planimetria && s.solo_piene) {
    throw Rifiuto{uscita_uso, "--nonempty selects cells (.dat); every plan point holds a value"};
  }
}

}  // namespace

TipoFile tipo_da_nome(const std::string& nome) {
  if (finisce_con(nome, "_linea.dat")) return TipoFile::planimetria;
  if (finisce_con(nome, ".sim")) return TipoFile::tabella;
  if (finisce_con(nome, ".dat")) return TipoFile::celle;
  throw Rifiuto{uscita_uso, nome_visibile(nome) + ": not a scenario binary (expected a name ending in "
                                   "_linea.dat, .sim or .dat)"};
}

void scrivi_dump_testo(std::ostream& out, TipoFile tipo, std::string_view byte,
                       const Selezione& selezione) {
  verifica_selezione(tipo, selezione);
  switch (tipo) {
    case TipoFile::celle: scrivi_celle(out, byte, selezione); break;
    case TipoFile::tabella: scrivi_tabella(out, byte); break;
    case TipoFile::planimetria: scrivi_planimetria(out, byte, selezione); break;
  }
}

void scrivi_dump_json(std::ostream& out, TipoFile tipo, std::string_view byte,
                      const Selezione& selezione) {
  verifica_selezione(tipo, selezione);
  switch (tipo) {
    case TipoFile::celle: {
      const auto celle = decodifica_celle(byte);
      ElencoJson elenco(out, "cells", "route cells");
      for (std::size_t k = 0; k < celle.size(); ++k) {
        if (cella_scelta(k, celle[k], selezione)) elenco.aggiungi(cella_json(k, celle[k]));
      }
      elenco.chiudi();
      return;
    }
    case TipoFile::tabella: {
      const auto tabella = decodifica_tabella(byte);
      ElencoJson elenco(out, "records", "general table");
      for (std::size_t r = 0; r < tabella.size(); ++r) elenco.aggiungi(voce_json(r, tabella[r]));
      elenco.chiudi();
      return;
    }
    case TipoFile::planimetria: {
      ElencoJson elenco(out, "points", "plan geometry");
      scorri_planimetria(byte, [&](std::int32_t m, const valore_piano& x, const valore_piano& y) {
        if (in_intervallo(m, selezione)) {
          elenco.aggiungi({{"point", m}, {"x", elemento_json(x)}, {"y", elemento_json(y)}});
        }
      });
      elenco.chiudi();
      return;
    }
  }
}

}  // namespace scenari::tool
