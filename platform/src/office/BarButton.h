// A button of the stand-in's command bars: its face (built-in face id or a copy of the
// picture and mask set), its style, and its click event.
#pragma once

#include <cstddef>
#include <optional>

#include "com/ConnectionPoints.h"
#include "com/ocidl.h"
#include "office/BarControl.h"

namespace kelvra::office {

// What Office keeps of a picture set on a button: a copy of the bitmap.
struct ImageCopy {
  int width = 0;
  int height = 0;
  WORD resourceId = 0;  // the bitmap resource it was loaded from, 0 for another
};

class BarButton : public BarControl<Office::CommandBarButton, IConnectionPointContainer> {
 public:
  BarButton();

  STDMETHODIMP get_FaceId(int* faceId) override;
  STDMETHODIMP put_FaceId(int faceId) override;
  STDMETHODIMP get_Style(Office::MsoButtonStyle* style) override;
  STDMETHODIMP put_Style(Office::MsoButtonStyle style) override;
  STDMETHODIMP get_Picture(IPictureDisp** picture) override;
  STDMETHODIMP put_Picture(IPictureDisp* picture) override;
  STDMETHODIMP get_Mask(IPictureDisp** mask) override;
  STDMETHODIMP put_Mask(IPictureDisp* mask) override;

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  int faceId() const { return faceId_; }
  Office::MsoButtonStyle style() const { return style_; }
  const std::optional<ImageCopy>& picture() const { return picture_; }
  const std::optional<ImageCopy>& mask() const { return mask_; }
  std::size_t Connections() const;
  // Raises Click(clicked, &cancel) to the sinks connected now.
  void RaiseClick(Office::CommandBarButton* clicked);

 private:
  ~BarButton() override;

  static HRESULT Copy(IPictureDisp* picture, std::optional<ImageCopy>& copy);
  static HRESULT HandOut(const std::optional<ImageCopy>& copy, IPictureDisp** picture);

  int faceId_ = 0;
  Office::MsoButtonStyle style_ = Office::msoButtonAutomatic;
  std::optional<ImageCopy> picture_;
  std::optional<ImageCopy> mask_;
  com::ConnectionPoints points_;
};

}  // namespace kelvra::office
