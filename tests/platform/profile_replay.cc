// Replays a script of profile-file operations through Env::Default() on one
// file and prints what the reads give, so that the Linux engine and Windows'
// own functions (the win64 build) can be run on the same script and their
// outputs compared byte for byte.
//
//   profile_replay SCRIPT FILE
//
// One operation a line; fields are separated by blanks; '#' starts a comment
// line:
//   init BYTES                 create FILE holding BYTES (plain file I/O)
//   write SECTION KEY VALUE    WritePrivateProfileStringA(SECTION, KEY, VALUE)
//   delkey SECTION KEY         WritePrivateProfileStringA(SECTION, KEY, NULL)
//   delsec SECTION             WritePrivateProfileStringA(SECTION, NULL, NULL)
//   get SECTION KEY SIZE [DEFAULT]   GetPrivateProfileStringA, default ""
//   names SIZE                 GetPrivateProfileSectionNamesA
//   file                       the bytes of FILE
// In a field \s is a space, \t \v \r \n the usual controls, \\ a backslash,
// \xHH any byte (code page 936 characters are written as their two bytes),
// and \e nothing, for an empty field. Other bytes stand for themselves.
// Output: one line per read, "LINE: OPERATION => RESULT", the result escaped
// the same way (NUL bytes as \x00).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "platform/env.h"

namespace {

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool unescape(const std::string& field, std::string* out, std::string* error) {
  out->clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      *out += field[i];
      continue;
    }
    if (++i == field.size()) {
      *error = "a field ends with a backslash";
      return false;
    }
    switch (field[i]) {
      case 's': *out += ' '; break;
      case 't': *out += '\t'; break;
      case 'v': *out += '\v'; break;
      case 'r': *out += '\r'; break;
      case 'n': *out += '\n'; break;
      case '\\': *out += '\\'; break;
      case 'e': break;
      case 'x': {
        const int high = i + 1 < field.size() ? hex_digit(field[i + 1]) : -1;
        const int low = i + 2 < field.size() ? hex_digit(field[i + 2]) : -1;
        if (high < 0 || low < 0) {
          *error = "\\x needs two hex digits";
          return false;
        }
        *out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        *error = std::string("unknown escape \\") + field[i];
        return false;
    }
  }
  return true;
}

std::string escape(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    switch (c) {
      case ' ': out += "\\s"; break;
      case '\t': out += "\\t"; break;
      case '\v': out += "\\v"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\\': out += "\\\\"; break;
      default:
        if (byte > 0x20 && byte < 0x7F) {
          out += c;
        } else {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        }
    }
  }
  return out;
}

std::vector<std::string> split_fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  std::string field;
  while (in >> field) fields.push_back(field);
  return fields;
}

bool parse_size(const std::string& text, std::size_t* size) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  *size = static_cast<std::size_t>(std::strtoull(text.c_str(), nullptr, 10));
  return true;
}

bool read_whole(const std::string& path, std::string* contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  *contents = bytes.str();
  return true;
}

class Replay {
 public:
  explicit Replay(std::string path) : path_(std::move(path)) {}

  // Runs one script line; false (with *error) when the line is malformed.
  bool run(const std::string& line, std::string* error) {
    const std::vector<std::string> raw = split_fields(line);
    if (raw.empty() || raw[0][0] == '#') return true;
    std::vector<std::string> args;
    for (std::size_t i = 1; i < raw.size(); ++i) {
      std::string arg;
      if (!unescape(raw[i], &arg, error)) return false;
      args.push_back(arg);
    }
    const std::string& op = raw[0];
    tarvolo::Env& env = tarvolo::Env::Default();
    std::size_t size = 0;
    if (op == "init" && args.size() == 1) {
      std::ofstream out(path_, std::ios::binary | std::ios::trunc);
      out << args[0];
      if (!out.flush()) {
        *error = "cannot create " + path_;
        return false;
      }
    } else if (op == "write" && args.size() == 3) {
      env.write_profile_string(path_, args[0], args[1], args[2]);
    } else if (op == "delkey" && args.size() == 2) {
      env.delete_profile_key(path_, args[0], args[1]);
    } else if (op == "delsec" && args.size() == 1) {
      env.delete_profile_section(path_, args[0]);
    } else if (op == "get" && (args.size() == 3 || args.size() == 4) &&
               parse_size(args[2], &size)) {
      const std::string fallback = args.size() == 4 ? args[3] : std::string();
      print(line, env.get_profile_string(path_, args[0], args[1], fallback, size));
    } else if (op == "names" && args.size() == 1 && parse_size(args[0], &size)) {
      print(line, env.get_profile_section_names(path_, size));
    } else if (op == "file" && args.empty()) {
      std::string contents;
      if (read_whole(path_, &contents)) {
        print(line, contents);
      } else {
        std::cout << line_number_ << ": file => (missing)\n";
      }
    } else {
      *error = "unknown operation or wrong arguments";
      return false;
    }
    return true;
  }

  void next_line() { ++line_number_; }
  int line_number() const { return line_number_; }

 private:
  void print(const std::string& line, const std::string& result) {
    std::cout << line_number_ << ": " << line << " => " << escape(result) << '\n';
  }

  std::string path_;
  int line_number_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: profile_replay SCRIPT FILE\n";
    return 2;
  }
#ifdef _WIN32
  // The output is compared byte for byte with the Linux build's.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::ifstream script(argv[1], std::ios::binary);
  if (!script) {
    std::cerr << "profile_replay: cannot read " << argv[1] << '\n';
    return 2;
  }
  // The Windows functions look for a bare file name in the Windows directory.
  Replay replay(std::filesystem::absolute(argv[2]).string());
  std::string line;
  while (std::getline(script, line)) {
    replay.next_line();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string error;
    if (!replay.run(line, &error)) {
      std::cerr << argv[1] << ':' << replay.line_number() << ": " << error << '\n';
      return 2;
    }
  }
  return 0;
}
