// File operations of profile files on POSIX systems.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

#include "../archivo.h"

namespace fiscal {

const std::string_view kFinDeLinea = "\n";

namespace {

bool EscribirTodo(int fd, std::string_view datos) {
  while (!datos.empty()) {
    ssize_t n = ::write(fd, datos.data(), datos.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    datos.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

std::string Carpeta(const std::string& ruta) {
  size_t barra = ruta.find_last_of('/');
  if (barra == std::string::npos) return ".";
  return barra == 0 ? "/" : ruta.substr(0, barra);
}

// Creates a new temporary file beside `ruta`, under a name no other writer
// picks at the same time (a forked process shares the generator's state,
// hence the process id; a name left by a killed writer is skipped).
int CrearTemporal(const std::string& ruta, std::string& temporal) {
  static std::mt19937_64 azar{std::random_device{}()};
  for (int intento = 0; intento < 100; ++intento) {
    char sufijo[48];
    std::snprintf(sufijo, sizeof sufijo, ".%ld.%016llx~", static_cast<long>(::getpid()),
                  static_cast<unsigned long long>(azar()));
    temporal = ruta + sufijo;
    int fd = ::open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The rename itself must reach the disk too: flush the folder.
void VolcarCarpeta(const std::string& ruta) {
  int fd = ::open(Carpeta(ruta).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

Lectura LeerArchivo(const std::string& ruta, std::string& contenido) {
  contenido.clear();
  int fd = ::open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? Lectura::Inexistente : Lectura::Fallida;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && st.st_size > 0) contenido.reserve(static_cast<size_t>(st.st_size));
  char bloque[65536];
  bool bien = true;
  for (;;) {
    ssize_t n = ::read(fd, bloque, sizeof bloque);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) bien = false;
    if (n <= 0) break;
    contenido.append(bloque, static_cast<size_t>(n));
  }
  ::close(fd);
  if (!bien) contenido.clear();
  return bien ? Lectura::Leido : Lectura::Fallida;
}

bool ReemplazarArchivo(const std::string& ruta, std::string_view contenido) {
  std::string temporal;
  int fd = CrearTemporal(ruta, temporal);
  if (fd < 0) return false;
  // The new file keeps the permissions of the one it replaces.
  struct stat st {};
  if (::stat(ruta.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
  bool bien = EscribirTodo(fd, contenido) && ::fsync(fd) == 0;
  bien = ::close(fd) == 0 && bien;
  if (bien && ::rename(temporal.c_str(), ruta.c_str()) == 0) {
    VolcarCarpeta(ruta);
    return true;
  }
  ::unlink(temporal.c_str());
  return false;
}

void CrearCarpeta(const std::string& ruta) {
  for (size_t i = 1; i <= ruta.size(); ++i) {
    if (i == ruta.size() || ruta[i] == '/') ::mkdir(ruta.substr(0, i).c_str(), 0777);
  }
}

bool ArchivoAbierto::Abrir(const std::string& ruta) {
  Cerrar();
  int fd = ::open(ruta.c_str(), O_RDWR | O_CLOEXEC);
  manejador_ = fd;
  return fd >= 0;
}

void ArchivoAbierto::Cerrar() {
  if (manejador_ >= 0) ::close(static_cast<int>(manejador_));
  manejador_ = -1;
}

bool ArchivoAbierto::Firma(FirmaArchivo& firma) {
  struct stat st {};
  if (manejador_ < 0 || ::fstat(static_cast<int>(manejador_), &st) != 0) return false;
  firma.dispositivo = static_cast<uint64_t>(st.st_dev);
  firma.indice = static_cast<uint64_t>(st.st_ino);
  firma.tamanio = static_cast<uint64_t>(st.st_size);
  firma.modificado = static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  return true;
}

bool ArchivoAbierto::LeerEn(uint64_t posicion, char* destino, size_t cantidad) {
  if (manejador_ < 0) return false;
  ssize_t n;
  do {
    n = ::pread(static_cast<int>(manejador_), destino, cantidad, static_cast<off_t>(posicion));
  } while (n < 0 && errno == EINTR);
  return n >= 0 && static_cast<size_t>(n) == cantidad;
}

bool ArchivoAbierto::EscribirEn(uint64_t posicion, std::string_view datos) {
  if (manejador_ < 0) return false;
  ssize_t n;
  do {
    n = ::pwrite(static_cast<int>(manejador_), datos.data(), datos.size(),
                 static_cast<off_t>(posicion));
  } while (n < 0 && errno == EINTR);
  return n >= 0 && static_cast<size_t>(n) == datos.size();
}

bool ArchivoAbierto::Anexar(std::string_view datos) {
  if (manejador_ < 0) return false;
  int fd = static_cast<int>(manejador_);
  if (::lseek(fd, 0, SEEK_END) < 0) return false;
  return EscribirTodo(fd, datos);
}

}  // namespace fiscal
