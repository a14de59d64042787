// One status order through the whole path (host call, connection, one
// command, status check, port closed) against the simulated printer on a
// pseudo-terminal, at real line speeds, beside the time the bytes need on
// the wire at that speed.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/perfil.h"
#include "common/texto.h"
#include "tools/simulador/simulador.h"

namespace {

#if defined(DRVFISCAL_DRIVER_hasar)
constexpr simulador::Protocolo kProtocolo = simulador::Protocolo::Hasar;
#else
constexpr simulador::Protocolo kProtocolo = simulador::Protocolo::Epson;
#endif

void OrdenDeEstado(benchmark::State& state) {
  const int baudios = static_cast<int>(state.range(0));
  char plantilla[] = "/tmp/drvfiscal-bench-XXXXXX";
  const std::string carpeta = mkdtemp(plantilla);
  setenv("XDG_CONFIG_HOME", carpeta.c_str(), 1);
  std::filesystem::current_path(carpeta);

  simulador::Configuracion c;
  c.protocolo = kProtocolo;
  c.baudios = baudios;
  simulador::Simulador sim(c);
  std::string error;
  if (!sim.Iniciar(error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  fiscal::ReiniciarDriver();
  fiscal::EscribirPerfil("", "Puertos", "COM2", sim.Ruta());
  fiscal::AsignarFijo(LP_ParametrosLeidos, "11/12/26 10:00:00");
  fiscal::Param().LP_ImpresoraConfig = std::to_string(baudios) + ",N,8,1";
  LP_ErrorMostrar = 0;
  LP_IMPRIMIR(200);  // first contact: the identity query, not measured
  if (LP_Error) {
    state.SkipWithError(LP_ErrorMensaje);
    return;
  }

  size_t bytes_antes = 0;
  for (const auto& e : sim.diario().Eventos()) bytes_antes += e.bytes.size();
  for (auto _ : state) {
    LP_IMPRIMIR(200);
    if (LP_Error) state.SkipWithError(LP_ErrorMensaje);
  }
  size_t bytes = 0;
  for (const auto& e : sim.diario().Eventos()) bytes += e.bytes.size();
  bytes -= bytes_antes;
  // Ten bits a byte on the wire: start, eight data, stop.
  double cable_ms = 1000.0 * 10.0 * static_cast<double>(bytes) / baudios /
                    static_cast<double>(state.iterations());
  state.counters["bytes_por_orden"] = static_cast<double>(bytes) / state.iterations();
  state.counters["cable_ms"] = cable_ms;
  sim.Detener();
  fiscal::ReiniciarDriver();
  std::filesystem::current_path("/");
  std::filesystem::remove_all(carpeta);
}

BENCHMARK(OrdenDeEstado)->Arg(9600)->Arg(115200)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
