// Atomic writes: the content goes to a temporary file of the target's folder, is flushed to
// the disk, and only then renamed over the target. A failure at any step (no space, no
// permission, a folder that vanished) removes the temporary file, leaves any existing file
// untouched and throws ErreurFichier saying why.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

// `ecrire` writes the whole content to the open descriptor (it may throw ErreurFichier or
// return false after setting errno).
void EcrireAtomiquement(const std::filesystem::path& chemin,
                        const std::function<bool(int descripteur)>& ecrire);

// Writes all of `texte` to the descriptor; false with errno set on failure.
bool EcrireTout(int descripteur, std::string_view texte);

// The whole of `texte` as the file `chemin`, atomically.
void EcrireTexteAtomiquement(const std::filesystem::path& chemin, std::string_view texte);
