// The serial device on Windows: the communications functions of the
// system. Each call clears the thread's last-error code first and returns
// the code it leaves, since successful calls may leave an older code.
#include <windows.h>

#include <cstdint>
#include <string>

#include "../plataforma.h"

namespace fiscal {

namespace {

// The code a call left; a failure that set no code still fails.
uint32_t CodigoDe(BOOL resultado) {
  DWORD codigo = GetLastError();
  if (codigo == 0 && !resultado) codigo = ERROR_GEN_FAILURE;
  return codigo;
}

// Ports above 9 are reachable only under the device namespace.
std::string NombreParaAbrir(std::string_view dispositivo) {
  std::string_view t = dispositivo;
  if (t.size() > 3 && (t[0] == 'C' || t[0] == 'c') && (t[1] == 'O' || t[1] == 'o') &&
      (t[2] == 'M' || t[2] == 'm')) {
    std::string_view numero = t.substr(3);
    if (!numero.empty() && numero.back() == ':') numero.remove_suffix(1);
    if (numero.size() > 1 && numero.find_first_not_of("0123456789") == std::string_view::npos)
      return "\\\\.\\COM" + std::string(numero);
  }
  return std::string(dispositivo);
}

class CanalSerieWin32 final : public CanalSerie {
 public:
  ~CanalSerieWin32() override { Cerrar(); }

  uint32_t Abrir(std::string_view dispositivo) override {
    Cerrar();
    std::string nombre = NombreParaAbrir(dispositivo);
    SetLastError(0);
    HANDLE h = CreateFileA(nombre.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    uint32_t codigo = CodigoDe(h != INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) {
      if (codigo != 0) {
        CloseHandle(h);
        return codigo;
      }
      h_ = h;
    }
    return codigo;
  }

  uint32_t DimensionarColas(uint32_t entrada, uint32_t salida) override {
    SetLastError(0);
    return CodigoDe(SetupComm(h_, entrada, salida));
  }

  uint32_t LeerTiempos(TiemposPuerto& tiempos) override {
    COMMTIMEOUTS t{};
    SetLastError(0);
    uint32_t codigo = CodigoDe(GetCommTimeouts(h_, &t));
    tiempos.intervalo = t.ReadIntervalTimeout;
    tiempos.lectura_por_byte = t.ReadTotalTimeoutMultiplier;
    tiempos.lectura_constante = t.ReadTotalTimeoutConstant;
    tiempos.escritura_por_byte = t.WriteTotalTimeoutMultiplier;
    tiempos.escritura_constante = t.WriteTotalTimeoutConstant;
    return codigo;
  }

  uint32_t GrabarTiempos(const TiemposPuerto& tiempos) override {
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = tiempos.intervalo;
    t.ReadTotalTimeoutMultiplier = tiempos.lectura_por_byte;
    t.ReadTotalTimeoutConstant = tiempos.lectura_constante;
    t.WriteTotalTimeoutMultiplier = tiempos.escritura_por_byte;
    t.WriteTotalTimeoutConstant = tiempos.escritura_constante;
    SetLastError(0);
    return CodigoDe(SetCommTimeouts(h_, &t));
  }

  uint32_t LeerLinea() override {
    linea_ = DCB{};
    linea_.DCBlength = sizeof(DCB);
    SetLastError(0);
    return CodigoDe(GetCommState(h_, &linea_));
  }

  uint32_t ArmarLinea(std::string_view modo) override {
    std::string texto(modo);
    linea_.DCBlength = sizeof(DCB);
    SetLastError(0);
    return CodigoDe(BuildCommDCBA(texto.c_str(), &linea_));
  }

  uint32_t GrabarLinea() override {
    SetLastError(0);
    return CodigoDe(SetCommState(h_, &linea_));
  }

  uint32_t Leer(uint8_t* destino, size_t cantidad, size_t& leidos) override {
    leidos = 0;
    if (cantidad > MAXDWORD) return ERROR_INVALID_PARAMETER;
    DWORD n = 0;
    SetLastError(0);
    uint32_t codigo = CodigoDe(ReadFile(h_, destino, static_cast<DWORD>(cantidad), &n, nullptr));
    leidos = n;
    return codigo;  // fewer bytes within the time-outs is no error
  }

  uint32_t Escribir(const uint8_t* origen, size_t cantidad, size_t& escritos) override {
    escritos = 0;
    if (cantidad > MAXDWORD) return ERROR_INVALID_PARAMETER;
    DWORD n = 0;
    SetLastError(0);
    uint32_t codigo = CodigoDe(WriteFile(h_, origen, static_cast<DWORD>(cantidad), &n, nullptr));
    escritos = n;
    // A write the time-outs cut short reports success: bytes left unsent
    // are a failure.
    if (codigo == 0 && n < cantidad) codigo = ERROR_SEM_TIMEOUT;
    return codigo;
  }

  void Cerrar() override {
    if (h_ == INVALID_HANDLE_VALUE) return;
    CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
  DCB linea_{};
};

}  // namespace

std::unique_ptr<CanalSerie> CrearCanalDelSistema() { return std::make_unique<CanalSerieWin32>(); }

}  // namespace fiscal
