// A picture object over an icon or a bitmap handle, destroying the handle with it when
// it owns it. Pictures alive are counted, so that tests can see callers release them.
#pragma once

#include <cstddef>

#include "com/ComObject.h"
#include "com/olectl.h"

namespace kelvra::com {

class Picture : public ComObject<IPictureDisp, IPicture> {
 public:
  // type: PICTYPE_ICON or PICTYPE_BITMAP.
  Picture(SHORT type, void* handle, bool owned);

  STDMETHODIMP get_Handle(OLE_HANDLE* handle) override;
  STDMETHODIMP get_hPal(OLE_HANDLE* palette) override;
  STDMETHODIMP get_Type(SHORT* type) override;
  STDMETHODIMP get_Width(OLE_XSIZE_HIMETRIC* width) override;
  STDMETHODIMP get_Height(OLE_YSIZE_HIMETRIC* height) override;

  SHORT type() const { return type_; }
  void* handle() const { return handle_; }
  bool owned() const { return owned_; }

  static std::size_t Alive();
  // What OleCreatePictureIndirect answers from now on instead of a picture; S_OK makes
  // pictures again.
  static void FailCreation(HRESULT failure);
  static HRESULT CreationFailure();
  // The picture behind an interface of one, or NULL for another object.
  static const Picture* Of(IUnknown* object);

 private:
  ~Picture() override;

  const SHORT type_;
  void* const handle_;
  const bool owned_;
};

}  // namespace kelvra::com
