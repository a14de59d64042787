// Order 225 on a loose sheet: the printer is prepared, then polled until it
// reports the sheet in, the operator presses ESC, or the wait runs out.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "common/estado.h"
#include "common/lp_fiscal.h"
#include "guion_ordenes_epson.h"

namespace {

using prueba::Contestacion;
using prueba::TramaEnviada;
using Frames = std::vector<std::string>;

constexpr uint16_t kEsperaHoja = 0x0100;  // printer bit 8
constexpr uint16_t kHojaPuesta = 0x0200;  // printer bit 9

const Frames kPreparacion = {"Z|P|D|S|O", "Z|P|P|S|U|999|88", "[|P|D", "[|P|P|S"};
const std::string kSeleccion = "\\|D|P|P|U|O";

Frames Con(Frames a, const Frames& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class HojaSuelta : public prueba::OrdenesEpsonGuionadas {
 protected:
  // Answers the status polls with `estados` in turn (the last one repeats);
  // every exchange takes `cs` hundredths of a second of the clock.
  void Sondeos(std::vector<uint16_t> estados, int64_t cs = 0) {
    contestar = [this, estados, cs](const TramaEnviada& t) {
      reloj.Avanzar(cs);
      if (t.codigo != '*') return Contestacion{};
      uint16_t e = estados[std::min(sondeos_, estados.size() - 1)];
      ++sondeos_;
      return Contestacion{e, 0x0600, {}};
    };
  }
  std::vector<std::string> EventosHoja() const {
    std::vector<std::string> r;
    for (const auto& e : operador.eventos)
      if (e.rfind("hoja", 0) == 0) r.push_back(e);
    return r;
  }
  size_t sondeos_ = 0;
};

TEST_F(HojaSuelta, HojaYaColocada) {
  Sondeos({kHojaPuesta});
  Ordenar(225, {"1"});
  ASSERT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ(Con(kPreparacion, {kSeleccion, "*|P", "H|U|O"}), Enviadas());
  EXPECT_EQ((std::vector<std::string>{"descartar", "hoja abierta", "hoja cerrada"}),
            operador.eventos);
}

TEST_F(HojaSuelta, SinIndicadoresSeleccionaAntesDeCadaSondeo) {
  Sondeos({0, 0, kHojaPuesta});
  Ordenar(225, {"2"});
  ASSERT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ(Con(kPreparacion, {kSeleccion, "*|P", kSeleccion, "*|P", kSeleccion, "*|P", "H|U|O"}),
            Enviadas());
}

TEST_F(HojaSuelta, AnimacionVuelveAEmpezarDespuesDeCuarenta) {
  std::vector<uint16_t> estados(45, kEsperaHoja);
  estados.push_back(kHojaPuesta);
  Sondeos(estados);
  Ordenar(225, {"1"});
  ASSERT_EQ(0, LP_Error) << Mensaje();
  std::vector<std::string> esperados = {"hoja abierta"};
  for (int i = 1; i <= 45; ++i) esperados.push_back("hoja " + std::to_string((i - 1) % 40 + 1));
  esperados.push_back("hoja cerrada");
  EXPECT_EQ(esperados, EventosHoja());
  // The selection goes out once while the printer waits for the sheet.
  Frames f = Enviadas();
  EXPECT_EQ(1, std::count(f.begin(), f.end(), kSeleccion));
  EXPECT_EQ("H|U|O", f.back());
}

TEST_F(HojaSuelta, EscapeSigueSinHoja) {
  Sondeos({kEsperaHoja});
  operador.escape = true;
  Ordenar(225, {"1"});
  EXPECT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ(Con(kPreparacion, {kSeleccion, "*|P", "H|U|O"}), Enviadas());
  EXPECT_EQ("hoja cerrada", operador.eventos.back());
}

TEST_F(HojaSuelta, EscapeAnteriorSeDescarta) {
  Sondeos({kEsperaHoja, kEsperaHoja, kHojaPuesta});
  operador.escapes_pendientes = 1;
  Ordenar(225, {"1"});
  EXPECT_EQ(0, LP_Error) << Mensaje();
  EXPECT_EQ(Con(kPreparacion, {kSeleccion, "*|P", "*|P", "*|P", "H|U|O"}), Enviadas());
}

// Without ESC (an operator without a display) the wait still ends.
TEST_F(HojaSuelta, EsperaAcotada) {
  Sondeos({kEsperaHoja}, 1000);  // 10 seconds an exchange
  Ordenar(225, {"1"});
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ("No se coloco la hoja suelta en la impresora|Espera=300 segundos", Mensaje());
  Frames f = Enviadas();
  EXPECT_EQ("*|P", f.back());
  EXPECT_LE(f.size(), 40u);
  EXPECT_EQ("hoja cerrada", operador.eventos.back());
}

struct CasoFalla {
  const char* nombre;
  std::string falla;  // the first frame refused
  Frames enviadas;
  bool ventana;
  friend void PrintTo(const CasoFalla& c, std::ostream* os) { *os << c.nombre; }
};

class FallasHojaSuelta : public HojaSuelta, public ::testing::WithParamInterface<CasoFalla> {};

TEST_P(FallasHojaSuelta, DetienenLaOrden) {
  const CasoFalla& c = GetParam();
  contestar = [&c](const TramaEnviada& t) {
    if (Legible(t) == c.falla) return Contestacion{0, prueba::kCampoInvalido, {}};
    return Contestacion{kEsperaHoja, 0x0600, {}};
  };
  Ordenar(225, {"1"});
  EXPECT_EQ(1, LP_Error);
  EXPECT_EQ(c.enviadas, Enviadas());
  EXPECT_EQ(c.ventana, !operador.eventos.empty() && operador.eventos.back() == "hoja cerrada");
}

INSTANTIATE_TEST_SUITE_P(
    Fallas, FallasHojaSuelta,
    ::testing::Values(CasoFalla{"Preparacion", "Z|P|P|S|U|999|88",
                                {"Z|P|D|S|O", "Z|P|P|S|U|999|88"}, false},
                      CasoFalla{"Seleccion", kSeleccion, Con(kPreparacion, {kSeleccion}), true},
                      CasoFalla{"Sondeo", "*|P", Con(kPreparacion, {kSeleccion, "*|P"}), true}),
    [](const auto& i) { return std::string(i.param.nombre); });

}  // namespace
