#include "entorno_prueba.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "common/puerto_serie.h"
#include "common/texto.h"

namespace prueba {

TramaEnviada DesarmarTrama(std::string_view b) {
  TramaEnviada t;
  t.bruta = b;
  size_t etx = b.find('\x03');
  if (b.size() < 3 || b[0] != '\x02' || etx == std::string_view::npos) return t;
  t.secuencia = static_cast<uint8_t>(b[1]);
  size_t i = 2;
  if (b[i] == '\x1b') {
    t.esc = true;
    ++i;
  }
  t.codigo = static_cast<uint8_t>(b[i++]);
  std::string_view resto = b.substr(i, etx - i);
  while (!resto.empty() && resto[0] == '\x1c') {
    resto.remove_prefix(1);
    size_t fin = resto.find('\x1c');
    t.campos.emplace_back(resto.substr(0, fin));
    resto = fin == std::string_view::npos ? std::string_view{} : resto.substr(fin);
  }
  return t;
}

void EntornoPrueba::SetUp() {
  char plantilla[] = "/tmp/drvfiscal-prueba-XXXXXX";
  ASSERT_NE(nullptr, mkdtemp(plantilla));
  carpeta = plantilla;
  carpeta_anterior_ = std::filesystem::current_path();
  std::filesystem::current_path(carpeta);
  setenv("XDG_CONFIG_HOME", carpeta.c_str(), 1);
  fiscal::ReiniciarDriver();
  fiscal::Entorno& e = fiscal::Estado().entorno;
  e.reloj = &reloj;
  e.operador = &operador;
  e.crear_canal = puerto.Fabrica();
  fiscal::AsignarFijo(LP_ParametrosLeidos, "11/12/26 10:00:00");
}

void EntornoPrueba::TearDown() {
  fiscal::ReiniciarDriver();
  fiscal::Entorno& e = fiscal::Estado().entorno;
  e.reloj = &fiscal::RelojDelSistema();
  e.operador = &fiscal::OperadorDelSistema();
  e.crear_canal = fiscal::CrearCanalDelSistema;
  std::filesystem::current_path(carpeta_anterior_);
  std::error_code ignorado;
  std::filesystem::remove_all(carpeta, ignorado);
}

void EntornoPrueba::AbrirPuertoGuionado() {
  fiscal::AbrirPuerto(fiscal::Param().LP_ImpresoraPuerto, 1024, 1024);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
}

std::vector<TramaEnviada> EntornoPrueba::Tramas() const {
  std::vector<TramaEnviada> r;
  for (const auto& w : puerto.escrituras) {
    if (!w.empty() && w[0] == '\x02') r.push_back(DesarmarTrama(w));
  }
  return r;
}

}  // namespace prueba
