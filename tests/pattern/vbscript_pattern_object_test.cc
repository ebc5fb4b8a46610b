// The Windows binding of the pattern object: how it drives the COM component
// "VBScript.RegExp", keeps the calling thread's COM use balanced and keeps
// configured instances per thread. (What the patterns match is checked by
// the shared table in pattern_object_test.)
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "pattern/com_dispatch.h"
#include "pattern/pattern_object.h"
#include "pattern/vbscript_regexp_cache.h"

namespace tarvolo {
namespace {

// Runs `body` on a new thread that starts without COM, as the host's thread
// may, and waits for it.
template <class Body>
void on_fresh_thread(Body body) {
  std::thread thread(body);
  thread.join();
}

// True when the calling thread has no COM use left: CoInitialize then
// starts it afresh (S_OK) instead of counting one more use (S_FALSE).
bool thread_has_no_com_use() {
  const HRESULT result = CoInitialize(nullptr);
  if (SUCCEEDED(result)) CoUninitialize();
  return result == S_OK;
}

// Caching on for the test, whatever an earlier test left.
class VbscriptBinding : public testing::Test {
 protected:
  void SetUp() override { set_pattern_cache_enabled(true); }
  void TearDown() override { set_pattern_cache_enabled(true); }
};

TEST_F(VbscriptBinding, TheEngineRefusesSinglelineAndTakesTheOtherProperties) {
  on_fresh_thread([] {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
      CLSID engine_class;
      ASSERT_TRUE(SUCCEEDED(CLSIDFromProgID(L"VBScript.RegExp", &engine_class)))
          << "VBScript.RegExp is not registered";
      IDispatch* created = nullptr;
      ASSERT_TRUE(SUCCEEDED(CoCreateInstance(engine_class, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IDispatch, reinterpret_cast<void**>(&created))));
      const ComRef<IDispatch> engine = ComRef<IDispatch>::adopt(created);
      EXPECT_TRUE(put_bool_property(engine.get(), L"IgnoreCase", true));
      EXPECT_TRUE(put_bool_property(engine.get(), L"Multiline", true));
      EXPECT_FALSE(put_bool_property(engine.get(), L"Singleline", true));
      EXPECT_TRUE(put_bool_property(engine.get(), L"Global", false));
      EXPECT_TRUE(put_text_property(engine.get(), L"Pattern", u"a.b"));
      // The refused setting leaves the engine working, the dot still short of
      // a line feed.
      DISPID execute = DISPID_UNKNOWN;
      ASSERT_TRUE(find_member(engine.get(), L"Execute", &execute));
      long count = -1;
      ComRef<IDispatch> matches = call_returning_object(engine.get(), execute, u"xA\nB aXb");
      ASSERT_TRUE(matches);
      EXPECT_TRUE(get_int_property(matches.get(), L"Count", &count));
      EXPECT_EQ(count, 1);
      EXPECT_FALSE(get_int_property(matches.get(), L"NoSuchProperty", &count));
    }
    CoUninitialize();
  });
}

TEST_F(VbscriptBinding, ExecuteRaisesForAnInvalidPatternAndTheObjectStaysUsable) {
  for (const bool cached : {true, false}) {
    set_pattern_cache_enabled(cached);
    PatternObjectPtr object = create_pattern_object();
    for (int attempt = 0; attempt < 2; ++attempt) {  // the second one from the cache
      EXPECT_FALSE(object->execute_pattern("(", "(")) << "cached " << cached;
      EXPECT_EQ(object->match_count(), 0);
      EXPECT_FALSE(object->execute_pattern("[z-a]", "a", false, true, false));
      EXPECT_EQ(object->match_count(), 0);
    }
    EXPECT_TRUE(object->execute_pattern("\\(", "(("));
    EXPECT_EQ(object->match_count(), 2);
  }
}

TEST_F(VbscriptBinding, EveryObjectEndsTheComUseItBegan) {
  for (const bool cached : {false, true}) {
    on_fresh_thread([cached] {
      set_pattern_cache_enabled(cached);
      ASSERT_TRUE(thread_has_no_com_use());
      for (int i = 0; i < 200; ++i) {
        PatternObjectPtr object = create_pattern_object();
        EXPECT_EQ(object->match_count(), 0);
        if (i % 2 == 0) {
          object->execute_pattern("k" + std::to_string(i % 10), "k4k", false, true, false);
        }
      }
      // The cache alone may still hold the thread's COM use; once emptied,
      // nothing is left.
      clear_regexp_cache();
      EXPECT_TRUE(thread_has_no_com_use()) << "cached " << cached;
    });
  }
}

TEST_F(VbscriptBinding, CachedInstancesOutliveThePatternObjects) {
  on_fresh_thread([] {
    {
      PatternObjectPtr object = create_pattern_object();
      EXPECT_TRUE(object->execute_pattern("广告", "看广告", false, true, false));
      EXPECT_EQ(object->match_count(), 1);
    }
    // Every pattern object is gone, but the cached instance still lives in
    // this thread's apartment, which the cache keeps.
    EXPECT_EQ(cached_regexp_count(), 1u);
    EXPECT_FALSE(thread_has_no_com_use());
    {
      PatternObjectPtr object = create_pattern_object();
      EXPECT_TRUE(object->execute_pattern("广告", "广告啦", false, true, false));
      EXPECT_EQ(object->match_count(), 1);
      EXPECT_TRUE(object->execute_pattern("广告", "没有", false, true, false));
      EXPECT_EQ(object->match_count(), 0);
    }
    EXPECT_EQ(cached_regexp_count(), 1u) << "the same text and options reuse the entry";
    clear_regexp_cache();
    EXPECT_EQ(cached_regexp_count(), 0u);
    EXPECT_TRUE(thread_has_no_com_use());
  });
}

TEST_F(VbscriptBinding, ObjectsSharingACachedInstanceKeepTheirOwnMatches) {
  PatternObjectPtr first = create_pattern_object();
  PatternObjectPtr second = create_pattern_object();
  EXPECT_TRUE(first->execute_pattern("a", "aaa"));
  EXPECT_TRUE(second->execute_pattern("a", "ba"));
  EXPECT_EQ(first->match_count(), 3);
  EXPECT_EQ(second->match_count(), 1);
  first.reset();
  EXPECT_EQ(second->match_count(), 1);
}

TEST_F(VbscriptBinding, TheCacheStaysBoundedAndDropsTheLeastRecentlyUsed) {
  on_fresh_thread([] {
    PatternObjectPtr object = create_pattern_object();
    const auto run = [&object](int n, const std::string& subject) {
      const std::string pattern = "^" + std::to_string(n) + "$";
      EXPECT_TRUE(object->execute_pattern(pattern, subject, true, false, false)) << n;
      return object->match_count();
    };
    const int capacity = static_cast<int>(kMaxCachedRegExps);
    for (int n = 0; n < capacity; ++n) run(n, "");
    EXPECT_EQ(cached_regexp_count(), kMaxCachedRegExps);
    EXPECT_EQ(run(0, "0"), 1);  // 0 is now the most recent; 1 the least
    for (int n = capacity; n < capacity + 10; ++n) EXPECT_EQ(run(n, std::to_string(n)), 1);
    EXPECT_EQ(cached_regexp_count(), kMaxCachedRegExps);
    // Kept and dropped entries alike give the right answers.
    EXPECT_EQ(run(0, "0"), 1);
    EXPECT_EQ(run(1, "1"), 1);
    EXPECT_EQ(run(1, "2"), 0);
    EXPECT_EQ(run(capacity - 1, std::to_string(capacity - 1)), 1);
    EXPECT_EQ(cached_regexp_count(), kMaxCachedRegExps);
    object.reset();
    clear_regexp_cache();
    EXPECT_TRUE(thread_has_no_com_use());
  });
}

TEST_F(VbscriptBinding, SwitchingTheCacheOffEmptiesItOnTheCallingThread) {
  on_fresh_thread([] {
    PatternObjectPtr object = create_pattern_object();
    EXPECT_TRUE(object->execute_pattern("x", "x", false, true, false));
    EXPECT_EQ(cached_regexp_count(), 1u);
    set_pattern_cache_enabled(false);
    EXPECT_EQ(cached_regexp_count(), 0u);
    EXPECT_TRUE(object->execute_pattern("x", "xx"));
    EXPECT_EQ(object->match_count(), 2);
    EXPECT_EQ(cached_regexp_count(), 0u) << "nothing is kept while the cache is off";
    object.reset();
    EXPECT_TRUE(thread_has_no_com_use());
    set_pattern_cache_enabled(true);
  });
}

TEST_F(VbscriptBinding, AThreadThatSwitchedTheCacheOffElsewhereDropsItsOwnOnItsNextRun) {
  std::size_t kept_before = 0;
  std::size_t kept_after = 0;
  bool no_com_use_left = false;
  HANDLE filled = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE switched = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(filled, nullptr);
  ASSERT_NE(switched, nullptr);
  std::thread worker([&] {
    PatternObjectPtr object = create_pattern_object();
    object->execute_pattern("y", "y", false, true, false);
    kept_before = cached_regexp_count();
    SetEvent(filled);
    WaitForSingleObject(switched, INFINITE);
    object->execute_pattern("y", "y", false, true, false);
    kept_after = cached_regexp_count();
    object.reset();
    no_com_use_left = thread_has_no_com_use();
  });
  WaitForSingleObject(filled, INFINITE);
  set_pattern_cache_enabled(false);
  SetEvent(switched);
  worker.join();
  CloseHandle(filled);
  CloseHandle(switched);
  EXPECT_EQ(kept_before, 1u);
  EXPECT_EQ(kept_after, 0u);
  EXPECT_TRUE(no_com_use_left);
}

TEST_F(VbscriptBinding, AThreadsCacheGoesWithTheThread) {
  clear_regexp_cache();
  const std::size_t before = live_regexp_cache_count();
  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (std::size_t t = 0; t < wrong.size(); ++t) {
    threads.emplace_back([t, &wrong] {
      PatternObjectPtr object = create_pattern_object();
      for (int n = 0; n < 50; ++n) {
        const std::string word = "w" + std::to_string(n);
        object->execute_pattern(word, word + "-" + word, false, true, true);
        if (object->match_count() != 2) ++wrong[t];
      }
      if (cached_regexp_count() != 50) ++wrong[t];
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < wrong.size(); ++t) EXPECT_EQ(wrong[t], 0) << "thread " << t;
  EXPECT_EQ(live_regexp_cache_count(), before);
}

TEST_F(VbscriptBinding, WorksOnAMultithreadedThreadToo) {
  on_fresh_thread([] {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    for (int round = 0; round < 2; ++round) {
      PatternObjectPtr object = create_pattern_object();
      EXPECT_TRUE(object->execute_pattern("b+", "abbcb"));
      EXPECT_EQ(object->match_count(), 2);
    }
    EXPECT_EQ(cached_regexp_count(), 1u);
    clear_regexp_cache();
    CoUninitialize();
    EXPECT_TRUE(thread_has_no_com_use());
  });
}

TEST_F(VbscriptBinding, BytesWithoutACharacterOfTheirOwnDoNotUpsetTheEngine) {
  // 0xFF and a lead byte at the end are not characters of code page 936:
  // Windows' conversion makes 0xFF one private-use character and the lone
  // lead byte a question mark.
  PatternObjectPtr object = create_pattern_object();
  EXPECT_TRUE(object->execute_pattern("a.b", "a\xFF" "b", false, true, false));
  EXPECT_EQ(object->match_count(), 1);
  EXPECT_TRUE(object->execute_pattern("ab\\?", "xab\x81", false, true, false));
  EXPECT_EQ(object->match_count(), 1);
  // A keyword of a lone lead byte is the pattern "?": nothing to repeat.
  EXPECT_FALSE(object->execute_pattern("\x81", "x", false, true, false));
  EXPECT_EQ(object->match_count(), 0);
}

}  // namespace
}  // namespace tarvolo
