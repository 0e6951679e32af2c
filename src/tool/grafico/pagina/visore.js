"use strict";
// The route viewer: decodes the compact arrays of DATI and draws the plan
// view and, on one distance axis, the object lanes and the profiles. The
// distance axis zooms with the wheel and pans by dragging; the range box
// takes kilometres. Labels are elements over the canvases, placed by
// priority so that none covers another. The body's data-from and data-to
// attributes always hold the metres shown, for whoever drives the page;
// visore.aggiorna(data) redraws with newer data where the view stands.
(function () {
  const CELLA = 50;
  const SX = 140, DX = 24;
  const corpo = 11;
  const FONT = corpo + "px 'DejaVu Sans', Arial, sans-serif";

  // ---- decoding ----

  function daTratti(tratti, n) {
    const v = new Float64Array(n);
    let k = 0;
    for (let i = 0; i + 1 < tratti.length && k < n; i += 2) {
      for (let c = 0; c < tratti[i + 1] && k < n; c++) v[k++] = tratti[i];
    }
    return v;
  }

  function somme(d, scala) {
    const v = new Float64Array(d.length);
    let s = 0;
    for (let i = 0; i < d.length; i++) { s += d[i]; v[i] = s / scala; }
    return v;
  }

  let D, nCelle, profili, piano, oggetti, stili, corsie;

  function carica(dati) {
    D = dati;
    nCelle = D.profiles.cells;
    profili = [
      { nome: "gradient (\u2030)", linee: [{ v: daTratti(D.profiles.gradient, nCelle), colore: "#8c564b", nome: "gradient" }], unita: "\u2030" },
      { nome: "speed (km/h)", linee: [
        { v: daTratti(D.profiles.limit, nCelle), colore: "#1f77b4", nome: "limit" },
        { v: daTratti(D.profiles.effective, nCelle), colore: "#d62728", nome: "effective", tratteggio: [4, 2] }], unita: "km/h" },
      { nome: "adhesion", linee: [{ v: daTratti(D.profiles.adhesion, nCelle), colore: "#2ca02c", nome: "adhesion" }], unita: "" },
    ];
    piano = D.plan ? { m: somme(D.plan.m, 1), x: somme(D.plan.x, 10), y: somme(D.plan.y, 10) } : null;
    const testi = D.texts;
    const testo = (i) => (i >= 0 ? testi[i] : "");
    stili = D.styles;
    disponi(D.lanes);
    const O = D.objects;
    oggetti = O.kind.map((k, i) => ({
      genere: testi[k], inizio: O.start[i], fine: O.start[i] + O.length[i], posizione: O.start[i] + O.at[i],
      etichetta: testo(O.label[i]), valori: testo(O.values[i]), origine: testo(O.origin[i]),
    }));
  }

  // ---- lanes ----

  // The lanes and how each kind is drawn on them come with the data, as
  // D.lanes and D.styles; the last lane holds the problems.
  const coloreTerreno = (o) => "hsl(" + ((Number(o.etichetta.replace(/\D/g, "")) * 67) % 360) + ",40%,52%)";

  // The distance axis and the end of the route above the lanes.
  const ALTO_CORSIE = 42;
  const altezzaCorsia = (c) => (c.labels ? 40 : 22);
  const ALTEZZA_PROFILO = 100, SPAZIO_PROFILI = 22;
  let altoCorsia, CORSIA_PROBLEMI, FINE_CORSIE, FINE_PROFILI, ALTEZZA;
  const centroCorsia = (i) => altoCorsia[i] + altezzaCorsia(corsie[i]) - 10;
  const altoProfilo = (i) => FINE_CORSIE + 14 + i * (ALTEZZA_PROFILO + SPAZIO_PROFILI);

  function disponi(elenco) {
    corsie = elenco;
    CORSIA_PROBLEMI = corsie.length - 1;
    altoCorsia = [];
    let y = ALTO_CORSIE;
    for (const c of corsie) { altoCorsia.push(y); y += altezzaCorsia(c); }
    FINE_CORSIE = y;
    FINE_PROFILI = altoProfilo(3) - SPAZIO_PROFILI;
    ALTEZZA = FINE_PROFILI + 44;
  }

  // ---- view ----

  const el = (id) => document.getElementById(id);
  const tela = el("corsie"), telaPiano = el("piano"), suggerimento = el("suggerimento");
  let v0 = 0, v1 = 1;
  const fineVista = () => (el("coda").checked || !(D.routeLength > 0) ? D.lastMetre : Math.min(D.routeLength, D.lastMetre));
  const ampiezzaMinima = 100;

  function mostra(a, b) {
    const fine = fineVista();
    let da = Math.max(0, Math.min(a, b)), fino = Math.min(fine, Math.max(a, b));
    if (fino - da < ampiezzaMinima) {
      const centro = Math.min(Math.max((da + fino) / 2, ampiezzaMinima / 2), fine - ampiezzaMinima / 2);
      da = Math.max(0, centro - ampiezzaMinima / 2);
      fino = Math.min(fine, da + ampiezzaMinima);
    }
    v0 = da; v1 = fino;
    disegna();
  }

  function zoom(fattore, metro) {
    mostra(metro - (metro - v0) * fattore, metro + (v1 - metro) * fattore);
  }

  function larghezza() { return tela.clientWidth; }
  const X = (m) => SX + (m - v0) / (v1 - v0) * (larghezza() - SX - DX);
  const metroDi = (x) => v0 + (x - SX) / (larghezza() - SX - DX) * (v1 - v0);

  function prepara(c, altezza) {
    const r = window.devicePixelRatio || 1;
    const w = c.clientWidth;
    c.style.height = altezza + "px";
    if (c.width !== Math.round(w * r) || c.height !== Math.round(altezza * r)) {
      c.width = Math.round(w * r);
      c.height = Math.round(altezza * r);
    }
    const g = c.getContext("2d");
    g.setTransform(r, 0, 0, r, 0, 0);
    g.clearRect(0, 0, w, altezza);
    g.font = FONT;
    g.textBaseline = "alphabetic";
    return g;
  }

  // Ticks at 1, 2 or 5 times a power of ten, about `quante` of them.
  function tacche(min, max, quante) {
    const grezzo = (max - min) / quante;
    if (!(grezzo > 0)) return { valori: [min], passo: 1 };
    const p = Math.pow(10, Math.floor(Math.log10(grezzo)));
    let passo = p;
    for (const f of [1, 2, 5, 10]) { passo = f * p; if (passo >= grezzo) break; }
    const valori = [];
    for (let v = Math.ceil(min / passo) * passo; v <= max + passo * 1e-9; v += passo) valori.push(Math.abs(v) < passo * 1e-9 ? 0 : v);
    return { valori, passo };
  }

  function km(metri, passo) {
    const decimali = Math.max(0, Math.min(3, -Math.floor(Math.log10(passo / 1000) + 1e-9)));
    return (metri / 1000).toFixed(decimali);
  }

  // ---- the lanes and profiles canvas ----

  function forma(g, o, x, x1, y) {
    const s = stili[o.genere];
    g.fillStyle = s.colour;
    g.strokeStyle = s.colour;
    g.beginPath();
    switch (s.shape) {
      case "triangle": g.moveTo(x - 5, y + 5); g.lineTo(x + 5, y + 5); g.lineTo(x, y - 6); g.fill(); break;
      case "triangle-down": g.moveTo(x - 5, y - 5); g.lineTo(x + 5, y - 5); g.lineTo(x, y + 6); g.fill(); break;
      case "diamond": g.moveTo(x, y - 6); g.lineTo(x + 6, y); g.lineTo(x, y + 6); g.lineTo(x - 6, y); g.fill(); break;
      case "narrow-diamond": g.moveTo(x, y - 7); g.lineTo(x + 4, y); g.lineTo(x, y + 7); g.lineTo(x - 4, y); g.fill(); break;
      case "square": g.fillRect(x - 4.5, y - 4.5, 9, 9); break;
      case "circle":
        g.arc(x, y, 3.5, 0, 2 * Math.PI);
        g.lineWidth = 1.5;
        if (!o.origine) { g.fillStyle = "#fff"; }
        g.fill(); g.stroke(); break;
      case "cell":
        g.globalAlpha = 0.6; g.fillRect(x, y - 5, Math.max(x1 - x, 1), 10); g.globalAlpha = 1; break;
      case "band": g.fillStyle = coloreTerreno(o); g.fillRect(x, y - 4, Math.max(x1 - x, 1), 8); break;
      case "tick": g.fillRect(x - 0.75, y - 7, 1.5, 14); break;
      default: g.fillRect(x, y - 4, Math.max(x1 - x, 3), 8);
    }
  }

  const visibile = (a, b) => b >= v0 && a <= v1;
  const estremi = (o) => {
    const a = X(Math.max(o.inizio, v0));
    const cella = stili[o.genere].shape === "cell";
    const b = cella ? X(Math.min(o.inizio + CELLA, v1)) : X(Math.min(o.fine, v1));
    return [a, b];
  };

  // Label elements over a canvas, reused from one drawing to the next.
  function Etichette(contenitore) {
    const usate = [];
    let n = 0;
    this.inizia = () => { n = 0; };
    this.metti = (testo, x0, y0, w, h, colore, dati) => {
      if (n === usate.length) {
        const e = document.createElement("span");
        e.className = "etichetta";
        contenitore.append(e);
        usate.push(e);
      }
      const e = usate[n++];
      e.textContent = testo;
      e.style.cssText = "left:" + x0 + "px;top:" + y0 + "px;width:" + w + "px;height:" + h + "px;color:" + colore;
      e.dataset.kind = dati.genere;
      e.dataset.at = String(dati.metro);
      e.hidden = false;
    };
    this.finisci = () => { for (let i = n; i < usate.length; i++) usate[i].hidden = true; };
  }
  const etichetteCorsie = new Etichette(el("etichetteCorsie"));
  const etichettePiano = new Etichette(el("etichettePiano"));
  const ALTO_ETICHETTA = 12, SPAZIO_ETICHETTE = 4;

  // Each label centred over its mark in one of its lane's two rows, where
  // it clears every label already placed there by at least a few pixels;
  // labels go by priority, then along the route, so the thinning keeps the
  // important ones and spaces the rest evenly.
  function etichette(g, daMettere) {
    const righe = new Map();
    const w = larghezza();
    daMettere.sort((a, b) => a.priorita - b.priorita || a.x - b.x);
    etichetteCorsie.inizia();
    for (const m of daMettere) {
      const l = Math.ceil(g.measureText(m.testo).width) + 1;
      if (l > w - DX - SX) continue;
      const x0 = Math.round(Math.max(SX, Math.min(m.x - l / 2, w - DX - l)));
      for (let riga = 0; riga < 2; riga++) {
        const chiave = m.corsia * 2 + riga;
        const prese = righe.get(chiave) || [];
        if (prese.some(([a, b]) => x0 - SPAZIO_ETICHETTE < b && a < x0 + l + SPAZIO_ETICHETTE)) continue;
        prese.push([x0, x0 + l]);
        righe.set(chiave, prese);
        etichetteCorsie.metti(m.testo, x0, altoCorsia[m.corsia] + riga * ALTO_ETICHETTA, l, ALTO_ETICHETTA, m.colore, m);
        break;
      }
    }
    etichetteCorsie.finisci();
  }

  function disegnaCorsie(g) {
    const w = larghezza();
    g.textAlign = "right";
    corsie.forEach((c, i) => {
      g.strokeStyle = "#ddd"; g.lineWidth = 1;
      g.beginPath(); g.moveTo(SX, centroCorsia(i) + 0.5); g.lineTo(w - DX, centroCorsia(i) + 0.5); g.stroke();
      g.fillStyle = "#222"; g.fillText(c.name, SX - 8, centroCorsia(i) + 4);
    });
    g.textAlign = "left";
    const daMettere = [];
    for (const o of oggetti) {
      if (!visibile(o.inizio, o.fine)) continue;
      const s = stili[o.genere];
      const [a, b] = estremi(o);
      forma(g, o, a, b, centroCorsia(s.lane));
      if (o.etichetta && corsie[s.lane].labels) {
        daMettere.push({ testo: o.etichetta, x: (a + b) / 2, corsia: s.lane, colore: s.colour, priorita: s.priority, genere: o.genere, metro: o.posizione });
      }
    }
    etichette(g, daMettere);
    const yp = centroCorsia(CORSIA_PROBLEMI);
    for (const p of D.problems) {
      if (p.at === null || !visibile(p.at, p.at)) continue;
      const x = X(p.at);
      g.strokeStyle = p.error ? "rgba(214,39,40,.35)" : "rgba(255,127,14,.35)";
      g.beginPath(); g.moveTo(x, ALTO_CORSIE); g.lineTo(x, FINE_PROFILI); g.stroke();
      g.fillStyle = p.error ? "#d62728" : "#ffbf00"; g.strokeStyle = "#333";
      g.beginPath(); g.moveTo(x - 6, yp + 5); g.lineTo(x + 6, yp + 5); g.lineTo(x, yp - 7); g.closePath(); g.fill(); g.stroke();
    }
  }

  function celleVisibili() {
    return [Math.max(0, Math.floor(v0 / CELLA)), Math.min(nCelle, Math.ceil(v1 / CELLA))];
  }

  // Steps, each value held over the 50 m of its cell; where cells are
  // narrower than a pixel, each pixel column shows their lowest and highest.
  function gradini(g, v, k0, k1, Y) {
    const w = larghezza() - SX - DX;
    const perPixel = (k1 - k0) / w;
    g.beginPath();
    if (perPixel > 2) {
      let k = k0;
      for (let px = 0; px < w && k < k1; px++) {
        const fine = Math.max(k + 1, Math.min(k1, Math.floor(k0 + (px + 1) * perPixel)));
        let lo = Infinity, hi = -Infinity;
        for (; k < fine; k++) { lo = Math.min(lo, v[k]); hi = Math.max(hi, v[k]); }
        g.moveTo(SX + px + 0.5, Y(hi) - 0.5); g.lineTo(SX + px + 0.5, Y(lo) + 0.5);
      }
    } else {
      const xc = (k) => X(Math.min(Math.max(k * CELLA, v0), v1));
      g.moveTo(xc(k0), Y(v[k0]));
      for (let k = k0 + 1; k <= k1; k++) {
        g.lineTo(xc(k), Y(v[k - 1]));
        if (k < k1) g.lineTo(xc(k), Y(v[k]));
      }
    }
    g.stroke();
  }

  function disegnaProfili(g) {
    const w = larghezza();
    const [k0, k1] = celleVisibili();
    profili.forEach((p, i) => {
      const alto = altoProfilo(i);
      let min = 0, max = 0;
      for (const l of p.linee) for (let k = k0; k < k1; k++) { min = Math.min(min, l.v[k]); max = Math.max(max, l.v[k]); }
      if (max === min) max = min + 1;
      const m = (max - min) * 0.08;
      const Y = (v) => alto + ALTEZZA_PROFILO - (v - (min - m)) / (max - min + 2 * m) * ALTEZZA_PROFILO;
      if (nCelle * CELLA < v1) {
        const xa = X(Math.max(nCelle * CELLA, v0));
        g.fillStyle = "#eee"; g.fillRect(xa, alto, w - DX - xa, ALTEZZA_PROFILO);
      }
      g.strokeStyle = "#bbb"; g.lineWidth = 1; g.setLineDash([]);
      g.strokeRect(SX + 0.5, alto + 0.5, w - SX - DX, ALTEZZA_PROFILO);
      g.textAlign = "right";
      for (const v of tacche(min, max, 4).valori) {
        g.strokeStyle = v === 0 ? "#999" : "#ddd";
        g.beginPath(); g.moveTo(SX, Math.round(Y(v)) + 0.5); g.lineTo(w - DX, Math.round(Y(v)) + 0.5); g.stroke();
        g.fillStyle = "#222"; g.fillText(String(+v.toFixed(3)), SX - 6, Y(v) + 4);
      }
      g.save(); g.translate(SX - 62, alto + ALTEZZA_PROFILO / 2); g.rotate(-Math.PI / 2);
      g.textAlign = "center"; g.fillText(p.nome, 0, 0); g.restore();
      if (k1 > k0) {
        for (const l of p.linee) {
          g.strokeStyle = l.colore; g.lineWidth = l.tratteggio ? 1.4 : 1.8; g.setLineDash(l.tratteggio || []);
          gradini(g, l.v, k0, k1, Y);
        }
        g.setLineDash([]);
      }
    });
    g.textAlign = "left";
  }

  // The kilometres above the lanes and below the profiles, with a line
  // through both at each mark.
  function disegnaAsse(g) {
    const w = larghezza();
    const t = tacche(v0, v1, Math.max(4, Math.floor((w - SX - DX) / 90)));
    g.fillStyle = "#222";
    g.textAlign = "right";
    g.fillText("km", SX - 24, 13);
    g.textAlign = "center";
    for (const v of t.valori) {
      const x = Math.round(X(v)) + 0.5;
      g.strokeStyle = "#e4e4e4"; g.lineWidth = 1;
      g.beginPath(); g.moveTo(x, 17); g.lineTo(x, FINE_PROFILI + 5); g.stroke();
      g.strokeStyle = "#888";
      g.beginPath(); g.moveTo(x, 16); g.lineTo(x, 21); g.stroke();
      g.fillText(km(v, t.passo), x, 13);
      g.fillText(km(v, t.passo), x, FINE_PROFILI + 18);
    }
    g.strokeStyle = "#888";
    g.beginPath(); g.moveTo(SX, 16.5); g.lineTo(w - DX, 16.5); g.stroke();
    g.fillText("distance from the start of the route (km)", (SX + w - DX) / 2, FINE_PROFILI + 36);
    if (D.routeLength > v0 && D.routeLength < v1) {
      const x = Math.round(X(D.routeLength)) + 0.5;
      g.strokeStyle = "#555"; g.setLineDash([5, 4]);
      g.beginPath(); g.moveTo(x, 22); g.lineTo(x, FINE_PROFILI); g.stroke(); g.setLineDash([]);
      const scritta = "end of route (track beyond it added for the simulator)";
      const a_destra = x + 4 + g.measureText(scritta).width <= w - 2;
      g.textAlign = a_destra ? "left" : "right";
      g.fillStyle = "#555"; g.fillText(scritta, a_destra ? x + 4 : x - 4, 33);
    }
    g.textAlign = "left";
  }

  // ---- the plan ----

  function scatola(da, a) {
    let x0 = Infinity, x1 = -Infinity, y0 = Infinity, y1 = -Infinity;
    for (let i = 0; i < piano.m.length; i++) {
      if (piano.m[i] < da || piano.m[i] > a) continue;
      x0 = Math.min(x0, piano.x[i]); x1 = Math.max(x1, piano.x[i]);
      y0 = Math.min(y0, piano.y[i]); y1 = Math.max(y1, piano.y[i]);
    }
    return x0 <= x1 ? { x0, x1, y0, y1 } : null;
  }

  let proiezione = null;
  let puntiPiano = [];  // the dots of the plan as last drawn, for tooltips

  function proietta(b, w, h) {
    const margine = 30;
    const dx = Math.max(b.x1 - b.x0, 1), dy = Math.max(b.y1 - b.y0, 1);
    const scala = Math.min((w - 2 * margine) / dx, (h - 2 * margine) / dy);
    const ox = w / 2 - dx * scala / 2, oy = h / 2 + dy * scala / 2;
    return { X: (x) => ox + (x - b.x0) * scala, Y: (y) => oy - (y - b.y0) * scala, scala };
  }

  function indicePiano(metro) {
    let a = 0, b = piano.m.length - 1;
    while (a < b) { const c = (a + b) >> 1; if (piano.m[c] < metro) a = c + 1; else b = c; }
    return a;
  }

  function traccia(g, pr, i0, i1) {
    g.beginPath();
    let ux = Infinity, uy = Infinity;
    for (let i = i0; i <= i1; i++) {
      const x = pr.X(piano.x[i]), y = pr.Y(piano.y[i]);
      if (i === i0) g.moveTo(x, y);
      else if (i === i1 || Math.abs(x - ux) + Math.abs(y - uy) > 0.7) g.lineTo(x, y);
      else continue;
      ux = x; uy = y;
    }
    g.stroke();
  }

  // The stretch shown on the lanes, drawn over the track; ringed when it is
  // too short to see.
  function evidenzia(g, pr) {
    const i0 = indicePiano(v0), i1 = Math.min(piano.m.length - 1, indicePiano(v1));
    g.strokeStyle = "rgba(31,119,180,.55)"; g.lineWidth = 7; g.lineCap = "round";
    traccia(g, pr, i0, Math.max(i0, i1));
    g.lineCap = "butt";
    const xa = pr.X(piano.x[i0]), ya = pr.Y(piano.y[i0]), xb = pr.X(piano.x[i1]), yb = pr.Y(piano.y[i1]);
    if (Math.hypot(xb - xa, yb - ya) < 12) {
      g.strokeStyle = "#1f77b4"; g.lineWidth = 2;
      g.beginPath(); g.arc((xa + xb) / 2, (ya + yb) / 2, 10, 0, 2 * Math.PI); g.stroke();
    }
  }

  function disegnaPiano() {
    const w = telaPiano.clientWidth, h = 300;
    const g = prepara(telaPiano, h);
    etichettePiano.inizia();
    if (!piano || piano.m.length < 2) {
      etichettePiano.finisci();
      g.fillStyle = "#888"; g.textAlign = "center";
      g.fillText(D.hasPlanFile ? "the plan geometry file holds no track" : "no plan geometry file (compiled with --no-plan)", w / 2, h / 2);
      return;
    }
    const b = (el("segui").checked && scatola(v0, v1)) || scatola(-Infinity, Infinity);
    proiezione = proietta(b, w, h);
    const pr = proiezione;
    g.lineJoin = "round";
    g.strokeStyle = "#333"; g.lineWidth = 1.6;
    traccia(g, pr, 0, piano.m.length - 1);
    if (v0 > piano.m[0] || v1 < piano.m[piano.m.length - 1]) evidenzia(g, pr);
    segniPiano(g, pr, w, h);
  }

  // Boxes taken on the plan, found through a grid of 32-pixel squares.
  function Occupati(w, h) {
    const lato = 32, griglia = new Map();
    const chiavi = (q, f) => {
      for (let gx = Math.floor(q.x0 / lato); gx <= Math.floor(q.x1 / lato); gx++)
        for (let gy = Math.floor(q.y0 / lato); gy <= Math.floor(q.y1 / lato); gy++) f(gx * 4096 + gy);
    };
    this.prendi = (q) => chiavi(q, (k) => { if (!griglia.has(k)) griglia.set(k, []); griglia.get(k).push(q); });
    this.libero = (q) => {
      if (q.x0 < 2 || q.y0 < 2 || q.x1 > w - 2 || q.y1 > h - 2) return false;
      let libero = true;
      chiavi(q, (k) => {
        for (const p of griglia.get(k) || []) if (q.x0 < p.x1 && p.x0 < q.x1 && q.y0 < p.y1 && p.y0 < q.y1) libero = false;
      });
      return libero;
    };
  }

  // Stations first, then the end of the route, then kilometre marks: each
  // label beside its dot where it hides no other label and stays off the
  // track, or farther out with a leader line. Dots are drawn the other way
  // round, so a station's dot lies on top of a kilometre mark.
  function segniPiano(g, pr, w, h) {
    const segni = [];
    for (const o of oggetti) if (o.genere === "station") segni.push({ metro: o.posizione, testo: o.etichetta, colore: stili.station.colour, r: 4, genere: "station" });
    if (D.routeLength > 0) segni.push({ metro: D.routeLength, testo: "end of route", colore: "#555", r: 3.5, genere: "end" });
    const ultimo = piano.m[piano.m.length - 1];
    const t = tacche(0, ultimo, 14);
    for (const m of t.valori) if (m > 0 && m !== D.routeLength) segni.push({ metro: m, testo: km(m, t.passo) + " km", colore: "#999", r: 3, genere: "km" });
    const occupati = new Occupati(w, h);
    let ux = Infinity, uy = Infinity;
    for (let i = 0; i < piano.m.length; i++) {
      const x = pr.X(piano.x[i]), y = pr.Y(piano.y[i]);
      if (Math.abs(x - ux) + Math.abs(y - uy) < 4) continue;
      occupati.prendi({ x0: x - 2.5, y0: y - 2.5, x1: x + 2.5, y1: y + 2.5 });
      ux = x; uy = y;
    }
    const punti = segni.map((s) => { const i = indicePiano(s.metro); return { ...s, x: pr.X(piano.x[i]), y: pr.Y(piano.y[i]) }; })
      .filter((p) => p.x >= 0 && p.x <= w && p.y >= 0 && p.y <= h);
    for (const p of punti) occupati.prendi({ x0: p.x - p.r, y0: p.y - p.r, x1: p.x + p.r, y1: p.y + p.r });
    puntiPiano = punti;
    for (let k = punti.length - 1; k >= 0; k--) {
      const p = punti[k];
      g.fillStyle = p.colore; g.strokeStyle = "#fff"; g.lineWidth = 1;
      g.beginPath(); g.arc(p.x, p.y, p.r, 0, 2 * Math.PI); g.fill(); g.stroke();
    }
    g.textAlign = "left";
    for (const p of punti) {
      const lw = Math.ceil(g.measureText(p.testo).width) + 2, lh = corpo + 3;
      for (const d of [7, 26, 48]) {
        const c = d * 0.7;
        const candidati = [[p.x + d, p.y - lh / 2], [p.x - d - lw, p.y - lh / 2], [p.x - lw / 2, p.y - d - lh], [p.x - lw / 2, p.y + d],
          [p.x + c, p.y - c - lh], [p.x - c - lw, p.y - c - lh], [p.x + c, p.y + c], [p.x - c - lw, p.y + c]];
        const scelto = candidati.map(([x0, y0]) => ({ x0: Math.round(x0), y0: Math.round(y0), x1: Math.round(x0) + lw, y1: Math.round(y0) + lh }))
          .find(occupati.libero);
        if (!scelto) continue;
        occupati.prendi({ x0: scelto.x0 - 1, y0: scelto.y0 - 1, x1: scelto.x1 + 1, y1: scelto.y1 + 1 });
        if (d > 7) {
          g.strokeStyle = p.colore; g.lineWidth = 0.8;
          g.beginPath(); g.moveTo(p.x, p.y);
          g.lineTo(Math.min(Math.max(p.x, scelto.x0), scelto.x1), Math.min(Math.max(p.y, scelto.y0), scelto.y1)); g.stroke();
        }
        etichettePiano.metti(p.testo, scelto.x0, scelto.y0, lw, lh, p.colore, p);
        break;
      }
    }
    etichettePiano.finisci();
  }

  // ---- drawing and the test hook ----

  function disegna() {
    const g = prepara(tela, ALTEZZA);
    disegnaAsse(g);
    disegnaCorsie(g);
    disegnaProfili(g);
    disegnaPiano();
    const t = tacche(v0, v1, 10);
    el("da").value = km(v0, t.passo / 10);
    el("a").value = km(v1, t.passo / 10);
    document.body.dataset.from = String(Math.round(v0));
    document.body.dataset.to = String(Math.round(v1));
  }

  // ---- tooltips ----

  function descrivi(o) {
    const s = stili[o.genere];
    let t = s.name + " at " + o.posizione + " m";
    if (o.fine > o.inizio) t += " (" + o.inizio + " to " + o.fine + " m)";
    if (o.etichetta) t += ": " + o.etichetta;
    if (o.valori) t += "\n" + o.valori;
    if (o.origine) t += "\n" + o.origine;
    else if (o.genere === "protection-point") t += "\nplaced by the compactor";
    return t;
  }

  function vicino(x, y) {
    if (y < FINE_CORSIE && y >= ALTO_CORSIE) {
      const corsia = altoCorsia.findIndex((a, i) => y >= a && y < a + altezzaCorsia(corsie[i]));
      if (corsia === CORSIA_PROBLEMI) {
        let migliore = null, dist = 8;
        for (const p of D.problems) {
          const d = Math.abs(X(p.at) - x);
          if (p.at !== null && visibile(p.at, p.at) && d < dist) { dist = d; migliore = (p.error ? "error" : "warning") + " at " + p.at + " m\n" + p.text; }
        }
        return migliore;
      }
      let migliore = null, dist = 7;
      for (const o of oggetti) {
        if (stili[o.genere].lane !== corsia || !visibile(o.inizio, o.fine)) continue;
        const [a, b] = estremi(o);
        const d = x < a ? a - x : x > b ? x - b : 0;
        if (d < dist) { dist = d; migliore = o; }
      }
      return migliore && descrivi(migliore);
    }
    const metro = metroDi(x);
    if (y < FINE_CORSIE || y > FINE_PROFILI || metro < v0 || metro > v1) return null;
    const k = Math.floor(metro / CELLA);
    if (k >= nCelle) return "cell " + k + " at " + Math.round(metro) + " m: no profile values";
    return "cell " + k + ", " + (k * CELLA) + " to " + ((k + 1) * CELLA) + " m\ngradient " + profili[0].linee[0].v[k] + " \u2030, limit " +
      profili[1].linee[0].v[k] + " km/h, effective " + profili[1].linee[1].v[k] + " km/h, adhesion " + profili[2].linee[0].v[k];
  }

  function suggerisci(testo, e) {
    if (!testo) { suggerimento.hidden = true; return; }
    suggerimento.textContent = testo;
    suggerimento.hidden = false;
    const r = suggerimento.getBoundingClientRect();
    suggerimento.style.left = Math.min(e.clientX + 14, window.innerWidth - r.width - 4) + "px";
    suggerimento.style.top = (e.clientY + 16 + r.height > window.innerHeight ? e.clientY - r.height - 8 : e.clientY + 16) + "px";
  }

  function segnoPiano(x, y) {
    const p = puntiPiano.find((q) => Math.hypot(q.x - x, q.y - y) <= q.r + 2);
    return p ? p.testo + " at " + p.metro + " m\n" : "";
  }

  function metroPiano(x, y) {
    if (!proiezione || !piano) return null;
    let migliore = -1, dist = 15 * 15;
    for (let i = 0; i < piano.m.length; i++) {
      const dx = proiezione.X(piano.x[i]) - x, dy = proiezione.Y(piano.y[i]) - y;
      if (dx * dx + dy * dy < dist) { dist = dx * dx + dy * dy; migliore = i; }
    }
    return migliore < 0 ? null : piano.m[migliore];
  }

  // ---- input ----

  function posizione(e, c) { const r = c.getBoundingClientRect(); return [e.clientX - r.left, e.clientY - r.top]; }

  let trascina = null;
  tela.addEventListener("wheel", (e) => {
    e.preventDefault();
    const [x] = posizione(e, tela);
    const metro = Math.min(Math.max(metroDi(x), v0), v1);
    zoom(Math.exp(Math.max(-3, Math.min(3, e.deltaY * 0.0015))), metro);
  }, { passive: false });
  tela.addEventListener("mousedown", (e) => { trascina = { x: e.clientX, v0, v1 }; tela.classList.add("trascina"); });
  window.addEventListener("mouseup", () => { trascina = null; tela.classList.remove("trascina"); });
  window.addEventListener("mousemove", (e) => {
    if (trascina) {
      const dm = (e.clientX - trascina.x) / (larghezza() - SX - DX) * (trascina.v1 - trascina.v0);
      const fine = fineVista(), ampiezza = trascina.v1 - trascina.v0;
      const da = Math.min(Math.max(trascina.v0 - dm, 0), fine - ampiezza);
      mostra(da, da + ampiezza);
      suggerisci(null, e);
      return;
    }
    if (e.target === tela) { const [x, y] = posizione(e, tela); suggerisci(vicino(x, y), e); return; }
    if (e.target === telaPiano) {
      const [x, y] = posizione(e, telaPiano);
      const m = metroPiano(x, y);
      suggerisci(m === null ? null : segnoPiano(x, y) + "track at " + m + " m (km " + (m / 1000).toFixed(3) + ")\nclick to centre the lanes here", e);
      return;
    }
    suggerisci(null, e);
  });
  telaPiano.addEventListener("click", (e) => {
    const [x, y] = posizione(e, telaPiano);
    const m = metroPiano(x, y);
    if (m !== null) { const meta = (v1 - v0) / 2; mostra(m - meta, m + meta); }
  });

  function leggiKm(testo) {
    const t = testo.trim().replace(",", ".");
    return /^[+-]?(\d+\.?\d*|\.\d+)$/.test(t) ? Number(t) * 1000 : NaN;
  }

  el("intervallo").addEventListener("submit", (e) => {
    e.preventDefault();
    const a = leggiKm(el("da").value), b = leggiKm(el("a").value);
    if (!(a < b)) { el("messaggio").textContent = "give two kilometre values, the first below the second"; return; }
    el("messaggio").textContent = "";
    mostra(a, b);
  });
  el("tutto").addEventListener("click", () => mostra(0, fineVista()));
  el("coda").addEventListener("change", () => mostra(v0, Math.min(v1, fineVista())));
  el("segui").addEventListener("change", disegna);
  window.addEventListener("resize", disegna);

  // Kinds by their colour in the lanes, then the lines and marks that are
  // no kind of object.
  function legenda() {
    const generi = [["signal", "signal"], ["slowdown", "slowdown, warning board"], ["speed-board", "speed board (s-side km/h)"],
      ["text-board", "text board"], ["station", "station platform"], ["stop-cell", "stop cell"], ["curve", "curve (side, class)"],
      ["warning-cell", "cell before a warning board"], ["terrain", "terrain stretch (colour by type; ticks: markers)"],
      ["protection-point", "protection point (hollow: placed by the compactor)"], ["approach-cell", "approach cell"]];
    const voci = generi.map(([genere, nome]) => [stili[genere].colour, nome])
      .concat([["#d62728", "effective speed (dashed)"], ["#ffbf00", "warning"], ["#eee", "cells without profile values"]]);
    for (const [colore, nome] of voci) {
      const s = document.createElement("span");
      const i = document.createElement("i");
      i.style.background = colore;
      s.append(i, nome);
      el("legenda").append(s);
    }
  }

  // Every problem in the order found; one with a position shows its
  // stretch when clicked.
  function elencoProblemi() {
    const ul = el("problemi");
    ul.replaceChildren();
    el("elencoProblemi").hidden = D.problems.length === 0;
    el("titoloProblemi").textContent = "Problems of the compile (" + D.problems.length + ")";
    for (const p of D.problems) {
      const li = document.createElement("li");
      li.className = p.error ? "errore" : "avviso";
      li.textContent = (p.at === null ? "" : "at " + p.at + " m: ") + p.text;
      if (p.at !== null) li.addEventListener("click", () => mostra(p.at - 1000, p.at + 1000));
      ul.append(li);
    }
  }

  // Newer data of the same scenario: the view keeps its stretch, within
  // the new route's end.
  function aggiorna(dati) {
    carica(dati);
    el("titolo").textContent = D.title;
    elencoProblemi();
    mostra(v0, v1);
    document.body.dataset.updates = String(Number(document.body.dataset.updates || 0) + 1);
  }

  carica(DATI);
  el("titolo").textContent = D.title;
  elencoProblemi();
  el("coda").checked = D.runOut;
  legenda();
  window.visore = { intervallo: () => [v0, v1], mostra, zoom, aggiorna };
  mostra(0, fineVista());
  document.body.dataset.state = "ready";
})();
