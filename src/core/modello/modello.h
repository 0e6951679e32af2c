// The scenario model: route cells, general table, plan geometry and the
// scalars that the readers, the route builder and the binary writer share.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/formato/planimetria.h"
#include "core/formato/record.h"

namespace scenari {

// One problem of the scenario data: its code, position in metres, and the
// description text and line on which reading stopped (no text for problems
// found by the route builder).
struct Problema {
  std::int32_t codice = 0;
  std::int32_t posizione = 0;
  std::string file;
  std::int32_t riga = 0;

  bool operator==(const Problema&) const = default;
};
inline constexpr int numero_massimo_montagne = 80;

struct Modello {
  std::string nome_linea;
  std::string numero_treno;
  std::int32_t genera_linea = 0;
  std::int32_t lunghezza_totale = 0;
  std::int32_t numero_celle = 0;  // upper index of celle_percorso

  std::vector<cella> celle_percorso;  // empty until the route length is read
  std::array<voce_tabella, numero_voci> tabella_generale{};
  Planimetria planimetria;

  std::string riga;  // the field last read from a description text
  std::int32_t numero_montagne = 0;
  std::array<std::int32_t, numero_massimo_montagne + 1> inizio_montagna{};
  std::array<std::int32_t, numero_massimo_montagne + 1> fine_montagna{};

  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;

  std::string file_in_lettura;  // the description text now being read, if any

  // Record counter of the text boards (80 downward) as the line reader left
  // it; the train reader's stations must stay below it.
  std::int32_t contatore_cartelli = 80;

  bool celle_create() const { return !celle_percorso.empty(); }
  std::int32_t ultima_cella() const { return numero_celle; }

  // Every problem recorded in this build, in order; codice_errore and
  // posizione_errore keep the last.
  std::vector<Problema> problemi;

  // The last problem recorded, or nullptr when there is none.
  const Problema* ultimo_problema() const { return problemi.empty() ? nullptr : &problemi.back(); }

  // Records a problem of the scenario data at `posizione` metres, found on
  // line `riga` of the text being read (0 outside the readers); a later code
  // replaces an earlier one.
  void registra_errore(std::int32_t codice, std::int32_t posizione, std::int32_t riga);

  // Creates the route cells for a route of `lunghezza` metres and, when
  // genera_linea is set, the plan array sized to match.
  void crea_percorso(std::int32_t lunghezza);
};

// A cell accepts a point object when it is empty or holds only a terrain
// marker.
inline bool cella_libera(const cella& c) { return c.tipo == 0 || c.tipo == 11; }

// nearest(numeratore / denominatore): exact division, ties to the even
// whole number. denominatore must be positive.
std::int64_t arrotonda(std::int64_t numeratore, std::int64_t denominatore);

// Codes for entries the readers refuse because the model cannot hold them
// (the other codes keep their historical numbers).
inline constexpr std::int32_t codice_fine_oltre_percorso = 104;
inline constexpr std::int32_t codice_troppe_montagne = 105;
inline constexpr std::int32_t codice_troppi_cartelli = 106;
inline constexpr std::int32_t codice_posizione_negativa = 107;
inline constexpr std::int32_t codice_senza_lunghezza = 108;
inline constexpr std::int32_t codice_avvicinamento_fuori = 111;
inline constexpr std::int32_t codice_rallentamento_fuori = 112;
inline constexpr std::int32_t codice_rallentamento_corto = 113;
inline constexpr std::int32_t codice_marciapiede_fuori = 114;

// Meaning of an error code, for reports to the user.
const char* significato_codice(std::int32_t codice);

}  // namespace scenari
