// A clock that moves only when told to, so time-outs are tested without
// waiting.
#pragma once

#include "common/plataforma.h"

namespace prueba {

class RelojFalso : public fiscal::Reloj {
 public:
  int64_t Centesimas() override { return centesimas; }
  fiscal::FechaHora Ahora() override { return ahora; }
  void Avanzar(int64_t cs) { centesimas += cs; }

  int64_t centesimas = 1'000'000;
  fiscal::FechaHora ahora{2026, 12, 11, 10, 30, 15};
};

}  // namespace prueba
