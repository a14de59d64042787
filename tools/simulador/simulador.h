// A simulated fiscal printer on a serial line: the Epson or Hasar link
// (framing, block check, NAK, keep-alives, Hasar handshake, repeated
// sequence numbers), the printer behind it, faults on demand, the journal
// of the line and the paper roll.
#pragma once

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "codec.h"
#include "diario.h"
#include "impresora.h"
#include "linea.h"

namespace simulador {

// Faults for the next frames. Counters go down by one per frame they act on.
struct Fallas {
  int nak = 0;                // answer the next good frames with NAK instead
  int suma_erronea = 0;       // corrupt the block check of the next answers
  int secuencia_erronea = 0;  // wrong sequence number in the next answers
  int codigo_erroneo = 0;     // wrong command code in the next answers
  int buffer_lleno = 0;       // printer bit 6 on the next answers; the command is not taken
  double silencio = 0;        // seconds: the next frame gets nothing, the line is ignored
  double espera_cada = 0;     // keep-alives before the next answer, every so many seconds ...
  double espera_durante = 0;  // ... for so many seconds
  int rechazar_campo = 0;     // refuse the next command with fiscal bit 4 naming this field
  bool cortar = false;        // send only the first half of the next answer
  bool colgar = false;        // send half of the next answer, then hang up the line
  std::string basura;         // bytes before the STX of the next answer
};

struct Configuracion {
  Protocolo protocolo = Protocolo::Epson;
  std::string dispositivo;  // blank: a new pseudo-terminal
  int baudios = 0;          // pace the line at this speed; 0: as fast as it goes
  Modelo modelo;
  Condiciones condiciones;
  Fallas fallas;
  bool byte_a1 = false;         // Hasar: 0xA1 before each ACK
  uint8_t byte_espera = kDC2;   // keep-alive byte: DC2 or DC4
  int intervalo_espera_ms = 500;  // keep-alives while working
  int espera_ack_ms = 1000;     // Hasar: wait this long for the host's ACK ...
  int reenvios = 3;             // ... and send the answer again this many times
  std::string pendiente;        // bytes already waiting on the line at start
  std::string diario;           // journal file (JSON lines); blank: memory only
  std::string rollo;            // paper roll file; blank: memory only
};

class Simulador {
 public:
  explicit Simulador(Configuracion c);
  ~Simulador();
  Simulador(const Simulador&) = delete;
  Simulador& operator=(const Simulador&) = delete;

  // Opens the line and serves it on a thread of its own.
  bool Iniciar(std::string& error);
  void Detener();
  bool Activo() const { return hilo_.joinable() && !terminado_; }

  // The path the driver opens (the slave end of the pseudo-terminal).
  const std::string& Ruta() const;

  Impresora& impresora() { return impresora_; }
  Diario& diario() { return diario_; }

  // Changes the pending faults while the line runs.
  void CambiarFallas(const std::function<void(Fallas&)>& cambio);
  Fallas LeerFallas() const;
  // Forgets the last answer, so the next frame runs whatever its sequence.
  void OlvidarUltimaRespuesta();
  // Frames served so far (executed or answered from the last answer).
  int TramasAtendidas() const { return atendidas_; }

 private:
  void Correr();
  bool Siguiente(uint8_t& b, std::chrono::milliseconds espera);
  void Atender(const Recibido& r);
  void AtenderTrama(const Trama& t, const std::string& bytes);
  bool Enviar(const std::string& bytes, const std::string& tipo, const std::string& nota = {});
  void Esperar(int duracion_ms, int cada_ms);
  void EnviarRespuesta(std::string respuesta, const Trama& t, const std::string& nota);
  bool EsperarAck();
  void AnotarRespuesta(const std::string& bytes, const std::string& nota);

  Configuracion config_;
  Impresora impresora_;
  Diario diario_;
  std::unique_ptr<Linea> linea_;
  std::thread hilo_;
  std::atomic<bool> detener_{false}, terminado_{false};
  std::atomic<int> atendidas_{0};

  mutable std::mutex mutex_fallas_;
  Fallas fallas_;

  Decodificador decodificador_;
  std::deque<uint8_t> entrada_;  // bytes read but not yet handled
  std::chrono::steady_clock::time_point silencio_hasta_{};
  bool hay_ultima_ = false;
  uint8_t ultima_secuencia_ = 0;
  std::string ultima_respuesta_;
  std::mutex mutex_ultima_;
};

}  // namespace simulador
