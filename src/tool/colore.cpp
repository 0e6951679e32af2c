#include "tool/colore.h"

namespace scenari::tool {

namespace {

Colore scelta = Colore::automatico;

}  // namespace

std::optional<Colore> colore_da_nome(std::string_view nome) {
  if (nome == "auto") return Colore::automatico;
  if (nome == "always") return Colore::sempre;
  if (nome == "never") return Colore::mai;
  return std::nullopt;
}

void scegli_colore(Colore c) { scelta = c; }

bool colore_su(platform::Stream stream) {
  switch (scelta) {
    case Colore::sempre: return true;
    case Colore::mai: return false;
    case Colore::automatico: break;
  }
  return platform::colour_wanted(stream);
}

}  // namespace scenari::tool
