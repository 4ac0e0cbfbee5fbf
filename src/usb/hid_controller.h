// The live list of the HID devices attached to the machine. The controller
// finds the devices through its device source, refreshes the list when the
// system says the device set changed (arrivals appended, removals dropped,
// devices still present kept as the same objects), and hands each device
// to its owner in a walk. Devices are queried only while they are handed
// out. The Win32 owner (hid_listener_win.h) feeds it the device-change
// messages; tests drive it with a scripted source.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "usb/hid_device_source.h"
#include "usb/hid_pnp_info.h"
#include "usb/hid_types.h"

namespace corvane::usb {

class TJvHidDeviceController;

// A device could not be made: it cannot be opened, or it does not say who it is.
class EControllerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr char kDeviceCannotBeOpened[] = "device cannot be opened";
inline constexpr char kDeviceCannotBeIdentified[] = "device cannot be identified";

// The wait slice every device starts with, and the range a new one must fall in.
inline constexpr int kDefaultWaitSlice = 100;
inline constexpr int kMinWaitSlice = 10;
inline constexpr int kMaxWaitSlice = 10000;

// One HID device interface. Its queries answer only while it is accessible
// (plugged in and being handed out by a walk); otherwise they give empty
// results or kHidpStatusNull.
class TJvHidDevice {
 public:
  ~TJvHidDevice();
  TJvHidDevice(const TJvHidDevice&) = delete;
  TJvHidDevice& operator=(const TJvHidDevice&) = delete;

  const TJvHidPnPInfo& PnPInfo() const { return pnp_; }
  bool PluggedIn() const { return plugged_in_; }
  bool Enumerating() const { return enumerating_; }
  bool IsAccessible() const { return plugged_in_ && enumerating_; }
  // The last opening got read and write access (not only query access).
  bool ReadWriteAccess() const { return read_write_access_; }
  const TJvHidDeviceController* Owner() const { return owner_; }

  const HidAttributes& Attributes() const { return attributes_; }
  std::uint16_t VendorID() const { return attributes_.VendorID; }
  std::uint16_t ProductID() const { return attributes_.ProductID; }
  std::uint16_t VersionNumber() const { return attributes_.VersionNumber; }

  // Asked of the device until it gives a non-empty text, then kept.
  std::wstring ProductString();
  // The capability summary of the report descriptor (zeros when unreadable).
  HidCaps Caps();
  // Link-collection node `index`, read once for all nodes; an index outside
  // them (or nodes that cannot be read) gives a zero-filled node.
  HidLinkNode LinkNodes(std::size_t index);
  // The capabilities matching the query selectors below, into caps; count
  // is the room on the way in and the number written on the way out.
  std::uint32_t GetButtonCaps(std::span<HidCapability> caps, std::uint16_t& count);
  std::uint32_t GetValueCaps(std::span<HidCapability> caps, std::uint16_t& count);

  // Query selectors. The report type and usage page also fix the list
  // lengths the device reports for them.
  HidReportType QueryReportType() const { return query_.report_type; }
  void SetQueryReportType(HidReportType type);
  std::uint16_t QueryUsagePage() const { return query_.usage_page; }
  void SetQueryUsagePage(std::uint16_t page);
  std::uint16_t QueryLinkCollection() const { return query_.link_collection; }
  void SetQueryLinkCollection(std::uint16_t collection) { query_.link_collection = collection; }
  std::uint16_t QueryUsage() const { return query_.usage; }
  void SetQueryUsage(std::uint16_t usage) { query_.usage = usage; }
  std::uint32_t MaxDataListLength() const { return max_data_list_length_; }
  std::uint32_t MaxUsageListLength() const { return max_usage_list_length_; }

  // The device's input-buffer count; a count set is written back each time
  // the device is opened.
  std::uint32_t NumInputBuffers();
  void SetNumInputBuffers(std::uint32_t count);

  // Milliseconds; a value outside kMinWaitSlice..kMaxWaitSlice is ignored.
  int ThreadSleepTime() const { return wait_slice_; }
  void SetThreadSleepTime(int milliseconds);

  // Opens the device for a query unless it is open; false when it is not
  // accessible or the system refuses.
  bool OpenFile();
  void CloseFile();
  bool IsOpen() const { return open_ != nullptr; }

 private:
  friend class TJvHidDeviceController;
  // Opens the device, reads its attributes and closes it again; throws
  // EControllerError when it cannot be opened or identified.
  TJvHidDevice(TJvHidPnPInfo pnp, HidDeviceSource& source, TJvHidDeviceController* owner);

  std::unique_ptr<HidOpenDevice> OpenDevice();
  HidPreparsedData* Preparsed();
  void UpdateListLengths();
  void Unplug();

  TJvHidPnPInfo pnp_;
  HidDeviceSource& source_;
  TJvHidDeviceController* owner_;
  bool plugged_in_ = true;
  bool enumerating_ = false;
  bool read_write_access_ = false;
  std::unique_ptr<HidOpenDevice> open_;
  HidAttributes attributes_;
  std::wstring product_string_;
  std::unique_ptr<HidPreparsedData> preparsed_;
  bool preparsed_asked_ = false;
  std::uint32_t num_input_buffers_ = 0;  // 0: none set
  std::vector<HidLinkNode> link_nodes_;
  bool link_nodes_read_ = false;
  HidCapsQuery query_;
  std::uint32_t max_data_list_length_ = 0;
  std::uint32_t max_usage_list_length_ = 0;
  int wait_slice_ = kDefaultWaitSlice;
};

class TJvHidDeviceController {
 public:
  // The parameter of the change the controller posts itself after it is
  // made: it counts as a change even when no device came or went.
  static constexpr std::intptr_t kFirstChange = -1;

  // `source` is nullptr when the system lacks SetupAPI or the HID library:
  // the list then stays empty and no change ever arrives.
  explicit TJvHidDeviceController(std::unique_ptr<HidDeviceSource> source);
  ~TJvHidDeviceController();
  TJvHidDeviceController(const TJvHidDeviceController&) = delete;
  TJvHidDeviceController& operator=(const TJvHidDeviceController&) = delete;

  bool HasLibraries() const { return source_ != nullptr; }
  std::wstring Version() const { return L"1.0.34"; }

  int DevThreadSleepTime() const { return dev_thread_sleep_time_; }
  // Passed on to every device whose wait slice still equals the old value.
  void SetDevThreadSleepTime(int milliseconds);

  std::function<void(TJvHidDevice&)> OnArrival;
  std::function<void(TJvHidDevice&)> OnRemoval;
  // Called on a device as it is found gone, before OnRemoval.
  std::function<void(TJvHidDevice&)> OnDeviceUnplug;
  // One call per device in a walk, with its list index; false ends the walk.
  std::function<bool(TJvHidDevice&, int)> OnEnumerate;
  const std::function<void()>& OnDeviceChange() const { return on_device_change_; }
  // A new handler set once the owner has finished loading (Loaded) runs a
  // refresh at once, so the owner sees the current list.
  void SetOnDeviceChange(std::function<void()> handler);
  // The owner has set its handlers; from now on a new OnDeviceChange refreshes.
  void Loaded() { loading_ = false; }

  // Refreshes the list: drops the devices gone, keeps those still present,
  // appends the new ones; calls OnDeviceChange when anything changed (or
  // when the stored change parameter is kFirstChange).
  void DeviceChange();
  // The system's "device nodes changed" message: ignored while a refresh
  // runs, else stores its parameter and refreshes.
  void DevicesChanged(std::intptr_t param);
  // Hands every plugged-in device to OnEnumerate in list order; returns the
  // number handed out (the one that said stop included).
  int EnumerateDevices();

  std::size_t Count() const { return devices_.size(); }
  TJvHidDevice& Device(std::size_t index) { return *devices_.at(index); }

 private:
  std::vector<std::unique_ptr<TJvHidDevice>> FindDevices();

  std::unique_ptr<HidDeviceSource> source_;
  std::vector<std::unique_ptr<TJvHidDevice>> devices_;
  std::function<void()> on_device_change_;
  int dev_thread_sleep_time_ = kDefaultWaitSlice;
  bool loading_ = true;
  bool in_device_change_ = false;
  std::intptr_t change_param_ = 0;
};

}  // namespace corvane::usb
