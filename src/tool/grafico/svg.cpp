#include "tool/grafico/svg.h"

#include <charconv>
#include <cmath>

namespace scenari::tool {

std::string num(double v) {
  if (!std::isfinite(v)) return "0";
  char buffer[64];
  const auto fine = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 2);
  if (fine.ec != std::errc{}) return "0";
  std::string testo(buffer, fine.ptr);
  return testo == "-0.00" ? "0.00" : testo;
}

std::string escape_xml(std::string_view testo) {
  std::string uscita;
  for (char c : testo) {
    switch (c) {
      case '&': uscita += "&amp;"; break;
      case '<': uscita += "&lt;"; break;
      case '>': uscita += "&gt;"; break;
      case '"': uscita += "&quot;"; break;
      case '\'': uscita += "&apos;"; break;
      default:
        // Control characters are not allowed in XML 1.0 text.
        uscita += (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') ? ' ' : c;
    }
  }
  return uscita;
}

Svg::Svg(double larghezza, double altezza) {
  corpo_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(larghezza) +
           "\" height=\"" + num(altezza) + "\" viewBox=\"0 0 " + num(larghezza) + " " +
           num(altezza) + "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
  elemento("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
}

void Svg::attributi(Attributi attributi) {
  for (const auto& [nome, valore] : attributi) {
    corpo_ += ' ';
    corpo_ += nome;
    corpo_ += "=\"" + escape_xml(valore) + "\"";
  }
}

void Svg::marcatore(std::string_view nome, Attributi a, std::string_view fine) {
  corpo_ += '<';
  corpo_ += nome;
  attributi(a);
  corpo_ += fine;
}

void Svg::elemento(std::string_view nome, Attributi a) { marcatore(nome, a, "/>\n"); }

void Svg::testo(double x, double y, std::string_view contenuto, Attributi a) {
  corpo_ += "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\"";
  attributi(a);
  corpo_ += ">" + escape_xml(contenuto) + "</text>\n";
}

void Svg::apri(std::string_view nome, Attributi a) { marcatore(nome, a, ">\n"); }

void Svg::chiudi(std::string_view nome) {
  corpo_ += "</";
  corpo_ += nome;
  corpo_ += ">\n";
}

void Svg::contenuto(std::string_view testo) { corpo_ += escape_xml(testo); }

std::string Svg::documento() const { return corpo_ + "</svg>\n"; }

}  // namespace scenari::tool
