// The fixes of the problems that one edit of a text mends, beside the
// did-you-mean words the warnings make themselves: UTF-8 bytes as their
// character, a number split by a thousands comma joined again, missing
// values from the entry's example, a decimal as the whole number stored.
// Each is read off the problem's span with the scanner and the table of
// entries.
#pragma once

#include <vector>

#include "core/lettura/lettura.h"
#include "core/modello/nomi_file.h"
#include "core/modello/problema.h"

namespace scenari::tool {

void aggiungi_correzioni(std::vector<Problema>& problemi, const NomiFile& nomi,
                         const TestiDescrizione& testi);

}  // namespace scenari::tool
