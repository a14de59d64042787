#include "puerto_serie.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "errores.h"
#include "estado.h"
#include "lp_fiscal.h"
#include "texto.h"

namespace fiscal {

namespace {

constexpr size_t kBufferTransferencia = 2000;
constexpr size_t kMaximoModo = 49;
constexpr uint32_t kMilisegundos = 500;

bool NumeroValido(int puerto) { return puerto >= kPuertoMinimo && puerto <= kPuertoMaximo; }

std::unique_ptr<CanalSerie>& Canal(int puerto) { return Estado().puertos[puerto]; }

// The device of an open port; reports a closed one as an invalid handle.
CanalSerie* CanalAbierto(int puerto, std::string_view mensaje) {
  CanalSerie* canal = Canal(puerto).get();
  if (!canal) VerificarLlamada(mensaje, EBADF);
  return canal;
}

}  // namespace

std::string NombreDispositivo(int puerto) { return "COM" + std::to_string(puerto) + ":"; }

void VerificarPuerto(int puerto) {
  if (!NumeroValido(puerto))
    MostrarError("Numero de puerto debe estar entre 1 y 16|" + std::to_string(puerto));
  else
    MostrarError("");
}

void VerificarLlamada(std::string_view mensaje, uint32_t codigo) {
  if (codigo != 0)
    MostrarError(std::string(SinBlancosFinales(mensaje)) + "|Codigo=" + std::to_string(codigo));
  else
    MostrarError("");
}

void AbrirPuerto(int puerto, uint32_t cola_entrada, uint32_t cola_salida) {
  VerificarPuerto(puerto);
  if (LP_Error) return;
  CerrarPuerto(puerto);  // a handle left open must not leak
  std::string nombre = NombreDispositivo(puerto);
  std::unique_ptr<CanalSerie> canal = Estado().entorno.crear_canal();
  uint32_t codigo = canal ? canal->Abrir(nombre) : ENODEV;
  VerificarLlamada("Error al crear el puerto " + nombre, codigo);
  if (LP_Error) return;
  Canal(puerto) = std::move(canal);
  if (cola_entrada == 0 && cola_salida == 0) return;

  CanalSerie& c = *Canal(puerto);
  VerificarLlamada("Error al dimensionar los buffers", c.DimensionarColas(cola_entrada, cola_salida));
  TiemposPuerto tiempos;
  if (!LP_Error) VerificarLlamada("Error al leer timeout", c.LeerTiempos(tiempos));
  if (!LP_Error) {
    tiempos = {kMilisegundos, kMilisegundos, kMilisegundos, kMilisegundos, kMilisegundos};
    VerificarLlamada("Error al grabar timeout", c.GrabarTiempos(tiempos));
  }
  if (LP_Error) CerrarPuerto(puerto);
}

void ConfigurarPuerto(int puerto, std::string_view configuracion) {
  VerificarPuerto(puerto);
  if (LP_Error) return;
  CanalSerie* c = CanalAbierto(puerto, "Error al leer parametros del puerto");
  if (!c) return;
  VerificarLlamada("Error al leer parametros del puerto", c->LeerLinea());
  if (LP_Error) return;
  std::string modo = std::string(SinBlancosFinales(NombreDispositivo(puerto))) +
                     std::string(SinBlancosFinales(configuracion));
  modo.resize(std::min(modo.size(), kMaximoModo));
  VerificarLlamada("Error al indicar parametros del puerto|" + modo, c->ArmarLinea(modo));
  if (LP_Error) return;
  VerificarLlamada("Error al grabar parametros del puerto|" + modo, c->GrabarLinea());
}

uint16_t LeerPuerto(int puerto, uint16_t cantidad, char* destino, size_t largo) {
  VerificarPuerto(puerto);
  if (LP_Error) return 0;
  CanalSerie* c = CanalAbierto(puerto, "Error al leer el puerto");
  if (!c) return 0;
  size_t pedidos = std::min<size_t>(cantidad == 0 ? 1 : cantidad, kBufferTransferencia);
  uint8_t buffer[kBufferTransferencia];
  size_t leidos = 0;
  uint32_t codigo = c->Leer(buffer, pedidos, leidos);
  leidos = std::min(leidos, pedidos);
  // Bytes up to the first NUL, then blanks: a NUL arrives as a blank.
  size_t hasta = std::find(buffer, buffer + leidos, 0) - buffer;
  size_t copiados = std::min(hasta, largo);
  std::copy(buffer, buffer + copiados, destino);
  std::fill(destino + copiados, destino + largo, ' ');
  VerificarLlamada("Error al leer el puerto", codigo);
  return static_cast<uint16_t>(leidos);
}

void EscribirPuerto(int puerto, std::string_view texto, uint16_t largo) {
  VerificarPuerto(puerto);
  if (LP_Error) return;
  CanalSerie* c = CanalAbierto(puerto, "Error al escribir en el puerto");
  if (!c) return;
  texto = SinBlancosFinales(texto).substr(0, kBufferTransferencia - 1);
  size_t n = (largo == 0 || largo > texto.size()) ? texto.size() : largo;
  size_t escritos = 0;
  uint32_t codigo = c->Escribir(reinterpret_cast<const uint8_t*>(texto.data()), n, escritos);
  // A write cut short by the time-outs is a failure even when the system
  // call itself reports none.
  if (codigo == 0 && escritos < n) codigo = ETIMEDOUT;
  VerificarLlamada("Error al escribir en el puerto", codigo);
}

void CerrarPuerto(int puerto) {
  if (!NumeroValido(puerto)) return;
  if (auto& canal = Canal(puerto)) {
    canal->Cerrar();
    canal.reset();
  }
}

int LeerByte(int puerto) {
  char c;
  if (LeerPuerto(puerto, 1, &c, 1) == 0 || LP_Error) return -1;
  return static_cast<unsigned char>(c);
}

}  // namespace fiscal
