// File operations of profile files on Windows.
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>

#include "../archivo.h"

namespace fiscal {

const std::string_view kFinDeLinea = "\r\n";

namespace {

HANDLE Manejador(intptr_t m) { return reinterpret_cast<HANDLE>(m); }

bool EscribirTodo(HANDLE h, std::string_view datos, OVERLAPPED* posicion) {
  // One WriteFile per call: the profile writes are small.
  DWORD escritos = 0;
  if (datos.size() > MAXDWORD) return false;
  if (!WriteFile(h, datos.data(), static_cast<DWORD>(datos.size()), &escritos, posicion))
    return false;
  return escritos == datos.size();
}

OVERLAPPED En(uint64_t posicion) {
  OVERLAPPED o{};
  o.Offset = static_cast<DWORD>(posicion);
  o.OffsetHigh = static_cast<DWORD>(posicion >> 32);
  return o;
}

// Creates a new temporary file beside `ruta`; a name left by a killed
// writer is skipped.
HANDLE CrearTemporal(const std::string& ruta, std::string& temporal) {
  static std::mt19937_64 azar{std::random_device{}() ^ GetCurrentProcessId()};
  for (int intento = 0; intento < 100; ++intento) {
    char sufijo[48];
    std::snprintf(sufijo, sizeof sufijo, ".%lu.%016llx~", GetCurrentProcessId(),
                  static_cast<unsigned long long>(azar()));
    temporal = ruta + sufijo;
    HANDLE h = CreateFileA(temporal.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

Lectura LeerArchivo(const std::string& ruta, std::string& contenido) {
  contenido.clear();
  HANDLE h = CreateFileA(ruta.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE |
                         FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD e = GetLastError();
    bool falta = e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND;
    return falta ? Lectura::Inexistente : Lectura::Fallida;
  }
  char bloque[65536];
  bool bien = true;
  for (;;) {
    DWORD leidos = 0;
    if (!ReadFile(h, bloque, sizeof bloque, &leidos, nullptr)) bien = false;
    if (!bien || leidos == 0) break;
    contenido.append(bloque, leidos);
  }
  CloseHandle(h);
  if (!bien) contenido.clear();
  return bien ? Lectura::Leido : Lectura::Fallida;
}

bool ReemplazarArchivo(const std::string& ruta, std::string_view contenido) {
  std::string temporal;
  HANDLE h = CrearTemporal(ruta, temporal);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool bien = contenido.empty() || EscribirTodo(h, contenido, nullptr);
  bien = bien && FlushFileBuffers(h);
  bien = CloseHandle(h) && bien;
  if (bien && MoveFileExA(temporal.c_str(), ruta.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileA(temporal.c_str());
  return false;
}

void CrearCarpeta(const std::string& ruta) {
  for (size_t i = 1; i <= ruta.size(); ++i) {
    if (i == ruta.size() || ruta[i] == '\\' || ruta[i] == '/') {
      if (i == 2 && ruta[1] == ':') continue;  // the drive itself
      CreateDirectoryA(ruta.substr(0, i).c_str(), nullptr);
    }
  }
}

bool ArchivoAbierto::Abrir(const std::string& ruta) {
  Cerrar();
  HANDLE h = CreateFileA(ruta.c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  manejador_ = reinterpret_cast<intptr_t>(h);
  return true;
}

void ArchivoAbierto::Cerrar() {
  if (manejador_ != -1) CloseHandle(Manejador(manejador_));
  manejador_ = -1;
}

bool ArchivoAbierto::Firma(FirmaArchivo& firma) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (manejador_ == -1 || !GetFileInformationByHandle(Manejador(manejador_), &info)) return false;
  firma.dispositivo = info.dwVolumeSerialNumber;
  firma.indice = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  firma.tamanio = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  firma.modificado = static_cast<int64_t>(
      (static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
      info.ftLastWriteTime.dwLowDateTime);
  return true;
}

bool ArchivoAbierto::LeerEn(uint64_t posicion, char* destino, size_t cantidad) {
  if (manejador_ == -1 || cantidad > MAXDWORD) return false;
  OVERLAPPED o = En(posicion);
  DWORD leidos = 0;
  if (!ReadFile(Manejador(manejador_), destino, static_cast<DWORD>(cantidad), &leidos, &o))
    return false;
  return leidos == cantidad;
}

bool ArchivoAbierto::EscribirEn(uint64_t posicion, std::string_view datos) {
  if (manejador_ == -1) return false;
  OVERLAPPED o = En(posicion);
  return EscribirTodo(Manejador(manejador_), datos, &o);
}

bool ArchivoAbierto::Anexar(std::string_view datos) {
  if (manejador_ == -1) return false;
  // An offset of all ones writes at the end of the file.
  OVERLAPPED o{};
  o.Offset = 0xFFFFFFFF;
  o.OffsetHigh = 0xFFFFFFFF;
  return EscribirTodo(Manejador(manejador_), datos, &o);
}

}  // namespace fiscal
