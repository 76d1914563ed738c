#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/private_dir.h"

namespace md {
namespace {

namespace fs = std::filesystem;

class PrivateDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        base = fs::temp_directory_path() / ("md-private-" + std::to_string(::getpid()));
        fs::remove_all(base);
        fs::create_directories(base);
    }
    void TearDown() override { fs::remove_all(base); }
    fs::path base;
};

TEST_F(PrivateDirTest, MadePrivateAndFoundAgain) {
    const auto dir = privateUserDir(base.string(), "app-1");
    ASSERT_TRUE(dir);
    struct stat st {};
    ASSERT_EQ(::lstat(dir->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(privateUserDir(base.string(), "app-1"), dir);
}

TEST_F(PrivateDirTest, WhatOthersCouldUseIsRefused) {
    // Open to others.
    fs::create_directory(base / "open");
    fs::permissions(base / "open",
                    fs::perms::owner_all | fs::perms::group_all | fs::perms::others_all);
    EXPECT_FALSE(privateUserDir(base.string(), "open"));
    // A link to a private folder, a plain file, a name with a slash.
    fs::create_directory(base / "real", base);
    fs::permissions(base / "real", fs::perms::owner_all);
    fs::create_directory_symlink(base / "real", base / "link");
    EXPECT_FALSE(privateUserDir(base.string(), "link"));
    std::ofstream(base / "file") << "x";
    EXPECT_FALSE(privateUserDir(base.string(), "file"));
    EXPECT_FALSE(privateUserDir(base.string(), "../x"));
    EXPECT_FALSE(privateUserDir((base / "missing").string(), "x"));
    // Owned by someone else (only root can hand a folder over).
    if (::getuid() == 0) {
        fs::create_directory(base / "theirs");
        fs::permissions(base / "theirs", fs::perms::owner_all);
        ASSERT_EQ(::chown((base / "theirs").c_str(), 1, 1), 0);
        EXPECT_FALSE(privateUserDir(base.string(), "theirs"));
    }
}

}  // namespace
}  // namespace md
