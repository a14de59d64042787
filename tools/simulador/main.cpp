// fiscalsim: serves a simulated fiscal printer on a new pseudo-terminal (or
// a given device) until interrupted; orders on standard input change its
// faults and conditions while it runs.
#include <signal.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "opciones.h"
#include "simulador.h"

int main(int argc, char** argv) {
  std::vector<std::string> argumentos(argv + 1, argv + argc);
  for (const auto& a : argumentos) {
    if (a == "--help" || a == "-h") {
      std::cout << simulador::Ayuda();
      return 0;
    }
  }
  simulador::Configuracion config;
  std::string error;
  if (!simulador::LeerLineaDeOrdenes(argumentos, config, error)) {
    std::cerr << "fiscalsim: " << error << "\n(--help lists the options)\n";
    return 2;
  }

  // Signals are taken by the main thread alone.
  sigset_t senales;
  sigemptyset(&senales);
  sigaddset(&senales, SIGINT);
  sigaddset(&senales, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &senales, nullptr);

  simulador::Simulador sim(config);
  if (!sim.Iniciar(error)) {
    std::cerr << "fiscalsim: " << error << "\n";
    return 1;
  }
  std::cout << sim.Ruta() << std::endl;

  std::thread ordenes([&sim] {
    std::string linea;
    while (std::getline(std::cin, linea)) {
      std::string e;
      if (!simulador::AplicarOrden(sim, linea, e)) std::cerr << "fiscalsim: " << e << "\n";
    }
  });
  ordenes.detach();

  // Ends on a signal, or when the line is gone (hang-up).
  timespec espera{0, 200'000'000};
  while (sim.Activo()) {
    siginfo_t info;
    if (sigtimedwait(&senales, &info, &espera) > 0) break;
  }
  sim.Detener();
  return 0;
}
