// Small COM objects for the tests of the COM layer: interfaces of their own, objects
// that report their destruction, and helpers to read texts.
#pragma once

#include <functional>
#include <string>

#include "com/com.h"

namespace comtest {

KELVRA_INTERFACE_IID(IShape, 0x5D1A0C01, 0x2B3C, 0x4D5E, 0x8F, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65,
                     0x76)
struct IShape : IUnknown {
  virtual int STDMETHODCALLTYPE Sides() = 0;
};

// Derived from another interface than IDispatch: names its base.
KELVRA_INTERFACE_IID(ISquare, 0x5D1A0C02, 0x2B3C, 0x4D5E, 0x8F, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65,
                     0x76)
struct ISquare : IShape {
  using BaseInterface = IShape;
  virtual int STDMETHODCALLTYPE Corners() = 0;
};

KELVRA_INTERFACE_IID(IColour, 0x5D1A0C03, 0x2B3C, 0x4D5E, 0x8F, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65,
                     0x76)
struct IColour : IUnknown {
  virtual int STDMETHODCALLTYPE Rgb() = 0;
};

KELVRA_INTERFACE_IID(ILabel, 0x5D1A0C04, 0x2B3C, 0x4D5E, 0x8F, 0x10, 0x21, 0x32, 0x43, 0x54, 0x65,
                     0x76)
struct ILabel : IDispatch {
  virtual int STDMETHODCALLTYPE Width() = 0;
};

_COM_SMARTPTR_TYPEDEF(IShape, __uuidof(IShape));
_COM_SMARTPTR_TYPEDEF(ISquare, __uuidof(ISquare));
_COM_SMARTPTR_TYPEDEF(IColour, __uuidof(IColour));
_COM_SMARTPTR_TYPEDEF(ILabel, __uuidof(ILabel));

// Sets *destroyed when the last reference goes.
template <class... Interfaces>
class Reporting : public kelvra::ComObject<Interfaces...> {
 public:
  explicit Reporting(bool* destroyed = nullptr) : destroyed_(destroyed) {}

 protected:
  ~Reporting() override {
    if (destroyed_ != nullptr) *destroyed_ = true;
  }

 private:
  bool* destroyed_;
};

// A square with a colour: answers IShape, ISquare, IColour (and IUnknown).
class ColouredSquare : public Reporting<ISquare, IColour> {
 public:
  using Reporting::Reporting;
  int STDMETHODCALLTYPE Sides() override { return 4; }
  int STDMETHODCALLTYPE Corners() override { return 4; }
  int STDMETHODCALLTYPE Rgb() override { return 0x00FF00; }
};

// Only a colour.
class Paint : public Reporting<IColour> {
 public:
  using Reporting::Reporting;
  int STDMETHODCALLTYPE Rgb() override { return 0x0000FF; }
};

// A dispatch object with a colour: answers IDispatch through ILabel.
class ColouredLabel : public Reporting<IColour, ILabel> {
 public:
  using Reporting::Reporting;
  int STDMETHODCALLTYPE Rgb() override { return 0xFF0000; }
  int STDMETHODCALLTYPE Width() override { return 80; }
};

// Its QueryInterface fails with a result other than E_NOINTERFACE for IShape.
class FailingPaint : public Paint {
 public:
  using Paint::Paint;
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
    if (iid == __uuidof(IShape)) {
      *object = nullptr;
      return E_OUTOFMEMORY;
    }
    return Paint::QueryInterface(iid, object);
  }
};

// The HRESULT of the _com_error the action raises; S_OK when it raises none.
inline HRESULT ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const _com_error& error) {
    return error.Error();
  }
  return S_OK;
}

inline std::u16string Text(const char16_t* text) { return text != nullptr ? text : u"<null>"; }
inline std::u16string Text(const _bstr_t& text) { return Text(static_cast<const char16_t*>(text)); }
inline std::string Ansi(const _bstr_t& text) {
  const char* ansi = text;
  return ansi != nullptr ? ansi : "<null>";
}

}  // namespace comtest
