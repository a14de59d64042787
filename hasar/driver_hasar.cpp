// What makes this library the Hasar driver.
#include "../common/driver.h"
#include "../common/parametros.h"

namespace fiscal {

const DescripcionDriver kDriver = {
    .marca = "HASAR",
    .tipo_comprobante_defecto = "TQ",
    .tipo_letra_inicial = "10",
    .traza_orden_al_entrar = false,
    .dieresis = ReglaDieresis::Numeral,
    .aviso_auditoria = false,
    .separador_serie = " #",
};

namespace {
// The printer model plays no part here.
constexpr FilaModelo kModelos[] = {
    {"FC", "", {50, 50, 50, 120, 106, 106}, {1, 1, 1, 1, 1}},
    {"TQ", "", {30, 20, 30, 40, 40, 106}, {0, 0, 0, 0, 0}},
    {"", "", {30, 20, 30, 40, 40, 106}, {1, 0, 0, 0, 0}},
};
}  // namespace

void AplicarModelo() { AplicarTablaModelos(kModelos); }

}  // namespace fiscal
