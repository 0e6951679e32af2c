#include "esecuzione/testi.h"

namespace scenari {

namespace {

constexpr std::string_view righe_linea[] = {
    "[generale]",
    "lunghezza percorso,    7000",
    "progressiva chilometrica uno,    0,    0,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    1",
    "sfondo due,    0",
    "sfondo tre,    0",
    "ripetizione segnali 4 codici,    0    ,0",
    "[curve]",
    "curvad2,   500,  300",
    "curvas3,  1000,  900",
    "curvas4,  2600,  1100",
    "[pendenze]",
    "pendenza  , 500    , -7",
    "pendenza  , 2000   , -10",
    "pendenza  , 4000   , 0",
    "pendenza  , 4800   , 4",
    "pendenza  , 5800   , 0",
    "[montagne]",
    "[cartelli]",
    "indicatori_vmax,  1050, 85, 90, 95, 0, 85, 90, 95, 0",
    "indicatori_vmax,  3500, 80, 85, 90, 0, 80, 85, 90, 0",
    "[indicazioni]",
    "[fine]",
    fine_tabella,
};

// Line 5 keeps its trailing blank: the clock values are separated by runs of
// blanks, and the reader takes the whole field.
constexpr std::string_view righe_treno[] = {
    "[generale]",
    "numero vetture,    6",
    "percentuale massa frenata,    120",
    "sabbia,    0",
    "orologio,    7               59            47 ",
    "[aderenze]",
    "aderenza,   0,    100",
    "aderenza,    2000,    75",
    "aderenza,    3500,    72",
    "aderenza,    4000,    80",
    "[vel_limite]",
    "velocita,       0,    30",
    "velocita,    1000,    90",
    "velocita,    3300,    30",
    "[stazioni]",
    "stazione,       0,  8,  500,  0, 0, 0,  1,1,0,  4,1,1,    1,   0, 0, 0, LAGO FONTANA",
    "stazione,    4500,  2,  600,  1, 0, 1,  1,1,0,  2,1,1,    0,   8, 9, 0, LAGO MARINELLA",
    "[rallentamenti]",
    "[segnali]",
    "segnale,    1000,   2, 5, 1,  1, 0,    0,  0,0,0, 0",
    "segnale,    2300,   2, 3, 1,  0, 0,    0,  0,0,0, 0",
    "segnale,    3450,   2, 2, 3,  0, 0,    0,  0,0,0, 0",
    "[codici]",
    "[fine]",
    fine_tabella,
};

}  // namespace

std::string componi_testo(std::span<const std::string_view> righe) {
  std::string testo;
  // A table without its end marker stops at its last entry rather than
  // running past it.
  for (std::string_view riga : righe) {
    if (riga == fine_tabella) break;
    testo += riga;
    testo += "\r\n";
  }
  return testo;
}

void scrivi_testo(platform::Files& files, const std::string& percorso,
                  std::span<const std::string_view> righe) {
  files.replace(percorso, componi_testo(righe));
}

std::string testo_linea() { return componi_testo(righe_linea); }
std::string testo_treno() { return componi_testo(righe_treno); }

void dati_linea(platform::Files& files, const NomiFile& nomi) {
  scrivi_testo(files, nomi.linea_txt, righe_linea);
}

void dati_treno(platform::Files& files, const NomiFile& nomi) {
  scrivi_testo(files, nomi.treno_txt, righe_treno);
}

}  // namespace scenari
