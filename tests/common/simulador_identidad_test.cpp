// First contact with a simulated printer over a real pseudo-terminal: the
// identity query fills the serial number and the printer sees each command
// once.
#include <gtest/gtest.h>

#include <string>

#include "common/lp_fiscal.h"
#include "simulador_fixture.h"

namespace {

class IdentidadConSimulador : public prueba::PruebaConSimulador {
 protected:
  void Configurar(simulador::Configuracion& c) override { c.modelo.serie = "SIM-77"; }
};

std::string Serie() { return std::string(LP_SerieImpresora, sizeof LP_SerieImpresora); }

TEST_F(IdentidadConSimulador, LaPrimeraLlamadaLeeLaSerie) {
  LP_IMPRIMIR(200);
  EXPECT_EQ(0, LP_Error) << std::string(LP_ErrorMensaje, sizeof LP_ErrorMensaje);
  EXPECT_EQ("SIM-77", Serie().substr(0, 6));
  std::string codigos = sim->Codigos();
  ASSERT_FALSE(codigos.empty());
  EXPECT_EQ('*', codigos[0]);
  // Nothing was executed twice: one answer per frame.
  EXPECT_EQ(sim->Recibidas().size(), sim->Respuestas().size());
}

TEST_F(IdentidadConSimulador, UnaRespuestaConSumaErroneaSeReintenta) {
  sim->Fallar("bad-bcc 1");
  LP_IMPRIMIR(200);
  EXPECT_EQ(0, LP_Error) << std::string(LP_ErrorMensaje, sizeof LP_ErrorMensaje);
  EXPECT_EQ("SIM-77", Serie().substr(0, 6));
  auto recibidas = sim->Recibidas();
  ASSERT_GE(recibidas.size(), 2u);
  // The resend repeats the frame; the printer answers it from its last answer.
  EXPECT_EQ(recibidas[0].bytes, recibidas[1].bytes);
  EXPECT_NE(std::string::npos, sim->Respuestas()[1].nota.find("repetida"));
}

}  // namespace
