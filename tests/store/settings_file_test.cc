#include "store/settings_file.h"

#include <gtest/gtest.h>

#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

using fixtures::TempRunDir;

class SettingsFileTest : public ::testing::Test {
 protected:
  TempRunDir dir;
  SettingsFile settings{dir.config()};

  void store(const std::string& contents) { dir.write("Tarvolo.ini", contents); }
  std::string stored() const { return dir.read("Tarvolo.ini"); }
};

TEST_F(SettingsFileTest, AdministratorListKeepsEntriesInOrderWithCommas) {
  EXPECT_TRUE(settings.admin_list_add("100", "10001"));
  EXPECT_EQ(settings.read_admin_list("100"), "10001,");
  EXPECT_TRUE(settings.admin_list_add("100", "10002"));
  EXPECT_TRUE(settings.admin_list_add("100", "10001"));
  EXPECT_EQ(settings.read_admin_list("100"), "10001,10002,10001,");
  EXPECT_TRUE(settings.admin_list_remove("100", "10001"));
  EXPECT_EQ(settings.read_admin_list("100"), "10002,");
  EXPECT_EQ(stored(), "[100]\r\n管理员=10002,\r\n");
}

TEST_F(SettingsFileTest, MembershipComparesWholeEntries) {
  store("[100]\r\n管理员=345,\r\n");
  EXPECT_TRUE(settings.is_group_admin("345", "100"));
  EXPECT_FALSE(settings.is_group_admin("34", "100"));
  EXPECT_FALSE(settings.is_group_admin("345", "200"));
  EXPECT_FALSE(settings.is_group_admin("", "100"));
  EXPECT_TRUE(settings.admin_list_remove("100", "45"));
  EXPECT_EQ(settings.read_admin_list("100"), "345,");
}

TEST_F(SettingsFileTest, RemovingFromAGroupWithoutSectionCreatesIt) {
  EXPECT_TRUE(settings.admin_list_remove("300", "1"));
  EXPECT_EQ(stored(), "[300]\r\n管理员=\r\n");
}

TEST_F(SettingsFileTest, SuperAdministratorIsAdministratorOfEveryGroup) {
  settings.write_super_admin("345");
  EXPECT_TRUE(settings.is_super_admin("345"));
  EXPECT_TRUE(settings.is_group_admin("345", "any"));
  EXPECT_FALSE(settings.is_super_admin("34"));
  EXPECT_FALSE(settings.is_group_admin("34", "any"));
}

TEST_F(SettingsFileTest, EmptySuperAdministratorMakesNobodySuper) {
  settings.write_super_admin("");
  EXPECT_EQ(stored(), "[超级管理员]\r\nQQ=\r\n");
  EXPECT_FALSE(settings.is_super_admin(""));
  EXPECT_FALSE(settings.is_group_admin("", "100"));
}

TEST_F(SettingsFileTest, GroupsAreTheSectionsBesidesTheSuperAdministrator) {
  store("[超级管理员]\r\nQQ=1\r\n[1111]\r\n开关=1\r\n[2222]\r\n管理员=5,\r\n");
  EXPECT_EQ(settings.list_groups(), (std::vector<GbkText>{"1111", "2222"}));
  settings.delete_group("1111");
  EXPECT_EQ(settings.list_groups(), (std::vector<GbkText>{"2222"}));
  EXPECT_EQ(stored(), "[超级管理员]\r\nQQ=1\r\n[2222]\r\n管理员=5,\r\n");
}

TEST_F(SettingsFileTest, MissingSettingsReadAsEmptyText) {
  store("[2222]\r\n管理员=5,\r\n");
  for (const char* key : {kSwitchKey, kActionModeKey, kTriggerCountKey, kVoteLimitKey}) {
    EXPECT_EQ(settings.read_group_setting("2222", key), "");
  }
}

TEST_F(SettingsFileTest, AnEntryWithALineBreakIsRefused) {
  EXPECT_FALSE(settings.admin_list_add("100", "1\r\n[200]"));
  EXPECT_EQ(stored(), "<missing>");
}

TEST_F(SettingsFileTest, AFullListRefusesTheNextEntryAndStaysReadable) {
  GbkText full;
  while (full.size() + 11 <= kMaxStoredListBytes) full += "1234567890,";
  store("[100]\r\n管理员=" + full + "\r\n");
  EXPECT_FALSE(settings.admin_list_add("100", "1234567890"));
  EXPECT_EQ(settings.read_admin_list("100"), full);
  EXPECT_TRUE(settings.is_group_admin("1234567890", "100"));
}

}  // namespace
}  // namespace tarvolo
