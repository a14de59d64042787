// Placeholder: replaced by the serial port layer.
#include "puerto_serie.h"

#include "errores.h"

namespace fiscal {
std::string NombreDispositivo(int puerto) { return "COM" + std::to_string(puerto) + ":"; }
void VerificarPuerto(int) {}
void VerificarLlamada(std::string_view, uint32_t) {}
void AbrirPuerto(int puerto, uint32_t, uint32_t) {
  MostrarError("Error al crear el puerto " + NombreDispositivo(puerto) + "|Codigo=2");
}
void ConfigurarPuerto(int, std::string_view) {}
uint16_t LeerPuerto(int, uint16_t, char*, size_t) { return 0; }
void EscribirPuerto(int, std::string_view, uint16_t) {}
void CerrarPuerto(int) {}
int LeerByte(int) { return -1; }
}  // namespace fiscal
