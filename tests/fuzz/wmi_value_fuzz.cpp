// Values as WMI delivers them for a device (any shape, whatever the
// property's declared type): their texts by CIM type, the USB drives grid's
// grouped numbers and capability cells.
// Bytes: the CIM type (2 bytes), then values, each a shape byte and its data.
#include <bit>

#include "fuzz_input.h"
#include "platform/wmi_grid.h"
#include "storage/usb_drives.h"

using namespace corvane;

namespace {

class Reader {
 public:
  explicit Reader(fuzz::Bytes bytes) : bytes_(bytes) {}
  bool Done() const { return at_ >= bytes_.size(); }
  std::uint64_t Unsigned(std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
      value |= std::uint64_t{at_ < bytes_.size() ? std::to_integer<std::uint8_t>(bytes_[at_++]) : 0u} << (8 * i);
    }
    return value;
  }
  std::wstring Text() {
    std::wstring text(Unsigned(1) % 24, L'\0');
    for (wchar_t& c : text) c = static_cast<wchar_t>(Unsigned(2));
    return text;
  }

  platform::WmiScalar Scalar(unsigned shape) {
    switch (shape % 8) {
      case 0: return platform::WmiNull{};
      case 1: return platform::WmiOpaque{};
      case 2: return Unsigned(1) % 2 != 0;
      case 3: return static_cast<std::int64_t>(Unsigned(8));
      case 4: return Unsigned(8);
      case 5: return std::bit_cast<float>(static_cast<std::uint32_t>(Unsigned(4)));
      case 6: return std::bit_cast<double>(Unsigned(8));
      default: return Text();
    }
  }
  platform::WmiValue Value() {
    const auto shape = static_cast<unsigned>(Unsigned(1));
    if (shape % 9 != 8) {
      return std::visit([](auto&& s) { return platform::WmiValue{std::move(s)}; }, Scalar(shape));
    }
    platform::WmiArray array(Unsigned(1) % 8);
    for (auto& element : array) element = Scalar(static_cast<unsigned>(Unsigned(1)));
    return array;
  }

 private:
  fuzz::Bytes bytes_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader r(fuzz::AsBytes(data, size));
  const auto type = static_cast<platform::CimType>(r.Unsigned(2));
  while (!r.Done()) {
    const platform::WmiValue value = r.Value();
    (void)platform::WmiValueToText(value, type);
    (void)platform::WmiValueToText(value, type | platform::kCimFlagArray);
    (void)platform::WmiPlainText(value);
    (void)storage::GroupedNumber(value, L",");
    (void)storage::CapabilityTexts(value);
  }
  return 0;
}
