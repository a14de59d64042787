// What each driver library (epson/ or hasar/) provides to the shared code.
// The shared code calls these by name; each library defines its own.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "trama.h"

namespace fiscal {

// Constants that tell the two drivers apart.
struct DescripcionDriver {
  std::string_view marca;                     // "EPSON" or "HASAR"
  std::string_view tipo_comprobante_defecto;  // when the key is missing
  std::string_view tipo_letra_inicial;
  // The order entry of the trace log is written on entry to LP_IMPRIMIR,
  // before the connection (Epson), or by the dispatch after it (Hasar).
  bool traza_orden_al_entrar;
  // How ü and Ü are made printable in frames and in the trace log.
  ReglaDieresis dieresis;
  // The notice that the trace log is growing (every 50 entries from 200).
  bool aviso_auditoria;
  // Between the model and the serial number in the editor's printer text.
  std::string_view separador_serie;
};

extern const DescripcionDriver kDriver;

constexpr int kArgumentosOrden = 22;
constexpr size_t kAnchoArgumento = 250;

// The order arguments of one call: 22 buffers of 250 characters,
// blank-padded, numbered 1 to 22.
class Argumentos {
 public:
  Argumentos() { buffers_.fill(std::string(kAnchoArgumento, ' ')); }
  std::string& operator[](int n) { return buffers_.at(n - 1); }      // 1-based
  const std::string& operator[](int n) const { return buffers_.at(n - 1); }
  void Asignar(int n, const char* texto);  // null gives blanks; cut at 250

 private:
  std::array<std::string, kArgumentosOrden> buffers_;
};

// Sends one printer command and checks its answer. Omitted fields produce
// nothing on the line; a given but empty field produces a lone FS.
void EnviarComando(uint8_t codigo, std::span<const std::string_view> campos);
inline void EnviarComando(uint8_t codigo, std::initializer_list<std::string_view> campos = {}) {
  EnviarComando(codigo, std::span<const std::string_view>(campos.begin(), campos.size()));
}

// The first-contact identity query of this printer family.
void ConsultarIdentidad();

// Line lengths and issue flags from the document type (and model).
void AplicarModelo();

// Runs one order code on a started connection.
void EjecutarOrden(int16_t orden, Argumentos& argumentos);

// One row of a driver's order table.
struct Orden {
  int16_t codigo;
  void (*ejecutar)(Argumentos&);
};

// Runs the row of `orden`, or reports the order as not valid.
void EjecutarDeTabla(std::span<const Orden> tabla, int16_t orden, Argumentos& argumentos);

}  // namespace fiscal
