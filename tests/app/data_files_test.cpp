#include <gtest/gtest.h>

#include <cstdlib>

#include "app/platform/data_files.h"

namespace {

TEST(DataFiles, TheFirstExistingDirectoryWins) {
    EXPECT_EQ(firstExistingDirectory({"/no/such/dir", "/tmp", "/"}), "/tmp");
    EXPECT_EQ(firstExistingDirectory({"/", "/tmp"}), "/");
}

TEST(DataFiles, TheLastCandidateIsTheFallback) {
    EXPECT_EQ(firstExistingDirectory({"/no/such/dir", "/no/other"}), "/no/other");
}

TEST(DataFiles, AFileIsNotADirectory) {
    char path[] = "/tmp/tandrel-file-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(firstExistingDirectory({path, "/tmp"}), "/tmp");
    std::remove(path);
}

}  // namespace
