// Keyword screening through the exported group-message entry, as the host
// drives it: the plug-in library loaded from this program's directory, the
// settings and keyword list on disk, one call per message. Messages of 20,
// 200 and 2,000 characters meet keyword lists of 10, 100 and 1,000 lines
// (plain words and regular expressions); every workload runs with the
// compiled-pattern cache off (one compilation per keyword per message) and
// on. The summary at the end gives, per workload, the time per message both
// ways, their ratio and the median time of a single message with the cache.
//
// Nothing is sanctioned while measuring: the group's trigger count is out of
// reach and every keyword accumulates, so each message walks the whole list.
// Before each measurement a probe message in a second group checks that
// screening really matches (a plug-in whose engine never matched would look
// fast); the measurement stops with an error otherwise.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/env.h"
#include "plugin_library.h"
#include "support/fixed_sequence.h"

namespace {

using host_sim::PluginLibrary;

const std::string kSep = host_sim::kPathSeparator;

// The screened group never reaches its trigger count; the probe group
// removes at the first hit.
const char kGroup[] = "100";
const char kSender[] = "555";
const char kProbeGroup[] = "999";
const char kProbeSender[] = "777";
const char kSettings[] =
    "[100]\r\n开关=1\r\n触发次数=1000000\r\n操作方式=2\r\n"
    "[999]\r\n开关=1\r\n触发次数=1\r\n操作方式=0\r\n";

// Characters of everyday chat and of spam, code page 936 (two bytes each).
const char kChinesePool[] =
    "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可也你说年然家种过把"
    "还看样开么天长起进面前没好都多广告加群微信代刷单兼职赚钱招聘优惠免费点击链接红包返利";

std::vector<std::string> chinese_characters() {
  const std::string pool = kChinesePool;
  std::vector<std::string> characters;
  for (std::size_t i = 0; i + 1 < pool.size(); i += 2) characters.push_back(pool.substr(i, 2));
  return characters;
}

using Sequence = tarvolo::fixtures::FixedSequence;

// Seven lines in ten are plain words (Chinese, or ASCII letters), three are
// regular expressions of the kinds keyword lists hold: gaps, classes,
// alternatives, repeats, anchors.
std::string keyword_list(int lines) {
  const std::vector<std::string> chars = chinese_characters();
  Sequence random(static_cast<std::uint64_t>(lines) * 7919);
  auto c = [&] { return chars[random.next(chars.size())]; };
  auto letters = [&](int count) {
    std::string word;
    for (int i = 0; i < count; ++i) word += static_cast<char>('a' + random.next(26));
    return word;
  };
  std::string list;
  for (int i = 0; i < lines; ++i) {
    std::string pattern;
    if (i == 0) {
      pattern = "广告";  // what the probe message holds
    } else if (i % 10 < 7) {
      pattern = i % 5 == 0 ? letters(4) : c() + c() + (i % 2 == 0 ? c() : std::string());
    } else {
      switch (i % 7) {
        case 0: pattern = c() + ".{0,3}" + c(); break;
        case 1: pattern = "[" + c() + c() + c() + "]{2}" + c(); break;
        case 2: pattern = c() + "\\d{5,}"; break;
        case 3: pattern = "(" + c() + "|" + c() + ")" + c() + c(); break;
        case 4: pattern = letters(1) + "+" + letters(1) + "[a-z]{3}\\d"; break;
        case 5: pattern = "^" + c() + c(); break;
        default: pattern = c() + "\\s*" + c() + "$"; break;
      }
    }
    list += pattern + "====累积关键词\r\n";
  }
  return list;
}

// Mostly Chinese, some ASCII letters and digits; no blanks or line breaks,
// which normalisation would remove anyway.
std::vector<std::string> messages(int characters, int count) {
  const std::vector<std::string> chars = chinese_characters();
  Sequence random(static_cast<std::uint64_t>(characters) * 104729);
  std::vector<std::string> result;
  for (int m = 0; m < count; ++m) {
    std::string message;
    for (int i = 0; i < characters; ++i) {
      const std::size_t kind = random.next(20);
      if (kind < 17) {
        message += chars[random.next(chars.size())];
      } else if (kind < 19) {
        message += static_cast<char>('a' + random.next(26));
      } else {
        message += static_cast<char>('0' + random.next(10));
      }
    }
    result.push_back(message);
  }
  return result;
}

std::string config_path(const std::string& name) {
  return host_sim::executable_directory() + kSep + "config" + kSep + name;
}

// The loaded plug-in with its cache switch, and the host API library's call
// log.
struct Host {
  std::unique_ptr<PluginLibrary> plugin;
  void (*set_cache)(int) = nullptr;
  const char* (*call_log)() = nullptr;
  void (*clear_call_log)() = nullptr;
  std::string error;
};

Host& host() {
  static Host* loaded = [] {
    auto* h = new Host;
    const std::string dir = host_sim::executable_directory();
    tarvolo::Env::Default().remove_directory_tree(dir + kSep + "config");
    const std::string plugin_path = dir + kSep + host_sim::kPluginFileName;
    h->plugin = PluginLibrary::load(plugin_path, &h->error);
    if (!h->plugin) return h;
    void* plugin_handle = dlopen(plugin_path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    void* api_handle = dlopen((dir + kSep + host_sim::kHostApiFileName).c_str(), RTLD_NOW);
    if (plugin_handle == nullptr || api_handle == nullptr) {
      h->error = "cannot reach the plug-in or the host API library";
      h->plugin.reset();
      return h;
    }
    h->set_cache = reinterpret_cast<void (*)(int)>(
        dlsym(plugin_handle, "bench_set_pattern_cache_enabled"));
    h->call_log = reinterpret_cast<const char* (*)()>(dlsym(api_handle, "cqapi_call_log"));
    h->clear_call_log = reinterpret_cast<void (*)()>(dlsym(api_handle, "cqapi_clear_call_log"));
    auto set_echo = reinterpret_cast<void (*)(int)>(dlsym(api_handle, "cqapi_set_echo"));
    if (!h->set_cache || !h->call_log || !h->clear_call_log || !set_echo) {
      h->error = "the benchmark's plug-in or host API library lacks an entry";
      h->plugin.reset();
      return h;
    }
    set_echo(0);
    return h;
  }();
  return *loaded;
}

void screen(benchmark::State& state, int lines, int characters, bool cache) {
  Host& h = host();
  if (!h.plugin) {
    state.SkipWithError(h.error.c_str());
    return;
  }
  tarvolo::Env& env = tarvolo::Env::Default();
  env.write_file(config_path("Tarvolo.ini"), kSettings);
  env.write_file(config_path("关键词.txt"), keyword_list(lines));
  h.set_cache(cache ? 1 : 0);

  h.clear_call_log();
  h.plugin->group_message("买广告", "2", kProbeGroup, kProbeSender, "");
  if (std::string(h.call_log()).find(std::string("kick\t") + kProbeGroup + "\t" + kProbeSender) ==
      std::string::npos) {
    state.SkipWithError("the probe keyword was not found: is a pattern engine built in?");
    return;
  }
  h.clear_call_log();

  const std::vector<std::string> texts = messages(characters, 64);
  std::vector<double> microseconds;
  std::size_t next = 0;
  for (auto _ : state) {
    const std::string& text = texts[next++ % texts.size()];
    const auto start = std::chrono::steady_clock::now();
    const char* reply = h.plugin->group_message(text.c_str(), "2", kGroup, kSender, "");
    const auto stop = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(reply);
    microseconds.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
  }
  if (*h.call_log() != '\0') {
    state.SkipWithError("a message was sanctioned while measuring");
    return;
  }
  std::nth_element(microseconds.begin(), microseconds.begin() + microseconds.size() / 2,
                   microseconds.end());
  state.counters["median_us"] = microseconds[microseconds.size() / 2];
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(cache ? "cache on" : "cache off");
}

std::string workload_name(int lines, int characters) {
  return "screen/lines:" + std::to_string(lines) + "/chars:" + std::to_string(characters);
}

// The console output as usual, then per workload the time per message with
// the cache off and on and their ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so that a saved run reads cleanly.
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.benchmark_name();
      const std::size_t cut = name.find("/cache:");
      if (cut == std::string::npos) continue;
      const std::string workload = name.substr(0, cut);
      if (workloads_.find(workload) == workloads_.end()) order_.push_back(workload);
      Figures& figures = workloads_[workload];
      const double per_message_us = run.real_accumulated_time * 1e6 / run.iterations;
      const double cpu_per_message_us = run.cpu_accumulated_time * 1e6 / run.iterations;
      const auto median = run.counters.find("median_us");
      const double median_us = median == run.counters.end() ? 0 : median->second.value;
      if (name.compare(cut, std::string::npos, "/cache:on") == 0) {
        figures.on_us = per_message_us;
        figures.on_cpu_us = cpu_per_message_us;
        figures.on_median_us = median_us;
      } else {
        figures.off_us = per_message_us;
        figures.off_cpu_us = cpu_per_message_us;
      }
    }
  }

  // Wall-clock figures first; the CPU-time ratio beside them is steadier on
  // a machine that other work shares.
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-28s %11s %11s %7s %13s %11s %9s\n", "workload", "off us/msg",
                "on us/msg", "ratio", "on median us", "on msgs/s", "cpu ratio");
    for (const std::string& name : order_) {
      const Figures& f = workloads_[name];
      if (f.off_us <= 0 || f.on_us <= 0 || f.on_cpu_us <= 0) continue;
      std::printf("%-28s %11.1f %11.1f %7.1f %13.1f %11.0f %9.1f\n", name.c_str(), f.off_us,
                  f.on_us, f.off_us / f.on_us, f.on_median_us, 1e6 / f.on_us,
                  f.off_cpu_us / f.on_cpu_us);
    }
    const auto target = workloads_.find(workload_name(1000, 200));
    if (target != workloads_.end() && target->second.off_us > 0 && target->second.on_us > 0) {
      const Figures& f = target->second;
      const bool met = f.off_us / f.on_us >= 50 && f.on_median_us < 100;
      std::printf("\n1,000 lines x 200 characters: ratio %.1f (target >= 50), median %.1f us "
                  "(target < 100): %s\n",
                  f.off_us / f.on_us, f.on_median_us, met ? "met" : "NOT met");
    }
    std::fflush(stdout);
  }

 private:
  struct Figures {
    double off_us = 0, on_us = 0, off_cpu_us = 0, on_cpu_us = 0, on_median_us = 0;
  };
  std::map<std::string, Figures> workloads_;
  std::vector<std::string> order_;  // as the workloads ran
};

}  // namespace

int main(int argc, char** argv) {
  for (int lines : {10, 100, 1000}) {
    for (int characters : {20, 200, 2000}) {
      for (bool cache : {false, true}) {
        benchmark::RegisterBenchmark(
            (workload_name(lines, characters) + (cache ? "/cache:on" : "/cache:off")).c_str(),
            screen, lines, characters, cache)
            ->Unit(benchmark::kMicrosecond);
      }
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
