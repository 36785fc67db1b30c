#pragma once
// The files in the player's home directory: their paths, reads and safe writes.
#include <string>

// The files tandrel keeps in the player's home, through the file system: the thin layer that
// the settings and the scores are read and written by.

// $XDG_CONFIG_HOME/tandrel/NAME, else ~/.config/tandrel/NAME; empty without either.
std::string configFilePath(const std::string& name);
// $XDG_STATE_HOME/tandrel/NAME, else ~/.local/state/tandrel/NAME; empty without either.
std::string stateFilePath(const std::string& name);

enum class FileRead { Read, Missing, Failed };

// The whole file into `bytes`; Failed with `reason` (the system's words) when it is there but
// cannot be read.
FileRead readTextFile(const std::string& path, std::string& bytes, std::string& reason);
// Writes a temporary file beside `path`, then renames it over `path`, creating the directories
// as needed: a reader, a crash or a full disk sees the old file or the new one, never a part.
// False with `reason` when the old file is left as it was.
bool replaceFile(const std::string& path, const std::string& bytes, std::string& reason);
// Renames `path` to the first of PATH.bad, PATH.bad.1, PATH.bad.2, ... that does not exist,
// never over an older one. False with `reason` when it stays where it was.
bool moveAside(const std::string& path, std::string& movedTo, std::string& reason);
