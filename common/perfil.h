// Profile (INI) files, with the semantics hosts know from the Windows
// profile functions: section and key names match without regard to case,
// the first occurrence wins, values are trimmed, a missing file, section
// or key gives the default, and a write creates what is missing and keeps
// everything else. A write never loses data: a crash at any moment leaves
// the old file or the new one, whole.
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
// ever-growing log): its cost does not grow with the file.
void AnexarPerfil(std::string_view archivo, std::string_view seccion,
                  std::string_view clave, std::string_view valor);

}  // namespace fiscal
