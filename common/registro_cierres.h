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
// then the title's key in "Historial". Every closing the printer answered
// with a closing number is recorded, also when its status words reported
// an error (then the detail is built from the answer); a closing that got
// no valid answer, or was refused, is not.
void AnotarCierre(char letra);

}  // namespace fiscal
