#include <iostream>

#include "esecuzione/avvio.h"
#include "platform/files.h"
#include "platform/program_directory.h"
#include "platform/signals.h"
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
  return scenari::esegui(*finestra, files, cartella);
}
