// A driver in the state of a freshly loaded library, with a fake clock, a
// scripted operator and a scripted serial device on port 2, parameters
// counted as loaded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "operador_guionado.h"
#include "puerto_guionado.h"
#include "reloj_falso.h"

namespace prueba {

// A command frame as the driver wrote it.
struct TramaEnviada {
  uint8_t secuencia = 0;
  uint8_t codigo = 0;
  bool esc = false;
  std::vector<std::string> campos;
  std::string bruta;
};

// Splits a frame (STX seq [ESC] code {FS field} ETX bcc) into its parts.
TramaEnviada DesarmarTrama(std::string_view bruta);

class EntornoPrueba : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  std::string carpeta_anterior_;

 protected:
  // Opens the scripted port as the connection would.
  void AbrirPuertoGuionado();
  // Every frame the driver has written, in order.
  std::vector<TramaEnviada> Tramas() const;

  // A fresh folder that is the current directory and the user's
  // configuration folder (so the default profile file) of the test.
  std::string carpeta;

  RelojFalso reloj;
  OperadorGuionado operador;
  PuertoGuionado puerto{reloj};
};

}  // namespace prueba
