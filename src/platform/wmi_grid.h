// The text side of WMI access, free of any Windows header: the result grid
// of a table query, its lookup by property name, and the rules that turn a
// WMI value into the text the windows show. The Win32 side (wmi_win.h)
// converts what WMI delivers into WmiValue and formats it here, so every
// rule can be tested without WMI.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvane::platform {

// Result of a table query. Row 0 holds "Instance" in column 0, then the
// property names; row i (from 1) holds the decimal i in column 0, then the
// value texts of instance i in the same column order as row 0.
using T2DimStrArray = std::vector<std::vector<std::wstring>>;

// The text in `row` (instance 1 by default) of the first column (column 1
// on) whose row-0 name equals `name` exactly, case included; empty when
// there is no such column or no such instance row.
std::wstring WmiTableValue(const T2DimStrArray& grid, std::wstring_view name, std::size_t row = 1);

// One member of a record, bound to the WMI property that fills it. The same
// binding serves a record filled from a table query (text) and one filled
// from a live object (values).
template <class Record, class Value = std::wstring>
struct WmiField {
  std::wstring_view property;
  Value Record::*field;
};

// The record from one instance of a table query (the first by default):
// each bound member gets its property's text; a missing property or a
// missing instance row leaves the member empty.
template <class Record, std::size_t N>
Record RecordFromTable(const T2DimStrArray& grid, const std::array<WmiField<Record>, N>& fields,
                       std::size_t row = 1) {
  Record record{};
  for (const auto& f : fields) record.*f.field = WmiTableValue(grid, f.property, row);
  return record;
}

// The record from one object: `read` gives the value of a property by name.
template <class Record, class Value, std::size_t N, class Read>
Record RecordFromObject(const std::array<WmiField<Record, Value>, N>& fields, Read&& read) {
  Record record{};
  for (const auto& f : fields) record.*f.field = read(f.property);
  return record;
}

// CIM type codes as WMI reports them (the values of CIMTYPE).
using CimType = std::int32_t;
inline constexpr CimType kCimSint16 = 2;
inline constexpr CimType kCimSint32 = 3;
inline constexpr CimType kCimReal32 = 4;
inline constexpr CimType kCimReal64 = 5;
inline constexpr CimType kCimString = 8;
inline constexpr CimType kCimBoolean = 11;
inline constexpr CimType kCimObject = 13;
inline constexpr CimType kCimSint8 = 16;
inline constexpr CimType kCimUint8 = 17;
inline constexpr CimType kCimUint16 = 18;
inline constexpr CimType kCimUint32 = 19;
inline constexpr CimType kCimSint64 = 20;
inline constexpr CimType kCimUint64 = 21;
inline constexpr CimType kCimDatetime = 101;
inline constexpr CimType kCimReference = 102;
inline constexpr CimType kCimChar16 = 103;
inline constexpr CimType kCimFlagArray = 0x2000;

// A WMI value without its COM clothing. WmiNull is the null value; WmiOpaque
// is a present value that has no text of its own (an embedded object, an
// interface pointer, an error code).
struct WmiNull {
  bool operator==(const WmiNull&) const = default;
};
struct WmiOpaque {
  bool operator==(const WmiOpaque&) const = default;
};
using WmiScalar = std::variant<WmiNull, WmiOpaque, bool, std::int64_t, std::uint64_t, float, double,
                               std::wstring>;
using WmiArray = std::vector<WmiScalar>;
using WmiValue = std::variant<WmiNull, WmiOpaque, bool, std::int64_t, std::uint64_t, float, double,
                              std::wstring, WmiArray>;

// The text of a value by its CIM type, as the table query shows it: null
// "NULL"; integer types (2, 3, 16 to 20) the decimal number; 4 and 5 the
// shortest decimal that reads back as the same number (always with a '.',
// whatever the locale); 8 and 21 the text; 11 "True"/"False"; 13
// "<CIM Object>"; 101 and 102 the text as delivered; 103 "<16-bit
// character>"; any other type empty. Arrays of integer, 64-bit or string
// types (string, datetime, reference) give their elements joined by "|";
// other arrays give the empty text. A value delivered in another shape than
// its type suggests (a 64-bit number as text, a real as an integer) is shown
// as delivered, except that a negative number of an unsigned type (uint32
// arrives as a signed 32-bit VARIANT) is read back as the unsigned number.
std::wstring WmiValueToText(const WmiValue& value, CimType type);

// The plain text of a value whose CIM type is not known (late-bound reads)
// or not wanted (single-property reads): null and opaque values give the
// empty text, numbers their decimal form, booleans "True"/"False", texts
// themselves, arrays their element texts joined by "|".
std::wstring WmiPlainText(const WmiValue& value);

}  // namespace corvane::platform
