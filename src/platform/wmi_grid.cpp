#include "platform/wmi_grid.h"

#include <charconv>
#include <cstddef>
#include <type_traits>

namespace corvane::platform {

std::wstring WmiTableValue(const T2DimStrArray& grid, std::wstring_view name, std::size_t row) {
  if (row == 0 || row >= grid.size()) return {};
  const auto& names = grid[0];
  const auto& values = grid[row];
  for (std::size_t col = 1; col < names.size(); ++col) {
    if (names[col] == name) return col < values.size() ? values[col] : std::wstring();
  }
  return {};
}

namespace {

// Characters from to_chars are plain ASCII, so widening them is exact; the
// C locale of to_chars keeps the decimal point a '.', as files and other
// programs expect.
template <class T>
std::wstring NumberText(T v) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::wstring(buf, res.ptr);
}

std::wstring ScalarText(const WmiScalar& v) {
  return std::visit(
      [](const auto& x) -> std::wstring {
        using X = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<X, WmiNull> || std::is_same_v<X, WmiOpaque>) {
          return {};
        } else if constexpr (std::is_same_v<X, bool>) {
          return x ? L"True" : L"False";
        } else if constexpr (std::is_same_v<X, std::wstring>) {
          return x;
        } else {
          return NumberText(x);
        }
      },
      v);
}

// WMI delivers unsigned types in the next signed VARIANT type that holds
// their usual range (uint32 as VT_I4, uint8 arrays possibly as VT_I1), so a
// large value arrives negative; read it back as the unsigned number it is.
WmiScalar AsTyped(const WmiScalar& v, CimType base) {
  const auto* x = std::get_if<std::int64_t>(&v);
  if (!x || *x >= 0) return v;
  auto u = static_cast<std::uint64_t>(*x);
  switch (base) {
    case kCimUint8:
      return u & 0xFFu;
    case kCimUint16:
      return u & 0xFFFFu;
    case kCimUint32:
      return u & 0xFFFFFFFFu;
    case kCimUint64:
      return u;
    default:
      return v;
  }
}

std::wstring JoinElements(const WmiArray& items, CimType base = 0) {
  std::wstring out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i) out += L'|';
    out += ScalarText(AsTyped(items[i], base));
  }
  return out;
}

// The scalar alternatives of a value; arrays are dealt with before.
WmiScalar AsScalar(const WmiValue& v) {
  return std::visit(
      [](const auto& x) -> WmiScalar {
        if constexpr (std::is_same_v<std::decay_t<decltype(x)>, WmiArray>) {
          return WmiOpaque{};
        } else {
          return x;
        }
      },
      v);
}

bool IsIntegerType(CimType t) {
  return t == kCimSint16 || t == kCimSint32 || (t >= kCimSint8 && t <= kCimUint32);
}
bool Is64BitType(CimType t) { return t == kCimSint64 || t == kCimUint64; }
bool IsStringType(CimType t) { return t == kCimString || t == kCimDatetime || t == kCimReference; }

}  // namespace

std::wstring WmiValueToText(const WmiValue& value, CimType type) {
  if (std::holds_alternative<WmiNull>(value)) return L"NULL";
  const CimType base = type & ~kCimFlagArray;

  if (const auto* items = std::get_if<WmiArray>(&value)) {
    if (IsIntegerType(base) || Is64BitType(base) || IsStringType(base))
      return JoinElements(*items, base);
    return {};
  }

  if (IsIntegerType(base) || Is64BitType(base) || IsStringType(base) || base == kCimBoolean) {
    return ScalarText(AsTyped(AsScalar(value), base));
  }
  switch (base) {
    case kCimReal32:
      // A 32-bit real widened on the way keeps its short form.
      if (const auto* d = std::get_if<double>(&value)) return NumberText(static_cast<float>(*d));
      return ScalarText(AsScalar(value));
    case kCimReal64:
      return ScalarText(AsScalar(value));
    case kCimObject:
      return L"<CIM Object>";
    case kCimChar16:
      return L"<16-bit character>";
    default:
      return {};
  }
}

std::wstring WmiPlainText(const WmiValue& value) {
  if (const auto* items = std::get_if<WmiArray>(&value)) return JoinElements(*items);
  return ScalarText(AsScalar(value));
}

}  // namespace corvane::platform
