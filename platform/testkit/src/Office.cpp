#include "testkit/Office.h"

#include <mutex>

#include "RibbonXml.h"
#include "com/ComObject.h"
#include "office/Ribbon.h"
#include "store/Utf.h"

namespace testkit {

namespace {

using kelvra::store::Utf;

// What the host's ribbon objects share with it.
struct Shared {
  std::mutex mutex;
  std::vector<std::string> invalidations;
  HRESULT idFailure = S_OK;
};

HRESULT HandOut(BSTR* out, const std::string& text) {
  if (out == nullptr) return E_POINTER;
  const std::u16string wide = Utf::ToUtf16(text);
  *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return S_OK;
}

std::string TextOf(BSTR text) {
  return text != nullptr ? Utf::ToUtf8(std::u16string_view(text, SysStringLen(text)))
                         : std::string();
}

class RibbonControl : public kelvra::ComObject<Office::IRibbonControl> {
 public:
  RibbonControl(std::string id, std::string tag, std::shared_ptr<Shared> shared)
      : id_(std::move(id)), tag_(std::move(tag)), shared_(std::move(shared)) {}

  STDMETHODIMP get_Id(BSTR* id) override {
    HRESULT failure = S_OK;
    {
      std::lock_guard lock(shared_->mutex);
      failure = shared_->idFailure;
    }
    if (FAILED(failure)) {
      if (id != nullptr) *id = nullptr;
      return failure;
    }
    return HandOut(id, id_);
  }
  STDMETHODIMP get_Context(IDispatch** context) override {
    if (context == nullptr) return E_POINTER;
    *context = nullptr;
    return S_OK;
  }
  STDMETHODIMP get_Tag(BSTR* tag) override { return HandOut(tag, tag_); }

 private:
  const std::string id_;
  const std::string tag_;
  std::shared_ptr<Shared> shared_;
};

class RibbonUI : public kelvra::ComObject<Office::IRibbonUI> {
 public:
  explicit RibbonUI(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

  STDMETHODIMP Invalidate() override { return Record("*"); }
  STDMETHODIMP InvalidateControl(BSTR id) override { return Record(TextOf(id)); }

 private:
  HRESULT Record(std::string id) {
    std::lock_guard lock(shared_->mutex);
    shared_->invalidations.push_back(std::move(id));
    return S_OK;
  }

  std::shared_ptr<Shared> shared_;
};

std::optional<std::string> IdOf(const XmlElement& element) {
  for (const char* name : {"id", "idQ", "idMso"}) {
    const auto found = element.attributes.find(name);
    if (found != element.attributes.end()) return found->second;
  }
  return std::nullopt;
}

}  // namespace

struct RibbonHost::State {
  IUnknownPtr addIn;
  std::string xml;
  std::vector<XmlElement> elements;
  // The last content fetched of each dynamic menu, by the menu's id.
  std::map<std::string, std::vector<XmlElement>> menus;
  std::shared_ptr<Shared> shared = std::make_shared<Shared>();

  template <class Visit>
  void ForEachElement(Visit visit) const {
    for (const XmlElement& element : elements) visit(element);
    for (const auto& [menu, content] : menus) {
      for (const XmlElement& element : content) visit(element);
    }
  }

  const XmlElement* Control(const std::string& id) const {
    const XmlElement* found = nullptr;
    ForEachElement([&](const XmlElement& element) {
      if (found == nullptr && IdOf(element) == id) found = &element;
    });
    return found;
  }
};

RibbonHost::RibbonHost(IUnknown* addIn) : state_(std::make_unique<State>()) {
  state_->addIn = addIn;
}

RibbonHost::~RibbonHost() = default;

HRESULT RibbonHost::Load(const std::u16string& ribbonId) {
  state_->xml.clear();
  state_->elements.clear();
  state_->menus.clear();
  Office::IRibbonExtensibilityPtr extensibility(state_->addIn);
  if (extensibility == nullptr) return E_NOINTERFACE;
  BSTR id = SysAllocStringLen(ribbonId.data(), static_cast<UINT>(ribbonId.size()));
  BSTR xml = nullptr;
  const HRESULT asked = extensibility->GetCustomUI(id, &xml);
  SysFreeString(id);
  state_->xml = TextOf(xml);
  SysFreeString(xml);
  if (FAILED(asked) || state_->xml.empty()) return asked;
  auto elements = RibbonXml::Parse(state_->xml);
  if (!elements) return E_FAIL;
  state_->elements = std::move(*elements);
  return S_OK;
}

const std::string& RibbonHost::Xml() const { return state_->xml; }

bool RibbonHost::IsWellFormed(const std::string& xml) { return RibbonXml::Parse(xml).has_value(); }

HRESULT RibbonHost::CallOnLoad() {
  if (state_->elements.empty()) return DISP_E_MEMBERNOTFOUND;
  const auto& root = state_->elements.front().attributes;
  const auto callback = root.find("onLoad");
  if (callback == root.end()) return DISP_E_MEMBERNOTFOUND;
  IDispatchPtr dispatch(state_->addIn);
  if (dispatch == nullptr) return E_NOINTERFACE;
  std::u16string name = Utf::ToUtf16(callback->second);
  LPOLESTR names[] = {name.data()};
  DISPID dispid = DISPID_UNKNOWN;
  const HRESULT found = dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid);
  if (FAILED(found)) return found;
  IDispatchPtr ribbon(new RibbonUI(state_->shared));
  VARIANT argument{};
  argument.vt = VT_DISPATCH;
  argument.pdispVal = ribbon;
  DISPPARAMS params{&argument, nullptr, 1, 0};
  return dispatch->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

std::vector<std::string> RibbonHost::ControlIds() const {
  std::vector<std::string> ids;
  state_->ForEachElement([&](const XmlElement& element) {
    if (auto id = IdOf(element)) ids.push_back(*id);
  });
  return ids;
}

std::optional<std::string> RibbonHost::Attribute(const std::string& id,
                                                 const std::string& name) const {
  const XmlElement* control = state_->Control(id);
  if (control == nullptr) return std::nullopt;
  const auto found = control->attributes.find(name);
  if (found == control->attributes.end()) return std::nullopt;
  return found->second;
}

HRESULT RibbonHost::Call(const std::string& id, const char* callback, VARIANT* result) {
  const std::optional<std::string> name = Attribute(id, callback);
  if (!name) return DISP_E_MEMBERNOTFOUND;
  IDispatchPtr dispatch(state_->addIn);
  if (dispatch == nullptr) return E_NOINTERFACE;
  std::u16string wide = Utf::ToUtf16(*name);
  LPOLESTR names[] = {wide.data()};
  DISPID dispid = DISPID_UNKNOWN;
  const HRESULT found = dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid);
  if (FAILED(found)) return found;
  IDispatchPtr control(new RibbonControl(id, Attribute(id, "tag").value_or(""), state_->shared));
  VARIANT argument{};
  argument.vt = VT_DISPATCH;
  argument.pdispVal = control;
  DISPPARAMS params{&argument, nullptr, 1, 0};
  return dispatch->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

HRESULT RibbonHost::Press(const std::string& id) { return Call(id, "onAction", nullptr); }

HRESULT RibbonHost::CallText(const std::string& id, const char* callback, std::string& text) {
  text.clear();
  _variant_t result;
  const HRESULT called = Call(id, callback, &result);
  if (FAILED(called)) return called;
  if (result.vt == VT_BSTR) text = TextOf(result.bstrVal);
  return called;
}

HRESULT RibbonHost::GetLabel(const std::string& id, std::string& label) {
  return CallText(id, "getLabel", label);
}

HRESULT RibbonHost::GetScreentip(const std::string& id, std::string& tip) {
  return CallText(id, "getScreentip", tip);
}

HRESULT RibbonHost::GetEnabled(const std::string& id, bool& enabled) {
  enabled = false;
  _variant_t result;
  const HRESULT called = Call(id, "getEnabled", &result);
  if (SUCCEEDED(called) && result.vt == VT_BOOL) enabled = result.boolVal != VARIANT_FALSE;
  return called;
}

HRESULT RibbonHost::GetImage(const std::string& id, IPictureDispPtr& image) {
  image = nullptr;
  _variant_t result;
  const HRESULT called = Call(id, "getImage", &result);
  if (SUCCEEDED(called) && (result.vt == VT_DISPATCH || result.vt == VT_UNKNOWN) &&
      result.punkVal != nullptr) {
    image = IPictureDispPtr(result.punkVal);
  }
  return called;
}

HRESULT RibbonHost::GetContent(const std::string& id, std::string& xml) {
  const HRESULT called = CallText(id, "getContent", xml);
  if (FAILED(called) || xml.empty()) return called;
  auto content = RibbonXml::Parse(xml);
  if (!content) return E_FAIL;
  // Buttons of an earlier fetch of the same menu are replaced.
  state_->menus[id] = std::move(*content);
  return called;
}

std::vector<std::string> RibbonHost::Invalidations() const {
  std::lock_guard lock(state_->shared->mutex);
  return state_->shared->invalidations;
}

void RibbonHost::FailControlId(HRESULT failure) {
  std::lock_guard lock(state_->shared->mutex);
  state_->shared->idFailure = failure;
}

}  // namespace testkit
