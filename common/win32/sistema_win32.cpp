// The clock, the operator and the default profile file on Windows.
#include <windows.h>

#include <string>

#include "../plataforma.h"
#include "operador_win32.h"

namespace fiscal {

namespace {

class RelojWin32 final : public Reloj {
 public:
  // GetTickCount64 counts milliseconds since boot and never wraps.
  int64_t Centesimas() override { return static_cast<int64_t>(GetTickCount64() / 10); }
  FechaHora Ahora() override {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
  }
};

// The value of an environment variable, empty when it is not set.
std::string Variable(const char* nombre) {
  std::string valor(MAX_PATH, '\0');
  DWORD n = GetEnvironmentVariableA(nombre, valor.data(), static_cast<DWORD>(valor.size()));
  if (n >= valor.size()) {  // too small: n is the size needed, terminator included
    valor.resize(n);
    n = GetEnvironmentVariableA(nombre, valor.data(), static_cast<DWORD>(valor.size()));
  }
  valor.resize(n < valor.size() ? n : 0);
  return valor;
}

}  // namespace

Reloj& RelojDelSistema() {
  static RelojWin32 reloj;
  return reloj;
}

Operador& OperadorDelSistema() { return OperadorDeWindows(); }

std::string RutaPerfilPorDefecto() {
  std::string base = Variable("APPDATA");
  if (base.empty()) base = Variable("USERPROFILE");
  if (base.empty()) base = ".";
  if (base.back() == '\\' || base.back() == '/') base.pop_back();
  return base + "\\drvfiscal\\fiscal.ini";
}

}  // namespace fiscal
