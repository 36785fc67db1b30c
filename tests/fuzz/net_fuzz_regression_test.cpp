#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "net_message_check.h"

namespace {

// Inputs kept for the net message decoder (tests/fuzz/net_regressions), each with what the
// decoder says of it.
struct KeptMessage {
    const char* file;
    const char* why;
};

const KeptMessage keptMessages[] = {
    {"short_inputs", "short"},
    {"thousand_events_in_a_tick", "1000 events in tick 100"},
    {"ticks_past_the_last", "ticks beyond the last"},
    {"event_outside_its_ticks", "event outside its ticks"},
    {"long_title", "unknown game"},
};

std::string decodeKept(const std::string& name) {
    std::ifstream in(std::string(TANDREL_NET_REGRESSION_DIR) + "/" + name, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(bytes.empty()) << name;
    return checkNetMessage(bytes.data(), bytes.size());
}

TEST(NetFuzzRegressions, EveryKeptMessageIsRefusedForItsReason) {
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TANDREL_NET_REGRESSION_DIR)) {
        ++files;
        const std::string name = entry.path().filename().string();
        const KeptMessage* kept = nullptr;
        for (const KeptMessage& k : keptMessages) kept = name == k.file ? &k : kept;
        ASSERT_NE(kept, nullptr) << name << " is kept without its reason in the table";
        EXPECT_EQ(decodeKept(name), kept->why) << name;
    }
    EXPECT_EQ(files, std::size(keptMessages));
}

}  // namespace
