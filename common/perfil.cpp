#include "perfil.h"

#include <algorithm>
#include <optional>
#include <string>

#include "archivo.h"
#include "plataforma.h"
#include "texto.h"

namespace fiscal {

namespace {

constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";
// Width of a counter's slot: padding blanks and digits.
constexpr size_t kAnchoContador = 10;

char Minuscula(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool MismoNombre(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Minuscula(a[i]) != Minuscula(b[i])) return false;
  return true;
}

bool TieneCortes(std::string_view t) {
  return t.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool SeccionValida(std::string_view s) {
  return !s.empty() && !TieneCortes(s) && s.find(']') == std::string_view::npos;
}

bool ClaveValida(std::string_view c) {
  return !c.empty() && !TieneCortes(c) && c.find('=') == std::string_view::npos && c[0] != '[';
}

// A value as one line: CR, LF and NUL become blanks.
std::string UnaLinea(std::string_view valor) {
  std::string v(valor);
  for (char& c : v)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return v;
}

std::string Ruta(std::string_view archivo) {
  archivo = Recortado(archivo);
  return archivo.empty() ? RutaPerfilPorDefecto() : std::string(archivo);
}

// Writing the default file creates its folder.
void PrepararCarpeta(std::string_view archivo, const std::string& ruta) {
  if (!Recortado(archivo).empty()) return;
  size_t barra = ruta.find_last_of("/\\");
  if (barra != std::string::npos && barra > 0) CrearCarpeta(ruta.substr(0, barra));
}

// One line of a profile file, taken apart.
struct Linea {
  enum Tipo { Seccion, Clave, Otra } tipo = Otra;
  size_t inicio = 0;     // first byte of the line
  size_t fin = 0;        // end of its text, before CR LF or LF
  size_t siguiente = 0;  // first byte of the next line
  size_t valor = 0;      // for a key: the byte after "="
  std::string_view nombre, texto;
  bool blanca = false;
};

class Lineas {
 public:
  explicit Lineas(std::string_view c) : c_(c) {
    if (c_.substr(0, kMarcaUtf8.size()) == kMarcaUtf8) pos_ = kMarcaUtf8.size();
  }

  bool Siguiente(Linea& l) {
    if (pos_ >= c_.size()) return false;
    l = Linea{};
    l.inicio = pos_;
    size_t salto = c_.find('\n', pos_);
    l.siguiente = salto == std::string_view::npos ? c_.size() : salto + 1;
    l.fin = salto == std::string_view::npos ? c_.size() : salto;
    if (l.fin > l.inicio && c_[l.fin - 1] == '\r') --l.fin;
    pos_ = l.siguiente;
    std::string_view t = Recortado(c_.substr(l.inicio, l.fin - l.inicio));
    l.blanca = t.empty();
    if (!t.empty() && t[0] == '[') {
      size_t cierre = t.find(']');
      l.tipo = Linea::Seccion;
      l.nombre = Recortado(t.substr(1, cierre == std::string_view::npos ? t.npos : cierre - 1));
    } else if (size_t igual = t.find('='); igual != std::string_view::npos) {
      l.tipo = Linea::Clave;
      l.nombre = Recortado(t.substr(0, igual));
      l.texto = Recortado(t.substr(igual + 1));
      l.valor = static_cast<size_t>(t.data() - c_.data()) + igual + 1;
    }
    return true;
  }

 private:
  std::string_view c_;
  size_t pos_ = 0;
};

// Where a section and a key stand in a file.
struct Ubicacion {
  std::optional<Linea> clave;           // first occurrence in any block
  std::optional<Linea> ultima_de_bloque;  // last non-blank line of the last block
  std::string final;                    // section in force at the end of the file
  bool hay_final = false;
};

Ubicacion Ubicar(std::string_view contenido, std::string_view seccion, std::string_view clave) {
  Ubicacion u;
  Lineas lineas(contenido);
  Linea l;
  bool dentro = false;
  while (lineas.Siguiente(l)) {
    if (l.tipo == Linea::Seccion) {
      dentro = MismoNombre(l.nombre, seccion);
      u.final = std::string(l.nombre);
      u.hay_final = true;
      if (dentro) u.ultima_de_bloque = l;
    } else if (dentro) {
      if (!l.blanca) u.ultima_de_bloque = l;
      if (!u.clave && l.tipo == Linea::Clave && MismoNombre(l.nombre, clave)) u.clave = l;
    }
  }
  return u;
}

std::string_view FinDeLineaDe(std::string_view contenido) {
  size_t salto = contenido.find('\n');
  if (salto == std::string_view::npos) return kFinDeLinea;
  return salto > 0 && contenido[salto - 1] == '\r' ? "\r\n" : "\n";
}

bool TerminaEnSalto(std::string_view c) { return c.empty() || c.back() == '\n'; }

// Sets one key in the text of a file: replaces the value of its first
// occurrence, or adds the key at the end of the section's last block, or
// adds the section at the end of the file.
void Poner(std::string& c, std::string_view seccion, std::string_view clave,
           std::string_view valor) {
  Ubicacion u = Ubicar(c, seccion, clave);
  std::string_view salto = FinDeLineaDe(c);
  if (u.clave) {
    c.replace(u.clave->valor, u.clave->fin - u.clave->valor, valor);
    return;
  }
  std::string linea = std::string(clave) + "=" + std::string(valor) + std::string(salto);
  if (u.ultima_de_bloque) {
    size_t donde = u.ultima_de_bloque->siguiente;
    if (donde == c.size() && !TerminaEnSalto(c)) linea.insert(0, salto);
    c.insert(donde, linea);
    return;
  }
  if (!TerminaEnSalto(c)) c += salto;
  c.append("[").append(seccion).append("]").append(salto).append(linea);
}

// What this process last knew of a file it appends to, so that the next
// append or counter increment costs the same however long the file is.
// Every use is checked first against the file's signature (which file,
// size and modification as we left them) and the bytes of the slot.
struct Memoria {
  std::string ruta;
  FirmaArchivo firma;
  std::string final;  // section in force at the end of the file
  bool hay_final = false;
  bool termina_en_salto = true;
  std::string salto;
  struct Contador {
    std::string seccion, clave;
    uint64_t posicion = 0;
    std::string bytes;  // the slot as it is on disk
  };
  std::vector<Contador> contadores;
};

std::vector<Memoria>& Memorias() {
  static std::vector<Memoria> memorias;
  return memorias;
}

void Olvidar(const std::string& ruta) {
  auto& m = Memorias();
  m.erase(std::remove_if(m.begin(), m.end(), [&](const Memoria& x) { return x.ruta == ruta; }),
          m.end());
}

// The memory of the file open in `archivo`, when it still holds.
Memoria* Vigente(const std::string& ruta, ArchivoAbierto& archivo) {
  for (Memoria& m : Memorias()) {
    if (m.ruta != ruta) continue;
    FirmaArchivo firma;
    if (archivo.Firma(firma) && firma == m.firma) return &m;
    Olvidar(ruta);
    return nullptr;
  }
  return nullptr;
}

// Learns the file from its whole text, as it is on disk now. What was
// known of it still holds when the file is as we left it.
Memoria* Aprender(const std::string& ruta, std::string_view contenido, ArchivoAbierto& archivo) {
  FirmaArchivo firma;
  if (!archivo.Firma(firma) || firma.tamanio != contenido.size()) {
    Olvidar(ruta);
    return nullptr;
  }
  for (Memoria& m : Memorias())
    if (m.ruta == ruta && m.firma == firma) return &m;
  Olvidar(ruta);
  Memoria m;
  m.ruta = ruta;
  m.firma = firma;
  Ubicacion u = Ubicar(contenido, "", "");
  m.final = u.final;
  m.hay_final = u.hay_final;
  m.termina_en_salto = TerminaEnSalto(contenido);
  m.salto = std::string(FinDeLineaDe(contenido));
  Memorias().push_back(std::move(m));
  return &Memorias().back();
}

// The text that appends a key: a new block when another section is last.
// It must not cross a block boundary, so that a killed writer cannot leave
// half an entry: when it would, a line of blanks fills the block first (a
// write cut there leaves only blanks). Empty when the key is too long.
std::string TextoAnexo(const Memoria& m, std::string_view seccion, std::string_view clave,
                       std::string_view valor) {
  std::string previo = m.termina_en_salto ? "" : m.salto;
  std::string t;
  if (!m.hay_final || !MismoNombre(m.final, seccion)) t.append("[").append(seccion).append("]") += m.salto;
  t.append(clave).append("=").append(valor) += m.salto;
  if (t.size() > kBloqueEntero) return "";
  uint64_t inicio = m.firma.tamanio + previo.size();
  uint64_t libre = kBloqueEntero - inicio % kBloqueEntero;
  if (t.size() > libre) previo += std::string(libre - 1, ' ') + "\n";
  return previo + t;
}

bool Anexado(Memoria& m, ArchivoAbierto& archivo, std::string_view seccion,
             std::string_view clave, std::string_view valor) {
  std::string texto = TextoAnexo(m, seccion, clave, valor);
  if (texto.empty() || !archivo.Anexar(texto)) return false;
  m.final = std::string(seccion);
  m.hay_final = true;
  m.termina_en_salto = true;
  return archivo.Firma(m.firma);
}

// Replaces the whole file with `contenido`; the memory of it is dropped.
bool Reemplazar(std::string_view archivo, const std::string& ruta, std::string_view contenido) {
  Olvidar(ruta);
  PrepararCarpeta(archivo, ruta);
  return ReemplazarArchivo(ruta, contenido);
}

void EscribirVarias(std::string_view archivo, std::string_view seccion, const ClavesPerfil& claves) {
  seccion = Recortado(seccion);
  if (!SeccionValida(seccion)) return;
  std::string ruta = Ruta(archivo);
  std::string contenido;
  if (LeerArchivo(ruta, contenido) == Lectura::Fallida) return;
  std::string nuevo = contenido;
  for (const auto& [clave_dada, valor] : claves) {
    std::string_view clave = Recortado(clave_dada);
    if (ClaveValida(clave)) Poner(nuevo, seccion, clave, UnaLinea(valor));
  }
  if (nuevo != contenido) Reemplazar(archivo, ruta, nuevo);
}

// A counter right-aligned in its slot: a write cut short by a kill leaves
// the old number or a larger one, never a smaller one.
std::string Alineado(long long n, size_t ancho) {
  std::string t = std::to_string(n);
  return t.size() < ancho ? std::string(ancho - t.size(), ' ') + t : t;
}

std::string Minusculas(std::string_view t) {
  std::string r(t);
  for (char& c : r) c = Minuscula(c);
  return r;
}

Memoria::Contador* BuscarContador(Memoria& m, std::string_view seccion, std::string_view clave) {
  for (auto& c : m.contadores)
    if (c.seccion == Minusculas(seccion) && c.clave == Minusculas(clave)) return &c;
  return nullptr;
}

// Overwrites the counter's slot in place when the new value fits.
bool EnSitio(Memoria& m, ArchivoAbierto& archivo, Memoria::Contador& c, long long valor) {
  // A slot with blanks after the number takes one rewrite first.
  std::string nuevo = Alineado(valor, c.bytes.size());
  if (nuevo.size() > c.bytes.size() || c.bytes.empty() || c.bytes.back() == ' ') return false;
  if (!archivo.EscribirEn(c.posicion, nuevo)) return false;
  c.bytes = nuevo;
  return archivo.Firma(m.firma);
}

// Learns the file and the slot of its counter.
struct Recuerdo {
  Memoria* memoria = nullptr;
  Memoria::Contador* contador = nullptr;
};
Recuerdo Recordar(const std::string& ruta, std::string_view contenido, ArchivoAbierto& abierto,
                  std::string_view seccion, std::string_view clave) {
  Ubicacion u = Ubicar(contenido, seccion, clave);
  Memoria* m = u.clave ? Aprender(ruta, contenido, abierto) : nullptr;
  if (!m) return {};
  std::erase_if(m->contadores, [&](const Memoria::Contador& c) {
    return c.seccion == Minusculas(seccion) && c.clave == Minusculas(clave);
  });
  const Linea& l = *u.clave;
  m->contadores.push_back({Minusculas(seccion), Minusculas(clave), l.valor,
                           std::string(contenido.substr(l.valor, l.fin - l.valor))});
  return {m, &m->contadores.back()};
}

long long Siguiente(std::string_view valor) {
  long long n = LeerEntero(valor);
  return n < 0 ? 1 : n + 1;
}

}  // namespace

std::string LeerPerfil(std::string_view archivo, std::string_view seccion, std::string_view clave,
                       std::string_view defecto) {
  std::string contenido;
  if (LeerArchivo(Ruta(archivo), contenido) != Lectura::Leido) return std::string(defecto);
  Ubicacion u = Ubicar(contenido, Recortado(seccion), Recortado(clave));
  if (!u.clave) return std::string(defecto);
  return std::string(u.clave->texto);
}

void EscribirPerfil(std::string_view archivo, std::string_view seccion, std::string_view clave,
                    std::string_view valor) {
  EscribirVarias(archivo, seccion, {{std::string(clave), std::string(valor)}});
}

void EscribirPerfil(std::string_view archivo, std::string_view seccion, const ClavesPerfil& claves) {
  EscribirVarias(archivo, seccion, claves);
}

void AnexarPerfil(std::string_view archivo, std::string_view seccion, std::string_view clave,
                  std::string_view valor_dado) {
  seccion = Recortado(seccion);
  clave = Recortado(clave);
  if (!SeccionValida(seccion) || !ClaveValida(clave)) return;
  std::string valor = UnaLinea(valor_dado);
  std::string ruta = Ruta(archivo);
  ArchivoAbierto abierto;
  if (abierto.Abrir(ruta)) {
    Memoria* m = Vigente(ruta, abierto);
    if (m && Anexado(*m, abierto, seccion, clave, valor)) return;
  }
  // Not known: read it once. A key already there is replaced instead.
  std::string contenido;
  if (LeerArchivo(ruta, contenido) == Lectura::Leido && abierto.Abrir(ruta) &&
      !Ubicar(contenido, seccion, clave).clave) {
    Memoria* m = Aprender(ruta, contenido, abierto);
    if (m && Anexado(*m, abierto, seccion, clave, valor)) return;
  }
  // A file to create, an entry longer than a block, a failed write.
  abierto.Cerrar();
  EscribirPerfil(archivo, seccion, clave, valor);
}

long long IncrementarPerfil(std::string_view archivo, std::string_view seccion,
                            std::string_view clave) {
  seccion = Recortado(seccion);
  clave = Recortado(clave);
  if (!SeccionValida(seccion) || !ClaveValida(clave)) return 0;
  std::string ruta = Ruta(archivo);
  ArchivoAbierto abierto;
  if (abierto.Abrir(ruta)) {
    Memoria* m = Vigente(ruta, abierto);
    Memoria::Contador* c = m ? BuscarContador(*m, seccion, clave) : nullptr;
    if (c) {
      std::string en_disco(c->bytes.size(), ' ');
      if (abierto.LeerEn(c->posicion, en_disco.data(), en_disco.size()) && en_disco == c->bytes) {
        long long n = Siguiente(en_disco);
        if (EnSitio(*m, abierto, *c, n)) return n;
      }
    }
  }
  // Not known, or the slot is too small: read the file once.
  std::string contenido;
  Lectura lectura = LeerArchivo(ruta, contenido);
  if (lectura == Lectura::Fallida) return 0;
  if (lectura == Lectura::Leido) abierto.Abrir(ruta);
  Ubicacion u = Ubicar(contenido, seccion, clave);
  long long n = Siguiente(u.clave ? u.clave->texto : "");
  if (lectura == Lectura::Leido && u.clave) {
    Recuerdo r = Recordar(ruta, contenido, abierto, seccion, clave);
    if (r.contador && EnSitio(*r.memoria, abierto, *r.contador, n)) return n;
  }
  // Rewrite the file with a padded slot for the counter, and learn it.
  abierto.Cerrar();
  std::string nuevo = contenido;
  Poner(nuevo, seccion, clave, Alineado(n, kAnchoContador));
  if (!Reemplazar(archivo, ruta, nuevo)) return 0;
  if (abierto.Abrir(ruta)) Recordar(ruta, nuevo, abierto, seccion, clave);
  return n;
}

}  // namespace fiscal
