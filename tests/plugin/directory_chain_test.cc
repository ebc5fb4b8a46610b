#include "plugin/directory_chain.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

const GbkText kSep(1, kPathSeparator);

GbkText join(std::initializer_list<const char*> parts) {
  GbkText path;
  bool first = true;
  for (const char* part : parts) {
    if (!first) path += kSep;
    path += part;
    first = false;
  }
  return path;
}

// Directories kept in memory, so that failures and the file system's root
// can be arranged freely.
class DirectoryEnv : public EnvWrapper {
 public:
  DirectoryEnv() : EnvWrapper(Env::Default()) {}

  bool is_directory(const GbkText& path) override { return existing.count(path) > 0; }
  bool create_directory(const GbkText& path) override {
    if (failing.count(path) > 0) return false;
    existing.insert(path);
    created.push_back(path);
    return true;
  }
  bool remove_directory_tree(const GbkText& path) override {
    removed.push_back(path);
    for (auto it = existing.begin(); it != existing.end();) {
      if (*it == path || it->rfind(path + kSep, 0) == 0) it = existing.erase(it);
      else ++it;
    }
    return true;
  }

  std::set<GbkText> existing;
  std::set<GbkText> failing;
  std::vector<GbkText> created;
  std::vector<GbkText> removed;
};

TEST(EnsureDirectoryChain, CreatesEveryMissingComponentInOrder) {
  DirectoryEnv env;
  env.existing = {join({"C:"}), join({"C:", "host"})};
  EXPECT_TRUE(ensure_directory_chain(env, join({"C:", "host", "config", "警告次数"})));
  EXPECT_EQ(env.created, (std::vector<GbkText>{join({"C:", "host", "config"}),
                                               join({"C:", "host", "config", "警告次数"})}));
}

TEST(EnsureDirectoryChain, ExistingDirectoryCreatesNothing) {
  DirectoryEnv env;
  env.existing = {join({"C:", "host", "config"})};
  EXPECT_TRUE(ensure_directory_chain(env, join({"C:", "host", "config"}) + kSep));
  EXPECT_TRUE(env.created.empty());
}

TEST(EnsureDirectoryChain, FinalSeparatorIsIgnored) {
  DirectoryEnv env;
  env.existing = {join({"C:", "host"})};
  EXPECT_TRUE(ensure_directory_chain(env, join({"C:", "host", "config"}) + kSep));
  EXPECT_EQ(env.created, (std::vector<GbkText>{join({"C:", "host", "config"})}));
}

TEST(EnsureDirectoryChain, BlankPathFailsAndCreatesNothing) {
  DirectoryEnv env;
  EXPECT_FALSE(ensure_directory_chain(env, "   "));
  EXPECT_FALSE(ensure_directory_chain(env, ""));
  EXPECT_TRUE(env.created.empty());
}

TEST(EnsureDirectoryChain, FailureRemovesOnlyWhatThisCallCreated) {
  DirectoryEnv env;
  env.existing = {join({"C:", "host"})};
  env.failing = {join({"C:", "host", "config", "警告次数"})};
  EXPECT_FALSE(ensure_directory_chain(env, join({"C:", "host", "config", "警告次数"})));
  EXPECT_EQ(env.removed, (std::vector<GbkText>{join({"C:", "host", "config"})}));
  EXPECT_TRUE(env.is_directory(join({"C:", "host"})));
}

TEST(EnsureDirectoryChain, DirectoryRightUnderTheRootStaysAfterAFailure) {
  DirectoryEnv env;
  env.failing = {join({"C:", "host", "config"})};
  EXPECT_FALSE(ensure_directory_chain(env, join({"C:", "host", "config"})));
  EXPECT_TRUE(env.removed.empty());
  EXPECT_TRUE(env.is_directory(join({"C:", "host"})));
}

TEST(EnsureDirectoryChain, FailureOfTheSecondComponentRemovesNothing) {
  DirectoryEnv env;
  env.failing = {join({"C:", "host"})};
  EXPECT_FALSE(ensure_directory_chain(env, join({"C:", "host", "config"})));
  EXPECT_TRUE(env.removed.empty());
}

TEST(EnsureDirectoryChain, CreatesRealDirectories) {
  fixtures::TempRunDir dir;
  Env& env = Env::Default();
  const GbkText target = dir.path() + kSep + "a" + kSep + "警告次数";
  EXPECT_TRUE(ensure_directory_chain(env, target));
  EXPECT_TRUE(env.is_directory(target));
}

}  // namespace
}  // namespace tarvolo
