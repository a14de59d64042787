// Whatever a profile file holds, reading it never fails, and writing one
// key changes that key only: every other key reads back as before.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/perfil.h"
#include "common/texto.h"

namespace {

const char* const kSecciones[] = {"A", "b", "Impresora Fiscal", "Puertos"};
const char* const kClaves[] = {"k", "K", "Lineas", "1", "COM2"};

std::string Carpeta() {
  static std::string carpeta = [] {
    char plantilla[] = "/tmp/drvfiscal-fuzz-XXXXXX";
    return std::string(mkdtemp(plantilla));
  }();
  return carpeta;
}

// The value a write of `v` reads back as: one line, trimmed.
std::string Esperado(std::string v) {
  for (char& c : v)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return std::string(fiscal::Recortado(v));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  if (n < 2) return 0;
  const std::string archivo = Carpeta() + "/perfil.ini";
  const size_t s = datos[0] % 4, k = datos[1] % 5;
  std::string contenido(reinterpret_cast<const char*>(datos) + 2, n - 2);
  const std::string valor = contenido.substr(0, contenido.size() % 7);
  {
    std::ofstream f(archivo, std::ios::binary | std::ios::trunc);
    f << contenido;
  }
  std::string antes[4][5];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 5; ++j) antes[i][j] = fiscal::LeerPerfil(archivo, kSecciones[i], kClaves[j], "?");

  fiscal::EscribirPerfil(archivo, kSecciones[s], kClaves[k], valor);

  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 5; ++j) {
      std::string ahora = fiscal::LeerPerfil(archivo, kSecciones[i], kClaves[j], "?");
      bool misma_seccion = i == static_cast<int>(s);
      bool misma_clave = (j == static_cast<int>(k)) || (k <= 1 && j <= 1);  // "k" and "K" match
      if (misma_seccion && misma_clave) {
        if (ahora != Esperado(valor)) std::abort();
      } else if (ahora != antes[i][j]) {
        std::abort();
      }
    }
  }
  return 0;
}
