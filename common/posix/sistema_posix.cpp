// The clock, the operator and the default profile file on POSIX systems.
#include <time.h>

#include <cstdlib>
#include <string>

#include "../plataforma.h"
#include "operador_fltk.h"

namespace fiscal {

namespace {

class RelojPosix final : public Reloj {
 public:
  int64_t Centesimas() override {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 100 + t.tv_nsec / 10'000'000;
  }
  FechaHora Ahora() override {
    time_t ahora = time(nullptr);
    tm local{};
    localtime_r(&ahora, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
  }
};

}  // namespace

Reloj& RelojDelSistema() {
  static RelojPosix reloj;
  return reloj;
}

// FLTK windows when an X display can be opened, the console otherwise.
Operador& OperadorDelSistema() {
  Operador* ventanas = OperadorFltk();
  return ventanas ? *ventanas : OperadorDeConsola();
}

std::string RutaPerfilPorDefecto() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.config";
  } else {
    base = ".";
  }
  return base + "/drvfiscal/fiscal.ini";
}

}  // namespace fiscal
