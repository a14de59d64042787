#include "traza.h"

#include <string>

#include "errores.h"
#include "estado.h"
#include "lp_fiscal.h"
#include "perfil.h"
#include "texto.h"
#include "trama.h"

namespace fiscal {

namespace {

constexpr std::string_view kArchivo = "fiscal.log";
constexpr std::string_view kContador = "Lineas";
constexpr std::string_view kAvisoAuditoria =
    "El controlador fiscal est\xE1 generando un archivo de auditor\xED" "a."
    "|Esto puede retrasar las tareas de impresion.";

std::string Seccion() { return "Impresora " + std::string(1, LP_NumeroImpresora[0]); }

// Takes the next entry number. The log is written only while it is on.
long TomarNumero() {
  if (!Param().LP_GenerarLog) return 0;
  return static_cast<long>(IncrementarPerfil(kArchivo, Seccion(), kContador));
}

void Anotar(long numero, std::string_view valor) {
  AnexarPerfil(kArchivo, Seccion(), std::to_string(numero), SinBlancosFinales(valor));
}

void Entrada(std::string_view valor) {
  if (long numero = TomarNumero()) Anotar(numero, valor);
}

}  // namespace

void TrazarOrden(int16_t orden, const Argumentos& argumentos) {
  std::string t = "***" + std::to_string(orden) + "*** ";
  for (int n = 1; n <= kArgumentosOrden; ++n) {
    if (n > 1) t += ';';
    t += SinBlancosFinales(argumentos[n]);
  }
  Entrada(t);
}

void TrazarComando(uint8_t codigo, std::string_view trama) {
  bool acentos = Param().LP_PermitirAcentos == "S";
  Entrada(HexaDeByte(codigo) + "h) " + NormalizarCampo(trama, acentos, kDriver.dieresis));
}

void TrazarRespuesta(std::string_view respuesta) { Entrada(" OK) " + std::string(respuesta)); }

long TrazarCierre() {
  long numero = TomarNumero();
  if (numero == 0) return 0;
  if (LP_Error) Anotar(numero, std::string_view(LP_ErrorMensaje));
  if (kDriver.aviso_auditoria && numero >= 200 && numero % 50 == 0) MostrarAviso(kAvisoAuditoria);
  return numero;
}

}  // namespace fiscal
