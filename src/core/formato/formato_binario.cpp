#include "core/formato/formato_binario.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace scenari {

namespace {

// Writes little-endian values through a buffer that it hands to the
// destination whenever it fills, so a plan file of tens of megabytes goes
// out in pieces and never lies in memory whole. Every piece but the last
// ends at a multiple of the buffer size in the file, values split across
// two pieces where they must: a write that ends inside a page of a file
// leaves the next one to continue a page half written, which costs the
// system far more than the copy into the buffer. A writer starting inside
// the file, at `inizio`, makes its first piece short to get there.
class Scrittore {
 public:
  explicit Scrittore(Destinazione& destinazione, std::size_t inizio = 0)
      : destinazione_(destinazione), offset_(inizio) {
    fino_al_pezzo();
  }
  Scrittore(const Scrittore&) = delete;
  Scrittore& operator=(const Scrittore&) = delete;

  void u8(std::uint8_t v) { scrivi(std::array<unsigned char, 1>{v}); }
  void u16(std::uint16_t v) { scrivi(piccolo_endian<2>(v)); }
  void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
  void i32(std::int32_t v) { scrivi(piccolo_endian<4>(static_cast<std::uint32_t>(v))); }
  void f64(double v) { scrivi(piccolo_endian<8>(std::bit_cast<std::uint64_t>(v))); }
  void campo(std::uint8_t v) { u8(v); }
  void campo(std::int16_t v) { i16(v); }
  void campo(std::int32_t v) { i32(v); }
  void testo(std::string_view t) { copia(t.data(), t.size()); }

  // The N low bytes of `v`, lowest first.
  template <std::size_t N>
  static std::array<unsigned char, N> piccolo_endian(std::uint64_t v) {
    std::array<unsigned char, N> b{};
    for (std::size_t i = 0; i < N; ++i) b[i] = static_cast<unsigned char>(v >> (8 * i));
    return b;
  }

  // Bytes are gathered in a local array and copied in one go: stores of
  // single chars could alias the writer's own members and would force the
  // compiler to reload them after every byte.
  template <std::size_t N>
  void scrivi(const std::array<unsigned char, N>& b) {
    if (pos_ + N > fine_) [[unlikely]] {
      // A copy, so that the bytes' address is taken on this path only and
      // the usual one keeps them in registers.
      const std::array<unsigned char, N> a_cavallo = b;
      return copia(a_cavallo.data(), N);
    }
    std::memcpy(buffer_.data() + pos_, b.data(), N);
    pos_ += N;
  }

  // Hands over what the buffer holds; called once more after the last value.
  void svuota() {
    if (pos_ == 0) return;
    destinazione_.scrivi(offset_, std::string_view(buffer_.data(), pos_));
    offset_ += pos_;
    pos_ = 0;
    fino_al_pezzo();
  }

 private:
  void fino_al_pezzo() { fine_ = buffer_.size() - offset_ % buffer_.size(); }

  // Up to the end of the piece, the piece handed over, the rest after it.
  void copia(const void* byte, std::size_t n) {
    const auto* da = static_cast<const char*>(byte);
    while (n > 0) {
      const std::size_t k = std::min(n, fine_ - pos_);
      std::memcpy(buffer_.data() + pos_, da, k);
      pos_ += k;
      da += k;
      n -= k;
      if (pos_ == fine_) svuota();
    }
  }

  Destinazione& destinazione_;
  std::array<char, 64 * 1024> buffer_;
  std::size_t offset_;
  std::size_t pos_ = 0;
  std::size_t fine_ = 0;
};

// Reads little-endian values, refusing to run past the end.
class Lettore {
 public:
  Lettore(std::string_view byte, const char* file) : byte_(byte), file_(file) {}

  bool fine() const { return pos_ >= byte_.size(); }
  std::size_t posizione() const { return pos_; }

  std::uint8_t u8() {
    richiedi(1);
    return static_cast<std::uint8_t>(byte_[pos_++]);
  }
  std::uint16_t u16() {
    const std::uint16_t basso = u8();
    return static_cast<std::uint16_t>(basso | (u8() << 8));
  }
  std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
  std::int32_t i32() {
    const std::uint32_t basso = u16();
    return static_cast<std::int32_t>(basso | (static_cast<std::uint32_t>(u16()) << 16));
  }
  double f64() {
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i) u |= static_cast<std::uint64_t>(u8()) << (8 * i);
    return std::bit_cast<double>(u);
  }
  void campo(std::uint8_t& v) { v = u8(); }
  void campo(std::int16_t& v) { v = i16(); }
  void campo(std::int32_t& v) { v = i32(); }
  std::string testo(std::size_t n) {
    richiedi(n);
    std::string t(byte_.substr(pos_, n));
    pos_ += n;
    return t;
  }

  [[noreturn]] void rifiuta(const std::string& motivo) const {
    throw FormatoNonValido(std::string(file_) + ": " + motivo);
  }

 private:
  void richiedi(std::size_t n) const {
    if (byte_.size() - pos_ < n) {
      rifiuta("truncated at byte " + std::to_string(pos_) + " of " +
              std::to_string(byte_.size()));
    }
  }

  std::string_view byte_;
  const char* file_;
  std::size_t pos_ = 0;
};

struct Membro {
  std::size_t offset;
  const char* nome;
};

// Members of a cell, and of a general record before and after its name.
constexpr std::array<Membro, 11> membri_cella = {{{0, "tipo"},
                                                   {1, "dato1"},
                                                   {3, "dato2"},
                                                   {5, "dato3"},
                                                   {7, "dato4"},
                                                   {9, "tempo_segnale"},
                                                   {10, "avvicinamento"},
                                                   {11, "montagna"},
                                                   {12, "velocita_limite"},
                                                   {13, "pendenza"},
                                                   {14, "aderenza"}}};
constexpr std::array<Membro, 6> membri_prima_del_nome = {
    {{0, "tipo"}, {1, "valore1"}, {5, "valore2"}, {9, "valore3"}, {13, "opzione"},
     {14, "nome (length)"}}};
constexpr std::size_t inizio_nome = 16;
constexpr std::array<Membro, 10> membri_dopo_il_nome = {{{0, "intero1"},
                                                         {2, "intero2"},
                                                         {4, "intero3"},
                                                         {6, "intero4"},
                                                         {8, "intero5"},
                                                         {10, "byte1"},
                                                         {11, "byte2"},
                                                         {12, "byte3"},
                                                         {13, "byte4"},
                                                         {14, "valore4"}}};

// The member whose bytes hold `offset` within a run of members.
template <std::size_t N>
const char* membro_a(const std::array<Membro, N>& membri, std::size_t offset) {
  const char* trovato = membri.front().nome;
  for (const auto& membro : membri) {
    if (membro.offset <= offset) trovato = membro.nome;
  }
  return trovato;
}

// The members of a cell in file order. One list serves writing (a const
// cell and a Scrittore) and reading (a cell and a Lettore), so the two
// cannot drift apart.
template <typename Flusso, typename Cella>
void campi_cella(Flusso& f, Cella& c) {
  f.campo(c.tipo);
  f.campo(c.dato1);
  f.campo(c.dato2);
  f.campo(c.dato3);
  f.campo(c.dato4);
  f.campo(c.tempo_segnale);
  f.campo(c.avvicinamento);
  f.campo(c.montagna);
  f.campo(c.velocita_limite);
  f.campo(c.pendenza);
  f.campo(c.aderenza);
}

// The members of a general record before its name, and after it.
template <typename Flusso, typename Voce>
void campi_prima_del_nome(Flusso& f, Voce& v) {
  f.campo(v.tipo);
  f.campo(v.valore1);
  f.campo(v.valore2);
  f.campo(v.valore3);
  f.campo(v.opzione);
}

template <typename Flusso, typename Voce>
void campi_dopo_il_nome(Flusso& f, Voce& v) {
  f.campo(v.intero1);
  f.campo(v.intero2);
  f.campo(v.intero3);
  f.campo(v.intero4);
  f.campo(v.intero5);
  f.campo(v.byte1);
  f.campo(v.byte2);
  f.campo(v.byte3);
  f.campo(v.byte4);
  f.campo(v.valore4);
}

void codifica_cella(Scrittore& s, const cella& c) { campi_cella(s, c); }

cella decodifica_cella(Lettore& l) {
  cella c;
  campi_cella(l, c);
  return c;
}

// A name longer than its 16-bit length is refused before the first byte is
// handed on, so no destination ever receives part of a table.
void verifica_nome(const voce_tabella& v, std::size_t numero) {
  if (v.nome.size() > std::numeric_limits<std::uint16_t>::max()) {
    throw FormatoNonValido("general record " + std::to_string(numero) + ": name of " +
                           std::to_string(v.nome.size()) +
                           " characters, more than the file can hold");
  }
}

void codifica_voce(Scrittore& s, const voce_tabella& v) {
  campi_prima_del_nome(s, v);
  s.u16(static_cast<std::uint16_t>(v.nome.size()));
  s.testo(v.nome);
  campi_dopo_il_nome(s, v);
}

voce_tabella decodifica_voce(Lettore& l) {
  voce_tabella v;
  campi_prima_del_nome(l, v);
  v.nome = l.testo(l.u16());
  campi_dopo_il_nome(l, v);
  return v;
}

// Bytes of a plan element by kind: its tag, then 0, 2 or 8 value bytes.
constexpr std::array<std::size_t, 3> byte_per_tipo = {2, 4, 10};

// The two million points of a long route go through here.
inline void codifica_reale(Scrittore& s, double valore) {
  std::array<unsigned char, 10> b{};
  const auto tag = Scrittore::piccolo_endian<2>(tag_double);
  const auto numero = Scrittore::piccolo_endian<8>(std::bit_cast<std::uint64_t>(valore));
  std::copy(tag.begin(), tag.end(), b.begin());
  std::copy(numero.begin(), numero.end(), b.begin() + 2);
  s.scrivi(b);
}

void codifica_elemento(Scrittore& s, Planimetria::Tipo tipo, double valore) {
  switch (tipo) {
    case Planimetria::intero: {
      const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(valore));
      s.scrivi(Scrittore::piccolo_endian<4>(tag_intero | std::uint32_t{v} << 16));
      break;
    }
    case Planimetria::reale: codifica_reale(s, valore); break;
    default: s.u16(tag_vuoto);
  }
}

valore_piano decodifica_elemento(Lettore& l) {
  const std::size_t inizio = l.posizione();
  switch (l.u16()) {
    case tag_vuoto: return std::monostate{};
    case tag_intero: return l.i16();
    case tag_double: return l.f64();
    default: l.rifiuta("unknown element tag at byte " + std::to_string(inizio));
  }
}

// The elements of one coordinate of a plan: metres 0 and 1 (16-bit
// integers once the plan is started), the computed points, then empty
// elements to the last metre.
struct Elementi {
  std::size_t iniziali = 0;
  Planimetria::Tipo tipo_iniziali = Planimetria::vuoto;
  std::size_t reali = 0;
  std::size_t vuoti = 0;
};

Elementi elementi(const Tracciato& t) {
  if (!t.esiste()) return {};
  const auto metri = static_cast<std::size_t>(t.ultimo_metro()) + 1;
  Elementi e;
  e.iniziali = std::min<std::size_t>(2, metri);
  e.tipo_iniziali = t.iniziato() ? Planimetria::intero : Planimetria::vuoto;
  e.reali = static_cast<std::size_t>(t.metro() - 2);
  e.vuoti = metri - e.iniziali - e.reali;
  return e;
}

// The bytes of one half of a plan file: every x, or every y.
std::size_t byte_per_coordinata(const Elementi& e) {
  return e.iniziali * byte_per_tipo[e.tipo_iniziali] + e.reali * byte_per_tipo[Planimetria::reale] +
         e.vuoti * byte_per_tipo[Planimetria::vuoto];
}

// The number of points of a plan file, every element checked on the way.
std::size_t punti_piano(std::string_view byte) {
  Lettore l(byte, "plan geometry");
  std::size_t elementi = 0;
  for (; !l.fine(); ++elementi) decodifica_elemento(l);
  if (elementi == 0 || elementi % 2 != 0) {
    l.rifiuta(std::to_string(elementi) +
              " elements, not an x and a y for each point of at least one point");
  }
  return elementi / 2;
}

}  // namespace

std::size_t dimensione_celle(const std::vector<cella>& celle) {
  return byte_per_cella * celle.size();
}

std::size_t dimensione_tabella(const std::array<voce_tabella, numero_voci>& tabella) {
  std::size_t dimensione = 0;
  for (const auto& voce : tabella) dimensione += byte_fissi_voce + voce.nome.size();
  return dimensione;
}

std::size_t dimensione_planimetria(const Tracciato& tracciato) {
  return 2 * byte_per_coordinata(elementi(tracciato));
}

void codifica_celle(const std::vector<cella>& celle, Destinazione& d) {
  Scrittore s(d);
  for (const auto& c : celle) codifica_cella(s, c);
  s.svuota();
}

void codifica_tabella(const std::array<voce_tabella, numero_voci>& tabella, Destinazione& d) {
  for (std::size_t r = 0; r < tabella.size(); ++r) verifica_nome(tabella[r], r);
  Scrittore s(d);
  for (std::size_t r = 0; r < tabella.size(); ++r) codifica_voce(s, tabella[r]);
  s.svuota();
}

// Every x, then every y, from one walk of the points: each coordinate has
// its own writer, the y one starting halfway through the file.
void codifica_planimetria(const Tracciato& tracciato, Destinazione& d) {
  const Elementi e = elementi(tracciato);
  Scrittore x(d);
  Scrittore y(d, byte_per_coordinata(e));
  for (std::size_t m = 0; m < e.iniziali; ++m) {
    codifica_elemento(x, e.tipo_iniziali, 0.0);
    codifica_elemento(y, e.tipo_iniziali, m == 1 ? 1.0 : 0.0);
  }
  tracciato.scorri([&x, &y](std::int32_t, double px, double py) {
    codifica_reale(x, px);
    codifica_reale(y, py);
  });
  for (std::size_t m = 0; m < e.vuoti; ++m) {
    codifica_elemento(x, Planimetria::vuoto, 0.0);
    codifica_elemento(y, Planimetria::vuoto, 0.0);
  }
  x.svuota();
  y.svuota();
}

std::string codifica_celle(const std::vector<cella>& celle) {
  DestinazioneStringa d(dimensione_celle(celle));
  codifica_celle(celle, d);
  return d.prendi();
}

std::string codifica_tabella(const std::array<voce_tabella, numero_voci>& tabella) {
  DestinazioneStringa d(dimensione_tabella(tabella));
  codifica_tabella(tabella, d);
  return d.prendi();
}

std::string codifica_planimetria(const Tracciato& tracciato) {
  DestinazioneStringa d(dimensione_planimetria(tracciato));
  codifica_planimetria(tracciato, d);
  return d.prendi();
}

std::vector<cella> decodifica_celle(std::string_view byte) {
  Lettore l(byte, "route cells");
  if (byte.empty() || byte.size() % byte_per_cella != 0) {
    l.rifiuta(std::to_string(byte.size()) + " bytes, not a whole number of " +
              std::to_string(byte_per_cella) + "-byte cells");
  }
  std::vector<cella> celle;
  celle.reserve(byte.size() / byte_per_cella);
  while (!l.fine()) celle.push_back(decodifica_cella(l));
  return celle;
}

std::array<voce_tabella, numero_voci> decodifica_tabella(std::string_view byte) {
  Lettore l(byte, "general table");
  std::array<voce_tabella, numero_voci> tabella;
  for (auto& voce : tabella) voce = decodifica_voce(l);
  if (!l.fine()) {
    l.rifiuta(std::to_string(byte.size() - l.posizione()) + " bytes after record " +
              std::to_string(numero_voci - 1));
  }
  return tabella;
}

void scorri_planimetria(std::string_view byte, const PuntoPiano& punto) {
  const std::size_t punti = punti_piano(byte);
  Lettore x(byte, "plan geometry");
  Lettore y(byte, "plan geometry");
  for (std::size_t i = 0; i < punti; ++i) decodifica_elemento(y);
  for (std::size_t metro = 0; metro < punti; ++metro) {
    const valore_piano vx = decodifica_elemento(x);
    punto(static_cast<std::int32_t>(metro), vx, decodifica_elemento(y));
  }
}

Planimetria decodifica_planimetria(std::string_view byte) {
  Planimetria planimetria;
  planimetria.crea(static_cast<std::int32_t>(punti_piano(byte)) - 1);
  scorri_planimetria(byte, [&](std::int32_t metro, const valore_piano& x, const valore_piano& y) {
    planimetria.poni_x(metro, x);
    planimetria.poni_y(metro, y);
  });
  return planimetria;
}

std::string descrivi_offset_celle(std::size_t offset) {
  return "cell " + std::to_string(offset / byte_per_cella) + ", " +
         membro_a(membri_cella, offset % byte_per_cella);
}

std::string descrivi_offset_tabella(std::string_view byte, std::size_t offset) {
  Lettore l(byte, "general table");
  for (int r = 0; r < numero_voci && !l.fine(); ++r) {
    const std::size_t inizio = l.posizione();
    const voce_tabella v = decodifica_voce(l);
    if (offset >= l.posizione()) continue;
    const std::size_t dentro = offset - inizio;
    const std::string voce = "record " + std::to_string(r) + ", ";
    if (dentro < inizio_nome) return voce + membro_a(membri_prima_del_nome, dentro);
    if (dentro < inizio_nome + v.nome.size()) {
      return voce + "nome character " + std::to_string(dentro - inizio_nome + 1);
    }
    return voce + membro_a(membri_dopo_il_nome, dentro - inizio_nome - v.nome.size());
  }
  return "past the last record";
}

std::string descrivi_offset_planimetria(std::string_view byte, std::size_t offset) {
  const std::size_t punti = punti_piano(byte);
  Lettore l(byte, "plan geometry");
  for (std::size_t e = 0; e < 2 * punti; ++e) {
    const std::size_t inizio = l.posizione();
    decodifica_elemento(l);
    if (offset < l.posizione()) {
      const std::string parte = offset - inizio < 2 ? "tag" : "value";
      return "point " + std::to_string(e % punti) + ", " + (e < punti ? "x" : "y") + " " +
             parte;
    }
  }
  return "past the last point";
}

}  // namespace scenari
