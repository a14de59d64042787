#include "diario.h"

#include <chrono>
#include <cstdio>
#include <fstream>

#include "codec.h"

namespace simulador {

namespace {

// Bytes as a JSON string; bytes outside printable ASCII are escaped as
// Latin-1 code points so the line stays valid UTF-8.
std::string Cadena(const std::string& s) {
  std::string r = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      r.push_back('\\');
      r.push_back(static_cast<char>(c));
    } else if (c < 0x20 || c >= 0x7F) {
      char u[8];
      std::snprintf(u, sizeof u, "\\u%04X", c);
      r += u;
    } else {
      r.push_back(static_cast<char>(c));
    }
  }
  return r + "\"";
}

}  // namespace

void Diario::Archivo(const std::string& ruta) {
  std::lock_guard<std::mutex> l(mutex_);
  ruta_ = ruta;
}

void Diario::Anotar(Evento e) {
  if (e.tiempo == 0) {
    auto ahora = std::chrono::system_clock::now().time_since_epoch();
    e.tiempo = std::chrono::duration<double>(ahora).count();
  }
  std::lock_guard<std::mutex> l(mutex_);
  if (!ruta_.empty()) {
    std::ofstream f(ruta_, std::ios::app | std::ios::binary);
    f << Json(e) << '\n';
  }
  eventos_.push_back(std::move(e));
}

std::vector<Evento> Diario::Eventos() const {
  std::lock_guard<std::mutex> l(mutex_);
  return eventos_;
}

void Diario::Vaciar() {
  std::lock_guard<std::mutex> l(mutex_);
  eventos_.clear();
}

std::string Diario::Json(const Evento& e) {
  char t[32];
  std::snprintf(t, sizeof t, "%.3f", e.tiempo);
  std::string r = std::string("{\"t\":") + t + ",\"dir\":" + Cadena(e.dir) +
                  ",\"tipo\":" + Cadena(e.tipo) + ",\"hex\":" + Cadena(Hexa(e.bytes));
  if (e.secuencia >= 0) r += ",\"seq\":" + std::to_string(e.secuencia);
  if (e.codigo >= 0) r += ",\"cmd\":" + Cadena(Hexa(std::string(1, static_cast<char>(e.codigo))));
  if (e.impresora >= 0) {
    char w[16];
    std::snprintf(w, sizeof w, "%04X", e.impresora);
    r += ",\"impresora\":" + Cadena(w);
    std::snprintf(w, sizeof w, "%04X", e.fiscal);
    r += ",\"fiscal\":" + Cadena(w);
  }
  if (e.secuencia >= 0) {
    r += ",\"campos\":[";
    for (size_t i = 0; i < e.campos.size(); ++i) r += (i ? "," : "") + Cadena(e.campos[i]);
    r += "]";
  }
  if (!e.nota.empty()) r += ",\"nota\":" + Cadena(e.nota);
  return r + "}";
}

}  // namespace simulador
