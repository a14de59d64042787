// A Hasar printer scripted frame by frame on the scripted port: each frame
// the driver writes takes the next reaction of the queue (by default the
// ACK and a clean answer); the driver's own ACK and echo bytes are only
// recorded.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "entorno_prueba.h"

namespace prueba {

using Reaccion = std::function<void(PuertoGuionado&, const TramaEnviada&)>;

// The ACK, then the answer `demora` hundredths later (the code behind an
// ESC when the frame had one).
inline Reaccion Contestar(uint16_t impresora = 0, uint16_t fiscal = 0,
                          std::vector<std::string> campos = {}, int64_t demora = 0) {
  return [=](PuertoGuionado& p, const TramaEnviada& t) {
    p.Enviar("\x06");
    p.Enviar(RespuestaHasar(static_cast<char>(t.secuencia), static_cast<char>(t.codigo), impresora,
                            fiscal, campos, t.esc),
             demora);
  };
}
// Raw bytes `demora` hundredths after whatever is pending.
inline Reaccion Bytes(std::string bytes, int64_t demora = 0) {
  return [=](PuertoGuionado& p, const TramaEnviada&) { p.Enviar(bytes, demora); };
}
// Several reactions to the same frame, in order.
inline Reaccion Luego(std::vector<Reaccion> pasos) {
  return [=](PuertoGuionado& p, const TramaEnviada& t) {
    for (const Reaccion& r : pasos) r(p, t);
  };
}
inline Reaccion Callar() {
  return [](PuertoGuionado&, const TramaEnviada&) {};
}

class ImpresoraHasar : public EntornoPrueba {
 protected:
  void SetUp() override {
    EntornoPrueba::SetUp();
    puerto.al_escribir = [this](std::string_view w) {
      if (w.empty() || w[0] != '\x02') return;
      TramaEnviada t = DesarmarTrama(w);
      Reaccion r = Contestar();
      if (por_codigo.count(t.codigo)) {
        r = por_codigo[t.codigo];
      } else if (!reacciones.empty()) {
        r = reacciones.front();
        reacciones.pop_front();
      }
      r(puerto, t);
    };
  }
  // Writes of the driver that are not frames (ACK, echoes).
  std::string Sueltos() const {
    std::string r;
    for (const auto& w : puerto.escrituras)
      if (!w.empty() && w[0] != '\x02') r += w;
    return r;
  }

  std::deque<Reaccion> reacciones;
  std::map<uint8_t, Reaccion> por_codigo;  // fixed reaction for a command code
};

}  // namespace prueba
