// Profile (INI) files, with the semantics hosts know from the Windows
// profile functions: section and key names match without regard to case,
// the first occurrence wins, values are trimmed, a missing file, section
// or key gives the default, and a write creates what is missing and keeps
// everything else byte for byte. A write never loses data: a crash at any
// moment leaves the old file or the new one, whole.
//
// Names and values are bytes (Windows-1252). A value is one line: the
// writer stores each CR, LF and NUL in it as a blank. A write whose section
// name is empty or holds "]", or whose key is empty, holds "=" or begins
// with "[", is ignored, since no reader could find it again. New lines end
// like the existing lines of the file (CR LF on Windows, LF elsewhere for
// a new file); both endings are read.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fiscal {

// A blank file name means the default profile file.
std::string LeerPerfil(std::string_view archivo, std::string_view seccion,
                       std::string_view clave, std::string_view defecto);
void EscribirPerfil(std::string_view archivo, std::string_view seccion,
                    std::string_view clave, std::string_view valor);

// Writes several keys of one section in one step: the file holds all of
// them or, after a crash, none.
using ClavesPerfil = std::vector<std::pair<std::string, std::string>>;
void EscribirPerfil(std::string_view archivo, std::string_view seccion, const ClavesPerfil& claves);

// Appends a key that the section does not hold yet (the entries of an
// ever-growing log): its cost does not grow with the file. The key goes at
// the end of the file, under a new "[seccion]" line when another section
// comes last; readers look a key up in every block of its section.
void AnexarPerfil(std::string_view archivo, std::string_view seccion,
                  std::string_view clave, std::string_view valor);

// Reads the counter `clave` (missing or not a number: 0), adds one, writes
// it back and returns the new value, or 0 when it could not be written.
// The value is kept blank-padded, so that later increments overwrite it in
// place at a cost that does not grow with the file.
long long IncrementarPerfil(std::string_view archivo, std::string_view seccion,
                            std::string_view clave);

}  // namespace fiscal
