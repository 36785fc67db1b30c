#include "app/command_line.h"

#include <cstdlib>
#include <cstring>

#include "net/message.h"  // maxDelay

namespace {

constexpr int maxVolume = 100;

// Digits only, so that "-1", "+2" and " 3" are refused; at most four, so that it fits an int.
bool readIndex(const char* text, int& index) {
    size_t length = std::strlen(text);
    if (length == 0 || length > 4 || std::strspn(text, "0123456789") != length) return false;
    index = std::atoi(text);
    return true;
}

// Whether the argument after i is a value rather than the next option.
bool valueFollows(int argc, const char* const argv[], int i) {
    return i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0;
}

bool readNetOption(int argc, const char* const argv[], int& i, Options& options, std::string& error) {
    const bool host = !std::strcmp(argv[i], "--host");
    if (host ? options.host : options.join) {
        error = std::string(argv[i]) + " given twice";
        return false;
    }
    (host ? options.host : options.join) = true;
    if (!valueFollows(argc, argv, i)) {
        if (host) return true;
        error = "--join needs an address";
        return false;
    }
    return parseEndpoint(argv[++i], host, options.endpoint, error);
}

// The number of ticks after option argv[i], from 1 to `most`; `i` moves onto it.
bool readTicks(int argc, const char* const argv[], int& i, int most, int& ticks, std::string& error) {
    if (i + 1 >= argc || !readIndex(argv[i + 1], ticks) || ticks < 1 || ticks > most) {
        error = std::string(argv[i]) + " needs a number of ticks from 1 to " + std::to_string(most);
        return false;
    }
    ++i;
    return true;
}

bool checkNetOptions(const Options& options, std::string& error) {
    const bool net = options.host || options.join;
    if (options.host && options.join) error = "--host and --join cannot be used together";
    else if (net && !options.replayPath.empty()) error = "--replay cannot be used in a net game";
    else if (options.delay && !options.host) error = "--delay goes with --host: the host chooses the delay";
    else if (options.netcodeGiven && !options.host) error = "--netcode goes with --host: the host chooses it";
    else if (!options.scriptPath.empty() && !(net && options.headless))
        error = "--script goes with --headless and --host or --join";
    else if (net && options.headless && options.scriptPath.empty())
        error = "--headless with --host or --join needs --script";
    else if (options.headless && !net && options.replayPath.empty()) error = "--headless needs --replay";
    else return true;
    return false;
}

}  // namespace

const char* usageText() {
    return "usage: tandrel [options]\n"
           "  --game TITLE      start with this game of the catalogue selected on the menu\n"
           "  --windowed        play in a window of at most 1024 x 768 instead of full screen\n"
           "  --display N       play on monitor N (0 first, as xrandr lists them) instead of\n"
           "                    the one holding the mouse pointer\n"
           "  --fullscreen      play full screen, whatever settings.conf says\n"
           "  --volume N        play at N % of the full loudness, 0 to 100 (F9 and F10 step it)\n"
           "  --record FILE     write the first game started (its seed and every key) to FILE\n"
           "  --replay FILE     play the game recorded in FILE; Escape leaves it\n"
           "  --headless        with --replay: no window, no sound, as fast as possible;\n"
           "                    with --host or --join and --script: a net game without window\n"
           "  --host [PORT|ADDRESS:PORT]  wait for a player to join over the network (player 1),\n"
           "                    on UDP port 26100 unless given\n"
           "  --join ADDRESS[:PORT]  join a host's game over the network (player 2)\n"
           "  --netcode NAME    the host's net games: rollback (the default: own keys at once, the\n"
           "                    other side's predicted) or lockstep (every key after the delay)\n"
           "  --delay N         the host's input delay, in 18 ms ticks (default: 1 under rollback,\n"
           "                    from the round trip under lockstep)\n"
           "  --sync-test N     with --replay and --headless: after every tick, go back N ticks\n"
           "                    and run them again; each must come out as it did the first time\n"
           "  --script FILE     with --headless and --host or --join: play this side's player's\n"
           "                    events of the recording in FILE; the host takes its seed and game\n"
           "  --immediate       draw with OpenGL immediate mode (slower; for comparison)\n"
           "  --keys FILE       read the key bindings from FILE instead of\n"
           "                    $XDG_CONFIG_HOME/tandrel/keys.conf (~/.config/tandrel/keys.conf)\n"
           "  --print-keys      print the key bindings in force, in the key file's format\n"
           "  --print-settings  print the settings in force, in the format of\n"
           "                    $XDG_CONFIG_HOME/tandrel/settings.conf (~/.config/tandrel/settings.conf)\n"
           "  --stats           every 5 s print frames and ticks per second and the CPU share on stderr\n"
           "  --help            show this text\n"
           "  --version         show the version\n";
}

bool parseCommandLine(int argc, const char* const argv[], Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        std::string* file = !std::strcmp(arg, "--record")   ? &options.recordPath
                            : !std::strcmp(arg, "--replay") ? &options.replayPath
                            : !std::strcmp(arg, "--keys")   ? &options.keysPath
                            : !std::strcmp(arg, "--script") ? &options.scriptPath
                                                            : nullptr;
        std::string* value = file ? file : !std::strcmp(arg, "--game") ? &options.gameTitle : nullptr;
        if (value) {
            if (i + 1 >= argc) {
                error = std::string(arg) + (file ? " needs a file name" : " needs a game's title");
                return false;
            }
            *value = argv[++i];
        } else if (!std::strcmp(arg, "--display")) {
            if (i + 1 >= argc || !readIndex(argv[i + 1], options.display)) {
                error = "--display needs a monitor number from 0";
                return false;
            }
            ++i;
        } else if (!std::strcmp(arg, "--host") || !std::strcmp(arg, "--join")) {
            if (!readNetOption(argc, argv, i, options, error)) return false;
        } else if (!std::strcmp(arg, "--delay")) {
            if (!readTicks(argc, argv, i, maxDelay, options.delay, error)) return false;
        } else if (!std::strcmp(arg, "--netcode")) {
            const char* name = i + 1 < argc ? argv[++i] : "";
            if (std::strcmp(name, "rollback") && std::strcmp(name, "lockstep")) {
                error = "--netcode needs rollback or lockstep";
                return false;
            }
            options.netcode = std::strcmp(name, "rollback") ? Netcode::Lockstep : Netcode::Rollback;
            options.netcodeGiven = true;
        } else if (!std::strcmp(arg, "--sync-test")) {
            if (!readTicks(argc, argv, i, maxSyncTestTicks, options.syncTest, error)) return false;
        } else if (!std::strcmp(arg, "--volume")) {
            if (i + 1 >= argc || !readIndex(argv[i + 1], options.volume) || options.volume > maxVolume) {
                error = "--volume needs a number from 0 to 100";
                return false;
            }
            ++i;
        } else if (!std::strcmp(arg, "--windowed")) {
            options.windowed = true;
        } else if (!std::strcmp(arg, "--fullscreen")) {
            options.fullscreen = true;
        } else if (!std::strcmp(arg, "--headless")) {
            options.headless = true;
        } else if (!std::strcmp(arg, "--immediate")) {
            options.immediate = true;
        } else if (!std::strcmp(arg, "--print-keys")) {
            options.printKeys = true;
        } else if (!std::strcmp(arg, "--print-settings")) {
            options.printSettings = true;
        } else if (!std::strcmp(arg, "--stats")) {
            options.stats = true;
        } else if (!std::strcmp(arg, "--help")) {
            options.help = true;
        } else if (!std::strcmp(arg, "--version")) {
            options.version = true;
        } else {
            error = std::string("unknown option ") + arg;
            return false;
        }
    }
    if (options.windowed && options.fullscreen) {
        error = "--windowed and --fullscreen cannot be used together";
        return false;
    }
    if (!checkNetOptions(options, error)) return false;
    if (!options.gameTitle.empty() && !options.replayPath.empty()) {
        error = "--game and --replay cannot be used together: a replay plays its own game";
        return false;
    }
    if (options.syncTest && !(options.headless && !options.replayPath.empty())) {
        error = "--sync-test goes with --replay and --headless";
        return false;
    }
    if (!options.recordPath.empty() && !options.replayPath.empty()) {
        error = "--record and --replay cannot be used together";
        return false;
    }
    return true;
}
