// The command trace log "fiscal.log": one numbered entry per order,
// command frame, valid answer and failed command, in the section of the
// printer number, with the last number in key "Lineas".
#pragma once

#include <string_view>

#include "driver.h"

namespace fiscal {

// Order entry: "***<code>*** " and the 22 arguments separated by ";".
void TrazarOrden(int16_t orden, const Argumentos& argumentos);
// Command entry: "<code>h) " and the frame made printable.
void TrazarComando(uint8_t codigo, std::string_view trama);
// Answer entry: " OK) " and the raw answer.
void TrazarRespuesta(std::string_view respuesta);
// Takes the closing number of a command; writes LP_ErrorMensaje under it
// when LP_Error is set. Returns the number taken.
long TrazarCierre();

}  // namespace fiscal
