// The line table from which every text file is written, and the two
// description texts of the embedded scenario.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "esecuzione/nomi_file.h"
#include "platform/files.h"

namespace scenari {

// Closes a line table; never written itself.
inline constexpr std::string_view fine_tabella = "riferimento fine del file";

// The bytes of a text file: each entry up to the end marker, CR LF after
// each. Entries are Windows-1252 bytes.
std::string componi_testo(std::span<const std::string_view> righe);

// Replaces the file at `percorso` with the text of `righe`.
void scrivi_testo(platform::Files& files, const std::string& percorso,
                  std::span<const std::string_view> righe);

// Content of the two description texts of the embedded scenario.
std::string testo_linea();
std::string testo_treno();

// Write the line and the train description texts.
void dati_linea(platform::Files& files, const NomiFile& nomi);
void dati_treno(platform::Files& files, const NomiFile& nomi);

}  // namespace scenari
