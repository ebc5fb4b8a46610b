#include "store/profile_access.h"

#include <gtest/gtest.h>

#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

using fixtures::TempRunDir;

class ProfileAccessTest : public ::testing::Test {
 protected:
  Env& env = Env::Default();
  TempRunDir dir;
  GbkText file = dir.config_file("test.ini");
};

TEST_F(ProfileAccessTest, MissingFileSectionOrKeyReadsEmpty) {
  EXPECT_EQ(read_profile_value(env, file, "s", "k"), "");
  dir.write("test.ini", "[s]\r\nk=v\r\n");
  EXPECT_EQ(read_profile_value(env, file, "other", "k"), "");
  EXPECT_EQ(read_profile_value(env, file, "s", "other"), "");
  EXPECT_EQ(read_profile_value(env, file, "s", "k"), "v");
}

TEST_F(ProfileAccessTest, LeadingControlBytesAndBlanksOfNamesAreSkipped) {
  dir.write("test.ini", "[s]\r\nk=v\r\n");
  EXPECT_EQ(read_profile_value(env, file, " \t\x01s", "\x1fk"), "v");
  EXPECT_EQ(read_profile_value(env, " " + file, "s", "k"), "v");
  // A name that is nothing but such bytes reads as empty without a lookup.
  EXPECT_EQ(read_profile_value(env, file, " \t", "k"), "");
  EXPECT_EQ(read_profile_value(env, file, "s", ""), "");
}

TEST_F(ProfileAccessTest, WritesCreateFileSectionAndKey) {
  EXPECT_TRUE(write_profile_value(env, file, "222", "群号", "111"));
  EXPECT_TRUE(write_profile_value(env, file, "222", "类型", "投票移除"));
  EXPECT_EQ(dir.read("test.ini"), "[222]\r\n群号=111\r\n类型=投票移除\r\n");
}

TEST_F(ProfileAccessTest, ValuesAreCutAtTheBufferSize) {
  const GbkText long_value(kProfileValueBufferSize + 100, '7');
  EXPECT_TRUE(write_profile_value(env, file, "s", "k", long_value));
  EXPECT_EQ(read_profile_value(env, file, "s", "k"),
            long_value.substr(0, kProfileValueBufferSize - 1));
}

// A value with a line break would add lines of its own to the file: a
// group administrator could write into another group's section.
TEST_F(ProfileAccessTest, LineBreaksAreRefusedAndNothingIsWritten) {
  dir.write("test.ini", "[s]\r\nk=v\r\n");
  const struct {
    GbkText section, key, value;
  } cases[] = {
      {"s", "k", "1,\r\n[other]\r\n黑名单=2,"},
      {"s", "k", "a\nb"},
      {"s", "k", "a\rb"},
      {"s\r\nx", "k", "v"},
      {"s", "k\n", "v"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(write_profile_value(env, file, c.section, c.key, c.value));
    EXPECT_EQ(dir.read("test.ini"), "[s]\r\nk=v\r\n");
  }
}

TEST_F(ProfileAccessTest, DeleteSectionKeepsTheOthers) {
  dir.write("test.ini", "[a]\r\nk=1\r\n[b]\r\nk=2\r\n");
  delete_profile_section(env, file, "a");
  EXPECT_EQ(dir.read("test.ini"), "[b]\r\nk=2\r\n");
  delete_profile_section(env, file, "missing");
  EXPECT_EQ(dir.read("test.ini"), "[b]\r\nk=2\r\n");
}

TEST_F(ProfileAccessTest, DeletingFromAMissingFileCreatesNothing) {
  delete_profile_section(env, file, "a");
  EXPECT_FALSE(dir.exists("test.ini"));
}

TEST_F(ProfileAccessTest, SectionsAreListedInFileOrder) {
  EXPECT_TRUE(list_profile_sections(env, file).empty());
  dir.write("test.ini", "[超级管理员]\r\nQQ=1\r\n[2222]\r\n[1111]\r\nk=v\r\n");
  EXPECT_EQ(list_profile_sections(env, file),
            (std::vector<GbkText>{"超级管理员", "2222", "1111"}));
}

TEST_F(ProfileAccessTest, WritesIntoAMissingDirectoryAreLost) {
  const GbkText nowhere = dir.config_file("missing") + kPathSeparator + "x.ini";
  EXPECT_FALSE(write_profile_value(env, nowhere, "s", "k", "v"));
  EXPECT_EQ(read_profile_value(env, nowhere, "s", "k"), "");
}

}  // namespace
}  // namespace tarvolo
