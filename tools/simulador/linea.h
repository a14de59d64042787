// The simulator's end of the serial line: the master side of a new
// pseudo-terminal, or a real device. Raw bytes, optional pacing at a line
// speed.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace simulador {

class Linea {
 public:
  // A new pseudo-terminal; the driver opens RutaEsclavo(). The simulator
  // keeps the slave end open too, so the line survives the driver closing
  // and reopening its port between calls. Empty pointer and `error` set on
  // failure.
  static std::unique_ptr<Linea> AbrirPty(std::string& error);
  // A device given by path (a real serial port or one end of a null-modem
  // pair), in raw mode.
  static std::unique_ptr<Linea> AbrirDispositivo(const std::string& ruta, std::string& error);

  ~Linea();
  Linea(const Linea&) = delete;
  Linea& operator=(const Linea&) = delete;

  const std::string& RutaEsclavo() const { return ruta_esclavo_; }
  // Bytes per second from a line speed in baud (10 bits a byte); 0 = no pacing.
  void FijarBaudios(int baudios) { baudios_ = baudios; }

  // Up to `cantidad` bytes, waiting at most `espera`. 0 when nothing came;
  // -1 when the line is gone.
  int Leer(uint8_t* destino, size_t cantidad, std::chrono::milliseconds espera);
  // Writes everything (paced when a speed is set); false when the line is gone.
  bool Escribir(std::string_view bytes);
  // Ends the line: a driver reading the slave end sees the hang-up.
  void Colgar();

 private:
  Linea() = default;
  void Pausar(size_t bytes) const;

  int fd_ = -1;          // master end or device
  int fd_esclavo_ = -1;  // slave end held open (pty only)
  std::string ruta_esclavo_;
  int baudios_ = 0;
};

}  // namespace simulador
