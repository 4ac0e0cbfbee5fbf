#include "usb/hid_controller.h"

#include <algorithm>
#include <utility>

namespace corvane::usb {

std::vector<std::wstring> SplitMultiString(std::wstring_view block) {
  std::vector<std::wstring> texts;
  while (!block.empty()) {
    const auto end = block.find(L'\0');
    const std::wstring_view text = block.substr(0, end);
    if (text.empty()) break;  // the empty text that ends the list
    texts.emplace_back(text);
    block.remove_prefix(end == std::wstring_view::npos ? block.size() : end + 1);
  }
  return texts;
}

// ---- TJvHidDevice ------------------------------------------------------------

TJvHidDevice::TJvHidDevice(TJvHidPnPInfo pnp, HidDeviceSource& source, TJvHidDeviceController* owner)
    : pnp_(std::move(pnp)), source_(source), owner_(owner) {
  std::unique_ptr<HidOpenDevice> device = OpenDevice();
  if (!device) throw EControllerError(kDeviceCannotBeOpened);
  HidAttributes attributes;
  if (!device->GetAttributes(attributes)) throw EControllerError(kDeviceCannotBeIdentified);
  attributes_ = attributes;
}

TJvHidDevice::~TJvHidDevice() {
  open_.reset();
  preparsed_.reset();
}

std::unique_ptr<HidOpenDevice> TJvHidDevice::OpenDevice() {
  std::unique_ptr<HidOpenDevice> device = source_.Open(pnp_.DevicePath, true);
  read_write_access_ = device != nullptr;
  // Devices the system keeps to itself (keyboards, mice) still open for queries.
  if (!device) device = source_.Open(pnp_.DevicePath, false);
  return device;
}

bool TJvHidDevice::OpenFile() {
  if (!IsAccessible()) return false;
  if (open_) return true;
  open_ = OpenDevice();
  if (!open_) return false;
  if (num_input_buffers_ != 0) open_->SetNumInputBuffers(num_input_buffers_);
  std::uint32_t count = 0;
  if (open_->GetNumInputBuffers(count)) num_input_buffers_ = count;
  return true;
}

void TJvHidDevice::CloseFile() { open_.reset(); }

void TJvHidDevice::Unplug() {
  CloseFile();
  plugged_in_ = false;
}

std::wstring TJvHidDevice::ProductString() {
  if (product_string_.empty() && OpenFile()) {
    std::wstring text;
    if (open_->GetProductString(text)) product_string_ = text.substr(0, text.find(L'\0'));
    CloseFile();
  }
  return IsAccessible() ? product_string_ : std::wstring();
}

HidPreparsedData* TJvHidDevice::Preparsed() {
  if (!preparsed_asked_ && OpenFile()) {
    preparsed_ = open_->GetPreparsedData();
    preparsed_asked_ = true;
    CloseFile();
  }
  return IsAccessible() ? preparsed_.get() : nullptr;
}

HidCaps TJvHidDevice::Caps() {
  HidCaps caps;
  if (HidPreparsedData* data = Preparsed()) {
    if (data->GetCaps(caps) != kHidpStatusSuccess) caps = HidCaps{};
  }
  return caps;
}

HidLinkNode TJvHidDevice::LinkNodes(std::size_t index) {
  if (!IsAccessible()) return {};
  if (!link_nodes_read_) {
    link_nodes_read_ = true;
    if (HidPreparsedData* data = Preparsed()) {
      link_nodes_.resize(Caps().NumberLinkCollectionNodes);
      std::uint32_t count = static_cast<std::uint32_t>(link_nodes_.size());
      if (data->GetLinkCollectionNodes(link_nodes_, count) != kHidpStatusSuccess) link_nodes_.clear();
      // The library may fill fewer nodes than the summary announced.
      link_nodes_.resize(std::min<std::size_t>(count, link_nodes_.size()));
    }
  }
  return index < link_nodes_.size() ? link_nodes_[index] : HidLinkNode{};
}

std::uint32_t TJvHidDevice::GetButtonCaps(std::span<HidCapability> caps, std::uint16_t& count) {
  HidPreparsedData* data = Preparsed();
  if (!data) return kHidpStatusNull;
  return data->GetSpecificButtonCaps(query_, caps.first(std::min<std::size_t>(count, caps.size())), count);
}

std::uint32_t TJvHidDevice::GetValueCaps(std::span<HidCapability> caps, std::uint16_t& count) {
  HidPreparsedData* data = Preparsed();
  if (!data) return kHidpStatusNull;
  return data->GetSpecificValueCaps(query_, caps.first(std::min<std::size_t>(count, caps.size())), count);
}

void TJvHidDevice::SetQueryReportType(HidReportType type) {
  query_.report_type = type;
  UpdateListLengths();
}

void TJvHidDevice::SetQueryUsagePage(std::uint16_t page) {
  query_.usage_page = page;
  UpdateListLengths();
}

void TJvHidDevice::UpdateListLengths() {
  if (HidPreparsedData* data = Preparsed()) {
    max_data_list_length_ = data->MaxDataListLength(query_.report_type);
    max_usage_list_length_ = data->MaxUsageListLength(query_.report_type, query_.usage_page);
  }
}

std::uint32_t TJvHidDevice::NumInputBuffers() {
  if (!OpenFile()) return 0;
  const std::uint32_t count = num_input_buffers_;
  CloseFile();
  return count;
}

void TJvHidDevice::SetNumInputBuffers(std::uint32_t count) {
  if (!IsAccessible()) return;
  num_input_buffers_ = count;
  if (OpenFile()) CloseFile();  // opening writes the count and reads it back
}

void TJvHidDevice::SetThreadSleepTime(int milliseconds) {
  if (milliseconds >= kMinWaitSlice && milliseconds <= kMaxWaitSlice) wait_slice_ = milliseconds;
}

// ---- TJvHidDeviceController --------------------------------------------------

TJvHidDeviceController::TJvHidDeviceController(std::unique_ptr<HidDeviceSource> source)
    : source_(std::move(source)) {}

TJvHidDeviceController::~TJvHidDeviceController() {
  OnArrival = nullptr;
  OnRemoval = nullptr;
  OnDeviceUnplug = nullptr;
  OnEnumerate = nullptr;
  on_device_change_ = nullptr;
  devices_.clear();
}

void TJvHidDeviceController::SetDevThreadSleepTime(int milliseconds) {
  for (const auto& device : devices_) {
    if (device->ThreadSleepTime() == dev_thread_sleep_time_) device->SetThreadSleepTime(milliseconds);
  }
  dev_thread_sleep_time_ = milliseconds;
}

void TJvHidDeviceController::SetOnDeviceChange(std::function<void()> handler) {
  on_device_change_ = std::move(handler);
  if (!loading_ && on_device_change_) DeviceChange();
}

std::vector<std::unique_ptr<TJvHidDevice>> TJvHidDeviceController::FindDevices() {
  std::vector<std::unique_ptr<TJvHidDevice>> found;
  if (!source_) return found;
  for (TJvHidPnPInfo& pnp : source_->FindInterfaces()) {
    try {
      found.push_back(std::unique_ptr<TJvHidDevice>(new TJvHidDevice(std::move(pnp), *source_, this)));
    } catch (const EControllerError&) {
      // Not a device that can be listed; the others still are.
    }
  }
  return found;
}

void TJvHidDeviceController::DeviceChange() {
  bool changed = change_param_ == kFirstChange;
  std::vector<std::unique_ptr<TJvHidDevice>> fresh = FindDevices();
  const auto same_device = [](std::uint32_t id) {
    return [id](const std::unique_ptr<TJvHidDevice>& d) { return d && d->PnPInfo().DeviceID == id; };
  };

  // Gone: listed, but not found again.
  for (std::size_t i = devices_.size(); i-- > 0;) {
    TJvHidDevice& device = *devices_[i];
    if (!device.PluggedIn() || std::ranges::none_of(fresh, same_device(device.PnPInfo().DeviceID))) {
      device.Unplug();
      if (OnDeviceUnplug) OnDeviceUnplug(device);
      if (OnRemoval) OnRemoval(device);
      devices_.erase(devices_.begin() + static_cast<std::ptrdiff_t>(i));
      changed = true;
    }
  }
  // Still present: the listed object stays, the fresh one goes.
  for (auto& entry : fresh) {
    const std::uint32_t id = entry->PnPInfo().DeviceID;
    if (std::ranges::any_of(devices_, [&](const auto& d) { return d->PluggedIn() && d->PnPInfo().DeviceID == id; })) {
      entry->owner_ = nullptr;
      entry.reset();
    }
  }
  // New: appended in the order found.
  for (auto& entry : fresh) {
    if (!entry) continue;
    devices_.push_back(std::move(entry));
    if (OnArrival) OnArrival(*devices_.back());
    changed = true;
  }
  if (changed && on_device_change_) on_device_change_();
}

void TJvHidDeviceController::DevicesChanged(std::intptr_t param) {
  if (in_device_change_) return;
  in_device_change_ = true;
  change_param_ = param;
  try {
    DeviceChange();
  } catch (...) {
    in_device_change_ = false;
    throw;
  }
  in_device_change_ = false;
}

int TJvHidDeviceController::EnumerateDevices() {
  int handed_out = 0;
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    TJvHidDevice& device = *devices_[i];
    if (!device.PluggedIn()) continue;
    device.enumerating_ = true;
    bool go_on = false;
    try {
      go_on = OnEnumerate ? OnEnumerate(device, static_cast<int>(i)) : false;
    } catch (...) {
      device.enumerating_ = false;
      device.CloseFile();
      throw;
    }
    device.enumerating_ = false;
    device.CloseFile();
    ++handed_out;
    if (!go_on) break;
  }
  return handed_out;
}

}  // namespace corvane::usb
