#include "tool/significato.h"

#include <cstdio>
#include <sstream>

#include "core/formato/celle.h"
#include "tool/cp1252.h"

namespace scenari::tool {

namespace {

// hh:mm:ss of a time of day given in seconds, or as hours, minutes, seconds.
std::string ora(std::int64_t ore, std::int64_t minuti, std::int64_t secondi) {
  char testo[48];
  std::snprintf(testo, sizeof testo, "%02lld:%02lld:%02lld", static_cast<long long>(ore),
                static_cast<long long>(minuti), static_cast<long long>(secondi));
  return testo;
}
std::string ora(std::int64_t secondi) {
  return ora(secondi / 3600, secondi / 60 % 60, secondi % 60);
}

std::string velocita_cartello(std::int16_t dato) {
  const VelocitaCartello v = decodifica_cartello_velocita(dato);
  return std::to_string(v.s) + "/" + std::to_string(v.d);
}

std::string coppia(std::int16_t dato) {
  const Coppia c = decodifica_coppia(dato);
  return std::to_string(c.s) + "/" + std::to_string(c.d);
}

std::string decodifica_segnale(const cella& c) {
  const AspettoSegnale a = decodifica_ripetizione(c.dato4);
  return "s/d " + coppia(c.dato1) + " " + coppia(c.dato2) + " " + coppia(c.dato3) + ", rapp " +
         std::to_string(a.rapp) + ", sx " + std::to_string(a.sx) + " dx " + std::to_string(a.dx) +
         (c.tempo_segnale != 0 ? ", time " + std::to_string(c.tempo_segnale) : "");
}

std::string decodifica_rallentamento(const cella& c, bool con_f_tt) {
  return "speed " + std::to_string(c.dato1) + " km/h" +
         (c.dato2 != 0 ? ", d_v " + std::to_string(c.dato2) : "") +
         (con_f_tt ? ", f_tt " + std::to_string(c.dato3) : "");
}

}  // namespace

std::string decodifica_cella(std::size_t indice, const cella& c) {
  std::string d;
  switch (c.tipo) {
    case tipo_cella::segnale: d = decodifica_segnale(c); break;
    case tipo_cella::fine_rallentamento:
    case tipo_cella::inizio_rallentamento: d = decodifica_rallentamento(c, true); break;
    case tipo_cella::cartello_avviso: d = decodifica_rallentamento(c, false); break;
    case tipo_cella::prima_dell_avviso: d = "board distance " + std::to_string(c.dato1); break;
    case tipo_cella::indicatore_velocita:
      d = "s/d km/h " + velocita_cartello(c.dato1) + " " + velocita_cartello(c.dato2) + " " +
          velocita_cartello(c.dato3) + ", stripes " + coppia(c.dato4);
      break;
    case tipo_cella::fermata:
      d = "station of record " + std::to_string(c.dato1) + ", platform end";
      break;
    case tipo_cella::abbattimento_con_valore: d = "value " + std::to_string(c.dato1); break;
    case tipo_cella::cartello_testo: d = "text in record " + std::to_string(c.dato1); break;
    default: break;
  }
  if (cella_timbrata(indice, c)) {
    d += (d.empty() ? "" : "; ") + std::string("start stamp ") + std::to_string(c.dato1) +
         ", check code " + std::to_string(c.dato2);
  }
  return d;
}

std::string decodifica_voce(std::size_t numero, const voce_tabella& v) {
  std::ostringstream d;
  switch (numero) {
    case voce::progressiva_tre:
    case voce::progressiva_due:
    case voce::progressiva_uno:
      d << "kilometric progressive " << v.valore1 << ", " << v.valore2 << ", " << v.valore3;
      break;
    case voce::treno:
      d << "braked mass " << v.valore1 << " %, route length " << v.valore2 << " m, " << v.valore3
        << " cars";
      break;
    case voce::linea:
      d << "backgrounds uno " << v.valore1 << " tre " << v.valore2 << " due " << v.valore3
        << ", route \"" << utf8_da_1252(v.nome) << "\"";
      if (voce_timbrata(v)) d << ", start stamp " << v.intero1 << ", check code " << v.valore4;
      break;
    case voce::orologio:
      d << "signal repetition " << v.valore1 << ", " << v.valore2 << " code " << v.valore3
        << ", train \"" << utf8_da_1252(v.nome) << "\", sand " << v.intero1 << ", clock "
        << ora(v.intero3, v.intero4, v.intero5);
      break;
    default:
      if (numero == 0 || v == voce_tabella{}) break;
      if (v.nome.size() > 0 && voce_tabella{.nome = v.nome} == v) {
        d << "text board \"" << utf8_da_1252(v.nome) << "\"";
      } else {
        d << "station \"" << utf8_da_1252(v.nome) << "\" at " << v.valore3 << " m, platform "
          << v.valore1 << " to " << v.valore2 << " m, time " << ora(v.valore4);
      }
  }
  return d.str();
}

}  // namespace scenari::tool
