// The Hasar driver end to end: LP_IMPRIMIR against the printer simulator
// on a pseudo-terminal, through the system's serial device.
#include <gtest/gtest.h>

#include <string>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/texto.h"
#include "simulador_fixture.h"

namespace {

class SimuladorHasar : public prueba::PruebaConSimulador {
 protected:
  void SetUp() override {
    PruebaConSimulador::SetUp();
    LP_ErrorMostrar = 0;
  }
};

TEST_F(SimuladorHasar, EstadoConConsultaDeIdentidad) {
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("*s*", sim->Codigos());
  EXPECT_EQ("SIM0000001", std::string(fiscal::LeerFijo(LP_SerieImpresora)));
  EXPECT_EQ("Sin modelo", fiscal::Estado().ModeloImpresora.Valor());

  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("*s**", sim->Codigos());
}

// Faults of the line the exchange recovers from, each on a fresh call.
TEST_F(SimuladorHasar, FallasDeLaLineaQueSeSuperan) {
  fiscal::Estado().SerieLeida = "SIM0000001";
  reloj.factor = 10;
  struct Caso {
    const char* falla;
    std::string marca;  // expected in DetalleReintentos
  };
  const Caso casos[] = {
      {"nak 1", " NAK|INTENTO=2 ACK"},
      {"bad-bcc 1", " BCC-Error|INTENTO=2"},
      {"keepalives 0.2,1", " DC2"},
      {"garbage 4142", " ?65 ?66"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.falla);
    sim->Fallar(c.falla);
    LP_IMPRIMIR(200);
    EXPECT_EQ(0, LP_Error) << LP_ErrorMensaje;
    EXPECT_NE(std::string::npos, fiscal::ElEnlace().DetalleReintentos.find(c.marca))
        << fiscal::ElEnlace().DetalleReintentos;
  }
}

TEST_F(SimuladorHasar, ImpresoraCalladaTerminaConError) {
  fiscal::Estado().SerieLeida = "SIM0000001";
  reloj.factor = 100;  // the 30 seconds last 0.3 s
  sim->Fallar("silence 2");
  LP_IMPRIMIR(200);
  EXPECT_STREQ("Error en la comunicacion con impresora||INTENTO=1 PTO-TimeOut 30\"",
               LP_ErrorMensaje);
}

class SimuladorHasarConEco : public SimuladorHasar {
  void Configurar(simulador::Configuracion& c) override { c.byte_a1 = true; }
};

TEST_F(SimuladorHasarConEco, EcoAntesDelAcuse) {
  LP_IMPRIMIR(200);
  ASSERT_EQ(0, LP_Error) << LP_ErrorMensaje;
  EXPECT_EQ("|INTENTO=1 EST ACK", fiscal::ElEnlace().DetalleReintentos);
}

}  // namespace
