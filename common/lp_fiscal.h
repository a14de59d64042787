/*
 * drvfiscal: the host interface of the fiscal printer drivers.
 *
 * Both libraries, drvepson and drvhasar, export exactly what this header
 * declares: three procedures and thirty-three variables. The host sets a
 * few variables, calls LP_IMPRIMIR with an order code and up to 22 texts,
 * and reads the outcome from the variables afterwards.
 *
 * Texts are Windows-1252 bytes. Text variables are char arrays of exactly
 * their width, blank-padded on the right, with no terminator; the one
 * exception is LP_ErrorMensaje, which is NUL-terminated (254 characters at
 * most). Omitted order arguments are null pointers.
 *
 * Usable from C and C++. On 32-bit Windows the procedures are __stdcall
 * and exported under their plain names.
 */
#ifndef LP_FISCAL_H
#define LP_FISCAL_H

#include <stdint.h>

#if defined(_WIN32)
#  define LP_LLAMADA __stdcall
#  if defined(LP_CONSTRUYENDO)
#    define LP_EXPORTA
#  else
#    define LP_EXPORTA __declspec(dllimport)
#  endif
#else
#  define LP_LLAMADA
#  define LP_EXPORTA __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#  define LP_OMITIDO = 0
extern "C" {
#else
#  define LP_OMITIDO
#endif

/* A signed amount with 2 decimals as 6 bytes of packed decimal digits:
 * 11 digits, most significant first, the last 2 of them decimals, then a
 * sign nibble (0xC positive, 0xD negative). */
typedef unsigned char LP_Decimal[6];

/* ---- Procedures ------------------------------------------------------ */

/* Runs one order. Arguments 1 to 22 are optional texts (null = omitted). */
LP_EXPORTA void LP_LLAMADA LP_IMPRIMIR(int16_t orden,
    const char *a1 LP_OMITIDO, const char *a2 LP_OMITIDO,
    const char *a3 LP_OMITIDO, const char *a4 LP_OMITIDO,
    const char *a5 LP_OMITIDO, const char *a6 LP_OMITIDO,
    const char *a7 LP_OMITIDO, const char *a8 LP_OMITIDO,
    const char *a9 LP_OMITIDO, const char *a10 LP_OMITIDO,
    const char *a11 LP_OMITIDO, const char *a12 LP_OMITIDO,
    const char *a13 LP_OMITIDO, const char *a14 LP_OMITIDO,
    const char *a15 LP_OMITIDO, const char *a16 LP_OMITIDO,
    const char *a17 LP_OMITIDO, const char *a18 LP_OMITIDO,
    const char *a19 LP_OMITIDO, const char *a20 LP_OMITIDO,
    const char *a21 LP_OMITIDO, const char *a22 LP_OMITIDO);

/* Opens the parameter editor; returns when it is closed. */
LP_EXPORTA void LP_LLAMADA LP_EDITARPARAMETROS(void);

/* Opens the header and trailer title editor; returns when it is closed. */
LP_EXPORTA void LP_LLAMADA LP_EDITARTITULOS(void);

/* ---- Variables ------------------------------------------------------- */

LP_EXPORTA extern char LP_Resultado[255];        /* also "FIL:" + file name on the way in */
LP_EXPORTA extern uint8_t LP_ResultadoMostrar;   /* initial 1 */
LP_EXPORTA extern uint8_t LP_Error;
LP_EXPORTA extern char LP_ErrorMensaje[255];     /* NUL-terminated */
LP_EXPORTA extern uint8_t LP_ErrorMostrar;       /* initial 1 */
LP_EXPORTA extern int32_t LP_UltimoComprobante;
LP_EXPORTA extern LP_Decimal LP_UltimoTotal;
LP_EXPORTA extern LP_Decimal LP_UltimoNeto;
LP_EXPORTA extern LP_Decimal LP_UltimoIva;
LP_EXPORTA extern LP_Decimal LP_UltimoImpInterno;
LP_EXPORTA extern LP_Decimal LP_UltimoPercepcion;
LP_EXPORTA extern char LP_SerieImpresora[15];
LP_EXPORTA extern uint8_t LP_Fiscalizada;
LP_EXPORTA extern uint8_t LP_CajonAbierto;
LP_EXPORTA extern char LP_ParametrosLeidos[17];  /* "dd/mm/yy hh:mm:ss", blank = not loaded */
LP_EXPORTA extern char LP_NumeroImpresora[1];
LP_EXPORTA extern int32_t LP_FechaImpresora;     /* date serial, see lp_fecha_serial */
LP_EXPORTA extern int32_t LP_HoraImpresora;      /* time serial, see lp_hora_serial */
LP_EXPORTA extern uint8_t LP_LonObsFac;
LP_EXPORTA extern uint8_t LP_LonLinFac;
LP_EXPORTA extern uint8_t LP_LonPagFac;
LP_EXPORTA extern uint8_t LP_LonLinNoF;
LP_EXPORTA extern uint8_t LP_LonLinPag;
LP_EXPORTA extern uint8_t LP_LonLinCot;
LP_EXPORTA extern uint8_t LP_EmiteFAC;
LP_EXPORTA extern uint8_t LP_EmiteCRE;
LP_EXPORTA extern uint8_t LP_EmiteRTO;
LP_EXPORTA extern uint8_t LP_EmitePAG;
LP_EXPORTA extern uint8_t LP_EmiteCOT;
LP_EXPORTA extern uint8_t LP_CanDecimales;
LP_EXPORTA extern uint8_t LP_PreDecimales;
LP_EXPORTA extern int32_t LP_CanMaxima;
LP_EXPORTA extern int32_t LP_PreMaximo;

/* ---- Conversions for the host ---------------------------------------- */

/* The largest amount a packed decimal holds, in hundredths. */
#define LP_DECIMAL_MAXIMO_CENTESIMOS 99999999999LL

/* Packed decimal to hundredths (1234.50 gives 123450). */
static inline int64_t lp_decimal_a_centesimos(const unsigned char d[6])
{
    int64_t v = 0;
    int i;
    for (i = 0; i < 11; ++i) {
        unsigned nib = (i % 2 == 0) ? (d[i / 2] >> 4) : (d[i / 2] & 0x0F);
        v = v * 10 + (nib > 9 ? 0 : nib);
    }
    return (d[5] & 0x0F) == 0x0D ? -v : v;
}

/* Hundredths to packed decimal; out-of-range values saturate at
 * +-999999999.99. */
static inline void lp_decimal_de_centesimos(unsigned char d[6], int64_t centesimos)
{
    int negativo = centesimos < 0;
    uint64_t v = negativo ? (uint64_t)0 - (uint64_t)centesimos : (uint64_t)centesimos;
    int i;
    if (v > (uint64_t)LP_DECIMAL_MAXIMO_CENTESIMOS)
        v = (uint64_t)LP_DECIMAL_MAXIMO_CENTESIMOS;
    d[5] = (unsigned char)(((v % 10) << 4) | (negativo && v != 0 ? 0x0D : 0x0C));
    v /= 10;
    for (i = 4; i >= 0; --i) {
        d[i] = (unsigned char)((v % 10) | (((v / 10) % 10) << 4));
        v /= 100;
    }
}

/* Days since 28 December 1800 (1 January 1801 is 4); 0 means no date. */
static inline int32_t lp_fecha_serial(int anio, int mes, int dia)
{
    /* Days from the civil date to 1970-01-01 (proleptic Gregorian). */
    int64_t y = anio - (mes <= 2);
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (mes + (mes > 2 ? -3 : 9)) + 2) / 5 + dia - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    int64_t dias_1970 = era * 146097 + doe - 719468;
    return (int32_t)(dias_1970 + 61730); /* 1970-01-01 is day 61730 */
}

static inline void lp_fecha_de_serial(int32_t serial, int *anio, int *mes, int *dia)
{
    int64_t z = (int64_t)serial - 61730 + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int64_t d = doy - (153 * mp + 2) / 5 + 1;
    int64_t m = mp < 10 ? mp + 3 : mp - 9;
    *anio = (int)(yoe + era * 400 + (m <= 2));
    *mes = (int)m;
    *dia = (int)d;
}

/* Hundredths of a second since midnight plus 1; 0 means no time. */
static inline int32_t lp_hora_serial(int hora, int minuto, int segundo, int centesimo)
{
    return ((hora * 60 + minuto) * 60 + segundo) * 100 + centesimo + 1;
}

static inline void lp_hora_de_serial(int32_t serial, int *hora, int *minuto, int *segundo)
{
    int32_t s = serial > 0 ? (serial - 1) / 100 : 0;
    *hora = (int)(s / 3600);
    *minuto = (int)(s / 60 % 60);
    *segundo = (int)(s % 60);
}

#ifdef __cplusplus
}
#endif
#undef LP_OMITIDO

#endif /* LP_FISCAL_H */
