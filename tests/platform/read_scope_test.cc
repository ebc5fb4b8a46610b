// Reads within a FileReadScope: every change made through the Env shows at
// once, in the scope and after it, and a new scope reads every file afresh.
// Off Windows a scope also reads each unchanged file only once, which the
// last tests pin by changing a file behind the Env's back.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>

#include "platform/env.h"
#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

using fixtures::TempRunDir;

class ReadScopeTest : public testing::Test {
 protected:
  GbkText read_value(const GbkText& key) {
    return env.get_profile_string(ini, "s", key, "<none>", 256);
  }
  std::string read_whole(const GbkText& path) {
    std::string contents;
    return env.read_file(path, &contents) ? contents : "<missing>";
  }
  // Replaces the file without going through the Env (ASCII paths only).
  void write_behind_the_env(const GbkText& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
  }

  Env& env = Env::Default();
  TempRunDir dir;
  GbkText ini = dir.config_file("scope.ini");
  GbkText text = dir.config_file("scope.txt");
};

TEST_F(ReadScopeTest, WritesThroughTheEnvShowInTheSameScope) {
  dir.write("scope.ini", "[s]\r\nk=1\r\n");
  dir.write("scope.txt", "old");
  FileReadScope scope(env);
  EXPECT_EQ(read_value("k"), "1");
  EXPECT_EQ(read_whole(text), "old");

  EXPECT_TRUE(env.write_profile_string(ini, "s", "k", "2"));
  EXPECT_EQ(read_value("k"), "2");
  EXPECT_TRUE(env.delete_profile_key(ini, "s", "k"));
  EXPECT_EQ(read_value("k"), "<none>");
  EXPECT_TRUE(env.write_profile_string(ini, "t", "k", "3"));
  EXPECT_EQ(env.get_profile_section_names(ini, 256), std::string("s\0t\0", 4));
  EXPECT_TRUE(env.delete_profile_section(ini, "t"));
  EXPECT_EQ(env.get_profile_section_names(ini, 256), std::string("s\0", 2));

  EXPECT_TRUE(env.write_file(text, "new"));
  EXPECT_EQ(read_whole(text), "new");
  EXPECT_TRUE(env.delete_file(text));
  EXPECT_EQ(read_whole(text), "<missing>");
  EXPECT_TRUE(env.write_file(text, "again"));
  EXPECT_EQ(read_whole(text), "again");
}

TEST_F(ReadScopeTest, AMissingFileReadsAsMissingUntilWritten) {
  FileReadScope scope(env);
  EXPECT_EQ(read_value("k"), "<none>");
  EXPECT_EQ(read_whole(text), "<missing>");
  EXPECT_TRUE(env.write_profile_string(ini, "s", "k", "1"));
  EXPECT_TRUE(env.write_file(text, ""));
  EXPECT_EQ(read_value("k"), "1");
  EXPECT_EQ(read_whole(text), "");
}

TEST_F(ReadScopeTest, AWriteFromAnotherThreadShowsInTheScope) {
  dir.write("scope.ini", "[s]\r\nk=1\r\n");
  FileReadScope scope(env);
  EXPECT_EQ(read_value("k"), "1");
  std::thread([this] { env.write_profile_string(ini, "s", "k", "2"); }).join();
  EXPECT_EQ(read_value("k"), "2");
}

TEST_F(ReadScopeTest, EveryNewScopeReadsAfresh) {
  dir.write("scope.ini", "[s]\r\nk=1\r\n");
  {
    FileReadScope scope(env);
    EXPECT_EQ(read_value("k"), "1");
  }
  write_behind_the_env(ini, "[s]\r\nk=2\r\n");
  EXPECT_EQ(read_value("k"), "2") << "outside a scope";
  FileReadScope scope(env);
  EXPECT_EQ(read_value("k"), "2") << "in the next scope";
}

#ifndef _WIN32
TEST_F(ReadScopeTest, AScopeReadsAnUnchangedFileOnce) {
  dir.write("scope.ini", "[s]\r\nk=1\r\n");
  dir.write("scope.txt", "old");
  FileReadScope scope(env);
  EXPECT_EQ(read_value("k"), "1");
  EXPECT_EQ(read_whole(text), "old");
  write_behind_the_env(ini, "[s]\r\nk=2\r\n");
  write_behind_the_env(text, "new");
  EXPECT_EQ(read_value("k"), "1");
  EXPECT_EQ(read_whole(text), "old");
}

TEST_F(ReadScopeTest, OnlyTheOutermostScopeForgets) {
  dir.write("scope.ini", "[s]\r\nk=1\r\n");
  FileReadScope outer(env);
  {
    FileReadScope inner(env);
    EXPECT_EQ(read_value("k"), "1");
  }
  write_behind_the_env(ini, "[s]\r\nk=2\r\n");
  EXPECT_EQ(read_value("k"), "1") << "the outer scope still holds the file";
}
#endif  // _WIN32

}  // namespace
}  // namespace tarvolo
