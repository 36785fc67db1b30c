#pragma once
// The key = value text that keys.conf, settings.conf and the scores share.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

// The files a player may edit by hand (keys.conf, settings.conf, the scores) share one shape:
//   # comments and blank lines are ignored
//   key = value

enum class ConfLine { Blank, Setting, Malformed };

// Blank for a blank line or a comment; Setting with `key` and `value` trimmed; Malformed when
// either is missing.
ConfLine splitConfLine(const std::string& text, std::string& key, std::string& value);
// A value of plain digits no greater than `limit`.
bool parseWholeNumber(const std::string& text, int limit, int& number);
// "NAME:LINE: what", as every reader of these files reports a line.
std::string lineError(const std::string& name, int line, const std::string& what);

struct ConfEntry {
    size_t line;  // from 0
    std::string value;
};

// A file of that shape kept line by line, so that rewriting it changes only the values set and
// keeps comments and the keys this version does not know (a newer version's) where they were.
struct ConfText {
    std::vector<std::string> lines;
    std::map<std::string, ConfEntry> entries;
};

// False with `error` "NAME:LINE: what" for a malformed line or a key given twice.
bool parseConfText(const std::string& bytes, const std::string& name, ConfText& text, std::string& error);
// Replaces the value of `key` in its line, or adds a line for it at the end.
void setConfValue(ConfText& text, const std::string& key, const std::string& value);
std::string confTextBytes(const ConfText& text);
