// The keyword editor: the table, adding and removing entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/window_layout.h"
#include "window_test_fixture.h"

namespace tarvolo {
namespace testing_ui {
namespace {

using namespace keyword_editor_window;

class KeywordEditorWindowTest : public WindowTest {
 protected:
  KeywordEditorWindow& window() { return windows.keyword_editor_window(); }
  MemoryWindowView& open() {
    window().open();
    MemoryWindowView* view = editor_view();
    EXPECT_NE(view, nullptr);
    return *view;
  }
  void add(MemoryWindowView& view, const GbkText& pattern, int type_item) {
    view.set_text(kPatternBox, pattern);
    view.select_item(kTypeList, type_item);
    view.events().on_button_clicked(kAddButton);
  }
  void remove(MemoryWindowView& view, const std::vector<int>& rows) {
    view.select_rows(kKeywordList, rows);
    view.events().on_list_right_clicked(kKeywordList);
    view.events().on_menu_item_chosen(kRemove);
  }
  std::string keywords() { return dir.read("关键词.txt"); }
};

TEST_F(KeywordEditorWindowTest, OpeningShowsTheListNumbered) {
  write_keywords("广告====累积关键词\r\n加群====直接踢出\r\n");
  MemoryWindowView& view = open();
  EXPECT_TRUE(view.is_shown());
  EXPECT_EQ(view.rows(kKeywordList),
            (Rows{{"1", "广告", "累积关键词"}, {"2", "加群", "直接踢出"}}));
  EXPECT_EQ(view.selected_item(kTypeList), 0);
  EXPECT_EQ(view.text(kPatternBox), "");
}

TEST_F(KeywordEditorWindowTest, TheTableShowsEveryLineOfTheFile) {
  const struct {
    const char* name;
    const char* file;  // nullptr: no file
    Rows rows;
  } cases[] = {
      {"no file", nullptr, {}},
      {"empty", "", {}},
      {"one line break", "\r\n", {}},
      {"without a final line break", "a====b", {{"1", "a", "b"}}},
      {"a line without type", "x\r\na====b\r\n", {{"1", "x", ""}, {"2", "a", "b"}}},
      {"an empty line inside", "a====b\r\n\r\nc====d\r\n", {{"1", "a", "b"}, {"2", "c", "d"}}},
      {"more pieces", "a====b====c\r\n", {{"1", "a", "b"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.file != nullptr) write_keywords(c.file);
    MemoryWindowView& view = open();
    EXPECT_EQ(view.rows(kKeywordList), c.rows);
    window().close_without_saving();
  }
}

TEST_F(KeywordEditorWindowTest, AddingAppendsWithTheChosenTypeAndKeepsTheInput) {
  MemoryWindowView& view = open();
  add(view, "广告", 0);
  EXPECT_EQ(view.rows(kKeywordList), (Rows{{"1", "广告", "累积关键词"}}));
  add(view, "加群", 1);
  EXPECT_EQ(view.rows(kKeywordList),
            (Rows{{"1", "广告", "累积关键词"}, {"2", "加群", "直接踢出"}}));
  EXPECT_EQ(keywords(), "广告====累积关键词\r\n加群====直接踢出\r\n");
  EXPECT_EQ(messages(), (std::vector<GbkText>{"操作成功！", "操作成功！"}));
  EXPECT_EQ(view.text(kPatternBox), "加群");
  EXPECT_EQ(view.selected_item(kTypeList), 1);
}

TEST_F(KeywordEditorWindowTest, AnEmptyPatternIsRefused) {
  write_keywords("广告====累积关键词\r\n");
  MemoryWindowView& view = open();
  add(view, "", 0);
  EXPECT_EQ(messages(), std::vector<GbkText>{"不可为空！"});
  EXPECT_EQ(keywords(), "广告====累积关键词\r\n");
  EXPECT_EQ(view.row_count(kKeywordList), 1);
}

TEST_F(KeywordEditorWindowTest, BlanksDuplicatesAndOddPatternsAreAddedAsTyped) {
  MemoryWindowView& view = open();
  add(view, "  ", 0);
  add(view, "[a-", 1);
  add(view, "[a-", 1);
  EXPECT_EQ(keywords(), "  ====累积关键词\r\n[a-====直接踢出\r\n[a-====直接踢出\r\n");
  EXPECT_EQ(view.row_count(kKeywordList), 3);
}

TEST_F(KeywordEditorWindowTest, RemovingTakesEverySelectedEntry) {
  write_keywords("a====累积关键词\r\nb====直接踢出\r\nc====累积关键词\r\n");
  MemoryWindowView& view = open();
  remove(view, {0, 2});
  EXPECT_EQ(view.popup_menu_count(), 1);
  EXPECT_EQ(view.rows(kKeywordList), (Rows{{"1", "b", "直接踢出"}}));
  EXPECT_EQ(keywords(), "b====直接踢出\r\n");
  EXPECT_EQ(messages(), std::vector<GbkText>{"操作成功！"});
}

TEST_F(KeywordEditorWindowTest, RemovingOneOfTwoEqualEntriesRemovesBoth) {
  write_keywords("a====累积关键词\r\nb====直接踢出\r\na====累积关键词\r\n");
  MemoryWindowView& view = open();
  remove(view, {2});
  EXPECT_EQ(view.rows(kKeywordList), (Rows{{"1", "b", "直接踢出"}}));
}

TEST_F(KeywordEditorWindowTest, RemovingWithoutSelectionAsksForOne) {
  write_keywords("a====累积关键词\r\n");
  MemoryWindowView& view = open();
  remove(view, {});
  EXPECT_EQ(messages(), std::vector<GbkText>{"请先选中一个关键词！"});
  EXPECT_EQ(keywords(), "a====累积关键词\r\n");
}

TEST_F(KeywordEditorWindowTest, AnEntryWithTheSeparatorInItsPatternCannotBeRemoved) {
  MemoryWindowView& view = open();
  add(view, "a====b", 0);
  EXPECT_EQ(view.rows(kKeywordList), (Rows{{"1", "a", "b"}}));
  views.clear_messages();
  remove(view, {0});
  EXPECT_EQ(messages(), std::vector<GbkText>{"操作成功！"});
  EXPECT_EQ(keywords(), "a====b====累积关键词\r\n");
  EXPECT_EQ(view.rows(kKeywordList), (Rows{{"1", "a", "b"}}));
}

TEST_F(KeywordEditorWindowTest, OpeningAgainBringsItForwardWithoutRefilling) {
  write_keywords("a====累积关键词\r\n");
  MemoryWindowView& view = open();
  write_keywords("a====累积关键词\r\nb====直接踢出\r\n");  // edited by hand
  view.minimise();
  window().open();
  EXPECT_EQ(editor_view(), &view);
  EXPECT_EQ(views.created_count(layout().title), 1);
  EXPECT_EQ(view.bring_forward_count(), 1);
  EXPECT_FALSE(view.is_minimised());
  EXPECT_EQ(view.row_count(kKeywordList), 1);
  // The next change shows the hand-edited line too.
  add(view, "c", 0);
  EXPECT_EQ(view.row_count(kKeywordList), 3);
}

TEST_F(KeywordEditorWindowTest, ClosingDestroysTheWindowAndWritesNothing) {
  write_keywords("a====累积关键词\r\n");
  MemoryWindowView& view = open();
  view.set_text(kPatternBox, "typed");
  view.events().on_close_requested();
  EXPECT_EQ(editor_view(), nullptr);
  EXPECT_EQ(keywords(), "a====累积关键词\r\n");
  MemoryWindowView& again = open();
  EXPECT_EQ(again.text(kPatternBox), "");
  EXPECT_EQ(views.created_count(layout().title), 2);
}

}  // namespace
}  // namespace testing_ui
}  // namespace tarvolo
