#include "store/blacklist_file.h"

#include <gtest/gtest.h>

#include "support/full_qq_list.h"
#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

using fixtures::TempRunDir;

const char kBlacklist[] = "黑名单.ini";

class BlacklistFileTest : public ::testing::Test {
 protected:
  TempRunDir dir;
  BlacklistFile blacklist{dir.config()};

  void store(const std::string& contents) { dir.write(kBlacklist, contents); }
  std::string stored() const { return dir.read(kBlacklist); }
};

TEST_F(BlacklistFileTest, EntriesAreAppendedInOrderEachWithAComma) {
  EXPECT_TRUE(blacklist.blacklist_add("100", "10001"));
  EXPECT_EQ(stored(), "[100]\r\n黑名单=10001,\r\n");
  EXPECT_TRUE(blacklist.blacklist_add("100", "10002"));
  EXPECT_TRUE(blacklist.blacklist_add("200", "10001"));
  EXPECT_EQ(blacklist.read_blacklist("100"), "10001,10002,");
  EXPECT_EQ(stored(), "[100]\r\n黑名单=10001,10002,\r\n[200]\r\n黑名单=10001,\r\n");
}

TEST_F(BlacklistFileTest, MembershipComparesWholeEntriesOfOneGroup) {
  store("[100]\r\n黑名单=10001,10002,\r\n[200]\r\n黑名单=30003,\r\n");
  const struct {
    const char* group;
    const char* qq;
    bool listed;
  } cases[] = {
      {"100", "10001", true}, {"100", "10002", true}, {"100", "1000", false},
      {"100", "0002", false}, {"100", "", false},     {"100", "30003", false},
      {"200", "30003", true}, {"300", "10001", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(blacklist.blacklist_contains(c.group, c.qq), c.listed) << c.group << " " << c.qq;
  }
}

TEST_F(BlacklistFileTest, RemovalDropsEveryEqualEntryAndAlwaysWrites) {
  const struct {
    const char* before;  // the stored file
    const char* qq;
    const char* after;
  } cases[] = {
      {"[100]\r\n黑名单=10001,10002,\r\n", "10001", "[100]\r\n黑名单=10002,\r\n"},
      {"[100]\r\n黑名单=10001,10002,\r\n", "1", "[100]\r\n黑名单=10001,10002,\r\n"},
      {"[100]\r\n黑名单=10001,10001,\r\n", "10001", "[100]\r\n黑名单=\r\n"},
      {"[200]\r\n黑名单=5,\r\n", "5", "[200]\r\n黑名单=5,\r\n[100]\r\n黑名单=\r\n"},
  };
  for (const auto& c : cases) {
    store(c.before);
    EXPECT_TRUE(blacklist.blacklist_remove("100", c.qq));
    EXPECT_EQ(stored(), c.after) << c.before << " - " << c.qq;
  }
}

TEST_F(BlacklistFileTest, ClearingDeletesOnlyThatGroupsSection) {
  const std::string two = "[100]\r\n黑名单=1,\r\n[200]\r\n黑名单=2,\r\n";
  store(two);
  blacklist.blacklist_clear("300");
  EXPECT_EQ(stored(), two);
  blacklist.blacklist_clear("100");
  EXPECT_EQ(stored(), "[200]\r\n黑名单=2,\r\n");
  EXPECT_EQ(blacklist.read_blacklist("100"), "");
}

TEST_F(BlacklistFileTest, AnEntryThatCannotBeStoredIsRefused) {
  EXPECT_FALSE(blacklist.blacklist_add("100", "1\r\n[200]"));
  EXPECT_FALSE(blacklist.blacklist_add("100", "1\n"));
  EXPECT_FALSE(blacklist.blacklist_add("100", "\r1"));
  EXPECT_EQ(stored(), "<missing>");

  const std::string with_full_list = "[100]\r\n黑名单=" + fixtures::full_qq_list() + "\r\n";
  store(with_full_list);
  EXPECT_FALSE(blacklist.blacklist_add("100", "1234567890"));
  EXPECT_FALSE(blacklist.blacklist_add("100", "1"));
  EXPECT_EQ(stored(), with_full_list);
  EXPECT_TRUE(blacklist.blacklist_contains("100", "1234567890"));

  // An entry is taken as long as the list then fits, to the last byte.
  const GbkText almost_full = GbkText(kMaxStoredListBytes - 4, '1') + ",";
  store("[100]\r\n黑名单=" + almost_full + "\r\n");
  EXPECT_TRUE(blacklist.blacklist_add("100", "12"));
  EXPECT_FALSE(blacklist.blacklist_add("100", "3"));
  EXPECT_EQ(blacklist.read_blacklist("100"), almost_full + "12,");
  EXPECT_TRUE(blacklist.blacklist_contains("100", "12"));
}

}  // namespace
}  // namespace tarvolo
