#include "tool/verifica/avvisi.h"

#include <algorithm>
#include <cstdint>

#include "core/lettura/campi.h"
#include "core/lettura/scansione.h"
#include "core/lettura/tabella_voci.h"
#include "core/modello/codici.h"
#include "tool/distanza.h"
#include "tool/verifica/regole.h"

namespace scenari::tool {

namespace {

using controllo::Avviso;

struct Riga {
  std::int32_t numero;
  std::string_view testo;
  std::vector<CampoLetto> campi;  // each as a text field
};

bool spazio(char c) { return c == ' ' || c == '\t'; }

std::string_view senza_spazi(std::string_view s) {
  while (!s.empty() && spazio(s.back())) s.remove_suffix(1);
  return s;
}

// The known word nearest to `parola`, when it is near enough to be a slip.
std::optional<std::string> piu_vicina(std::string_view parola,
                                      const std::vector<std::string>& note) {
  const std::string cercata = minuscolo(parola);
  std::optional<std::string> migliore;
  std::size_t minima = std::max<std::size_t>(2, cercata.size() / 3) + 1;
  for (const std::string& nota : note) {
    // The distance is at least the difference of the lengths: a word that
    // far off cannot be nearer, and is not measured.
    const std::size_t scarto = cercata.size() > nota.size() ? cercata.size() - nota.size()
                                                            : nota.size() - cercata.size();
    if (scarto >= minima) continue;
    const std::size_t d = distanza_modifica(cercata, minuscolo(nota));
    if (d < minima) {
      minima = d;
      migliore = nota;
    }
  }
  return migliore;
}

const riferimento::Testo& riferimento_di(TipoTesto tipo) {
  return riferimento::testi()[tipo == TipoTesto::linea ? 0 : 1];
}

std::vector<std::string> parole_chiave(const riferimento::Testo& t) {
  std::vector<std::string> parole;
  for (const auto& s : t.sezioni) {
    for (const auto& v : s.voci) {
      parole.emplace_back(v.parola);
      for (std::string_view p : v.contiene) parole.emplace_back(p);
    }
  }
  return parole;
}

std::vector<std::string> intestazioni(const riferimento::Testo& t) {
  std::vector<std::string> nomi = {"[fine]"};
  for (const auto& s : t.sezioni) nomi.emplace_back(s.intestazione);
  return nomi;
}

bool intestazione(std::string_view campo) {
  return campo.size() >= 2 && campo.front() == '[' && campo.find(']') != std::string_view::npos;
}

// A dash inside a keyword, not in front of it as a comment's.
bool trattino_nella_parola(std::string_view campo) {
  const std::size_t primo = campo.find_first_not_of(" \t");
  return primo != std::string_view::npos && campo[primo] != '-' &&
         campo.find('-') != std::string_view::npos;
}

std::string senza_trattini(std::string_view campo) {
  std::string t(campo);
  std::replace(t.begin(), t.end(), '-', ' ');
  return t;
}

// "\"segnale\"", or "\"segnale\" then \"stazione\""
std::string nomi_voci(const std::vector<const riferimento::Voce*>& voci) {
  std::string t;
  for (std::size_t i = 0; i < voci.size(); ++i) {
    t += (i == 0 ? "\"" : " then \"") + std::string(voci[i]->parola) + "\"";
  }
  return t;
}

std::size_t valori_attesi(const std::vector<const riferimento::Voce*>& voci) {
  std::size_t n = 0;
  for (const riferimento::Voce* v : voci) n += v->campi.size();
  return n;
}

bool solo_cifre(std::string_view campo) {
  if (!campo.empty() && (campo.front() == '-' || campo.front() == '+')) campo.remove_prefix(1);
  return !campo.empty() && std::all_of(campo.begin(), campo.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == '.';
  });
}

bool sembra_commento(std::string_view campo) {
  for (std::string_view segno : {"#", "//", ";", "'", "*", "rem "}) {
    if (minuscolo(campo.substr(0, segno.size())) == segno) return true;
  }
  return false;
}

// Bytes that Windows-1252 does not define, and control characters other
// than the tab.
bool non_stampabile(unsigned char c) {
  return (c < 0x20 && c != '\t') || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F ||
         c == 0x90 || c == 0x9D;
}

// The length of a UTF-8 sequence of two to four bytes starting at `pos`, 0
// when there is none.
std::size_t sequenza_utf8(std::string_view s, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char primo = byte(pos);
  const std::size_t n = primo >= 0xC2 && primo <= 0xDF   ? 2
                        : primo >= 0xE0 && primo <= 0xEF ? 3
                        : primo >= 0xF0 && primo <= 0xF4 ? 4
                                                         : 0;
  if (n == 0 || pos + n > s.size()) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if (byte(pos + i) < 0x80 || byte(pos + i) > 0xBF) return 0;
  }
  return n;
}

std::string esadecimale(std::string_view byte) {
  static const char cifre[] = "0123456789ABCDEF";
  std::string t;
  for (char c : byte) {
    const auto u = static_cast<unsigned char>(c);
    if (!t.empty()) t += ' ';
    t += cifre[u >> 4];
    t += cifre[u & 0xF];
  }
  return t;
}

class Verifica {
 public:
  Verifica(const TestoDaVerificare& t, const EsitoLettura& lettura)
      : t_(t), lettura_(lettura), rif_(riferimento_di(t.tipo)),
        parole_(parole_chiave(rif_)), intestazioni_(intestazioni(rif_)), regole_(t.file) {}

  std::vector<Problema> esegui() {
    if (codifica_utf16()) return std::move(avvisi_);
    bool generale = false;
    const IndiceRighe indice(t_.testo);
    std::int32_t numero = 0;
    for (const std::string_view testo : indice.righe()) {
      const Riga r{++numero, testo, campi_della_riga(testo, numero)};
      byte_della_riga(r);
      const std::string_view chiave = senza_spazi(r.campi.front().valore);
      if (!generale) {
        generale = contiene_nocase(r.testo, "[generale]");
        continue;
      }
      if (chiave.empty() && r.campi.size() == 1) continue;
      voce_della_riga(r);
      if (intestazione(chiave)) corpo_ = true;
    }
    for (Problema& p : std::move(regole_).avvisi()) avvisi_.push_back(std::move(p));
    std::stable_sort(avvisi_.begin(), avvisi_.end(), [](const Problema& a, const Problema& b) {
      return a.luogo.riga < b.luogo.riga;
    });
    return std::move(avvisi_);
  }

 private:
  void avvisa(Avviso controllo, const Tratto& dove, std::string messaggio,
              std::string aiuto = {}) {
    avvisi_.push_back(avviso(controllo, Luogo{t_.file, dove.riga, dove.inizio, dove.fine},
                             std::move(messaggio), std::move(aiuto)));
  }

  // The word meant, in place of the one written.
  void corregge(const Tratto& dove, std::string testo) {
    avvisi_.back().correzione = Correzione{dove.riga, dove.inizio, dove.fine, std::move(testo)};
  }

  // Whether nothing but blanks and line ends follows `riga` in the text.
  bool ultima_riga(std::string_view riga) const {
    const auto fine = static_cast<std::size_t>(riga.data() - t_.testo.data()) + riga.size();
    return t_.testo.find_first_not_of(" \t\r\n", fine) == std::string_view::npos;
  }

  bool codifica_utf16() {
    const std::string_view s = t_.testo;
    const bool bom = s.starts_with("\xFF\xFE") || s.starts_with("\xFE\xFF");
    if (!bom && s.find('\0') == std::string_view::npos) return false;
    avvisa(Avviso::utf16_text, Tratto{1, 1, 1}, "the text looks like UTF-16: it holds zero bytes",
           "save the text as Windows-1252 (\"Western\"), one byte per character");
    return true;
  }

  void byte_della_riga(const Riga& r) {
    const std::string_view s = r.testo;
    for (std::size_t i = 0; i < s.size(); ++i) {
      const auto colonna = static_cast<std::int32_t>(i) + 1;
      if (r.numero == 1 && i == 0 && s.starts_with("\xEF\xBB\xBF")) {
        avvisa(Avviso::utf8_text, Tratto{1, 1, 4}, "the text begins with a UTF-8 byte order mark",
               "save the text as Windows-1252 (\"Western\"), without a byte order mark");
        return;
      }
      if (const std::size_t n = sequenza_utf8(s, i); n > 0) {
        avvisa(Avviso::utf8_text, Tratto{r.numero, colonna, colonna + static_cast<std::int32_t>(n)},
               "the bytes " + esadecimale(s.substr(i, n)) +
                   " look like a UTF-8 character; they are stored as " + std::to_string(n) +
                   " Windows-1252 characters",
               "save the text as Windows-1252 (\"Western\"), one byte per character");
        return;
      }
      if (non_stampabile(static_cast<unsigned char>(s[i]))) {
        avvisa(Avviso::unprintable_byte, Tratto{r.numero, colonna, colonna + 1},
               "byte " + esadecimale(s.substr(i, 1)) + " is no printable Windows-1252 character",
               "remove it, or retype the character around it");
        return;
      }
    }
  }

  void voce_della_riga(const Riga& r) {
    const std::string_view chiave = senza_spazi(r.campi.front().valore);
    if (chiave.empty()) return;
    if (intestazione(chiave)) return intestazione_della_riga(r);
    const riferimento::Voce* voce = riferimento::voce_di(rif_, chiave);
    if (campo_commento(chiave)) {
      if (voce != nullptr && trattino_nella_parola(chiave)) trattino(r, *voce);
      return;
    }
    if (sembra_commento(chiave)) {
      avvisa(Avviso::comment_like, r.campi.front().tratto,
             voce != nullptr ? "this looks like a comment, but it holds the keyword \"" +
                                   std::string(voce->parola) + "\" and is read as that entry"
                             : "this looks like a comment; the format has none, its fields are "
                               "read as keywords",
             "begin a comment line with \"--\": the reader passes over a field holding a dash");
      return;
    }
    if (voce == nullptr) return parola_sconosciuta(r);
    const std::vector<const riferimento::Voce*> voci = riferimento::voci_lette(lettura(), chiave);
    if (voci.empty()) return fuori_sezione(r, *voce);
    const std::vector<CampoLetto> valori = valori_della_riga(r, voci);
    conta_valori(r, valori, voci);
    // Each entry takes its own values, in the order the reader reads them.
    std::size_t primo = 0;
    for (const riferimento::Voce* v : voci) {
      const std::size_t fine = std::min(valori.size(), primo + v->campi.size());
      const std::vector<CampoLetto> propri(valori.begin() + static_cast<std::ptrdiff_t>(primo),
                                           valori.begin() + static_cast<std::ptrdiff_t>(fine));
      oltre_la_lunghezza(propri, *v);
      regole_.voce(*v, propri);
      primo = fine;
    }
  }

  // The reader's keyword tests where the line lies: the line text reads its
  // general section and its body each for their own entries.
  std::span<const riferimento::Parola> lettura() const {
    if (t_.tipo == TipoTesto::treno) return riferimento::lettura_treno;
    return corpo_ ? std::span<const riferimento::Parola>(riferimento::lettura_corpo_linea)
                  : std::span<const riferimento::Parola>(riferimento::lettura_generale_linea);
  }

  // The reader passes over a keyword field holding a dash as a comment, and
  // reads the values after it as keywords.
  void trattino(const Riga& r, const riferimento::Voce& voce) {
    const Tratto& dove = r.campi.front().tratto;
    const std::string senza = senza_trattini(senza_spazi(r.campi.front().valore));
    avvisa(Avviso::dash_in_keyword, dove,
           "the keyword field holds a dash: it is passed over as a comment, and this \"" +
               std::string(voce.parola) + "\" line is not read",
           "a dash makes a keyword field a comment; write `" + senza + "`");
    corregge(dove, senza);
  }

  void fuori_sezione(const Riga& r, const riferimento::Voce& voce) {
    const std::string generale(rif_.sezioni.front().intestazione);
    avvisa(Avviso::misplaced_entry, r.campi.front().tratto,
           "\"" + std::string(voce.parola) + "\" is an entry of " +
               (corpo_ ? "the " + generale + " section" : "the body") + "; " +
               (corpo_ ? "in the body" : "in " + generale) +
               " it is not read: this line has no effect",
           corpo_ ? "move it into " + generale : "move it after the " + generale + " section");
  }

  void intestazione_della_riga(const Riga& r) {
    const std::string_view chiave = senza_spazi(r.campi.front().valore);
    const std::string nome = minuscolo(chiave.substr(0, chiave.find(']') + 1));
    if (std::find(intestazioni_.begin(), intestazioni_.end(), nome) != intestazioni_.end()) return;
    const auto vicina = piu_vicina(nome, intestazioni_);
    avvisa(Avviso::unknown_section, r.campi.front().tratto,
           "\"" + std::string(chiave) + "\" is no section of this text; it has no effect",
           vicina ? "did you mean `" + *vicina + "`?" : std::string());
    if (vicina) corregge(r.campi.front().tratto, *vicina);
  }

  void parola_sconosciuta(const Riga& r) {
    const std::string_view chiave = senza_spazi(r.campi.front().valore);
    const Tratto& dove = r.campi.front().tratto;
    if (solo_cifre(chiave)) {
      avvisa(Avviso::number_as_keyword, dove,
             "a number where an entry's keyword is read: the values of the line before spill "
             "over; this line is not read",
             "write numbers without thousands separators or blanks (2000, not 2,000)");
      return;
    }
    const auto vicina = piu_vicina(chiave, parole_);
    avvisa(Avviso::unknown_keyword, dove,
           "\"" + std::string(chiave) + "\" is no keyword of this text: this line is not read",
           vicina ? "did you mean `" + *vicina + "`?" : std::string());
    if (vicina) corregge(dove, *vicina);
  }

  // The values of the line as the reader takes them for `voci`, one after
  // the other: a text field to its comma, a number to the next blank as well.
  static std::vector<CampoLetto> valori_della_riga(
      const Riga& r, const std::vector<const riferimento::Voce*>& voci) {
    std::vector<Modo> modi;
    for (const riferimento::Voce* v : voci) {
      for (Modo m : riferimento::modi_di(*v)) modi.push_back(m);
    }
    std::vector<CampoLetto> campi = campi_della_riga(r.testo, r.numero, modi, Modo::numero);
    campi.erase(campi.begin());
    return campi;
  }

  void conta_valori(const Riga& r, const std::vector<CampoLetto>& valori,
                    const std::vector<const riferimento::Voce*>& voci) {
    const std::size_t attesi = valori_attesi(voci);
    const std::size_t trovati = valori.size();
    const std::string chi = voci.size() == 1 ? "the entry " + nomi_voci(voci)
                                             : "the keyword field is read as " + nomi_voci(voci) +
                                                   ", which together";
    if (trovati > attesi) {
      avvisa(Avviso::extra_values, r.campi.front().tratto,
             chi + " take" + (voci.size() == 1 ? "s " : " ") + std::to_string(attesi) +
                 " values; this line holds " + std::to_string(trovati) +
                 ": the rest are read as keywords",
             "a comma or a blank inside a number splits it (write 2000, not 2,000 or 2 000)");
    } else if (trovati < attesi) {
      const bool ultima = ultima_riga(r.testo);
      avvisa(Avviso::missing_values, valori.empty() ? r.campi.front().tratto : valori.back().tratto,
             chi + " take" + (voci.size() == 1 ? "s " : " ") + std::to_string(attesi) +
                 " values; this line holds " + std::to_string(trovati) + ", without " +
                 mancanti(voci, trovati) + ": " + seguito_mancante(trovati, ultima),
             ultima ? "complete the entry and end the text with `[fine]`"
                     : "complete the entry on its own line");
    }
  }

  // The names of the fields from the `trovati`-th value on.
  static std::string mancanti(const std::vector<const riferimento::Voce*>& voci,
                              std::size_t trovati) {
    std::string t;
    std::size_t i = 0;
    for (const riferimento::Voce* v : voci) {
      for (const riferimento::Campo& c : v->campi) {
        if (i++ < trovati) continue;
        if (!t.empty()) t += ", ";
        if (voci.size() > 1) t += std::string(v->parola) + " ";
        t += std::string(c.nome);
      }
    }
    return t;
  }

  // What the reader does for the values missing: takes the fields of the
  // lines after, or, at the end of the text, acts on nothing.
  static std::string seguito_mancante(std::size_t trovati, bool ultima) {
    if (!ultima) return "the next line is read for the rest";
    if (trovati == 0) {
      return "the text ends here, and its last field is never read, so the entry is not read";
    }
    return "the text ends here, and reading past its end fails";
  }

  // Positions of the body past the stated length lie in the run-out the
  // compactor adds after the route: accepted, and almost never meant.
  void oltre_la_lunghezza(const std::vector<CampoLetto>& valori, const riferimento::Voce& voce) {
    if (!lettura_.lunghezza || voce.campi.empty() || voce.campi.front().unita != "m") return;
    if (valori.empty() || in_generale(voce)) return;
    const std::string_view campo = valori.front().valore;
    if (!solo_cifre(campo) || campo.find('.') != std::string_view::npos || campo.size() > 9) return;
    const std::int64_t posizione = std::stoll(std::string(campo));
    if (posizione <= *lettura_.lunghezza) return;
    avvisa(Avviso::beyond_route_length, valori.front().tratto,
           "position " + std::to_string(posizione) + " m lies past the route length of " +
               std::to_string(*lettura_.lunghezza) + " m, in the run-out after the route",
           "the route ends at its stated length; the track after it only lets a train stop");
    avvisi_.back().posizione = static_cast<std::int32_t>(posizione);
  }

  bool in_generale(const riferimento::Voce& voce) const {
    for (const riferimento::Voce& v : rif_.sezioni.front().voci) {
      if (&v == &voce) return true;
    }
    return false;
  }

  const TestoDaVerificare& t_;
  const EsitoLettura& lettura_;
  const riferimento::Testo& rif_;
  const std::vector<std::string> parole_;
  const std::vector<std::string> intestazioni_;
  RegoleValori regole_;
  std::vector<Problema> avvisi_;
  bool corpo_ = false;  // past the line text's general section
};

// The route builder's errors: they follow from entries read before them.
bool del_costruttore(const Problema& p) {
  static constexpr Codice codici[] = {
      codice::protezione_segnale, codice::protezione_prima_rallentamento,
      codice::protezione_dopo_rallentamento, codice::partenza_primo_valore,
      codice::partenza_secondo_valore};
  return p.codice && std::ranges::find(codici, *p.codice) != std::end(codici);
}

struct Chiave {
  std::size_t gruppo;  // the text's place in the report; past them, the builder's
  std::int32_t riga;
  std::int32_t colonna;
  auto operator<=>(const Chiave&) const = default;
};

Chiave chiave_rapporto(const Problema& p, const std::vector<std::string>& ordine_file) {
  const auto f = std::find(ordine_file.begin(), ordine_file.end(), p.luogo.file);
  if (f == ordine_file.end() || del_costruttore(p)) return {ordine_file.size(), 0, 0};
  return {static_cast<std::size_t>(f - ordine_file.begin()), p.luogo.riga, p.luogo.colonna};
}

}  // namespace

std::vector<Problema> avvisi_testo(const TestoDaVerificare& t, const EsitoLettura& lettura) {
  return Verifica(t, lettura).esegui();
}

std::vector<Problema> unisci(const std::vector<Problema>& registrati,
                             const std::vector<Problema>& avvisi,
                             const std::vector<std::string>& ordine_file) {
  std::vector<Problema> tutti = registrati;
  tutti.insert(tutti.end(), avvisi.begin(), avvisi.end());
  std::stable_sort(tutti.begin(), tutti.end(), [&ordine_file](const Problema& a, const Problema& b) {
    return chiave_rapporto(a, ordine_file) < chiave_rapporto(b, ordine_file);
  });
  return tutti;
}

}  // namespace scenari::tool
