// Driver tests against the printer simulator: a simulated printer of the
// driver's own protocol on a new pseudo-terminal, the driver's port mapped
// to it in the default profile file, and access to its faults, its journal
// and its paper roll.
//
//   class Ticket : public prueba::PruebaConSimulador {};
//   TEST_F(Ticket, ...) {
//     sim->Fallar("nak 1");
//     ... LP_IMPRIMIR(...) ...
//     EXPECT_EQ('*', sim->Recibidas().at(0).codigo);
//     EXPECT_NE(std::string::npos, sim->TextoRollo().find("TOTAL"));
//   }
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "carpeta_temporal.h"
#include "common/plataforma.h"
#include "operador_guionado.h"
#include "tools/simulador/simulador.h"

namespace prueba {

// The machine's clock running `factor` times faster for the driver's
// time-outs: with 100 a 30-second wait for a silent printer lasts 0.3 s.
// Dates and times of day are the machine's.
class RelojAcelerado : public fiscal::Reloj {
 public:
  explicit RelojAcelerado(double f = 1) : factor(f) {}
  int64_t Centesimas() override;
  fiscal::FechaHora Ahora() override;
  double factor;

 private:
  std::chrono::steady_clock::time_point inicio_ = std::chrono::steady_clock::now();
};

// The protocol of the driver this test program is built for.
simulador::Protocolo ProtocoloDelDriver();

// The settings the fixture starts from: the driver's protocol, short
// working times (a Z closing takes 0.3 s with keep-alives every 0.1 s).
simulador::Configuracion ConfiguracionDePrueba();

// A running simulator on a pseudo-terminal.
class SimuladorConectado {
 public:
  explicit SimuladorConectado(simulador::Configuracion c = ConfiguracionDePrueba());
  ~SimuladorConectado();

  // Starts it and writes key "COM<puerto>" = its line in section "Puertos"
  // of the default profile file (so XDG_CONFIG_HOME must already point at
  // the test's folder). Fails the test when it cannot start.
  void Conectar(int puerto);
  const std::string& Ruta() const { return sim_.Ruta(); }

  simulador::Simulador& sim() { return sim_; }
  simulador::Impresora& impresora() { return sim_.impresora(); }

  // Faults and conditions in fiscalsim's words, several joined by ';':
  // "nak 2", "bad-bcc 1", "silence 5", "keepalives 0.5,3", "buffer-full 1",
  // "reject-field 14", "cut", "garbage 4142", "paper out", "drawer-open",
  // "set-fiscal-bits 0800", "unknown 73", "z-due", ... Fails the test on a
  // bad word.
  void Fallar(const std::string& ordenes);
  void Fallar(const std::function<void(simulador::Fallas&)>& cambio);
  void Condiciones(const std::function<void(simulador::Condiciones&)>& cambio);
  void Modelo(const std::function<void(simulador::Modelo&)>& cambio);

  // The journal: every event, the frames received from the driver, the
  // answers sent (after the faults applied to them).
  std::vector<simulador::Evento> Diario() const;
  std::vector<simulador::Evento> Recibidas() const;
  std::vector<simulador::Evento> Respuestas() const;
  // The command codes received, in order ("*", "@", "B" ... as bytes).
  std::string Codigos() const;

  // The paper roll, one entry a line, and as one text.
  std::vector<std::string> Rollo() const;
  std::string TextoRollo() const;

 private:
  std::vector<simulador::Evento> Filtrar(const char* dir, const char* tipo) const;
  mutable simulador::Simulador sim_;
};

// A fixture for driver tests: a fresh folder (current directory and
// XDG_CONFIG_HOME), the driver as just loaded with the system's serial
// device, a scripted operator, an accelerated clock (factor 1 until a test
// changes it), parameters counted as saved, and a simulator of the
// driver's protocol on the driver's port (LP_ImpresoraPuerto).
class PruebaConSimulador : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Shapes the simulated printer before it starts.
  virtual void Configurar(simulador::Configuracion&) {}

  CarpetaTemporal carpeta;
  OperadorGuionado operador;
  RelojAcelerado reloj;
  std::unique_ptr<SimuladorConectado> sim;
};

}  // namespace prueba
