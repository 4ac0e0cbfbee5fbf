#include "platform/wmi_win.h"

#include <wbemdisp.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

namespace corvane::platform {

namespace {

// How long one step of an enumeration may wait for the next object. A
// provider that takes longer is treated as stuck; the same bound as the
// connection's (WBEM_FLAG_CONNECT_USE_MAX_WAIT promises two minutes).
constexpr long kNextTimeoutMs = 120000;

constexpr long kExecQueryFlags = WBEM_FLAG_RETURN_IMMEDIATELY;  // 16
constexpr long kInstancesOfFlags =
    static_cast<long>(WBEM_FLAG_RETURN_IMMEDIATELY) | static_cast<long>(WBEM_FLAG_SHALLOW);  // 17

// The WBEMSTATUS enumeration is unsigned; HRESULTs are not.
constexpr HRESULT kInvalidParameter = static_cast<HRESULT>(WBEM_E_INVALID_PARAMETER);
constexpr HRESULT kNotFound = static_cast<HRESULT>(WBEM_E_NOT_FOUND);

bool IsLocal(std::wstring_view machine) { return machine.empty() || machine == L"."; }

// Destroys a SAFEARRAY handed out by a call.
struct SafeArrayOwner {
  SAFEARRAY* array = nullptr;
  SafeArrayOwner() = default;
  SafeArrayOwner(const SafeArrayOwner&) = delete;
  SafeArrayOwner& operator=(const SafeArrayOwner&) = delete;
  ~SafeArrayOwner() {
    if (array) ::SafeArrayDestroy(array);
  }
};

// Keeps a SAFEARRAY's data locked while it is read.
class SafeArrayData {
 public:
  explicit SafeArrayData(SAFEARRAY* array) noexcept : array_(array) {
    if (array_ && FAILED(::SafeArrayAccessData(array_, &data_))) data_ = nullptr;
  }
  SafeArrayData(const SafeArrayData&) = delete;
  SafeArrayData& operator=(const SafeArrayData&) = delete;
  ~SafeArrayData() {
    if (data_) ::SafeArrayUnaccessData(array_);
  }
  const BYTE* get() const noexcept { return static_cast<const BYTE*>(data_); }

 private:
  SAFEARRAY* array_;
  void* data_ = nullptr;
};

std::size_t ElementCount(const SAFEARRAY* array) {
  if (!array || array->cDims == 0) return 0;
  std::size_t n = 1;
  for (USHORT d = 0; d < array->cDims; ++d) n *= array->rgsabound[d].cElements;
  return n;
}

WmiScalar ScalarFromVariant(const VARIANT& v);

// One value of type `vt` stored at `p` (a VARIANT's data or an array slot).
WmiScalar ScalarAt(VARTYPE vt, const BYTE* p) {
  auto load = [p](auto sample) {
    decltype(sample) x;
    std::memcpy(&x, p, sizeof x);
    return x;
  };
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
      return WmiNull{};
    case VT_I1:
      return std::int64_t{load(static_cast<signed char>(0))};
    case VT_I2:
      return std::int64_t{load(SHORT{})};
    case VT_I4:
      return std::int64_t{load(LONG{})};
    case VT_INT:
      return std::int64_t{load(INT{})};
    case VT_I8:
      return std::int64_t{load(LONGLONG{})};
    case VT_UI1:
      return std::uint64_t{load(BYTE{})};
    case VT_UI2:
      return std::uint64_t{load(USHORT{})};
    case VT_UI4:
      return std::uint64_t{load(ULONG{})};
    case VT_UINT:
      return std::uint64_t{load(UINT{})};
    case VT_UI8:
      return std::uint64_t{load(ULONGLONG{})};
    case VT_R4:
      return load(float{});
    case VT_R8:
      return load(double{});
    case VT_BOOL:
      return load(VARIANT_BOOL{}) != VARIANT_FALSE;
    case VT_BSTR: {
      const BSTR s = load(BSTR{});
      return std::wstring(s ? s : L"", ::SysStringLen(s));
    }
    case VT_VARIANT:
      return ScalarFromVariant(*reinterpret_cast<const VARIANT*>(p));
    default:
      return WmiOpaque{};  // objects, error codes, dates, currency, decimals
  }
}

WmiScalar ScalarFromVariant(const VARIANT& v) {
  const VARTYPE vt = V_VT(&v);
  if (vt & VT_ARRAY) return WmiOpaque{};  // nested arrays have no text of their own
  if (vt & VT_BYREF) {
    if (!V_BYREF(&v)) return WmiNull{};
    return ScalarAt(vt & VT_TYPEMASK, static_cast<const BYTE*>(V_BYREF(&v)));
  }
  return ScalarAt(vt, reinterpret_cast<const BYTE*>(&V_UI1(&v)));
}

WmiValue FromScalar(WmiScalar s) {
  return std::visit([](auto&& x) -> WmiValue { return std::move(x); }, std::move(s));
}

// ---- native route ---------------------------------------------------------

// A connection to one namespace. The credentials, when given, stay alive as
// long as the proxies that were given them.
class WbemSession {
 public:
  bool Connect(std::wstring_view machine, std::wstring_view nameSpace, std::wstring_view user,
               std::wstring_view password) {
    ComPtr<IWbemLocator> locator;
    if (FAILED(::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWbemLocator, locator.put_void())))
      return false;

    std::wstring path;
    if (!IsLocal(machine)) path.append(L"\\\\").append(machine).append(L"\\");
    path.append(nameSpace);
    const Bstr resource(path);
    const Bstr userB(user), passwordB(password);
    BSTR userArg = user.empty() ? nullptr : userB.get();
    BSTR passwordArg = password.empty() ? nullptr : passwordB.get();

    // Bounded wait: a stuck WMI service must not hold the user interface
    // forever. WMI cores that predate the flag reject it; ask them again
    // without it.
    HRESULT hr =
        locator->ConnectServer(resource.get(), userArg, passwordArg, nullptr,
                               WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr, nullptr, services_.put());
    if (hr == kInvalidParameter)
      hr = locator->ConnectServer(resource.get(), userArg, passwordArg, nullptr, 0, nullptr,
                                  nullptr, services_.put());
    if (FAILED(hr) || !services_) return false;

    if (!user.empty()) SetIdentity(user, password);
    Secure(services_.get());
    return true;
  }

  IWbemServices* services() const noexcept { return services_.get(); }

  // WMI runs in its own service process: calls on its proxies need the
  // impersonation level, which the process-wide default (identify) does not
  // give. Setting it per proxy leaves the process's COM security alone.
  // In-process objects (Wine) have no blanket to set; that is not an error.
  void Secure(IUnknown* proxy) {
    ::CoSetProxyBlanket(proxy, RPC_C_AUTHN_DEFAULT, RPC_C_AUTHZ_DEFAULT, COLE_DEFAULT_PRINCIPAL,
                        RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE,
                        hasIdentity_ ? &identity_ : nullptr, EOAC_NONE);
  }

 private:
  // "DOMAIN\user" or "user".
  void SetIdentity(std::wstring_view user, std::wstring_view password) {
    const auto slash = user.find(L'\\');
    if (slash != std::wstring_view::npos) {
      domain_ = user.substr(0, slash);
      user_ = user.substr(slash + 1);
    } else {
      user_ = user;
    }
    password_ = password;
    identity_ = {};
    identity_.User = reinterpret_cast<USHORT*>(user_.data());
    identity_.UserLength = static_cast<ULONG>(user_.size());
    identity_.Domain = reinterpret_cast<USHORT*>(domain_.data());
    identity_.DomainLength = static_cast<ULONG>(domain_.size());
    identity_.Password = reinterpret_cast<USHORT*>(password_.data());
    identity_.PasswordLength = static_cast<ULONG>(password_.size());
    identity_.Flags = SEC_WINNT_AUTH_IDENTITY_UNICODE;
    hasIdentity_ = true;
  }

  // Declared before the proxy so that it outlives it.
  std::wstring user_, domain_, password_;
  SEC_WINNT_AUTH_IDENTITY_W identity_{};
  bool hasIdentity_ = false;
  ComPtr<IWbemServices> services_;
};

// Every object of an enumeration, in order; false when a step fails or waits
// longer than kNextTimeoutMs.
bool ReadAll(IEnumWbemClassObject* objects, std::vector<ComPtr<IWbemClassObject>>& out) {
  for (;;) {
    ComPtr<IWbemClassObject> item;
    ULONG returned = 0;
    const HRESULT hr = objects->Next(kNextTimeoutMs, 1, item.put(), &returned);
    if (hr == WBEM_S_FALSE && returned == 0) return true;
    if (FAILED(hr) || hr == WBEM_S_TIMEDOUT || returned != 1 || !item) return false;
    out.push_back(std::move(item));
  }
}

// The object's own property names (no system properties) in WMI's order.
bool PropertyNames(IWbemClassObject* object, std::vector<std::wstring>& names) {
  SafeArrayOwner owner;
  if (FAILED(object->GetNames(nullptr, WBEM_FLAG_NONSYSTEM_ONLY, nullptr, &owner.array)) ||
      !owner.array)
    return false;
  VARTYPE vt = VT_EMPTY;
  if (FAILED(::SafeArrayGetVartype(owner.array, &vt)) || vt != VT_BSTR) return false;
  const std::size_t n = ElementCount(owner.array);
  if (n == 0) return true;
  const SafeArrayData data(owner.array);
  if (!data.get()) return false;
  const BSTR* items = reinterpret_cast<const BSTR*>(data.get());
  for (std::size_t i = 0; i < n; ++i)
    names.emplace_back(items[i] ? items[i] : L"", ::SysStringLen(items[i]));
  return true;
}

// ---- late-bound route -----------------------------------------------------

std::wstring SystemMessage(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", n);
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return text;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0)
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                          nullptr, nullptr);
  return out;
}

// Arguments of one IDispatch call, in the order the method declares them.
class ArgList {
 public:
  ArgList() = default;
  ArgList(const ArgList&) = delete;
  ArgList& operator=(const ArgList&) = delete;
  ~ArgList() {
    for (auto& v : args_) ::VariantClear(&v);
  }
  ArgList& Text(std::wstring_view text) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    args_.push_back(v);
    return *this;
  }
  ArgList& Long(LONG value) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    args_.push_back(v);
    return *this;
  }
  // IDispatch::Invoke wants the last argument first.
  std::vector<VARIANT> Reversed() const { return {args_.rbegin(), args_.rend()}; }

 private:
  std::vector<VARIANT> args_;
};

DISPID DispIdOf(IDispatch* object, std::wstring_view name, std::wstring_view operation) {
  std::wstring n(name);
  LPOLESTR names[] = {n.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throw WmiError(operation, hr);
  return id;
}

Variant Invoke(IDispatch* object, DISPID id, WORD flags, const ArgList& args,
               std::wstring_view operation) {
  std::vector<VARIANT> reversed = args.Reversed();
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                    static_cast<UINT>(reversed.size()), 0};
  EXCEPINFO info{};
  UINT badArg = 0;
  Variant result;
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.put(),
                              &info, &badArg);
  if (hr == DISP_E_EXCEPTION) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    const HRESULT code = info.scode ? info.scode : hr;
    std::wstring detail(info.bstrDescription ? info.bstrDescription : L"",
                        ::SysStringLen(info.bstrDescription));
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
    throw WmiError(operation, code, detail);
  }
  if (FAILED(hr)) throw WmiError(operation, hr);
  return result;
}

Variant Call(IDispatch* object, std::wstring_view name, WORD flags, const ArgList& args,
             std::wstring_view operation) {
  return Invoke(object, DispIdOf(object, name, operation), flags, args, operation);
}

// The interface an automation call returned as its object result.
template <class T>
ComPtr<T> ObjectOf(const Variant& value, std::wstring_view operation) {
  const VARIANT& v = value.get();
  IUnknown* unknown = nullptr;
  if (V_VT(&v) == VT_DISPATCH) unknown = V_DISPATCH(&v);
  if (V_VT(&v) == VT_UNKNOWN) unknown = V_UNKNOWN(&v);
  ComPtr<T> out;
  if (!unknown) throw WmiError(operation, E_UNEXPECTED, L"no object was returned");
  const HRESULT hr = unknown->QueryInterface(__uuidof(T), out.put_void());
  if (FAILED(hr) || !out) throw WmiError(operation, FAILED(hr) ? hr : E_NOINTERFACE);
  return out;
}

}  // namespace

// ---- value conversion -----------------------------------------------------

WmiValue WmiValueFromVariant(const VARIANT& value) {
  const VARTYPE vt = V_VT(&value);
  if (!(vt & VT_ARRAY)) return FromScalar(ScalarFromVariant(value));

  SAFEARRAY* array = nullptr;
  if (vt & VT_BYREF)
    array = V_ARRAYREF(&value) ? *V_ARRAYREF(&value) : nullptr;
  else
    array = V_ARRAY(&value);
  WmiArray items;
  const std::size_t n = ElementCount(array);
  if (n == 0) return items;
  const SafeArrayData data(array);
  if (!data.get()) return WmiOpaque{};
  const VARTYPE element = vt & VT_TYPEMASK;
  items.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    items.push_back(ScalarAt(element, data.get() + i * array->cbElements));
  return items;
}

std::wstring WmiValueToText(const VARIANT& value, CIMTYPE type) {
  return WmiValueToText(WmiValueFromVariant(value), static_cast<CimType>(type));
}

std::wstring WmiPlainText(const VARIANT& value) { return WmiPlainText(WmiValueFromVariant(value)); }

// ---- native route ---------------------------------------------------------

std::wstring WmiQueryProperty(std::wstring_view machine, std::wstring_view wmiClass,
                              std::wstring_view property) {
  WbemSession session;
  if (!session.Connect(machine, L"root\\cimv2", {}, {})) return {};

  std::wstring query = L"SELECT * FROM ";
  query.append(wmiClass);
  ComPtr<IEnumWbemClassObject> objects;
  // Only walked once: forward-only spares WMI from keeping the objects.
  if (FAILED(session.services()->ExecQuery(Bstr(L"WQL").get(), Bstr(query).get(),
                                           WBEM_FLAG_RETURN_IMMEDIATELY | WBEM_FLAG_FORWARD_ONLY,
                                           nullptr, objects.put())) ||
      !objects)
    return {};
  session.Secure(objects.get());

  const std::wstring name(property);
  std::wstring text;
  for (;;) {
    ComPtr<IWbemClassObject> item;
    ULONG returned = 0;
    const HRESULT hr = objects->Next(kNextTimeoutMs, 1, item.put(), &returned);
    if (hr == WBEM_S_FALSE && returned == 0) return text;
    if (FAILED(hr) || hr == WBEM_S_TIMEDOUT || returned != 1 || !item) return {};
    Variant value;
    if (FAILED(item->Get(name.c_str(), 0, value.put(), nullptr, nullptr))) return {};
    text = WmiPlainText(value.get());
  }
}

int WmiQueryTable(std::wstring_view machine, std::wstring_view nameSpace, std::wstring_view user,
                  std::wstring_view password, std::wstring_view query, int& instanceCount,
                  T2DimStrArray& grid) {
  grid.clear();
  instanceCount = 0;

  WbemSession session;
  if (!session.Connect(machine, nameSpace, user, password)) return -1;

  ComPtr<IEnumWbemClassObject> enumerator;
  HRESULT hr;
  if (query.starts_with(L"SELECT"))
    hr = session.services()->ExecQuery(Bstr(L"WQL").get(), Bstr(query).get(), kExecQueryFlags,
                                       nullptr, enumerator.put());
  else
    hr = session.services()->CreateInstanceEnum(Bstr(query).get(), kInstancesOfFlags, nullptr,
                                                enumerator.put());
  if (FAILED(hr) || !enumerator) return -1;
  session.Secure(enumerator.get());

  // The grid is sized from the instance count before the first row is
  // written, so the whole result is fetched first (the scripting objects'
  // Count does the same walk).
  std::vector<ComPtr<IWbemClassObject>> objects;
  if (!ReadAll(enumerator.get(), objects)) return -1;
  instanceCount = static_cast<int>(objects.size());
  if (objects.empty()) return 0;

  std::vector<std::wstring> names;
  if (!PropertyNames(objects.front().get(), names)) return -1;

  grid.assign(objects.size() + 1, std::vector<std::wstring>(names.size() + 1));
  grid[0][0] = L"Instance";
  for (std::size_t c = 0; c < names.size(); ++c) grid[0][c + 1] = names[c];

  for (std::size_t i = 0; i < objects.size(); ++i) {
    auto& row = grid[i + 1];
    row[0] = std::to_wstring(i + 1);
    for (std::size_t c = 0; c < names.size(); ++c) {
      Variant value;
      CIMTYPE type = 0;
      hr = objects[i]->Get(names[c].c_str(), 0, value.put(), &type, nullptr);
      // A result of mixed classes may lack a column of the first object's
      // class; that cell stays empty.
      if (hr == kNotFound) continue;
      if (FAILED(hr)) return -1;
      row[c + 1] = WmiValueToText(value.get(), type);
    }
  }
  return static_cast<int>(names.size());
}

// ---- late-bound route -----------------------------------------------------

WmiError::WmiError(std::wstring_view operation, HRESULT code, std::wstring_view detail)
    : WmiError(
          [&] {
            wchar_t hex[16];
            std::swprintf(hex, 16, L"0x%08lX", static_cast<unsigned long>(code));
            std::wstring text(operation);
            text.append(L" failed (").append(hex).append(L")");
            std::wstring why(detail.empty() ? SystemMessage(code) : std::wstring(detail));
            if (!why.empty()) text.append(L": ").append(why);
            return Composed{std::move(text)};
          }(),
          code) {}

WmiError::WmiError(Composed composed, HRESULT code)
    : std::runtime_error(Narrow(composed.text)), code_(code), message_(std::move(composed.text)) {}

Variant WmiLateObject::Get(std::wstring_view name) const {
  std::wstring operation = L"Reading WMI property ";
  operation.append(name);
  if (!object_) throw WmiError(operation, E_POINTER);
  // The scripting objects answer property reads only with both flags.
  return Call(object_.get(), name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, ArgList{}, operation);
}

std::optional<Variant> WmiLateObject::Find(std::wstring_view name) const {
  try {
    return Get(name);
  } catch (const WmiError& e) {
    constexpr HRESULT kWbemNotFound = static_cast<HRESULT>(WBEM_E_NOT_FOUND);
    if (e.code() == DISP_E_UNKNOWNNAME || e.code() == DISP_E_MEMBERNOTFOUND || e.code() == kWbemNotFound)
      return std::nullopt;
    throw;
  }
}

WmiLateBound WmiLateBound::ConnectLocator(std::wstring_view server, std::wstring_view nameSpace) {
  CLSID clsid;
  HRESULT hr = ::CLSIDFromProgID(L"WbemScripting.SWbemLocator", &clsid);
  if (FAILED(hr)) throw WmiError(L"Finding WbemScripting.SWbemLocator", hr);
  ComPtr<IDispatch> locator;
  hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, locator.put_void());
  if (FAILED(hr) || !locator) throw WmiError(L"Creating WbemScripting.SWbemLocator", hr);

  constexpr std::wstring_view op = L"SWbemLocator.ConnectServer";
  const DISPID connect = DispIdOf(locator.get(), L"ConnectServer", op);
  // server, namespace, user, password, locale, authority, security flags
  auto connectWith = [&](LONG flags) {
    ArgList args;
    args.Text(server).Text(nameSpace).Text(L"").Text(L"").Text(L"").Text(L"").Long(flags);
    return Invoke(locator.get(), connect, DISPATCH_METHOD, args, op);
  };
  Variant services;
  try {
    services = connectWith(wbemConnectFlagUseMaxWait);  // bounded wait, as on the native route
  } catch (const WmiError& e) {
    if (e.code() != kInvalidParameter) throw;
    services = connectWith(0);
  }
  return WmiLateBound(ObjectOf<IDispatch>(services, op));
}

WmiLateBound WmiLateBound::BindMoniker(std::wstring_view moniker) {
  std::wstring name(moniker);
  ComPtr<IDispatch> services;
  const HRESULT hr = ::CoGetObject(name.c_str(), nullptr, IID_IDispatch, services.put_void());
  if (FAILED(hr) || !services) throw WmiError(L"Binding " + name, FAILED(hr) ? hr : E_NOINTERFACE);
  return WmiLateBound(std::move(services));
}

std::size_t WmiLateBound::ExecQuery(std::wstring_view query,
                                    const std::function<void(const WmiLateObject&)>& visit) const {
  constexpr std::wstring_view op = L"SWbemServices.ExecQuery";
  if (!services_) throw WmiError(op, E_POINTER);
  ArgList args;
  args.Text(query).Text(L"WQL").Long(wbemFlagReturnImmediately);
  const Variant set = Call(services_.get(), L"ExecQuery", DISPATCH_METHOD, args, op);
  const auto objectSet = ObjectOf<IDispatch>(set, op);

  constexpr std::wstring_view enumOp = L"Enumerating the WMI query result";
  const Variant newEnum = Invoke(objectSet.get(), DISPID_NEWENUM,
                                 DISPATCH_METHOD | DISPATCH_PROPERTYGET, ArgList{}, enumOp);
  const auto items = ObjectOf<IEnumVARIANT>(newEnum, enumOp);

  std::size_t count = 0;
  for (;;) {
    Variant item;
    ULONG fetched = 0;
    const HRESULT hr = items->Next(1, item.put(), &fetched);
    if (FAILED(hr)) throw WmiError(enumOp, hr);
    if (hr == S_FALSE || fetched == 0) return count;
    visit(WmiLateObject(ObjectOf<IDispatch>(item, enumOp)));
    ++count;
  }
}

}  // namespace corvane::platform
