#include "simulador_fixture.h"

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/perfil.h"
#include "common/texto.h"
#include "tools/simulador/opciones.h"

namespace prueba {

int64_t RelojAcelerado::Centesimas() {
  auto real = std::chrono::steady_clock::now() - inicio_;
  double segundos = std::chrono::duration<double>(real).count();
  return 1'000'000 + static_cast<int64_t>(segundos * factor * 100);
}

fiscal::FechaHora RelojAcelerado::Ahora() { return fiscal::RelojDelSistema().Ahora(); }

simulador::Protocolo ProtocoloDelDriver() {
#if defined(DRVFISCAL_DRIVER_hasar)
  return simulador::Protocolo::Hasar;
#else
  return simulador::Protocolo::Epson;
#endif
}

simulador::Configuracion ConfiguracionDePrueba() {
  simulador::Configuracion c;
  c.protocolo = ProtocoloDelDriver();
  c.modelo.escala_trabajo = 0.1;
  c.intervalo_espera_ms = 100;
  c.espera_ack_ms = 500;
  return c;
}

SimuladorConectado::SimuladorConectado(simulador::Configuracion c) : sim_(std::move(c)) {}

SimuladorConectado::~SimuladorConectado() { sim_.Detener(); }

void SimuladorConectado::Conectar(int puerto) {
  std::string error;
  ASSERT_TRUE(sim_.Iniciar(error)) << error;
  fiscal::EscribirPerfil("", "Puertos", "COM" + std::to_string(puerto), sim_.Ruta());
}

void SimuladorConectado::Fallar(const std::string& ordenes) {
  std::string error;
  EXPECT_TRUE(simulador::AplicarOrden(sim_, ordenes, error)) << error;
}

void SimuladorConectado::Fallar(const std::function<void(simulador::Fallas&)>& cambio) {
  sim_.CambiarFallas(cambio);
}

void SimuladorConectado::Condiciones(const std::function<void(simulador::Condiciones&)>& cambio) {
  simulador::Condiciones c = sim_.impresora().LeerCondiciones();
  cambio(c);
  sim_.impresora().CambiarCondiciones(c);
}

void SimuladorConectado::Modelo(const std::function<void(simulador::Modelo&)>& cambio) {
  simulador::Modelo m = sim_.impresora().LeerModelo();
  cambio(m);
  sim_.impresora().CambiarModelo(m);
}

std::vector<simulador::Evento> SimuladorConectado::Diario() const { return sim_.diario().Eventos(); }

std::vector<simulador::Evento> SimuladorConectado::Filtrar(const char* dir, const char* tipo) const {
  std::vector<simulador::Evento> r;
  for (auto& e : sim_.diario().Eventos())
    if (e.dir == dir && e.tipo == tipo) r.push_back(std::move(e));
  return r;
}

std::vector<simulador::Evento> SimuladorConectado::Recibidas() const { return Filtrar("rx", "trama"); }

std::vector<simulador::Evento> SimuladorConectado::Respuestas() const {
  return Filtrar("tx", "respuesta");
}

std::string SimuladorConectado::Codigos() const {
  std::string r;
  for (const auto& e : Recibidas()) r.push_back(static_cast<char>(e.codigo));
  return r;
}

std::vector<std::string> SimuladorConectado::Rollo() const { return sim_.impresora().Rollo(); }

std::string SimuladorConectado::TextoRollo() const {
  std::string r;
  for (const auto& l : Rollo()) r += l + "\n";
  return r;
}

void PruebaConSimulador::SetUp() {
  fiscal::ReiniciarDriver();
  fiscal::Entorno& e = fiscal::Estado().entorno;
  e.reloj = &reloj;
  e.operador = &operador;
  e.crear_canal = fiscal::CrearCanalDelSistema;
  fiscal::AsignarFijo(LP_ParametrosLeidos, "11/12/26 10:00:00");

  simulador::Configuracion c = ConfiguracionDePrueba();
  c.diario = carpeta.En("simulador.jsonl");
  c.rollo = carpeta.En("rollo.txt");
  Configurar(c);
  sim = std::make_unique<SimuladorConectado>(c);
  sim->Conectar(fiscal::Param().LP_ImpresoraPuerto);
}

void PruebaConSimulador::TearDown() {
  sim.reset();
  fiscal::ReiniciarDriver();
  fiscal::Entorno& e = fiscal::Estado().entorno;
  e.reloj = &fiscal::RelojDelSistema();
  e.operador = &fiscal::OperadorDelSistema();
  e.crear_canal = fiscal::CrearCanalDelSistema;
}

}  // namespace prueba
