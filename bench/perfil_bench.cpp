// Cost of one trace-log entry as the log grows: it must stay flat from an
// empty file to one with 100,000 entries. The rewrite of the whole file,
// which a plain profile writer does for every key, is measured beside it.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "common/perfil.h"
#include "common/traza.h"
#include "common/trama.h"

namespace {

// A typical answer entry.
const std::string kRespuesta = " OK) \x02!*\x1c" "0080\x1c" "0600\x1c" "00000457\x1c" "A\x1c" "B\x03" "0123";

// A fresh folder, current directory while it lives, holding a log of
// `entradas` entries in section "Impresora 1".
class LogDePrueba {
 public:
  explicit LogDePrueba(int64_t entradas) {
    previa_ = std::filesystem::current_path();
    std::string plantilla = (std::filesystem::temp_directory_path() / "drvfiscal-bench-XXXXXX").string();
    if (!mkdtemp(plantilla.data())) std::abort();
    ruta_ = plantilla;
    std::filesystem::current_path(ruta_);
    if (entradas == 0) return;
    std::ofstream f("fiscal.log", std::ios::binary);
    f << "[Impresora 1]\nLineas=" << std::string(10 - std::to_string(entradas).size(), ' ')
      << entradas << "\n";
    for (int64_t k = 1; k <= entradas; ++k) f << k << "=" << kRespuesta << "\n";
  }
  ~LogDePrueba() {
    std::filesystem::current_path(previa_);
    std::filesystem::remove_all(ruta_);
  }

 private:
  std::filesystem::path ruta_, previa_;
};

// The audit notice comes every 50 commands; nobody is there to close it.
class OperadorMudo : public fiscal::Operador {
 public:
  fiscal::Respuesta Mostrar(const fiscal::Mensaje& m) override { return m.defecto; }
  fiscal::ResultadoDialogo EditarParametros(fiscal::EdicionParametros&) override {
    return fiscal::ResultadoDialogo::SinPantalla;
  }
};

void Contexto(benchmark::State& estado) {
  estado.counters["bytes_al_final"] =
      static_cast<double>(std::filesystem::file_size("fiscal.log"));
  estado.SetItemsProcessed(estado.iterations());
}

// The append path: counter in place, entry at the end.
void BM_EntradaAnexada(benchmark::State& estado) {
  LogDePrueba log(estado.range(0));
  // The first use after load reads the file once; it is not what is measured.
  fiscal::AnexarPerfil("fiscal.log", "Impresora 1",
                       std::to_string(fiscal::IncrementarPerfil("fiscal.log", "Impresora 1", "Lineas")),
                       kRespuesta);
  for (auto _ : estado) {
    long long n = fiscal::IncrementarPerfil("fiscal.log", "Impresora 1", "Lineas");
    fiscal::AnexarPerfil("fiscal.log", "Impresora 1", std::to_string(n), kRespuesta);
  }
  Contexto(estado);
}
BENCHMARK(BM_EntradaAnexada)->Arg(0)->Arg(1'000)->Arg(10'000)->Arg(100'000);

// A whole command as the driver traces it: command entry, answer entry and
// closing number (three numbers).
void BM_ComandoTrazado(benchmark::State& estado) {
  LogDePrueba log(estado.range(0));
  OperadorMudo mudo;
  fiscal::Operador* previo = fiscal::Estado().entorno.operador;
  fiscal::Estado().entorno.operador = &mudo;
  fiscal::ReiniciarDriver();
  fiscal::Param().LP_GenerarLog = 1;
  LP_NumeroImpresora[0] = '1';
  const std::string trama = "\x02!*\x1cN\x03" "00BA";
  fiscal::TrazarCierre();
  for (auto _ : estado) {
    fiscal::TrazarComando(0x2A, trama);
    fiscal::TrazarRespuesta(kRespuesta);
    fiscal::TrazarCierre();
  }
  Contexto(estado);
  fiscal::ReiniciarDriver();
  fiscal::Estado().entorno.operador = previo;
}
BENCHMARK(BM_ComandoTrazado)->Arg(0)->Arg(1'000)->Arg(10'000)->Arg(100'000);

// For comparison: the same entry written as an ordinary key, which rewrites
// the whole file (atomically) each time.
void BM_EntradaReescrita(benchmark::State& estado) {
  LogDePrueba log(estado.range(0));
  long long n = estado.range(0);
  for (auto _ : estado) {
    ++n;
    fiscal::EscribirPerfil("fiscal.log", "Impresora 1",
                           fiscal::ClavesPerfil{{"Lineas", std::to_string(n)},
                                                {std::to_string(n), kRespuesta}});
  }
  Contexto(estado);
}
BENCHMARK(BM_EntradaReescrita)->Arg(0)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
