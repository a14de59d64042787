/* A host written in C and linked against a driver library: the interface
 * header compiles as strict C, every name binds at link time, the
 * variables hold their load values, and an order with no printer set up
 * comes back as an error with a message instead of failing the host. */
#include <stdio.h>
#include <string.h>

#include "lp_fiscal.h"

static int fallas;

#define VERIFICAR(condicion)                                                 \
  do {                                                                       \
    if (!(condicion)) {                                                      \
      fprintf(stderr, "%s:%d: no se cumple %s\n", __FILE__, __LINE__, #condicion); \
      ++fallas;                                                              \
    }                                                                        \
  } while (0)

static int en_blanco(const char *texto, size_t ancho)
{
  size_t i;
  for (i = 0; i < ancho; ++i)
    if (texto[i] != ' ') return 0;
  return 1;
}

int main(void)
{
  /* The widths the header declares, which hosts size their copies by. */
  VERIFICAR(sizeof LP_Resultado == 255 && sizeof LP_ErrorMensaje == 255);
  VERIFICAR(sizeof LP_SerieImpresora == 15 && sizeof LP_ParametrosLeidos == 17);
  VERIFICAR(sizeof LP_NumeroImpresora == 1 && sizeof LP_UltimoTotal == 6);

  /* Values at load. */
  VERIFICAR(LP_ResultadoMostrar == 1 && LP_ErrorMostrar == 1 && LP_Error == 0);
  VERIFICAR(LP_ErrorMensaje[0] == '\0');
  VERIFICAR(en_blanco(LP_Resultado, sizeof LP_Resultado));
  VERIFICAR(en_blanco(LP_ParametrosLeidos, sizeof LP_ParametrosLeidos));
  VERIFICAR(lp_decimal_a_centesimos(LP_UltimoTotal) == 0 && LP_UltimoTotal[5] == 0x0C);
  VERIFICAR(LP_UltimoComprobante == 0 && LP_FechaImpresora == 0 && LP_HoraImpresora == 0);

  /* No parameters saved: the order fails cleanly. */
  LP_ErrorMostrar = 0;
  LP_IMPRIMIR(199, "uno", NULL, "tres", NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
              NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
  VERIFICAR(LP_Error == 1);
  VERIFICAR(memchr(LP_ErrorMensaje, '\0', sizeof LP_ErrorMensaje) != NULL);
  VERIFICAR(LP_ErrorMensaje[0] != '\0');
  printf("LP_Error=%d LP_ErrorMensaje=\"%.254s\"\n", LP_Error, LP_ErrorMensaje);

  return fallas == 0 ? 0 : 1;
}
