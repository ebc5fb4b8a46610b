// Code page 936 through glibc's iconv ("CP936", the same table as Windows
// for every cell it knows), with Windows' rules wherever iconv gives up:
//
//   byte 0xFF                      -> U+F8F5
//   lead byte + valid trail byte   -> the Private Use Area for the cells that
//                                     GBK leaves unassigned (user-defined
//                                     areas and 255 other cells)
//   lead byte + any other byte     -> '?', both bytes consumed
//   lead byte at the end           -> '?'
//
// and back: the Private Use Area cells and 0xFF return to their bytes, the
// characters of Windows' best-fit list become their near characters, and
// anything else code page 936 lacks becomes '?', one per UTF-16 unit.
#include "platform/posix/cp936.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace tarvolo {
namespace {

constexpr char16_t kReplacement = u'?';
constexpr char16_t kByteFF = 0xF8F5;

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
constexpr const char* kUtf16 = "UTF-16BE";
#else
constexpr const char* kUtf16 = "UTF-16LE";
#endif

bool is_lead_byte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool is_trail_byte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFE);
}

// --- The Private Use Area cells ---------------------------------------------

// The three user-defined areas, each mapped in byte order onto a block of the
// Private Use Area: AAA1-AFFE and F8A1-FEFE (94 trails A1-FE per lead),
// A140-A7A0 (96 trails 40-7E, 80-A0 per lead).
struct UserArea {
  unsigned char first_lead, last_lead, first_trail, last_trail;
  char16_t first_unit;
};
constexpr std::array<UserArea, 3> kUserAreas = {{
    {0xAA, 0xAF, 0xA1, 0xFE, 0xE000},
    {0xF8, 0xFE, 0xA1, 0xFE, 0xE234},
    {0xA1, 0xA7, 0x40, 0xA0, 0xE4C6},
}};
constexpr char16_t kOtherCellsFirstUnit = 0xE766;  // follows the third area

// Position of a trail byte among the valid trails from `first` on (0x7F is
// never a trail).
int trail_offset(unsigned char trail, unsigned char first) {
  return trail - first - ((first < 0x7F && trail > 0x7F) ? 1 : 0);
}

int trails_per_lead(const UserArea& area) {
  return trail_offset(area.last_trail, area.first_trail) + 1;
}

// The other unassigned cells, in byte order, mapped onto U+E766-U+E864.
constexpr std::array<std::array<std::uint16_t, 2>, 26> kOtherCellRuns = {{
    {0xA2AB, 0xA2B0}, {0xA2E3, 0xA2E4}, {0xA2EF, 0xA2F0}, {0xA2FD, 0xA2FE}, {0xA4F4, 0xA4FE},
    {0xA5F7, 0xA5FE}, {0xA6B9, 0xA6C0}, {0xA6D9, 0xA6DF}, {0xA6EC, 0xA6ED}, {0xA6F3, 0xA6F3},
    {0xA6F6, 0xA6FE}, {0xA7C2, 0xA7D0}, {0xA7F2, 0xA7FE}, {0xA896, 0xA8A0}, {0xA8BC, 0xA8BC},
    {0xA8BF, 0xA8BF}, {0xA8C1, 0xA8C4}, {0xA8EA, 0xA8FE}, {0xA958, 0xA958}, {0xA95B, 0xA95B},
    {0xA95D, 0xA95F}, {0xA989, 0xA995}, {0xA997, 0xA9A3}, {0xA9F0, 0xA9FE}, {0xD7FA, 0xD7FE},
    {0xFE50, 0xFEA0},
}};
constexpr std::size_t kOtherCellCount = 255;

const std::array<std::uint16_t, kOtherCellCount>& other_cells() {
  static const auto cells = [] {
    std::array<std::uint16_t, kOtherCellCount> list{};
    std::size_t n = 0;
    for (const auto& run : kOtherCellRuns) {
      for (unsigned cell = run[0]; cell <= run[1]; ++cell) {
        if (is_trail_byte(cell & 0xFF)) list[n++] = static_cast<std::uint16_t>(cell);
      }
    }
    return list;
  }();
  return cells;
}

// The Private Use Area unit of a cell that iconv does not map, or 0.
char16_t private_use_unit(unsigned char lead, unsigned char trail) {
  for (const UserArea& area : kUserAreas) {
    if (lead >= area.first_lead && lead <= area.last_lead && trail >= area.first_trail &&
        trail <= area.last_trail && trail != 0x7F) {
      return static_cast<char16_t>(area.first_unit + (lead - area.first_lead) * trails_per_lead(area) +
                                   trail_offset(trail, area.first_trail));
    }
  }
  const auto& cells = other_cells();
  const std::uint16_t cell = static_cast<std::uint16_t>(lead << 8 | trail);
  const auto found = std::lower_bound(cells.begin(), cells.end(), cell);
  if (found != cells.end() && *found == cell) {
    return static_cast<char16_t>(kOtherCellsFirstUnit + (found - cells.begin()));
  }
  return 0;
}

// The cell of a Private Use Area unit that code page 936 reads, or 0.
std::uint16_t private_use_cell(char16_t unit) {
  for (const UserArea& area : kUserAreas) {
    const int per_lead = trails_per_lead(area);
    const int count = (area.last_lead - area.first_lead + 1) * per_lead;
    if (unit >= area.first_unit && unit < area.first_unit + count) {
      const int index = unit - area.first_unit;
      int trail = area.first_trail + index % per_lead;
      if (area.first_trail < 0x7F && trail >= 0x7F) ++trail;
      return static_cast<std::uint16_t>((area.first_lead + index / per_lead) << 8 | trail);
    }
  }
  if (unit >= kOtherCellsFirstUnit && unit < kOtherCellsFirstUnit + kOtherCellCount) {
    return other_cells()[unit - kOtherCellsFirstUnit];
  }
  return 0;
}

// --- Best fit ----------------------------------------------------------------

struct BestFit {
  char16_t unit;
  std::uint16_t code;  // one byte, or lead << 8 | trail
};
constexpr BestFit kBestFit[] = {
#include "platform/posix/cp936_best_fit.inc"
};

std::uint16_t best_fit_code(char16_t unit) {
  const auto found = std::lower_bound(
      std::begin(kBestFit), std::end(kBestFit), unit,
      [](const BestFit& entry, char16_t value) { return entry.unit < value; });
  return (found != std::end(kBestFit) && found->unit == unit) ? found->code : 0;
}

// --- iconv -------------------------------------------------------------------

// One conversion descriptor per thread and direction: a descriptor may not
// be shared between threads, and opening one per call costs more than the
// conversion of a short text.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts from *in as far as it can, appending the output; returns 0 when
  // all input was taken, else the errno that stopped it at *in.
  template <typename Out>
  int convert(const char** in, std::size_t* in_left, Out* out) {
    using Unit = typename Out::value_type;
    Unit buffer[512];
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    for (;;) {
      char* in_ptr = const_cast<char*>(*in);
      char* out_ptr = reinterpret_cast<char*>(buffer);
      std::size_t out_left = sizeof buffer;
      const std::size_t result = iconv(cd_, &in_ptr, in_left, &out_ptr, &out_left);
      const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
      out->append(buffer, (sizeof buffer - out_left) / sizeof(Unit));
      *in = in_ptr;
      if (error != E2BIG) return error;
    }
  }

 private:
  iconv_t cd_;
};

Converter& to_utf16_converter() {
  thread_local Converter converter(kUtf16, "CP936");
  return converter;
}

Converter& from_utf16_converter() {
  thread_local Converter converter("CP936", kUtf16);
  return converter;
}

// Appends Windows' reading of the character at `p`, which iconv rejected;
// returns the number of bytes it takes.
std::size_t append_unmapped_char(const unsigned char* p, const unsigned char* end,
                                 std::u16string* out) {
  if (*p == 0xFF) {
    out->push_back(kByteFF);
    return 1;
  }
  if (!is_lead_byte(*p)) {  // iconv maps every other single byte
    out->push_back(kReplacement);
    return 1;
  }
  if (end - p < 2) {
    out->push_back(kReplacement);
    return 1;
  }
  const char16_t unit = is_trail_byte(p[1]) ? private_use_unit(p[0], p[1]) : 0;
  out->push_back(unit != 0 ? unit : kReplacement);
  return 2;
}

void append_code(std::uint16_t code, std::string* out) {
  if (code > 0xFF) out->push_back(static_cast<char>(code >> 8));
  out->push_back(static_cast<char>(code & 0xFF));
}

// Appends Windows' writing of the units at `p`, which iconv rejected;
// returns the number of units it takes.
std::size_t append_unmapped_units(const char16_t* p, const char16_t* end, std::string* out) {
  const char16_t unit = *p;
  if (unit >= 0xD800 && unit <= 0xDBFF && end - p >= 2 && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
    out->append("??");  // a character beyond the BMP: one '?' per unit
    return 2;
  }
  std::uint16_t code = 0;
  if (unit == kByteFF) {
    code = 0xFF;
  } else if (const std::uint16_t cell = private_use_cell(unit)) {
    code = cell;
  } else {
    code = best_fit_code(unit);
  }
  append_code(code != 0 ? code : '?', out);
  return 1;
}

}  // namespace

std::u16string cp936_to_utf16(const std::string& text) {
  const std::size_t length = std::min(text.find('\0'), text.size());
  std::u16string out;
  out.reserve(length);
  const char* p = text.data();
  const char* const end = p + length;
  Converter& converter = to_utf16_converter();
  while (p < end) {
    std::size_t left = static_cast<std::size_t>(end - p);
    if (converter.ok() && converter.convert(&p, &left, &out) == 0) break;
    // iconv stopped at a character it rejects (or is missing altogether).
    const auto* at = reinterpret_cast<const unsigned char*>(p);
    if (*at < 0x80) {
      out.push_back(*at);
      ++p;
    } else if (*at == 0x80) {
      out.push_back(0x20AC);
      ++p;
    } else {
      p += append_unmapped_char(at, reinterpret_cast<const unsigned char*>(end), &out);
    }
  }
  return out;
}

std::string utf16_to_cp936(const std::u16string& text) {
  const std::size_t length = std::min(text.find(u'\0'), text.size());
  std::string out;
  out.reserve(length * 2);
  const char16_t* p = text.data();
  const char16_t* const end = p + length;
  Converter& converter = from_utf16_converter();
  while (p < end) {
    const char* bytes = reinterpret_cast<const char*>(p);
    std::size_t left = static_cast<std::size_t>(end - p) * sizeof(char16_t);
    if (converter.ok() && converter.convert(&bytes, &left, &out) == 0) break;
    p = reinterpret_cast<const char16_t*>(bytes);
    if (*p < 0x80) {
      out.push_back(static_cast<char>(*p));
      ++p;
    } else {
      p += append_unmapped_units(p, end, &out);
    }
  }
  return out;
}

}  // namespace tarvolo
