#include "conexion.h"

#include "driver.h"
#include "edicion_parametros.h"
#include "errores.h"
#include "estado.h"
#include "lp_fiscal.h"
#include "parametros.h"
#include "puerto_serie.h"

namespace fiscal {

namespace {
constexpr std::string_view kFaltanParametros = "Falta definir los parametros de impresion";
constexpr uint32_t kColaPuerto = 1024;
}  // namespace

void CargarParametros() {
  EstadoDriver& e = Estado();
  std::string_view resultado(LP_Resultado, sizeof LP_Resultado);
  if (resultado.substr(0, 4) == "FIL:") {
    e.ArchivoParametros = resultado.substr(4, 200);
    AsignarFijo(LP_Resultado, "");
  }
  if (!LeerFijo(LP_ParametrosLeidos).empty()) return;
  LeerParametros();
  if (!e.ArchivoParametros.Blanco() && LeerFijo(LP_ParametrosLeidos).empty()) {
    // The named file was never saved to: propose the values of the default
    // profile file, still counting as not loaded, so that saving writes
    // them to the named file.
    Texto<200> nombre = e.ArchivoParametros;
    e.ArchivoParametros = "";
    LeerParametros();
    e.ArchivoParametros = nombre;
    AsignarFijo(LP_ParametrosLeidos, "");
  }
}

void IniciarConexion() {
  for (;;) {
    CargarParametros();
    if (!LeerFijo(LP_ParametrosLeidos).empty()) break;
    ElOperador().Mostrar({.texto = kFaltanParametros, .titulo = "AVISO", .icono = Icono::Informacion});
    EdicionParametros edicion;
    if (ElOperador().EditarParametros(edicion) == ResultadoDialogo::SinPantalla) {
      // Nobody can fill in the editor: fail instead of asking for ever.
      MostrarError(kFaltanParametros);
      return;
    }
  }
  const int puerto = Param().LP_ImpresoraPuerto;
  AbrirPuerto(puerto, kColaPuerto, kColaPuerto);
  if (LP_Error) return;
  ConfigurarPuerto(puerto, Param().LP_ImpresoraConfig.Valor());
  if (LP_Error) {
    CerrarPuerto(puerto);
    return;
  }
  if (Estado().SerieLeida.Blanco()) {
    ConsultarIdentidad();
    if (LP_Error) {
      CerrarPuerto(puerto);
      return;
    }
  }
  MostrarError("");
}

}  // namespace fiscal
