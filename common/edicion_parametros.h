// The parameter editor's working copy and its two actions. The dialog
// (FLTK, Win32, or a test's script) shows and changes the copy; only
// Grabar makes it effective and writes it.
#pragma once

#include <cstdint>
#include <string>

#include "estado.h"

namespace fiscal {

// Every parameter, as the editor sees it.
struct ValoresParametros {
  Parametros p;
  uint8_t LP_ErrorMostrar = 1;
  uint8_t LP_LonObsFac = 0, LP_LonLinFac = 0, LP_LonPagFac = 0;
  uint8_t LP_LonLinNoF = 0, LP_LonLinPag = 0, LP_LonLinCot = 0;
  uint8_t LP_EmiteFAC = 0, LP_EmiteCRE = 0, LP_EmiteRTO = 0, LP_EmitePAG = 0, LP_EmiteCOT = 0;
  uint8_t LP_CanDecimales = 0, LP_PreDecimales = 0;
  int32_t LP_CanMaxima = 0, LP_PreMaximo = 0;
};

// The values of the parameter variables now.
ValoresParametros TomarValores();
// Stores `v` in the parameter variables.
void PonerValores(const ValoresParametros& v);

class EdicionParametros {
 public:
  // Takes a pending "FIL:" name, loads the parameters if needed and copies
  // them into the working copy.
  EdicionParametros();

  ValoresParametros copia;

  // The operator chose another document type: the model defaults of the
  // new type replace the line lengths, issue flags, decimals and maxima.
  void CambiarTipoComprobante(std::string_view tipo);
  // Saves the working copy: variables, save stamp, every key.
  void Grabar();

  std::string TextoImpresora() const;  // model and serial, 30 characters
  std::string Titulo() const;          // the window caption

 private:
  std::string tipo_recordado_;
};

}  // namespace fiscal
