#include "tool/dump.h"

#include <charconv>
#include <iomanip>

#include "core/formato/formato_binario.h"
#include "tool/cp1252.h"
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

constexpr int metri_per_cella = 50;
constexpr int passo_velocita = 5;
constexpr int zero_pendenza = 100;

// ---- route cells ----

nlohmann::json cella_json(std::size_t indice, const cella& c) {
  return {{"index", indice},
          {"position", static_cast<long>(indice) * metri_per_cella},
          {"tipo", c.tipo},
          {"type", nome_tipo_cella(c.tipo)},
          {"dato1", c.dato1},
          {"dato2", c.dato2},
          {"dato3", c.dato3},
          {"dato4", c.dato4},
          {"tempo_segnale", c.tempo_segnale},
          {"avvicinamento", c.avvicinamento},
          {"montagna", c.montagna},
          {"velocita_limite", c.velocita_limite},
          {"speed_limit_kmh", c.velocita_limite * passo_velocita},
          {"pendenza", c.pendenza},
          {"gradient", c.pendenza - zero_pendenza},
          {"aderenza", c.aderenza}};
}

// Right-aligned columns, each `larghezza` wide plus one blank before it.
template <typename... T>
void colonne(std::ostream& out, int larghezza, const T&... valori) {
  ((out << ' ' << std::setw(larghezza) << valori), ...);
}

void scrivi_celle(std::ostream& out, std::string_view byte) {
  const auto celle = decodifica_celle(byte);
  out << std::setw(5) << "cell" << std::setw(9) << "metre" << "  " << std::left << std::setw(26)
      << "type" << std::right;
  colonne(out, 6, "dato1", "dato2", "dato3", "dato4");
  colonne(out, 8, "time", "approach", "terrain", "km/h", "gradient", "adhesion");
  out << '\n';
  for (std::size_t k = 0; k < celle.size(); ++k) {
    const cella& c = celle[k];
    const std::string tipo = std::to_string(c.tipo) + " " + nome_tipo_cella(c.tipo);
    out << std::setw(5) << k << std::setw(9) << k * metri_per_cella << "  " << std::left
        << std::setw(26) << tipo << std::right;
    colonne(out, 6, c.dato1, c.dato2, c.dato3, c.dato4);
    colonne(out, 8, +c.tempo_segnale, +c.avvicinamento, +c.montagna,
            c.velocita_limite * passo_velocita, c.pendenza - zero_pendenza, +c.aderenza);
    out << '\n';
  }
}

// ---- general table ----

nlohmann::json voce_json(std::size_t numero, const voce_tabella& v) {
  return {{"record", numero},     {"tipo", v.tipo},       {"valore1", v.valore1},
          {"valore2", v.valore2}, {"valore3", v.valore3}, {"opzione", v.opzione},
          {"nome", utf8_da_1252(v.nome)},                 {"intero1", v.intero1},
          {"intero2", v.intero2}, {"intero3", v.intero3}, {"intero4", v.intero4},
          {"intero5", v.intero5}, {"byte1", v.byte1},     {"byte2", v.byte2},
          {"byte3", v.byte3},     {"byte4", v.byte4},     {"valore4", v.valore4}};
}

void scrivi_tabella(std::ostream& out, std::string_view byte) {
  const auto tabella = decodifica_tabella(byte);
  for (std::size_t r = 0; r < tabella.size(); ++r) {
    const voce_tabella& v = tabella[r];
    out << "record " << std::setw(2) << r << ": tipo " << +v.tipo << " valore1 " << v.valore1
        << " valore2 " << v.valore2 << " valore3 " << v.valore3 << " opzione " << +v.opzione
        << " nome \"" << utf8_da_1252(v.nome) << "\"\n           intero1 " << v.intero1
        << " intero2 " << v.intero2 << " intero3 " << v.intero3 << " intero4 " << v.intero4
        << " intero5 " << v.intero5 << " byte1 " << +v.byte1 << " byte2 " << +v.byte2
        << " byte3 " << +v.byte3 << " byte4 " << +v.byte4 << " valore4 " << v.valore4 << '\n';
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

void scrivi_planimetria(std::ostream& out, std::string_view byte) {
  const Planimetria p = decodifica_planimetria(byte);
  auto elemento = [](const valore_piano& v) {
    return testo_elemento(v) + " (" + nome_tipo_elemento(v) + ")";
  };
  out << std::setw(7) << "point" << "  " << std::left << std::setw(30) << "x (kind)"
      << "y (kind)\n" << std::right;
  for (std::int32_t m = 0; m <= p.ultimo_metro(); ++m) {
    out << std::setw(7) << m << "  " << std::left << std::setw(30) << elemento(p.x(m))
        << elemento(p.y(m)) << '\n' << std::right;
  }
}

}  // namespace

TipoFile tipo_da_nome(const std::string& nome) {
  if (finisce_con(nome, "_linea.dat")) return TipoFile::planimetria;
  if (finisce_con(nome, ".sim")) return TipoFile::tabella;
  if (finisce_con(nome, ".dat")) return TipoFile::celle;
  throw Rifiuto{uscita_uso, nome + ": not a scenario binary (expected a name ending in "
                                   "_linea.dat, .sim or .dat)"};
}

const char* nome_tipo_cella(int tipo) {
  switch (tipo) {
    case 0: return "empty";
    case 1: return "signal";
    case 2: return "slowdown end";
    case 3: return "slowdown start";
    case 4: return "slowdown warning board";
    case 5: return "before warning board";
    case 6: return "speed board";
    case 10: return "station stop";
    case 11: return "terrain marker";
    case 12: return "abbattimento (value)";
    case 13: return "abbattimento";
    case 14: return "text board";
    default: return "unknown";
  }
}

void scrivi_dump_testo(std::ostream& out, TipoFile tipo, std::string_view byte) {
  switch (tipo) {
    case TipoFile::celle: scrivi_celle(out, byte); break;
    case TipoFile::tabella: scrivi_tabella(out, byte); break;
    case TipoFile::planimetria: scrivi_planimetria(out, byte); break;
  }
}

nlohmann::json dump_json(TipoFile tipo, std::string_view byte) {
  nlohmann::json elenco = nlohmann::json::array();
  switch (tipo) {
    case TipoFile::celle: {
      const auto celle = decodifica_celle(byte);
      for (std::size_t k = 0; k < celle.size(); ++k) elenco.push_back(cella_json(k, celle[k]));
      return {{"kind", "route cells"}, {"cells", elenco}};
    }
    case TipoFile::tabella: {
      const auto tabella = decodifica_tabella(byte);
      for (std::size_t r = 0; r < tabella.size(); ++r) elenco.push_back(voce_json(r, tabella[r]));
      return {{"kind", "general table"}, {"records", elenco}};
    }
    case TipoFile::planimetria: {
      const Planimetria p = decodifica_planimetria(byte);
      for (std::int32_t m = 0; m <= p.ultimo_metro(); ++m) {
        elenco.push_back({{"point", m}, {"x", elemento_json(p.x(m))}, {"y", elemento_json(p.y(m))}});
      }
      return {{"kind", "plan geometry"}, {"points", elenco}};
    }
  }
  return {};
}

}  // namespace scenari::tool
