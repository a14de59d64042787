// What makes this library the Epson driver.
#include "../common/driver.h"
#include "../common/parametros.h"

namespace fiscal {

const DescripcionDriver kDriver = {
    .marca = "EPSON",
    .tipo_comprobante_defecto = "TF",
    .tipo_letra_inicial = "12",
    .traza_orden_al_entrar = true,
    .dieresis = ReglaDieresis::Vocal,
    .aviso_auditoria = true,
    .separador_serie = "",
};

namespace {
constexpr FilaModelo kModelos[] = {
    {"FC", "LX-300F", {23, 23, 40, 40, 40, 100}, {1, 1, 1, 1, 1}},
    {"FC", "FX-880F", {40, 23, 40, 40, 40, 100}, {1, 0, 0, 0, 1}},
    {"FC", "", {40, 23, 40, 40, 40, 100}, {1, 0, 0, 0, 0}},
    {"TQ", "U950-F", {26, 20, 25, 40, 40, 100}, {0, 0, 0, 0, 0}},
    {"TQ", "", {22, 20, 25, 40, 40, 100}, {0, 0, 0, 0, 0}},
    {"", "U950-F", {26, 20, 25, 40, 40, 100}, {1, 0, 0, 0, 0}},
    {"", "TM-U200", {22, 20, 25, 40, 40, 100}, {1, 1, 0, 0, 0}},
    {"", "", {22, 20, 25, 40, 40, 100}, {1, 0, 0, 0, 0}},
};
}  // namespace

void AplicarModelo() { AplicarTablaModelos(kModelos); }

}  // namespace fiscal
