// Hasar orders against the scripted printer: a known serial number (no
// identity query), errors not shown, and the frames sent as short texts
// such as "40|B|T" (code in hex, then the fields; DEL shows as "DEL",
// attribute bytes as "<F4>").
#pragma once

#include <string>
#include <vector>

#include "common/errores.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/texto.h"
#include "impresora_hasar.h"

namespace prueba {

// The refusal of an unknown command (fiscal bit 3).
inline Reaccion Rechazar() { return Contestar(0, 0x0008); }

class OrdenesHasar : public ImpresoraHasar {
 protected:
  void SetUp() override {
    ImpresoraHasar::SetUp();
    fiscal::Estado().SerieLeida = "HSR0000123";
    LP_ErrorMostrar = 0;
  }

  // LP_IMPRIMIR with the first arguments given, the rest omitted.
  void Orden(int16_t orden, std::vector<std::string> args = {}) {
    const char* p[22] = {};
    for (size_t i = 0; i < args.size() && i < 22; ++i) p[i] = args[i].c_str();
    LP_IMPRIMIR(orden, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9], p[10], p[11],
                p[12], p[13], p[14], p[15], p[16], p[17], p[18], p[19], p[20], p[21]);
  }

  static std::string Legible(const TramaEnviada& t) {
    std::string r = fiscal::HexaDeByte(t.codigo);
    for (const auto& c : t.campos) {
      r += '|';
      if (c == "\x7F") {
        r += "DEL";
        continue;
      }
      for (unsigned char b : c)
        r += b >= 0x80 ? "<" + fiscal::HexaDeByte(b) + ">" : std::string(1, static_cast<char>(b));
    }
    return r;
  }
  std::vector<std::string> Enviadas() const {
    std::vector<std::string> r;
    for (const auto& t : Tramas()) r.push_back(Legible(t));
    return r;
  }
  // Forgets what was sent so far.
  void Olvidar() { puerto.escrituras.clear(); }

  std::string Error() const { return LP_Error ? std::string(LP_ErrorMensaje) : std::string(); }
  static int64_t Centesimos(const LP_Decimal& d) { return lp_decimal_a_centesimos(d); }
};

}  // namespace prueba
