// fiscalhost: a command-line host for the driver libraries.
//
//   fiscalhost --lib ./drvepson.so [--parametros ARCHIVO] [--impresora N]
//              [--sin-cajas] [ORDEN [TEXTO...]]
//
// Loads the library (dlopen, or LoadLibrary on Windows) and binds the
// exported names, as a host application does; sets the requested variables, calls LP_IMPRIMIR with
// the order code and up to 22 texts (the rest omitted) and prints every
// exported variable afterwards. Without ORDEN it only prints the values
// the library has at load.
#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "lp_fiscal.h"

namespace {

using Imprimir = decltype(&LP_IMPRIMIR);

enum class Tipo { Texto, TextoNul, Byte, Entero, Decimal, Fecha, Hora };

struct Variable {
  const char* nombre;
  Tipo tipo;
  size_t ancho;  // texts only
};

constexpr Variable kVariables[] = {
    {"LP_Resultado", Tipo::Texto, 255},      {"LP_ResultadoMostrar", Tipo::Byte, 0},
    {"LP_Error", Tipo::Byte, 0},             {"LP_ErrorMensaje", Tipo::TextoNul, 255},
    {"LP_ErrorMostrar", Tipo::Byte, 0},      {"LP_UltimoComprobante", Tipo::Entero, 0},
    {"LP_UltimoTotal", Tipo::Decimal, 0},    {"LP_UltimoNeto", Tipo::Decimal, 0},
    {"LP_UltimoIva", Tipo::Decimal, 0},      {"LP_UltimoImpInterno", Tipo::Decimal, 0},
    {"LP_UltimoPercepcion", Tipo::Decimal, 0}, {"LP_SerieImpresora", Tipo::Texto, 15},
    {"LP_Fiscalizada", Tipo::Byte, 0},       {"LP_CajonAbierto", Tipo::Byte, 0},
    {"LP_ParametrosLeidos", Tipo::Texto, 17}, {"LP_NumeroImpresora", Tipo::Texto, 1},
    {"LP_FechaImpresora", Tipo::Fecha, 0},   {"LP_HoraImpresora", Tipo::Hora, 0},
    {"LP_LonObsFac", Tipo::Byte, 0},         {"LP_LonLinFac", Tipo::Byte, 0},
    {"LP_LonPagFac", Tipo::Byte, 0},         {"LP_LonLinNoF", Tipo::Byte, 0},
    {"LP_LonLinPag", Tipo::Byte, 0},         {"LP_LonLinCot", Tipo::Byte, 0},
    {"LP_EmiteFAC", Tipo::Byte, 0},          {"LP_EmiteCRE", Tipo::Byte, 0},
    {"LP_EmiteRTO", Tipo::Byte, 0},          {"LP_EmitePAG", Tipo::Byte, 0},
    {"LP_EmiteCOT", Tipo::Byte, 0},          {"LP_CanDecimales", Tipo::Byte, 0},
    {"LP_PreDecimales", Tipo::Byte, 0},      {"LP_CanMaxima", Tipo::Entero, 0},
    {"LP_PreMaximo", Tipo::Entero, 0},
};

// Windows-1252 bytes as UTF-8 for the terminal; control bytes as \xNN.
std::string ParaTerminal(std::string_view texto) {
  static const char16_t k80a9F[32] = {
      0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  std::string salida;
  for (unsigned char c : texto) {
    char32_t u = c >= 0x80 && c < 0xA0 ? k80a9F[c - 0x80] : c;
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      salida += hex;
    } else if (u < 0x80) {
      salida += static_cast<char>(u);
    } else if (u < 0x800) {
      salida += static_cast<char>(0xC0 | (u >> 6));
      salida += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      salida += static_cast<char>(0xE0 | (u >> 12));
      salida += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      salida += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return salida;
}

// A readable value: texts in quotes with their trailing blanks removed,
// amounts with two decimals, serials as the date or time they stand for.
std::string Valor(const Variable& v, const void* dir) {
  char buf[64];
  switch (v.tipo) {
    case Tipo::Texto: {
      std::string_view t(static_cast<const char*>(dir), v.ancho);
      t = t.substr(0, t.find_last_not_of(' ') + 1);
      return "\"" + ParaTerminal(t) + "\"";
    }
    case Tipo::TextoNul: {
      const char* t = static_cast<const char*>(dir);
      return "\"" + ParaTerminal({t, strnlen(t, v.ancho)}) + "\"";
    }
    case Tipo::Byte:
      return std::to_string(*static_cast<const uint8_t*>(dir));
    case Tipo::Entero:
      return std::to_string(*static_cast<const int32_t*>(dir));
    case Tipo::Decimal: {
      int64_t c = lp_decimal_a_centesimos(static_cast<const unsigned char*>(dir));
      std::snprintf(buf, sizeof buf, "%s%" PRId64 ".%02d", c < 0 ? "-" : "",
                    (c < 0 ? -c : c) / 100, static_cast<int>((c < 0 ? -c : c) % 100));
      return buf;
    }
    case Tipo::Fecha: {
      int32_t s = *static_cast<const int32_t*>(dir);
      if (s == 0) return "0 (sin fecha)";
      int a, m, d;
      lp_fecha_de_serial(s, &a, &m, &d);
      std::snprintf(buf, sizeof buf, "%d (%02d/%02d/%04d)", s, d, m, a);
      return buf;
    }
    case Tipo::Hora: {
      int32_t s = *static_cast<const int32_t*>(dir);
      if (s == 0) return "0 (sin hora)";
      int h, mi, se;
      lp_hora_de_serial(s, &h, &mi, &se);
      std::snprintf(buf, sizeof buf, "%d (%02d:%02d:%02d)", s, h, mi, se);
      return buf;
    }
  }
  return "?";
}

[[noreturn]] void Uso(const char* mensaje) {
  std::fprintf(stderr,
               "fiscalhost: %s\n"
               "uso: fiscalhost --lib BIBLIOTECA [--parametros ARCHIVO] [--impresora N]\n"
               "                [--sin-cajas] [ORDEN [TEXTO...]]\n",
               mensaje);
  std::exit(2);
}

#ifdef _WIN32
using Biblioteca = HMODULE;
Biblioteca Cargar(const std::string& ruta) { return LoadLibraryA(ruta.c_str()); }
void* Buscar(Biblioteca b, const char* nombre) {
  return reinterpret_cast<void*>(GetProcAddress(b, nombre));
}
void Descargar(Biblioteca b) { FreeLibrary(b); }
std::string ErrorDeCarga() { return "codigo " + std::to_string(GetLastError()); }
#else
using Biblioteca = void*;
Biblioteca Cargar(const std::string& ruta) {
  // A path with no slash would make dlopen search the system folders.
  return dlopen((ruta.find('/') == std::string::npos ? "./" + ruta : ruta).c_str(),
                RTLD_NOW | RTLD_LOCAL);
}
void* Buscar(Biblioteca b, const char* nombre) { return dlsym(b, nombre); }
void Descargar(Biblioteca b) { dlclose(b); }
std::string ErrorDeCarga() { return dlerror(); }
#endif

// Copies a text into a fixed-width variable, blank-padded.
void AsignarFijo(char* destino, size_t ancho, std::string_view texto) {
  std::memset(destino, ' ', ancho);
  std::memcpy(destino, texto.data(), texto.size() < ancho ? texto.size() : ancho);
}

}  // namespace

int main(int argc, char** argv) {
  const char* biblioteca = nullptr;
  const char* parametros = nullptr;
  const char* impresora = nullptr;
  bool sin_cajas = false;
  std::vector<const char*> posicionales;
  for (int i = 1; i < argc; ++i) {
    std::string_view a = argv[i];
    auto siguiente = [&] {
      if (i + 1 >= argc) Uso("falta el valor de una opcion");
      return argv[++i];
    };
    if (a == "--lib") {
      biblioteca = siguiente();
    } else if (a == "--parametros") {
      parametros = siguiente();
    } else if (a == "--impresora") {
      impresora = siguiente();
    } else if (a == "--sin-cajas") {
      sin_cajas = true;
    } else if (a == "--help" || a == "-h") {
      Uso("ayuda");
    } else {
      posicionales.push_back(argv[i]);
    }
  }
  if (!biblioteca) Uso("falta --lib");
  if (posicionales.size() > 1 + 22) Uso("mas de 22 textos");

  long orden = 0;
  if (!posicionales.empty()) {
    char* fin = nullptr;
    orden = std::strtol(posicionales[0], &fin, 10);
    if (*posicionales[0] == '\0' || *fin != '\0' || orden < INT16_MIN || orden > INT16_MAX) {
      Uso("la orden debe ser un numero de 16 bits");
    }
  }

  const std::string ruta = biblioteca;
  Biblioteca lib = Cargar(ruta);
  if (!lib) {
    std::fprintf(stderr, "fiscalhost: no se pudo cargar %s: %s\n", ruta.c_str(),
                 ErrorDeCarga().c_str());
    return 1;
  }
  auto simbolo = [&](const char* nombre) {
    void* s = Buscar(lib, nombre);
    if (!s) {
      std::fprintf(stderr, "fiscalhost: %s no exporta %s\n", ruta.c_str(), nombre);
      std::exit(1);
    }
    return s;
  };
  auto imprimir = reinterpret_cast<Imprimir>(simbolo("LP_IMPRIMIR"));
  std::vector<const void*> direcciones;
  for (const Variable& v : kVariables) direcciones.push_back(simbolo(v.nombre));

  if (parametros) {
    AsignarFijo(static_cast<char*>(simbolo("LP_Resultado")), 255,
                std::string("FIL:") + parametros);
  }
  if (impresora) AsignarFijo(static_cast<char*>(simbolo("LP_NumeroImpresora")), 1, impresora);
  if (sin_cajas) {
    *static_cast<uint8_t*>(simbolo("LP_ErrorMostrar")) = 0;
    *static_cast<uint8_t*>(simbolo("LP_ResultadoMostrar")) = 0;
  }

  if (!posicionales.empty()) {
    std::fflush(stdout);
    const char* t[22] = {};
    for (size_t n = 1; n < posicionales.size(); ++n) t[n - 1] = posicionales[n];
    imprimir(static_cast<int16_t>(orden), t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8],
             t[9], t[10], t[11], t[12], t[13], t[14], t[15], t[16], t[17], t[18], t[19], t[20],
             t[21]);
    std::fflush(stderr);
    std::printf("LP_IMPRIMIR(%ld) ejecutada\n", orden);
  }
  for (size_t i = 0; i < std::size(kVariables); ++i) {
    std::printf("%-22s %s\n", kVariables[i].nombre,
                Valor(kVariables[i], direcciones[i]).c_str());
  }
  // The variables live inside the library: nothing may read them after this.
  Descargar(lib);
  return 0;
}
