#include "platform/locale_encoding.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/codepage.h"

namespace ff {
namespace {

// The character set of the environment's locale, read through a locale object of its
// own so that the process-wide locale (number formats included) stays "C".
std::string environment_codeset() {
  locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) return "ANSI_X3.4-1968";
  std::string codeset = nl_langinfo_l(CODESET, loc);
  freelocale(loc);
  return codeset;
}

}  // namespace

bool is_gb_codeset(std::string_view codeset) {
  static constexpr std::array<std::string_view, 4> kGbSets = {"GBK", "GB2312", "GB18030",
                                                              "CP936"};
  std::string upper(codeset);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return std::find(kGbSets.begin(), kGbSets.end(), upper) != kGbSets.end();
}

bool locale_is_gb() {
  static const bool gb = is_gb_codeset(environment_codeset());
  return gb;
}

std::string gbk_to_locale(std::string_view gbk) {
  return locale_is_gb() ? std::string(gbk) : gbk_to_utf8(gbk);
}

Text locale_to_gbk(std::string_view native) {
  return locale_is_gb() ? Text(native) : Text(utf8_to_gbk(native));
}

}  // namespace ff
