// The printer's clock read back: yymmdd and hhmmss as the host's date and
// time serials.
#pragma once

#include <cstdint>
#include <string_view>

namespace fiscal {

// A date written yymmdd (years 2000 to 2099) as a date serial; 0 when the
// text is blank, zero or not a valid date.
int32_t SerialDeFechaImpresora(std::string_view yymmdd);
// A time written hhmmss as a time serial; 0 when blank or not a valid time.
int32_t SerialDeHoraImpresora(std::string_view hhmmss);

}  // namespace fiscal
