// The few file operations that profile files need from the machine: read a
// whole file, replace it atomically and durably, and change it in place or
// at its end with single writes. POSIX and Win32 implement them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fiscal {

// The line ending this system writes in new text files.
extern const std::string_view kFinDeLinea;

// What identifies one state of a file: which file it is, its size and its
// last modification. Two equal signatures mean the file was not touched
// by anybody else in between (within the clock's resolution).
struct FirmaArchivo {
  uint64_t dispositivo = 0, indice = 0;
  uint64_t tamanio = 0;
  int64_t modificado = 0;
  bool operator==(const FirmaArchivo&) const = default;
};

enum class Lectura { Leido, Inexistente, Fallida };

// Reads the whole file. A file that exists but cannot be read is Fallida:
// writers must then leave it alone rather than start it anew.
Lectura LeerArchivo(const std::string& ruta, std::string& contenido);

// Replaces (or creates) the file with `contenido`: writes a temporary file
// beside it, flushes it to disk and renames it over the old one, so that a
// crash at any moment leaves the old file or the new one, whole. False
// when any step failed; the old file is then untouched.
bool ReemplazarArchivo(const std::string& ruta, std::string_view contenido);

// Creates the folder and its parents when they are missing.
void CrearCarpeta(const std::string& ruta);

// A killed process may leave a write half done, but only at a boundary of
// the system's pages: a write that stays inside one aligned block of this
// size is either done or not done.
constexpr uint64_t kBloqueEntero = 4096;

// An existing file opened for reading and writing in place, one system
// call per write.
class ArchivoAbierto {
 public:
  ArchivoAbierto() = default;
  ArchivoAbierto(const ArchivoAbierto&) = delete;
  ArchivoAbierto& operator=(const ArchivoAbierto&) = delete;
  ~ArchivoAbierto() { Cerrar(); }

  // Opens without creating. False when the file does not exist.
  bool Abrir(const std::string& ruta);
  void Cerrar();
  bool Firma(FirmaArchivo& firma);
  // Exactly `cantidad` bytes from `posicion`, or false.
  bool LeerEn(uint64_t posicion, char* destino, size_t cantidad);
  // Overwrites bytes inside the file.
  bool EscribirEn(uint64_t posicion, std::string_view datos);
  // Adds the bytes at the end of the file.
  bool Anexar(std::string_view datos);

 private:
  intptr_t manejador_ = -1;
};

}  // namespace fiscal
