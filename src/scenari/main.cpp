#include <iostream>

#include "esecuzione/avvio.h"
#include "platform/files.h"
#include "platform/program_directory.h"
#include "platform/signals.h"
#include "platform/standard_output.h"
#include "platform/window.h"

int main() {
  scenari::platform::ignore_file_size_signal();
  scenari::platform::Files files;
  std::string cartella;
  try {
    cartella = scenari::platform::program_directory();
  } catch (const scenari::platform::FileError& e) {
    std::cerr << "scenari: cannot find the program directory: " << e.what() << '\n';
    return scenari::uscita_errore_file;
  }
  auto finestra = scenari::platform::open_window();
  int stato = scenari::esegui(*finestra, files, cartella);
  // As for scenari-tool: what could not be shown is a failure, even after
  // the files were written.
  try {
    scenari::platform::finish_standard_output();
  } catch (const scenari::platform::FileError& e) {
    std::cerr << "scenari: " << e.what() << '\n';
    stato = scenari::uscita_errore_file;
  }
  return stato;
}
