// A fresh folder per test: it becomes the current directory and the
// user's configuration folder (so the default profile file lives in it),
// and it is removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "common/estado.h"
#include "operador_guionado.h"
#include "reloj_falso.h"

namespace prueba {

class CarpetaTemporal {
 public:
  CarpetaTemporal() {
    previa_ = std::filesystem::current_path();
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) xdg_previo_ = xdg;
    std::string plantilla = (std::filesystem::temp_directory_path() / "drvfiscal-XXXXXX").string();
    if (!mkdtemp(plantilla.data())) throw std::runtime_error("mkdtemp");
    ruta_ = plantilla;
    std::filesystem::current_path(ruta_);
    setenv("XDG_CONFIG_HOME", ruta_.c_str(), 1);
  }
  ~CarpetaTemporal() {
    std::error_code e;
    std::filesystem::current_path(previa_, e);
    if (xdg_previo_)
      setenv("XDG_CONFIG_HOME", xdg_previo_->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(ruta_, e);
  }
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

  const std::filesystem::path& Ruta() const { return ruta_; }
  // The path of a file inside the folder.
  std::string En(const std::string& nombre) const { return (ruta_ / nombre).string(); }

 private:
  std::filesystem::path ruta_, previa_;
  std::optional<std::string> xdg_previo_;
};

// The whole content of a file; empty when it does not exist.
inline std::string Contenido(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline void Grabar(const std::string& ruta, const std::string& contenido) {
  std::ofstream(ruta, std::ios::binary) << contenido;
}

// A driver just loaded, with the fake clock and the scripted operator, in a
// fresh folder. Fixtures of the shared tests derive from it.
class PruebaEnCarpeta : public ::testing::Test {
 protected:
  void SetUp() override {
    entorno_previo_ = fiscal::Estado().entorno;
    fiscal::Estado().entorno.reloj = &reloj;
    fiscal::Estado().entorno.operador = &operador;
    fiscal::ReiniciarDriver();
  }
  void TearDown() override {
    fiscal::ReiniciarDriver();
    fiscal::Estado().entorno = entorno_previo_;
  }

  CarpetaTemporal carpeta;
  RelojFalso reloj;
  OperadorGuionado operador;

 private:
  fiscal::Entorno entorno_previo_;
};

}  // namespace prueba
