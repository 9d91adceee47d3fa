// Office's ribbon, played for an add-in: it asks the add-in's connection object for its
// ribbon XML (IRibbonExtensibility::GetCustomUI), reads the controls and their callback
// names from it, and calls the callbacks by name through the object's IDispatch
// (GetIDsOfNames, then Invoke with DISPATCH_METHOD), as Office does:
//   onLoad(IRibbonUI*); onAction(IRibbonControl*); getLabel, getScreentip,
//   getContent(IRibbonControl*) → BSTR; getEnabled → VARIANT_BOOL; getImage →
//   IPictureDisp, each out value as the call's result.
// The IRibbonUI it hands to onLoad records the controls the add-in invalidates.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "com/comdef.h"
#include "com/olectl.h"

namespace testkit {

class RibbonHost {
 public:
  // addIn: the connection object (it must answer IRibbonExtensibility and IDispatch).
  explicit RibbonHost(IUnknown* addIn);
  ~RibbonHost();
  RibbonHost(const RibbonHost&) = delete;
  RibbonHost& operator=(const RibbonHost&) = delete;

  // GetCustomUI(ribbonId) and reads the controls of the XML. Its HRESULT; E_FAIL when
  // the XML is not well-formed (Xml() still holds it).
  HRESULT Load(const std::u16string& ribbonId = u"Microsoft.Outlook.Explorer");
  // The XML last handed out (UTF-8), empty when none.
  const std::string& Xml() const;
  // Whether a text is well-formed custom-UI XML (the document form Office reads).
  static bool IsWellFormed(const std::string& xml);

  // The root's onLoad callback with the host's ribbon UI object.
  HRESULT CallOnLoad();
  // Ids of the controls read so far (from the XML, and from dynamic menu content that
  // GetContent fetched), in document order.
  std::vector<std::string> ControlIds() const;
  // An attribute of a control (entities decoded); nullopt when it lacks it.
  std::optional<std::string> Attribute(const std::string& id, const std::string& name) const;

  // The callbacks of a control; DISP_E_MEMBERNOTFOUND when the control is unknown or
  // declares no such callback, else the Invoke's HRESULT.
  HRESULT Press(const std::string& id);
  HRESULT GetLabel(const std::string& id, std::string& label);
  HRESULT GetScreentip(const std::string& id, std::string& tip);
  HRESULT GetEnabled(const std::string& id, bool& enabled);
  HRESULT GetImage(const std::string& id, IPictureDispPtr& image);
  // A dynamic menu's content; the buttons in it become controls that can be pressed.
  // E_FAIL when the content is not well-formed XML.
  HRESULT GetContent(const std::string& id, std::string& xml);

  // The ids the add-in passed to InvalidateControl, in order ("*" for Invalidate).
  std::vector<std::string> Invalidations() const;
  // From now on the control objects' Id property fails with failure (S_OK: works).
  void FailControlId(HRESULT failure);

 private:
  struct State;
  HRESULT Call(const std::string& id, const char* callback, VARIANT* result);
  HRESULT CallText(const std::string& id, const char* callback, std::string& text);

  std::unique_ptr<State> state_;
};

}  // namespace testkit
