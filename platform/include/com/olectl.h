// OLE picture objects: an icon or a bitmap handle wrapped as a COM object, as Office
// takes button images.
#pragma once

#include "com/com_ptr_t.h"
#include "com/dispatch.h"

#define PICTYPE_UNINITIALIZED (-1)
#define PICTYPE_NONE 0
#define PICTYPE_BITMAP 1
#define PICTYPE_METAFILE 2
#define PICTYPE_ICON 3
#define PICTYPE_ENHMETAFILE 4

using OLE_HANDLE = UINT;
using OLE_XSIZE_HIMETRIC = LONG;
using OLE_YSIZE_HIMETRIC = LONG;
using HPALETTE = void*;

// cbSizeofstruct is sizeof(PICTDESC). Only the bitmap and icon forms are provided.
struct PICTDESC {
  UINT cbSizeofstruct;
  UINT picType;
  union {
    struct {
      HBITMAP hbitmap;
      HPALETTE hpal;
    } bmp;
    struct {
      HICON hicon;
    } icon;
  };
};
using LPPICTDESC = PICTDESC*;

KELVRA_INTERFACE_IID(IPicture, 0x7BF80980, 0xBF32, 0x101A, 0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C,
                     0xAB)
KELVRA_INTERFACE_IID(IPictureDisp, 0x7BF80981, 0xBF32, 0x101A, 0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30,
                     0x0C, 0xAB)

// The leading members of the picture interface; the drawing and saving members that
// follow them are not provided.
struct IPicture : IUnknown {
  // The handle's low 32 bits, as the interface has only room for them.
  virtual HRESULT STDMETHODCALLTYPE get_Handle(OLE_HANDLE* handle) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_hPal(OLE_HANDLE* palette) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Type(SHORT* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Width(OLE_XSIZE_HIMETRIC* width) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Height(OLE_YSIZE_HIMETRIC* height) = 0;

 protected:
  ~IPicture() = default;
};

// The picture's automation face (properties by name only).
struct IPictureDisp : IDispatch {
 protected:
  ~IPictureDisp() = default;
};

_COM_SMARTPTR_TYPEDEF(IPicture, __uuidof(IPicture));
_COM_SMARTPTR_TYPEDEF(IPictureDisp, __uuidof(IPictureDisp));

inline constexpr const IID& IID_IPicture = __uuidof(IPicture);
inline constexpr const IID& IID_IPictureDisp = __uuidof(IPictureDisp);

// A picture of the bitmap or icon in desc, asked for iid (IPicture, IPictureDisp,
// IDispatch, IUnknown). With own TRUE the picture destroys the handle when it is
// released. E_INVALIDARG for a size or type it does not know or a NULL handle, E_POINTER
// for NULL desc or out pointer, E_NOINTERFACE for another interface; *object NULL on
// failure, and the handle then stays the caller's.
HRESULT WINAPI OleCreatePictureIndirect(LPPICTDESC desc, REFIID iid, BOOL own, LPVOID* object);
