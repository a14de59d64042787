// The serial port layer: ports named "COM1:" to "COM16:", opened per call,
// every failure reported through MostrarError with the system's code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fiscal {

// "COM" followed by the number and a colon.
std::string NombreDispositivo(int puerto);

void VerificarPuerto(int puerto);
// Reports `mensaje` with "|Codigo=" and `codigo` when `codigo` is not 0;
// otherwise clears the error.
void VerificarLlamada(std::string_view mensaje, uint32_t codigo);

void AbrirPuerto(int puerto, uint32_t cola_entrada, uint32_t cola_salida);
void ConfigurarPuerto(int puerto, std::string_view configuracion);
// Reads up to `cantidad` bytes (0 means 1) into `destino` of `largo` bytes:
// bytes up to the first NUL, blank-padded or cut. Returns the bytes read.
uint16_t LeerPuerto(int puerto, uint16_t cantidad, char* destino, size_t largo);
// Writes `texto` without its trailing blanks (`largo` 0: all of it).
void EscribirPuerto(int puerto, std::string_view texto, uint16_t largo = 0);
void CerrarPuerto(int puerto);

// One byte from the port, for the exchange layers: -1 when none came
// within the time-outs or the read failed (then LP_Error is set).
int LeerByte(int puerto);

}  // namespace fiscal
