"use strict";
// The served page: each "scenario" event of the server carries the data of
// the texts as last saved, and the viewer redraws with it where it stands.
// A server that stays away is given up after a bounded number of tries.
(function () {
  const stato = document.getElementById("dalVivo");
  const tentativiMassimi = 20;
  let tentativi = 0;
  stato.hidden = false;
  const fonte = new EventSource("/events");
  fonte.addEventListener("scenario", (e) => {
    tentativi = 0;
    visore.aggiorna(JSON.parse(e.data));
    stato.textContent = "live: redrawn at " + new Date().toLocaleTimeString();
    stato.className = "";
  });
  fonte.addEventListener("open", () => {
    tentativi = 0;
    stato.textContent = "live: following the texts";
    stato.className = "";
  });
  fonte.addEventListener("error", () => {
    stato.className = "perso";
    if (++tentativi < tentativiMassimi) {
      stato.textContent = "live: the server does not answer, trying again";
      return;
    }
    fonte.close();
    stato.textContent = "live: the server has stopped; reload the page once it runs again";
  });
})();
