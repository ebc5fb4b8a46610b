#include "store/warning_count_dir.h"

#include <gtest/gtest.h>

#include "support/temp_run_dir.h"

namespace tarvolo {
namespace {

using fixtures::TempRunDir;

class WarningCountDirTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Env::Default().create_directory(dir.config_file("警告次数"))); }

  // A file of the warning-count directory, by its name there.
  static GbkText counted(const GbkText& name) { return GbkText("警告次数") + kPathSeparator + name; }

  TempRunDir dir;
  WarningCountDir warnings{dir.config()};
};

TEST_F(WarningCountDirTest, DeletesOnlyTheGroupsFile) {
  dir.write(counted("10001.ini"), "a");
  dir.write(counted("10002.ini"), "b");
  warnings.delete_warning_counts("10001");
  EXPECT_FALSE(dir.exists(counted("10001.ini")));
  EXPECT_TRUE(dir.exists(counted("10002.ini")));
  warnings.delete_warning_counts("10001");  // gone already: nothing happens
  EXPECT_TRUE(dir.exists(counted("10002.ini")));
}

TEST_F(WarningCountDirTest, AGroupWhoseSecondByteIs5CIsAPlainName) {
  // 乗 is 0x81 0x5C in code page 936: no backslash in it.
  dir.write(counted("乗1.ini"), "a");
  warnings.delete_warning_counts("乗1");
  EXPECT_FALSE(dir.exists(counted("乗1.ini")));
}

TEST_F(WarningCountDirTest, AGroupThatNamesAnotherPlaceDeletesNothing) {
  // Files the odd group texts below would reach, here or on Windows.
  const char* const outside[] = {"Tarvolo.ini", "x.ini"};
  const char* const inside[] = {"..ini", "...ini"};
  for (const char* name : outside) dir.write(name, "keep");
  for (const char* name : inside) dir.write(counted(name), "keep");

  for (const char* group : {"../Tarvolo", "..\\Tarvolo", "..\\x", "../x", "./../x", "C:..\\x",
                            "C:x", "sub/x", "sub\\x", ".", ".."}) {
    warnings.delete_warning_counts(group);
  }
  for (const char* name : outside) EXPECT_TRUE(dir.exists(name)) << name;
  for (const char* name : inside) EXPECT_TRUE(dir.exists(counted(name))) << name;
}

}  // namespace
}  // namespace tarvolo
