// A serial device for tests: what the "printer" sends is scripted with
// times on the fake clock, and everything the driver writes is recorded.
// A read with nothing due waits (on the fake clock) as the real device
// does: up to one second, less when a byte falls due sooner.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/plataforma.h"
#include "reloj_falso.h"

namespace prueba {

class PuertoGuionado {
 public:
  explicit PuertoGuionado(RelojFalso& reloj) : reloj_(reloj) {}

  // Bytes the printer sends `demora` hundredths after the last scripted
  // byte (or after now, when nothing is pending).
  void Enviar(std::string_view bytes, int64_t demora = 0);
  // Bytes already waiting on the line.
  void EnviarYa(std::string_view bytes) { Enviar(bytes, 0); }
  bool Pendiente() const { return !entrantes_.empty(); }

  // Called with each write of the driver; typically scripts the answer.
  std::function<void(std::string_view escrito)> al_escribir;

  // A factory for fiscal::Entorno::crear_canal.
  fiscal::FabricaCanales Fabrica();

  std::string escrito;                 // every byte written, in order
  std::vector<std::string> escrituras;  // one entry per write call
  std::vector<std::string> modos;       // mode texts applied
  std::string dispositivo;              // the name it was opened under
  int aperturas = 0;
  int cierres = 0;
  bool abierto = false;
  // System error codes to fail a call with (0: succeed).
  uint32_t error_abrir = 0, error_leer = 0, error_escribir = 0, error_linea = 0;
  // Milliseconds a read waits for its first byte before giving up.
  int64_t espera_lectura_cs = 100;

  // The device side, used by the factory's devices.
  uint32_t Leer(uint8_t* destino, size_t cantidad, size_t& leidos);
  uint32_t Escribir(const uint8_t* origen, size_t cantidad, size_t& escritos);

 private:
  struct Byte {
    int64_t cuando;
    char valor;
  };
  RelojFalso& reloj_;
  std::deque<Byte> entrantes_;
};

// Frame helpers for scripting answers.
// Epson answer: STX seq code FS status FS status {FS field} ETX BCC.
std::string RespuestaEpson(char secuencia, char codigo, uint16_t impresora, uint16_t fiscal,
                           const std::vector<std::string>& campos = {});
// Hasar answer; with `esc` the code is preceded by a byte the driver skips.
std::string RespuestaHasar(char secuencia, char codigo, uint16_t impresora, uint16_t fiscal,
                           const std::vector<std::string>& campos = {}, bool esc = false);
// Hexadecimal block check of a frame built by hand.
std::string SumaBloque(std::string_view desde_stx_hasta_etx);

}  // namespace prueba
