// host-sim: a small QQ robot host for trying the plug-in without QQ.
//
// It loads Tarvolo.cqp from its own directory (which is therefore the run
// directory, with the config directory beside it), with the host API library
// beside it that prints every post and removal. It then replays a chat
// script, or reads such lines from standard input, and prints each reply.
//
//   host-sim [chat-file]
//
// A chat line is "group sender text": one message from `sender` in `group`.
// In the text, \n \r \t \\ and \xHH stand for those characters or bytes.
// Lines beginning with "#" are comments; lines beginning with "@" are host
// actions:
//   @info                  print the plug-in's information text
//   @normalise text        print what 返回数据处理 makes of the text
//   @kind k group sender text   a message with another type code
//   @refresh-list          call 列表刷新
//   @fill-settings group mode   call 分群窗口刷新
//   @sleep seconds         keep the windows and the timer running
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "console_text.h"
#include "plugin_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

namespace {

using host_sim::PluginLibrary;

// Expands \n \r \t \\ and \xHH; any other backslash stays as it is.
std::string unescape(const std::string& text) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 >= text.size()) {
      result += text[i];
      continue;
    }
    const char next = text[i + 1];
    if (next == 'n') {
      result += '\n';
    } else if (next == 'r') {
      result += '\r';
    } else if (next == 't') {
      result += '\t';
    } else if (next == '\\') {
      result += '\\';
    } else if (next == 'x' && i + 3 < text.size() && isxdigit(static_cast<unsigned char>(text[i + 2])) &&
               isxdigit(static_cast<unsigned char>(text[i + 3]))) {
      result += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 2;
    } else {
      result += text[i];
      continue;
    }
    ++i;
  }
  return result;
}

// Replies and notices hold CR LF; on the terminal each further line is
// indented under the first.
void print_reply(const char* prefix, const std::string& gbk_text) {
  std::string shown = host_sim::gbk_to_utf8(gbk_text);
  for (std::size_t pos = shown.find("\r\n"); pos != std::string::npos;
       pos = shown.find("\r\n", pos)) {
    shown.replace(pos, 2, "\n    ");
  }
  std::printf("%s%s\n", prefix, shown.c_str());
  std::fflush(stdout);
}

// Splits off the first blank-separated word of `line`.
std::string take_word(std::string& line) {
  const std::size_t start = line.find_first_not_of(' ');
  if (start == std::string::npos) {
    line.clear();
    return std::string();
  }
  const std::size_t end = line.find(' ', start);
  std::string word = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
  line = end == std::string::npos ? std::string() : line.substr(end + 1);
  return word;
}

class Session {
 public:
  explicit Session(PluginLibrary& plugin) : plugin_(plugin) {}

  void run_line(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') return;
    if (line[0] == '@') {
      run_action(line.substr(1));
    } else {
      const std::string group = take_word(line);
      const std::string sender = take_word(line);
      send("2", group, sender, line);
    }
    plugin_.pump();
  }

  // Keeps the timer running for `seconds`.
  void idle(double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
      plugin_.pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }

 private:
  void send(const std::string& kind, const std::string& group, const std::string& sender,
            const std::string& text) {
    std::printf("> %s %s: %s\n", group.c_str(), sender.c_str(), text.c_str());
    std::fflush(stdout);
    const std::string message = host_sim::utf8_to_gbk(unescape(text));
    const std::string reply =
        plugin_.group_message(message.c_str(), host_sim::utf8_to_gbk(kind).c_str(),
                              host_sim::utf8_to_gbk(group).c_str(),
                              host_sim::utf8_to_gbk(sender).c_str(), "");
    if (!reply.empty()) print_reply("< ", reply);
  }

  void run_action(std::string line) {
    const std::string action = take_word(line);
    if (action == "info") {
      print_reply("info: ", plugin_.info());
    } else if (action == "normalise") {
      const std::string text = host_sim::utf8_to_gbk(unescape(line));
      print_reply("normalised: ", plugin_.normalise(text.c_str()));
    } else if (action == "kind") {
      const std::string kind = take_word(line);
      const std::string group = take_word(line);
      const std::string sender = take_word(line);
      send(kind, group, sender, line);
    } else if (action == "refresh-list") {
      plugin_.refresh_group_list();
    } else if (action == "fill-settings") {
      const std::string group = host_sim::utf8_to_gbk(take_word(line));
      const std::string mode = host_sim::utf8_to_gbk(take_word(line));
      plugin_.fill_group_settings(group.c_str(), mode.c_str());
    } else if (action == "sleep") {
      std::printf("... %s s pass\n", line.c_str());
      std::fflush(stdout);
      idle(std::atof(line.c_str()));
    } else {
      std::printf("unknown action @%s\n", action.c_str());
    }
  }

  PluginLibrary& plugin_;
};

// Reads standard input line by line while keeping the plug-in's timer alive.
void run_interactive(Session& session) {
#ifdef _WIN32
  // A console read blocks the thread, and the plug-in's windows and timer
  // live on this one: read on another thread and hand the lines over, while
  // this thread keeps the message loop going.
  std::mutex mutex;
  std::deque<std::string> lines;
  bool finished = false;
  HANDLE line_ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  std::thread reader([&] {
    std::string line;
    while (std::getline(std::cin, line)) {
      std::lock_guard<std::mutex> lock(mutex);
      lines.push_back(line);
      SetEvent(line_ready);
    }
    std::lock_guard<std::mutex> lock(mutex);
    finished = true;
    SetEvent(line_ready);
  });
  for (;;) {
    MsgWaitForMultipleObjects(1, &line_ready, FALSE, 200, QS_ALLINPUT);
    session.idle(0);
    std::deque<std::string> batch;
    bool done = false;
    {
      std::lock_guard<std::mutex> lock(mutex);
      batch.swap(lines);
      done = finished;
    }
    for (const std::string& line : batch) session.run_line(line);
    if (done) break;
  }
  reader.join();
  CloseHandle(line_ready);
#else
  std::string pending;
  for (;;) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&input, 1, 200);
    if (ready <= 0) {
      session.idle(0);
      continue;
    }
    char buffer[4096];
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) break;
    pending.append(buffer, static_cast<std::size_t>(got));
    for (std::size_t end = pending.find('\n'); end != std::string::npos;
         end = pending.find('\n')) {
      session.run_line(pending.substr(0, end));
      pending.erase(0, end + 1);
    }
  }
  if (!pending.empty()) session.run_line(pending);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const std::string plugin_path =
      host_sim::executable_directory() + host_sim::kPathSeparator + host_sim::kPluginFileName;
  std::string error;
  std::unique_ptr<PluginLibrary> plugin = PluginLibrary::load(plugin_path, &error);
  if (!plugin) {
    std::fprintf(stderr, "host-sim: %s\n", error.c_str());
    return 1;
  }
  Session session(*plugin);
  if (argc > 1) {
    std::ifstream script(argv[1], std::ios::binary);
    if (!script) {
      std::fprintf(stderr, "host-sim: cannot read %s\n", argv[1]);
      return 1;
    }
    std::string line;
    while (std::getline(script, line)) session.run_line(line);
  } else {
    run_interactive(session);
  }
  plugin.reset();
  return 0;
}
