// A small SVG writer: elements appended as text, with attribute values and
// text content escaped.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace scenari::tool {

// A coordinate or length with two decimals, no exponent.
std::string num(double v);

using Attributi = std::initializer_list<std::pair<std::string_view, std::string>>;

class Svg {
 public:
  Svg(double larghezza, double altezza);

  void elemento(std::string_view nome, Attributi attributi);
  void testo(double x, double y, std::string_view contenuto, Attributi attributi = {});
  void apri(std::string_view nome, Attributi attributi);
  void chiudi(std::string_view nome);
  // Text content of the element last opened.
  void contenuto(std::string_view testo);

  // The document, closed.
  std::string documento() const;

 private:
  // "<nome attributes" followed by `fine`: "/>" for an empty element, ">" for
  // one that is opened.
  void marcatore(std::string_view nome, Attributi a, std::string_view fine);
  void attributi(Attributi attributi);

  std::string corpo_;
};

std::string escape_xml(std::string_view testo);

}  // namespace scenari::tool
