#include "fecha_impresora.h"

#include "lp_fiscal.h"
#include "texto.h"

namespace fiscal {

namespace {

// The three two-digit numbers of a six-digit text, or false.
bool TresPares(std::string_view t, int (&v)[3]) {
  t = Recortado(t);
  if (t.size() != 6) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  for (int i = 0; i < 3; ++i) v[i] = (t[2 * i] - '0') * 10 + (t[2 * i + 1] - '0');
  return true;
}

}  // namespace

int32_t SerialDeFechaImpresora(std::string_view yymmdd) {
  int v[3];
  if (!TresPares(yymmdd, v)) return 0;
  const int anio = 2000 + v[0], mes = v[1], dia = v[2];
  static constexpr int kDiasMes[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (mes < 1 || mes > 12 || dia < 1 || dia > kDiasMes[mes - 1]) return 0;
  const bool bisiesto = anio % 4 == 0 && (anio % 100 != 0 || anio % 400 == 0);
  if (mes == 2 && dia == 29 && !bisiesto) return 0;
  return lp_fecha_serial(anio, mes, dia);
}

int32_t SerialDeHoraImpresora(std::string_view hhmmss) {
  int v[3];
  if (!TresPares(hhmmss, v) || v[0] > 23 || v[1] > 59 || v[2] > 59) return 0;
  return lp_hora_serial(v[0], v[1], v[2], 0);
}

}  // namespace fiscal
