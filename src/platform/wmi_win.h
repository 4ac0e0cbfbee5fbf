// WMI access for the whole application. COM must already be initialised on
// the calling thread (the application holds one ComApartment for the UI
// thread); every call connects afresh and releases all it acquired before
// it returns.
//
// Two routes:
//  - the native interfaces (IWbemLocator, IWbemServices, IWbemClassObject)
//    behind WmiQueryProperty and WmiQueryTable, which never throw and turn
//    every failure into an empty text or -1;
//  - the late-bound scripting objects (WmiLateBound), for windows that walk a
//    query by property name; these throw WmiError and leave the decision to
//    their callers.
#pragma once
#include <windows.h>
// after windows.h
#include <oaidl.h>
#include <wbemcli.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/com_win.h"
#include "platform/wmi_grid.h"

namespace corvane::platform {

// One property of every instance of `wmiClass` in root\cimv2 of `machine`
// ("." or empty: this machine), as plain text (WmiPlainText). The last
// instance's text wins; a null value gives the empty text; any failure
// (no connection, unknown class or property, no instance) gives the empty
// text.
std::wstring WmiQueryProperty(std::wstring_view machine, std::wstring_view wmiClass,
                              std::wstring_view property);

// Runs `query` in `nameSpace` of `machine` ("." or empty: this machine; user
// and password empty: the caller's own identity) and fills `grid` (see
// T2DimStrArray) with the value texts of WmiValueToText. A query beginning
// with "SELECT" (upper case, first position) runs as WQL; any other text is
// a class name whose own instances (not those of subclasses) are listed.
// Returns the number of properties (grid columns after "Instance"), 0 when
// there is no instance, -1 on failure. `instanceCount` receives the number
// of instances once it is known (0 before); on failure the grid keeps what
// was filled.
int WmiQueryTable(std::wstring_view machine, std::wstring_view nameSpace, std::wstring_view user,
                  std::wstring_view password, std::wstring_view query, int& instanceCount,
                  T2DimStrArray& grid);

// A VARIANT as WMI or automation delivers it, without its COM clothing.
// Arrays (any dimension count) become their elements in memory order.
WmiValue WmiValueFromVariant(const VARIANT& value);

// The CIM-type text rules of WmiValueToText(const WmiValue&, CimType).
std::wstring WmiValueToText(const VARIANT& value, CIMTYPE type);

// WmiPlainText of a VARIANT, for late-bound reads that carry no CIM type.
std::wstring WmiPlainText(const VARIANT& value);

// A failure of the late-bound route: what was attempted, the HRESULT and,
// when known, the system's or the server's description.
class WmiError : public std::runtime_error {
 public:
  WmiError(std::wstring_view operation, HRESULT code, std::wstring_view detail = {});
  HRESULT code() const noexcept { return code_; }
  // The wide form of what(), for the application's error box.
  const std::wstring& message() const noexcept { return message_; }

 private:
  struct Composed {
    std::wstring text;
  };
  WmiError(Composed composed, HRESULT code);
  HRESULT code_;
  std::wstring message_;
};

// One object of a late-bound query result (an SWbemObject).
class WmiLateObject {
 public:
  explicit WmiLateObject(ComPtr<IDispatch> object) noexcept : object_(std::move(object)) {}
  // The value of a named property; throws WmiError when the object has no
  // such property or refuses the read. A VT_ERROR value is returned as is.
  Variant Get(std::wstring_view name) const;
  // The same, but nullopt when the object has no such property (a class
  // that lacks it on this system); other failures throw WmiError.
  std::optional<Variant> Find(std::wstring_view name) const;
  IDispatch* get() const noexcept { return object_.get(); }

 private:
  ComPtr<IDispatch> object_;
};

// A namespace reached through the scripting objects (an SWbemServices).
class WmiLateBound {
 public:
  // Creates "WbemScripting.SWbemLocator" and connects to `server` and
  // `nameSpace` with the caller's identity; throws WmiError on failure.
  static WmiLateBound ConnectLocator(std::wstring_view server = L".",
                                     std::wstring_view nameSpace = L"root\\cimv2");
  // Binds a "winmgmts:" moniker; throws WmiError on failure. Under Wine this
  // starts a helper process that outlives the program.
  static WmiLateBound BindMoniker(std::wstring_view moniker = L"winmgmts:\\\\.\\root\\cimv2");

  // Runs a WQL query and calls `visit` for every result object in
  // enumeration order; returns the number of objects visited. Throws
  // WmiError when the query or the enumeration fails; exceptions from
  // `visit` pass through.
  std::size_t ExecQuery(std::wstring_view query,
                        const std::function<void(const WmiLateObject&)>& visit) const;

  IDispatch* get() const noexcept { return services_.get(); }

 private:
  explicit WmiLateBound(ComPtr<IDispatch> services) noexcept : services_(std::move(services)) {}
  ComPtr<IDispatch> services_;
};

}  // namespace corvane::platform
