// The driver parameters: load from and save to the parameter file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fiscal {

// "Impresora Fiscal" followed by the printer number.
std::string SeccionParametros();

// Loads every parameter from the parameter file (ArchivoParametros, or the
// default profile file when it is blank).
void LeerParametros();

// Stamps the save and writes every key, from the variables.
void GrabarParametros();

// One row of a driver's table of defaults by document type and model.
struct FilaModelo {
  std::string_view tipo;    // document type; blank: any other type
  std::string_view modelo;  // printer model; blank: any model
  uint8_t longitudes[6];    // ObsFac, LinFac, PagFac, LinNoF, LinPag, LinCot
  uint8_t emite[5];         // FAC, CRE, RTO, PAG, COT
};

// Sets the line lengths and issue flags from the first row that matches
// the document type and the printer model.
void AplicarTablaModelos(std::span<const FilaModelo> filas);

// "dd/mm/yy hh:mm:ss" of the clock in use.
std::string SelloGrabacion();

}  // namespace fiscal
