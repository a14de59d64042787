// What the simulator saw: every byte run received and sent, with its time,
// kept in memory and optionally written as JSON lines, one object a line:
//   {"t":1765459200.125,"dir":"rx","tipo":"trama","hex":"02 21 2A ...",
//    "seq":33,"cmd":"2A","campos":["N"]}
// Answers add "impresora" and "fiscal" (the status words as 4 hex digits).
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace simulador {

struct Evento {
  double tiempo = 0;  // seconds since the epoch
  std::string dir;    // "rx" from the host, "tx" to the host
  // rx: "trama", "trama_mala", "suelto", "descarte", "ignorado";
  // tx: "respuesta", "ack", "nak", "espera" (DC2/DC4), "a1", "basura", "corte";
  // "linea" for line events (hang-up).
  std::string tipo;
  std::string bytes;
  int secuencia = -1;  // frames only
  int codigo = -1;
  std::vector<std::string> campos;  // return fields for answers
  int impresora = -1, fiscal = -1;  // answers only
  std::string nota;                 // repeated answer, fault applied, reason of a bad frame
};

class Diario {
 public:
  // Also append each event to this file (blank: memory only).
  void Archivo(const std::string& ruta);
  void Anotar(Evento e);
  std::vector<Evento> Eventos() const;
  void Vaciar();
  // The JSON line of an event (no newline).
  static std::string Json(const Evento& e);

 private:
  mutable std::mutex mutex_;
  std::vector<Evento> eventos_;
  std::string ruta_;
};

}  // namespace simulador
