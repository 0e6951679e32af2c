// The scenario model: route cells, general table, plan geometry and the
// scalars that the readers, the route builder and the binary writer share,
// with the problems found and the entries behind the cells' objects.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/formato/celle.h"
#include "core/formato/tracciato.h"
#include "core/formato/record.h"
#include "core/modello/problema.h"

namespace scenari {

// Where the entry that put an object into a cell was written: which text
// (0 none, else an index into Modello::testi_letti plus one), line and columns.
struct OrigineCella {
  std::uint8_t testo = 0;
  std::int32_t riga = 0;
  std::int32_t colonna = 0;
  std::int32_t fine = 0;
};

// The entry of a stretch that holds no cell's object, with its ends.
struct OrigineTratto {
  std::int32_t da = 0;
  std::int32_t a = 0;
  OrigineCella voce;
};

struct Modello {
  std::string nome_linea;
  std::string numero_treno;
  std::int32_t genera_linea = 0;
  std::int32_t lunghezza_totale = 0;
  std::int32_t numero_celle = 0;  // upper index of celle_percorso

  std::vector<cella> celle_percorso;  // empty until the route length is read
  std::array<voce_tabella, numero_voci> tabella_generale{};
  Tracciato planimetria;  // the plan view, drawn when it is written

  voce_tabella& record(int numero) { return tabella_generale[static_cast<std::size_t>(numero)]; }
  const voce_tabella& record(int numero) const {
    return tabella_generale[static_cast<std::size_t>(numero)];
  }

  bool celle_create() const { return !celle_percorso.empty(); }
  std::int32_t ultima_cella() const { return numero_celle; }

  // Every problem recorded in this build, in the order found.
  std::vector<Problema> problemi;

  // The entry behind each cell's object, for the notes of problems that
  // meet it later; and the names of the texts those entries lie in. Kept
  // only for the cells that hold an object, about one in eight on a long
  // route: an array over every cell would fill zeros for all the others.
  std::unordered_map<std::int32_t, OrigineCella> origini;
  std::vector<std::string> testi_letti;
  void segna_origine(std::int64_t cella, const Luogo& voce);
  std::optional<Luogo> origine(std::int64_t cella) const;
  // The entries of the terrain stretches, with the first and last cell of
  // each (a later stretch overrides an earlier one in the cells they
  // share), and of the plan's curves, with the first and last metre each
  // turns; in the order read.
  std::vector<OrigineTratto> origini_montagne;
  std::vector<OrigineTratto> origini_curve;
  void segna_tratto(std::vector<OrigineTratto>& tratti, std::int64_t da, std::int64_t a,
                    const Luogo& voce);
  std::optional<Luogo> luogo(const OrigineCella& o) const;
  // Adds to `p` a note naming the entry that holds `cella`, when known.
  void nota_cella(Problema& p, std::int64_t cella) const;

  // The code of the last error of the format found, if any, and the
  // position of the last such error that carries one (0 when none does):
  // the values the readers test to stop. Refusals of single entries do not
  // count.
  std::optional<Codice> codice_errore() const;
  std::int32_t posizione_errore() const;
  static bool errore_del_formato(const Problema& p);
  // Whether any error at all was recorded, refusals included, and the last.
  bool ha_errori() const;
  const Problema* ultimo_errore() const;

  // Records an error of code `codice` found at `luogo`; `posizione` in metres
  // for the codes that carry one. The message and hint come from the code.
  Problema& registra_errore(Codice codice, std::optional<std::int32_t> posizione, Luogo luogo,
                            std::string dettaglio = {});
  // Records a warning: something the format accepts that an author seldom means.
  Problema& registra_avviso(std::string controllo, Luogo luogo, std::string messaggio,
                            std::string aiuto = {});

  // Creates the route cells for a route of `lunghezza` metres and, when
  // genera_linea is set, the plan array sized to match.
  void crea_percorso(std::int32_t lunghezza);
};

// A cell accepts a point object when it is empty or holds only a terrain
// marker.
inline bool cella_libera(const cella& c) {
  return c.tipo == tipo_cella::vuota || c.tipo == tipo_cella::marcatore_montagna;
}

}  // namespace scenari
