// The end of a Hasar document on the scripted printer: cancel, close by
// kind, copies of a form and the totals read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ordenes_hasar_fixture.h"

namespace {

using namespace prueba;
using Lista = std::vector<std::string>;

const Lista kPieBorrado = {"5D|11|DEL", "5D|12|DEL", "5D|13|DEL"};

Lista Mas(Lista l, const Lista& resto) {
  l.insert(l.end(), resto.begin(), resto.end());
  return l;
}

class CierreHasar : public OrdenesHasar {
 protected:
  void Abierto(const std::string& tipo, const std::string& modo, uint8_t copias = 0) {
    fiscal::Param().LP_TipoComprobante = modo;
    fiscal::Estado().comprobante.TipoDocumento = tipo;
    fiscal::Estado().comprobante.Copias = copias;
  }
  std::vector<int64_t> Totales() const {
    return {Centesimos(LP_UltimoNeto), Centesimos(LP_UltimoIva), Centesimos(LP_UltimoImpInterno),
            Centesimos(LP_UltimoPercepcion), Centesimos(LP_UltimoTotal)};
  }
};

TEST_F(CierreHasar, Cancelacion) {
  Orden(223, {"no", "se", "usan"});
  EXPECT_EQ(Mas(kPieBorrado, {"98"}), Enviadas());

  Olvidar();
  por_codigo[0x98] = Rechazar();
  Orden(223);
  EXPECT_EQ("", Error());
  EXPECT_EQ(Mas(kPieBorrado, {"98", "44|Cancelacion manual|000000000.00|C|1"}), Enviadas());
}

TEST_F(CierreHasar, ComandoDeCierrePorComprobante) {
  struct Caso {
    const char* tipo;
    std::string modo, comando;
  };
  const Caso casos[] = {
      {"C", "TF", "81"}, {"R", "TF", "81"}, {"P", "FC", "81"}, {"Z", "TF", "81"},
      {"F", "FC", "45"}, {"T", "TF", "45"}, {"", "TF", "45"},
      // A ticket printer opened a ticket whatever kind was asked for.
      {"D", "TQ", "45"}, {"C", "TQ", "45"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(std::string(c.tipo) + " " + c.modo);
    Olvidar();
    Abierto(c.tipo, c.modo);
    por_codigo['p'] = Contestar(0, 0, {"0"});
    Orden(224);
    EXPECT_EQ(Mas(kPieBorrado, {c.comando, "70"}), Enviadas());
  }
}

TEST_F(CierreHasar, PieDesdeLosArgumentosRechazosTolerados) {
  LP_LonObsFac = 3;
  Abierto("T", "TF");
  reacciones = {Contestar(), Rechazar(), Contestar(), Contestar(0, 0, {"00000123"}),
                Contestar(0, 0, {"0"})};
  Orden(224, {"abcdef", "b", ""});
  EXPECT_EQ("", Error());
  EXPECT_EQ((Lista{"5D|11|abc", "5D|12|b", "5D|13|DEL", "45", "70"}), Enviadas());
  EXPECT_EQ(123, LP_UltimoComprobante);
}

TEST_F(CierreHasar, CopiasDelFormulario) {
  struct Caso {
    const char* nombre;
    std::string modo;
    uint8_t copias;
    std::vector<bool> aceptadas;  // answers to 99h
    Lista comandos;               // after the closing command
    uint8_t copias_despues;
  };
  const Caso casos[] = {
      {"dos copias", "FC", 2, {true, true}, {"99", "99", "70"}, 0},
      {"la segunda no sale", "FC", 3, {true, false}, {"99", "99", "70"}, 3},
      {"sin copias en tique factura", "TF", 2, {}, {"70"}, 2},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Olvidar();
    Abierto("F", c.modo, c.copias);
    reacciones = {Contestar(), Contestar(), Contestar(), Contestar(0, 0, {"9"})};
    for (bool a : c.aceptadas) reacciones.push_back(a ? Contestar() : Rechazar());
    reacciones.push_back(Contestar(0, 0, {"0"}));
    Orden(224);
    EXPECT_EQ("", Error());
    EXPECT_EQ(Mas(Mas(kPieBorrado, {"45"}), c.comandos), Enviadas());
    EXPECT_EQ(c.copias_despues, fiscal::Estado().comprobante.Copias);
  }
}

TEST_F(CierreHasar, Totales) {
  struct Caso {
    const char* nombre;
    std::vector<Lista> registros;  // answers to "p" then each "q"; {} = refused
    std::vector<int64_t> totales;  // neto, iva, interno, percepcion, total
  };
  const Caso casos[] = {
      {"dos tasas y una percepcion",
       {{"1", "21.00", "21.00", "1.50", "0.10", "100.00"},
        {"3", "10.50", "5.25", "0.00", "0.00", "50.00"},
        {"2", "IIBB", "3.00"},
        {"9", "ignorado"},
        {"4", "Ganancias", "1.00"},
        {"0"}},
       {15000, 2635, 150, 400, 18185}},
      {"el fin enseguida", {{"0"}}, {0, 0, 0, 0, 0}},
      {"p desconocido", {{}}, {0, 0, 0, 0, 0}},
      {"q rechazado deja el total en cero", {{"1", "21", "21.00", "0", "0", "100.00"}, {}},
       {10000, 2100, 0, 0, 0}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    Olvidar();
    Abierto("T", "TF");
    lp_decimal_de_centesimos(LP_UltimoTotal, 777);
    reacciones = {Contestar(), Contestar(), Contestar(), Contestar(0, 0, {"1"})};
    for (const Lista& r : c.registros) reacciones.push_back(r.empty() ? Rechazar() : Contestar(0, 0, r));
    Orden(224);
    EXPECT_EQ("", Error());
    EXPECT_EQ(c.totales, Totales());
    EXPECT_EQ(3 + 1 + c.registros.size(), Tramas().size());
  }
}

// A printer that never sends the end record, or whose line fails in the
// middle of the records, does not keep the order running.
TEST_F(CierreHasar, TotalesQueNoTerminan) {
  Abierto("T", "TF");
  por_codigo['p'] = Contestar(0, 0, {"2", "x", "1.00"});
  por_codigo['q'] = Contestar(0, 0, {"2", "x", "1.00"});
  Orden(224);
  EXPECT_EQ("", Error());
  EXPECT_EQ(0, Centesimos(LP_UltimoTotal));
  EXPECT_EQ(4u + 100u, Tramas().size());  // "p" and 99 "q"

  Olvidar();
  por_codigo['q'] = Callar();
  Orden(224);
  EXPECT_NE("", Error());
  EXPECT_EQ(0, Centesimos(LP_UltimoTotal));
  EXPECT_EQ(Mas(kPieBorrado, {"45", "70", "71"}), Enviadas());
}

TEST_F(CierreHasar, CierreFallidoNoBuscaTotales) {
  Abierto("T", "TF");
  LP_UltimoComprobante = 5;
  por_codigo['E'] = Contestar(0, 0x0020);
  Orden(224);
  EXPECT_EQ("Comando no valido para el estado fiscal actual|", Error().substr(0, 47));
  EXPECT_EQ(Mas(kPieBorrado, {"45"}), Enviadas());
  EXPECT_EQ(5, LP_UltimoComprobante);
}

}  // namespace
