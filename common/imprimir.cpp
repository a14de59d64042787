// The exported procedures: one order call from entry to return.
#include <algorithm>
#include <cstring>
#include <string>

#include "conexion.h"
#include "driver.h"
#include "edicion_parametros.h"
#include "errores.h"
#include "estado.h"
#include "lp_fiscal.h"
#include "puerto_serie.h"
#include "traza.h"

namespace fiscal {

void Argumentos::Asignar(int n, const char* texto) {
  std::string& b = (*this)[n];
  b.assign(kAnchoArgumento, ' ');
  if (texto) b.replace(0, strnlen(texto, kAnchoArgumento), texto, strnlen(texto, kAnchoArgumento));
}

void EjecutarDeTabla(std::span<const Orden> tabla, int16_t orden, Argumentos& argumentos) {
  for (const Orden& o : tabla) {
    if (o.codigo == orden) {
      o.ejecutar(argumentos);
      return;
    }
  }
  MostrarError("La orden indicada no es valida|Orden=" + std::to_string(orden));
}

namespace {

void Imprimir(int16_t orden, const char* const (&textos)[kArgumentosOrden]) {
  Argumentos argumentos;
  for (int n = 1; n <= kArgumentosOrden; ++n) argumentos.Asignar(n, textos[n - 1]);
  Estado().orden_en_curso = orden;

  if (kDriver.traza_orden_al_entrar && Param().LP_GenerarLog) TrazarOrden(orden, argumentos);
  IniciarConexion();
  if (LP_Error) return;
  EjecutarOrden(orden, argumentos);
  CerrarPuerto(Param().LP_ImpresoraPuerto);
}

}  // namespace
}  // namespace fiscal

extern "C" {

LP_EXPORTA void LP_LLAMADA LP_IMPRIMIR(int16_t orden, const char* a1, const char* a2,
                                       const char* a3, const char* a4, const char* a5,
                                       const char* a6, const char* a7, const char* a8,
                                       const char* a9, const char* a10, const char* a11,
                                       const char* a12, const char* a13, const char* a14,
                                       const char* a15, const char* a16, const char* a17,
                                       const char* a18, const char* a19, const char* a20,
                                       const char* a21, const char* a22) {
  const char* const textos[fiscal::kArgumentosOrden] = {a1,  a2,  a3,  a4,  a5,  a6,  a7,  a8,
                                                        a9,  a10, a11, a12, a13, a14, a15, a16,
                                                        a17, a18, a19, a20, a21, a22};
  fiscal::Imprimir(orden, textos);
}

LP_EXPORTA void LP_LLAMADA LP_EDITARPARAMETROS(void) {
  fiscal::EdicionParametros edicion;
  fiscal::ElOperador().EditarParametros(edicion);
}

LP_EXPORTA void LP_LLAMADA LP_EDITARTITULOS(void) {
  fiscal::MostrarError("El editor de titulos no esta disponible en esta version");
}

}  // extern "C"
