// The Hasar order dispatch: each order code turned into printer commands.
#include <string>

#include "../common/driver.h"
#include "../common/estado.h"
#include "../common/traza.h"

namespace fiscal {

namespace {

// The argument the dispatch never takes from the host.
constexpr int kArgumentoVacio = 22;

void ConsultarEstado(Argumentos&) { EnviarComando('*'); }

constexpr Orden kOrdenes[] = {
    {200, ConsultarEstado},
};

}  // namespace

void EjecutarOrdenHasar(int16_t orden, const Argumentos& recibidos) {
  Argumentos argumentos;
  for (int n = 1; n < kArgumentoVacio; ++n) argumentos[n] = recibidos[n];
  if (Param().LP_GenerarLog) TrazarOrden(orden, argumentos);
  ElEnlace().ErrorPapelFatal = 0;
  EjecutarDeTabla(kOrdenes, orden, argumentos);
}

void EjecutarOrden(int16_t orden, Argumentos& argumentos) { EjecutarOrdenHasar(orden, argumentos); }

}  // namespace fiscal
