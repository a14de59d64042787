// Whatever a printer sends back, one command ends (within its time limit on
// the fake clock), reports through the error state, and never reads or
// writes out of bounds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/driver.h"
#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/puerto_serie.h"
#include "operador_guionado.h"
#include "puerto_guionado.h"
#include "reloj_falso.h"

namespace {

struct Banco {
  prueba::RelojFalso reloj;
  prueba::OperadorGuionado operador;
  prueba::PuertoGuionado puerto{reloj};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  Banco b;
  fiscal::ReiniciarDriver();
  fiscal::Entorno& e = fiscal::Estado().entorno;
  e.reloj = &b.reloj;
  e.operador = &b.operador;
  e.crear_canal = b.puerto.Fabrica();
  // The first byte picks the document mode and whether the serial is known
  // (so the Hasar line is or is not drained first).
  uint8_t modo = n > 0 ? datos[0] : 0;
  fiscal::Param().LP_TipoComprobante = (modo & 1) ? "FC" : "TQ";
  if (modo & 2) fiscal::Estado().SerieLeida = "SERIE";
  // The rest is what the printer sends, in chunks spaced by the byte that
  // precedes each chunk (in tenths of a second), answered to every write.
  std::string resto(reinterpret_cast<const char*>(datos) + (n > 0), n > 0 ? n - 1 : 0);
  size_t pos = 0;
  b.puerto.al_escribir = [&](std::string_view) {
    if (pos >= resto.size()) return;
    int64_t demora = static_cast<uint8_t>(resto[pos++]) * 10;
    size_t fin = resto.find('\xFE', pos);
    if (fin == std::string::npos) fin = resto.size();
    b.puerto.Enviar(std::string_view(resto).substr(pos, fin - pos), demora);
    pos = fin + 1;
  };
  fiscal::AbrirPuerto(2, 1024, 1024);
  const int64_t inicio = b.reloj.centesimas;
  fiscal::EnviarComando('*', {"N"});
  // Every send waits at most its time limits on the fake clock.
  if (b.reloj.centesimas - inicio > 24 * 3600 * 100) std::abort();
  if (LP_Error && LP_ErrorMensaje[0] == '\0') std::abort();
  fiscal::CerrarPuerto(2);
  return 0;
}
