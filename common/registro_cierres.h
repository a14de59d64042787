// The closings log "CIERRES.LOG" in the current directory: the last daily
// closing and the history of every closing made from this computer, one
// key per closing. The drivers write it and never read it.
#pragma once

#include <string>

namespace fiscal {

// "X/00123 24/10/13 18:12:04": the closing letter, the closing number
// (return field 1 of the last answer) in 5 digits, and the computer's date
// and time.
std::string TituloCierre(char letra);

// Records the closing just made, with the first 250 characters of
// LP_Resultado as its detail: "Titulo" and "Detalle" of "Ultimo cierre",
// then the title's key in "Historial". A closing that failed (LP_Error
// set) is not recorded: its answer holds no closing number and
// LP_Resultado still holds an earlier order's text.
void AnotarCierre(char letra);

}  // namespace fiscal
