// drvepson against the simulated printer over a pseudo-terminal.
#include <gtest/gtest.h>

#include <string>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/texto.h"
#include "simulador_fixture.h"

namespace {

class EpsonConSimulador : public prueba::PruebaConSimulador {};

TEST_F(EpsonConSimulador, ConsultaDeEstadoDeExtremoAExtremo) {
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  auto recibidas = sim->Recibidas();
  ASSERT_EQ(4u, recibidas.size());
  EXPECT_EQ("****", sim->Codigos());
  // First frames after load: 0x21 onwards, one number per command.
  for (size_t i = 0; i < recibidas.size(); ++i) EXPECT_EQ(0x21 + int(i), recibidas[i].secuencia);
  EXPECT_EQ((std::vector<std::string>{"N"}), recibidas[0].campos);
  EXPECT_EQ((std::vector<std::string>{"P"}), recibidas[1].campos);
  EXPECT_FALSE(fiscal::LeerFijo(LP_SerieImpresora).empty());
  EXPECT_FALSE(fiscal::Estado().ModeloImpresora.Blanco());
  EXPECT_EQ(1, LP_Fiscalizada);
}

TEST_F(EpsonConSimulador, ReenviosTrasFallasDeLaLinea) {
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  sim->Fallar("nak 2; bad-bcc 1");
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ(" NAK NAK BCC", fiscal::ElEnlace().DetalleReintentos);
  // Four sends of one frame with one number; the printer ran it once and
  // answered the last send again from memory.
  auto recibidas = sim->Recibidas();
  ASSERT_EQ(3u + 4u, recibidas.size());
  for (size_t i = 3; i < recibidas.size(); ++i) {
    EXPECT_EQ(recibidas[3].bytes, recibidas[i].bytes);
  }
}

TEST_F(EpsonConSimulador, ImpresoraMudaAgotaLaEspera) {
  reloj.factor = 100;  // the 30 seconds last 0.3 s
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  sim->Fallar("silence 5");
  LP_IMPRIMIR(200);
  EXPECT_STREQ("Error en la comunicacion con impresora| 30\"", LP_ErrorMensaje);
}

}  // namespace
