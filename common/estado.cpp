#include "estado.h"

#include "driver.h"
#include "exportadas.h"

namespace fiscal {

namespace {

Entorno EntornoDelSistema() {
  Entorno e;
  e.reloj = &RelojDelSistema();
  e.operador = &OperadorDelSistema();
  e.crear_canal = CrearCanalDelSistema;
  return e;
}

EstadoDriver NuevoEstado(Entorno entorno) {
  EstadoDriver e;
  e.parametros.LP_TipoLetra = kDriver.tipo_letra_inicial;
  e.entorno = std::move(entorno);
  return e;
}

}  // namespace

EstadoDriver& Estado() {
  static EstadoDriver estado = NuevoEstado(EntornoDelSistema());
  return estado;
}

void ReiniciarDriver() {
  EstadoDriver& e = Estado();
  for (auto& canal : e.puertos) {
    if (canal) canal->Cerrar();
  }
  e = NuevoEstado(std::move(e.entorno));
  ReiniciarExportadas();
}

namespace {
// The exported variables take their initial values when the library loads.
struct AlCargar {
  AlCargar() { ReiniciarExportadas(); }
} al_cargar;
}  // namespace

}  // namespace fiscal
