#include "app/saved/conf_text.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

ConfLine splitConfLine(const std::string& text, std::string& key, std::string& value) {
    const std::string line = trimmed(text);
    if (line.empty() || line[0] == '#') return ConfLine::Blank;
    const size_t equals = line.find('=');
    key = trimmed(line.substr(0, std::min(equals, line.size())));
    value = equals == std::string::npos ? "" : trimmed(line.substr(equals + 1));
    return key.empty() || value.empty() ? ConfLine::Malformed : ConfLine::Setting;
}

bool parseWholeNumber(const std::string& text, int limit, int& number) {
    constexpr size_t digitLimit = 9;  // below the int's overflow
    auto isDigit = [](unsigned char c) { return std::isdigit(c) != 0; };
    if (text.empty() || text.size() > digitLimit || !std::all_of(text.begin(), text.end(), isDigit))
        return false;
    const int value = std::stoi(text);
    if (value > limit) return false;
    number = value;
    return true;
}

std::string lineError(const std::string& name, int line, const std::string& what) {
    return name + ":" + std::to_string(line) + ": " + what;
}

bool parseConfText(const std::string& bytes, const std::string& name, ConfText& text, std::string& error) {
    text = ConfText{};
    std::istringstream in(bytes);
    std::string line, key, value;
    while (std::getline(in, line)) {
        const int number = static_cast<int>(text.lines.size()) + 1;
        const ConfLine kind = splitConfLine(line, key, value);
        if (kind == ConfLine::Malformed) {
            error = lineError(name, number, "expected 'key = value'");
            return false;
        }
        if (kind == ConfLine::Setting && !text.entries.insert({key, {text.lines.size(), value}}).second) {
            error = lineError(name, number, key + " is given twice");
            return false;
        }
        text.lines.push_back(line);
    }
    return true;
}

void setConfValue(ConfText& text, const std::string& key, const std::string& value) {
    const std::string line = key + " = " + value;
    auto found = text.entries.find(key);
    if (found == text.entries.end()) {
        text.entries[key] = {text.lines.size(), value};
        text.lines.push_back(line);
    } else {
        found->second.value = value;
        text.lines[found->second.line] = line;
    }
}

std::string confTextBytes(const ConfText& text) {
    std::string bytes;
    for (const std::string& line : text.lines) bytes += line + "\n";
    return bytes;
}
