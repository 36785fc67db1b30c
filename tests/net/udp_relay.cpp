// A UDP relay that makes 127.0.0.1 a poor network, for the net tests and the net benchmark where
// netem cannot be had (it needs root and the kernel's sch_netem). The guest sends to
// 127.0.0.1:LISTEN; each datagram goes on to the host at 127.0.0.1:TO from a socket of the relay's
// own, and the host's replies go back to the guest: the address of the first datagram heard on
// LISTEN, others being ignored. Each way a datagram is dropped with probability LOSS %, or else
// delivered DELAY ms later, give or take a uniform JITTER ms; so datagrams overtake one another,
// as on a real network. Drops and jitter are drawn from SEED, one stream each way: the n-th
// datagram each way meets the same fate in every run. Runs SECONDS or until SIGTERM or SIGINT,
// then prints what went each way.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

const char usage[] =
    "usage: udp_relay --listen PORT --to PORT [--delay MS] [--jitter MS] [--loss PERCENT] [--seed N] "
    "[--seconds N (600)]\n";

volatile std::sig_atomic_t stopping = 0;
void stop(int) { stopping = 1; }

struct Options {
    long listen = 0, to = 0, delay = 0, jitter = 0, seed = 1, seconds = 600;
    double loss = 0;
};

// One direction: its random stream and what it did; datagrams still queued at the end are in
// neither count.
struct Way {
    std::mt19937 random;
    long forwarded = 0, bytes = 0, dropped = 0;
};

struct Datagram {
    int way;  // 0: to the host, 1: to the guest
    std::vector<char> bytes;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        char* end = nullptr;
        const double value = std::strtod(argv[i + 1], &end);
        if (end == argv[i + 1] || *end != '\0' || value < 0) return false;
        if (name == "--loss") o.loss = value;
        else if (name == "--listen") o.listen = static_cast<long>(value);
        else if (name == "--to") o.to = static_cast<long>(value);
        else if (name == "--delay") o.delay = static_cast<long>(value);
        else if (name == "--jitter") o.jitter = static_cast<long>(value);
        else if (name == "--seed") o.seed = static_cast<long>(value);
        else if (name == "--seconds") o.seconds = static_cast<long>(value);
        else return false;
    }
    return argc % 2 == 1 && o.listen > 0 && o.listen < 65536 && o.to > 0 && o.to < 65536 && o.loss <= 100 &&
           o.seconds > 0;
}

sockaddr_in loopback(long port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    return a;
}

int boundSocket(long port) {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in a = loopback(port);
    if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) return -1;
    return fd;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fputs(usage, stderr);
        return 2;
    }
    const int guestSide = boundSocket(o.listen);
    const int hostSide = boundSocket(0);
    const sockaddr_in host = loopback(o.to);
    if (guestSide < 0 || hostSide < 0 ||
        connect(hostSide, reinterpret_cast<const sockaddr*>(&host), sizeof host) != 0) {
        std::fprintf(stderr, "udp_relay: port %ld: %s\n", o.listen, std::strerror(errno));
        return 1;
    }
    struct sigaction action {};
    action.sa_handler = stop;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    Way ways[2];
    for (unsigned w = 0; w < 2; ++w) {
        std::seed_seq seed{static_cast<unsigned>(o.seed), w};
        ways[w].random.seed(seed);
    }
    const auto lossIn10000 = static_cast<unsigned>(o.loss * 100 + 0.5);
    std::printf("udp_relay: 127.0.0.1:%ld to 127.0.0.1:%ld, %ld ms +- %ld ms, %g %% loss, seed %ld\n",
                o.listen, o.to, o.delay, o.jitter, o.loss, o.seed);
    std::fflush(stdout);

    sockaddr_in guest{};
    bool guestKnown = false;
    std::multimap<Clock::time_point, Datagram> queue;  // equal times leave in arrival order
    const auto start = Clock::now(), end = start + std::chrono::seconds(o.seconds);
    std::vector<char> buffer(65536);
    while (!stopping && Clock::now() < end) {
        while (!queue.empty() && queue.begin()->first <= Clock::now()) {
            const Datagram& d = queue.begin()->second;
            // A host not up yet, or gone, refuses: the datagram is lost, as on a network.
            const auto* to = d.way == 0 ? nullptr : reinterpret_cast<const sockaddr*>(&guest);
            sendto(d.way == 0 ? hostSide : guestSide, d.bytes.data(), d.bytes.size(), 0, to,
                   to ? sizeof guest : 0);
            ++ways[d.way].forwarded;
            ways[d.way].bytes += d.bytes.size();
            queue.erase(queue.begin());
        }
        // Wake for the next datagram due, and at least every 100 ms to see a signal that came
        // just before poll().
        const auto next = std::min(queue.empty() ? end : queue.begin()->first, Clock::now() + Ms(100));
        const auto wait = std::chrono::ceil<Ms>(next - Clock::now()).count();
        pollfd fds[2] = {{guestSide, POLLIN, 0}, {hostSide, POLLIN, 0}};
        if (poll(fds, 2, static_cast<int>(std::max<long>(wait, 0))) <= 0) continue;
        for (int w = 0; w < 2; ++w) {
            if (!(fds[w].revents & (POLLIN | POLLERR))) continue;
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            const ssize_t n = recvfrom(fds[w].fd, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                       reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (n < 0) continue;  // the host's port refused an earlier datagram
            if (w == 0 && !guestKnown) {
                guest = from;
                guestKnown = true;
            }
            if (w == 0 && (from.sin_addr.s_addr != guest.sin_addr.s_addr || from.sin_port != guest.sin_port))
                continue;
            if (w == 1 && !guestKnown) continue;
            Way& way = ways[w];
            // Both draws for every datagram, so that one datagram's fate never shifts the next's.
            const bool lost = way.random() % 10000 < lossIn10000;
            const long jitter = static_cast<long>(way.random() % (2 * o.jitter + 1)) - o.jitter;
            if (lost) {
                ++way.dropped;
                continue;
            }
            queue.emplace(Clock::now() + Ms(std::max(0L, o.delay + jitter)),
                          Datagram{w, std::vector<char>(buffer.begin(), buffer.begin() + n)});
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("udp_relay: %.1f s; to the host %ld forwarded (%ld B), %ld dropped; ", seconds,
                ways[0].forwarded, ways[0].bytes, ways[0].dropped);
    std::printf("to the guest %ld forwarded (%ld B), %ld dropped\n", ways[1].forwarded, ways[1].bytes,
                ways[1].dropped);
    return 0;
}
