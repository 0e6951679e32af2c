// Every value of an entry against the documented rule of its field, as the
// table of entries states it: a value outside its range, off its step, or a
// profile line out of the order of its kind is a warning on the value that
// says what the simulator gets instead, as is a value that packed with the
// others of its stored value spills into their digits. Values the format cannot hold at all
// are the readers' errors and are left to them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/lettura/scansione.h"
#include "core/lettura/tabella_voci.h"
#include "core/modello/controlli.h"

namespace scenari::tool {

class RegoleValori {
 public:
  explicit RegoleValori(std::string file) : file_(std::move(file)) {}

  // The values of one line, read as `voce`, in text order.
  void voce(const riferimento::Voce& voce, const std::vector<CampoLetto>& valori);

  std::vector<Problema> avvisi() && { return std::move(avvisi_); }

 private:
  // A profile's lines take effect from the first cell that no line before
  // them filled: where the last one ended, and the position it was written at.
  struct Profilo {
    std::int64_t cursore = 0;
    std::int64_t posizione = 0;
  };

  void valore(const riferimento::Campo& campo, const CampoLetto& letto, std::int64_t scritto);
  void ordine(const riferimento::Voce& voce, const CampoLetto& letto, std::int64_t posizione);
  void non_prima(const riferimento::Voce& voce, const std::vector<CampoLetto>& valori, std::size_t i,
                 std::int64_t scritto);
  void pacchetto(const riferimento::Voce& voce, const riferimento::Pacchetto& p,
                 const std::vector<CampoLetto>& valori);
  void avvisa(controllo::Avviso controllo, const Tratto& dove, std::string messaggio, std::string aiuto);

  std::string file_;
  std::map<const riferimento::Voce*, Profilo> profili_;
  std::vector<Problema> avvisi_;
};

}  // namespace scenari::tool
