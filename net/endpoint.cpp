#include "net/endpoint.h"

#include <algorithm>

namespace {

bool readPort(const std::string& text, uint16_t& port) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long value = std::stoul(text);
    if (value < 1 || value > 65535) return false;
    port = static_cast<uint16_t>(value);
    return true;
}

}  // namespace

bool parseEndpoint(const std::string& text, bool portAlone, Endpoint& endpoint, std::string& error) {
    endpoint = Endpoint{};
    error = "'" + text + "' is no address and port";
    if (portAlone && text.find_first_not_of("0123456789") == std::string::npos) {
        return readPort(text, endpoint.port) || (error = "port '" + text + "' is not 1 to 65535", false);
    }
    std::string port;
    if (!text.empty() && text[0] == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos) return false;
        endpoint.address = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') return false;
            port = text.substr(close + 2);
            if (port.empty()) return false;
        }
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        const size_t colon = text.find(':');
        endpoint.address = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (port.empty()) return false;
    } else {
        endpoint.address = text;  // a name, an IPv4 address, or an IPv6 address without a port
    }
    if (endpoint.address.empty()) return false;
    if (!port.empty() && !readPort(port, endpoint.port)) {
        error = "port '" + port + "' is not 1 to 65535";
        return false;
    }
    return true;
}
