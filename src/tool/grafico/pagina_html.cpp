// The interactive page: the data as compact arrays inside one HTML file,
// drawn by the page's own script and style, with nothing loaded from
// elsewhere.
#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>

#include "tool/grafico/corsie.h"
#include "tool/grafico/grafico.h"
#include "tool/grafico/pagina/risorse.h"
#include "tool/grafico/svg.h"

namespace scenari::tool {

namespace {

using nlohmann::json;

// The plan view sends at most this many points: more than a page is wide
// many times over, so zooming into a stretch still shows its shape.
constexpr std::size_t punti_piano_massimi = 60'000;

// Values as [value, count] pairs, one pair for each run of equal values.
json a_tratti(const std::vector<int>& v, std::size_t n) {
  json tratti = json::array();
  for (std::size_t k = 0; k < n;) {
    std::size_t fine = k;
    while (fine < n && v[fine] == v[k]) ++fine;
    tratti.push_back(v[k]);
    tratti.push_back(fine - k);
    k = fine;
  }
  return tratti;
}

json profili(const std::vector<cella>& celle) {
  const std::size_t n = celle_con_profilo(celle);
  std::vector<int> pendenza, limite, aderenza;
  for (const auto& c : celle) {
    pendenza.push_back(pendenza_per_mille(c.pendenza));
    limite.push_back(velocita_kmh(c.velocita_limite));
    aderenza.push_back(c.aderenza);
  }
  return {{"cells", n},
          {"gradient", a_tratti(pendenza, n)},
          {"limit", a_tratti(limite, n)},
          {"effective", a_tratti(velocita_effettiva(celle), n)},
          {"adhesion", a_tratti(aderenza, n)}};
}

// Successive differences of whole numbers, which stay short in text.
json differenze(const std::vector<long long>& v) {
  json d = json::array();
  long long prima = 0;
  for (long long x : v) {
    d.push_back(x - prima);
    prima = x;
  }
  return d;
}

// Every passo-th point and the last, metres and decimetres as differences.
json piano(const std::vector<PuntoPiano>& punti) {
  if (punti.size() < 2) return nullptr;
  const std::size_t passo = (punti.size() + punti_piano_massimi - 1) / punti_piano_massimi;
  std::vector<long long> metri, x, y;
  auto aggiungi = [&](const PuntoPiano& p) {
    metri.push_back(p.metro);
    x.push_back(std::llround(p.x * 10));
    y.push_back(std::llround(p.y * 10));
  };
  for (std::size_t i = 0; i < punti.size(); i += passo) aggiungi(punti[i]);
  if ((punti.size() - 1) % passo != 0) aggiungi(punti.back());
  return {{"m", differenze(metri)}, {"x", differenze(x)}, {"y", differenze(y)}};
}

// Texts that repeat (values, labels) are sent once and referred to by
// number; -1 is no text.
class Testi {
 public:
  int indice(const std::string& t) {
    if (t.empty()) return -1;
    const auto [it, nuovo] = indici_.try_emplace(t, static_cast<int>(testi_.size()));
    if (nuovo) testi_.push_back(t);
    return it->second;
  }
  json elenco() const { return testi_; }

 private:
  std::map<std::string, int> indici_;
  std::vector<std::string> testi_;
};

std::string origine(const Oggetto& o) {
  if (!o.origine) return {};
  return o.origine->file + ":" + std::to_string(o.origine->riga) + ": " + o.origine->voce;
}

json oggetti(const std::vector<Oggetto>& oggetti, Testi& testi) {
  json genere = json::array(), inizio = json::array(), fine = json::array(),
       posizione = json::array(), etichetta = json::array(), valori = json::array(),
       da_testo = json::array();
  for (const auto& o : oggetti) {
    genere.push_back(testi.indice(stile(o.genere).classe));
    inizio.push_back(std::lround(o.inizio));
    fine.push_back(std::lround(o.fine - o.inizio));
    posizione.push_back(std::lround(o.posizione - o.inizio));
    etichetta.push_back(testi.indice(o.etichetta));
    valori.push_back(testi.indice(o.valori));
    da_testo.push_back(testi.indice(origine(o)));
  }
  return {{"kind", genere}, {"start", inizio}, {"length", fine}, {"at", posizione},
          {"label", etichetta}, {"values", valori}, {"origin", da_testo}};
}

json problemi(const std::vector<Marcatore>& marcatori) {
  json p = json::array();
  for (const auto& m : marcatori) {
    json at = nullptr;
    if (m.posizione) at = *m.posizione;
    p.push_back({{"at", at}, {"error", m.gravita == Gravita::errore}, {"text", m.testo}});
  }
  return p;
}

// The lanes and how each kind is drawn on them, by the kind's name in
// `objects`.
json corsie() {
  json elenco = json::array();
  for (const Corsia& c : corsie_oggetti) elenco.push_back({{"name", c.nome}, {"labels", c.etichette}});
  return elenco;
}

json stili() {
  json per_genere = json::object();
  for (const StileGenere& s : stili_generi()) {
    per_genere[s.classe] = {{"name", s.nome},       {"colour", s.colore},        {"lane", s.corsia},
                            {"shape", nome_forma(s.forma)}, {"priority", s.priorita}};
  }
  return per_genere;
}

json dati_json(const DatiGrafico& dati, bool oltre_la_fine) {
  Testi testi;
  json j = {{"title", dati.titolo},
            {"routeLength", dati.lunghezza_percorso},
            {"lastMetre", std::max<double>(1, static_cast<double>(dati.celle.size()) - 1) * metri_per_cella},
            {"hasPlanFile", dati.ha_piano},
            {"runOut", oltre_la_fine},
            {"plan", piano(dati.piano)},
            {"profiles", profili(dati.celle)},
            {"problems", problemi(dati.problemi)},
            {"lanes", corsie()},
            {"styles", stili()}};
  j["objects"] = oggetti(dati.oggetti, testi);
  j["texts"] = testi.elenco();
  return j;
}

// JSON inside a script element, where "</" would end the element, "<!--"
// and "<script" would change how the rest of it is read, and U+2028 and
// U+2029 end a line for older scripts. Each appears only inside a string,
// where its escape reads back the same.
std::string per_script(std::string_view testo) {
  constexpr std::string_view separatore_riga = "\xE2\x80\xA8";
  constexpr std::string_view separatore_paragrafo = "\xE2\x80\xA9";
  std::string r;
  r.reserve(testo.size());
  for (std::size_t i = 0; i < testo.size(); ++i) {
    if (testo[i] == '<') {
      r += "\\u003c";
    } else if (testo.substr(i).starts_with(separatore_riga)) {
      r += "\\u2028";
      i += separatore_riga.size() - 1;
    } else if (testo.substr(i).starts_with(separatore_paragrafo)) {
      r += "\\u2029";
      i += separatore_paragrafo.size() - 1;
    } else {
      r += testo[i];
    }
  }
  return r;
}

}  // namespace

std::string dati_pagina(const DatiGrafico& dati, bool oltre_la_fine) {
  return dati_json(dati, oltre_la_fine).dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string pagina_html(const std::string& titolo, const std::string& dati, bool dal_vivo) {
  std::string pagina = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                       escape_xml(titolo) + "</title>\n<style>\n" + stile_visore + "</style>\n</head>\n" +
                       corpo_visore + "<script>\nconst DATI = " + per_script(dati) +
                       ";\n</script>\n<script>\n" + script_visore + "</script>\n";
  if (dal_vivo) pagina += std::string("<script>\n") + script_dal_vivo + "</script>\n";
  return pagina + "</body>\n</html>\n";
}

std::string pagina_html(const DatiGrafico& dati, bool oltre_la_fine) {
  return pagina_html(dati.titolo, dati_pagina(dati, oltre_la_fine), false);
}

}  // namespace scenari::tool
