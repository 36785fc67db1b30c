#pragma once
// keys.conf: the players' keys and pad buttons, read and printed.
#include <iosfwd>
#include <string>

// The players' keys and pad buttons from a key file, one binding a line:
//   # comments and blank lines are ignored
//   player1.up = z
//   player2.right = right
//   player1.pad.choose = 0
// Keys are written as SDL 1.2 named them, as the keyboard's layout types them; pad buttons as
// numbers, or by name where the platform names them. An action not given keeps its built-in key.

// $XDG_CONFIG_HOME/tandrel/keys.conf, else ~/.config/tandrel/keys.conf; empty without either.
std::string defaultKeyFile();
// Into settings, which hold the defaults: the keyboard's layout and the built-in keys that follow
// it, then the file given, else the default file when there is one. False with `error` "FILE:LINE: what".
bool loadControls(const std::string& keysPath, std::string& error);
// Applies a key file's text to settings; `name` is the file's name in errors.
bool parseKeyFile(std::istream& in, const std::string& name, std::string& error);
// The bindings in force, in the key file's format.
void writeControls(std::ostream& out);
