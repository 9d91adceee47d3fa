// One-dimensional SAFEARRAYs. The element type sits in front of the descriptor, as
// FADF_HAVEVARTYPE promises.
#include "com/safearray.h"

#include <cstddef>
#include <cstring>

namespace {

struct ArrayBlock {
  VARTYPE type;
  SAFEARRAY array;
};

ArrayBlock* BlockOf(SAFEARRAY* array) {
  return reinterpret_cast<ArrayBlock*>(reinterpret_cast<std::byte*>(array) -
                                       offsetof(ArrayBlock, array));
}

ULONG ElementSize(VARTYPE type) {
  switch (type) {
    case VT_VARIANT:
      return sizeof(VARIANT);
    case VT_BSTR:
      return sizeof(BSTR);
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
      return 4;
    case VT_R8:
    case VT_DATE:
      return 8;
    default:
      return 0;
  }
}

USHORT FeaturesOf(VARTYPE type) {
  USHORT features = FADF_HAVEVARTYPE;
  if (type == VT_VARIANT) features |= FADF_VARIANT;
  if (type == VT_BSTR) features |= FADF_BSTR;
  return features;
}

BSTR CopyText(BSTR text) {
  if (text == nullptr) return nullptr;
  return SysAllocStringByteLen(reinterpret_cast<LPCSTR>(text), SysStringByteLen(text));
}

// The address of the element at *index; null outside the bounds.
std::byte* ElementAt(SAFEARRAY* array, const LONG* index) {
  const SAFEARRAYBOUND& bound = array->rgsabound[0];
  const LONGLONG offset = static_cast<LONGLONG>(*index) - bound.lLbound;
  if (offset < 0 || offset >= static_cast<LONGLONG>(bound.cElements)) return nullptr;
  return static_cast<std::byte*>(array->pvData) + offset * array->cbElements;
}

void ClearElements(SAFEARRAY* array) {
  const VARTYPE type = BlockOf(array)->type;
  for (ULONG i = 0; i < array->rgsabound[0].cElements; ++i) {
    std::byte* element = static_cast<std::byte*>(array->pvData) + i * array->cbElements;
    if (type == VT_VARIANT) VariantClear(reinterpret_cast<VARIANT*>(element));
    if (type == VT_BSTR) SysFreeString(*reinterpret_cast<BSTR*>(element));
  }
}

}  // namespace

SAFEARRAY* WINAPI SafeArrayCreateVector(VARTYPE type, LONG lowerBound, ULONG elements) {
  const ULONG size = ElementSize(type);
  if (size == 0) return nullptr;
  auto* block = new ArrayBlock{};
  block->type = type;
  SAFEARRAY& array = block->array;
  array.cDims = 1;
  array.fFeatures = FeaturesOf(type);
  array.cbElements = size;
  array.pvData = new std::byte[static_cast<std::size_t>(size) * elements + 1]();
  array.rgsabound[0] = SAFEARRAYBOUND{elements, lowerBound};
  return &array;
}

HRESULT WINAPI SafeArrayDestroy(SAFEARRAY* array) {
  if (array == nullptr) return S_OK;
  if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
  ClearElements(array);
  delete[] static_cast<std::byte*>(array->pvData);
  delete BlockOf(array);
  return S_OK;
}

HRESULT WINAPI SafeArrayCopy(SAFEARRAY* array, SAFEARRAY** copy) {
  if (copy == nullptr) return E_INVALIDARG;
  *copy = nullptr;
  if (array == nullptr) return S_OK;
  const SAFEARRAYBOUND& bound = array->rgsabound[0];
  SAFEARRAY* made = SafeArrayCreateVector(BlockOf(array)->type, bound.lLbound, bound.cElements);
  if (made == nullptr) return E_OUTOFMEMORY;
  for (LONG index = bound.lLbound; index < bound.lLbound + static_cast<LONG>(bound.cElements);
       ++index) {
    std::byte* source = ElementAt(array, &index);
    const VARTYPE type = BlockOf(array)->type;
    void* element = type == VT_BSTR ? static_cast<void*>(*reinterpret_cast<BSTR*>(source))
                                    : static_cast<void*>(source);
    const HRESULT result = SafeArrayPutElement(made, &index, element);
    if (FAILED(result)) {
      SafeArrayDestroy(made);
      return result;
    }
  }
  *copy = made;
  return S_OK;
}

HRESULT WINAPI SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* element) {
  if (array == nullptr || indices == nullptr) return E_INVALIDARG;
  std::byte* target = ElementAt(array, indices);
  if (target == nullptr) return DISP_E_BADINDEX;
  switch (BlockOf(array)->type) {
    case VT_VARIANT:
      if (element == nullptr) return E_INVALIDARG;
      return VariantCopy(reinterpret_cast<VARIANT*>(target), static_cast<VARIANT*>(element));
    case VT_BSTR: {
      BSTR copy = CopyText(static_cast<BSTR>(element));
      if (element != nullptr && copy == nullptr) return E_OUTOFMEMORY;
      SysFreeString(*reinterpret_cast<BSTR*>(target));
      *reinterpret_cast<BSTR*>(target) = copy;
      return S_OK;
    }
    default:
      if (element == nullptr) return E_INVALIDARG;
      std::memcpy(target, element, array->cbElements);
      return S_OK;
  }
}

HRESULT WINAPI SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* element) {
  if (array == nullptr || indices == nullptr || element == nullptr) return E_INVALIDARG;
  std::byte* source = ElementAt(array, indices);
  if (source == nullptr) return DISP_E_BADINDEX;
  switch (BlockOf(array)->type) {
    case VT_VARIANT:
      VariantInit(static_cast<VARIANT*>(element));
      return VariantCopy(static_cast<VARIANT*>(element), reinterpret_cast<VARIANT*>(source));
    case VT_BSTR: {
      const BSTR text = *reinterpret_cast<BSTR*>(source);
      BSTR copy = CopyText(text);
      if (text != nullptr && copy == nullptr) return E_OUTOFMEMORY;
      *static_cast<BSTR*>(element) = copy;
      return S_OK;
    }
    default:
      std::memcpy(element, source, array->cbElements);
      return S_OK;
  }
}

HRESULT WINAPI SafeArrayAccessData(SAFEARRAY* array, void** data) {
  if (array == nullptr || data == nullptr) return E_INVALIDARG;
  ++array->cLocks;
  *data = array->pvData;
  return S_OK;
}

HRESULT WINAPI SafeArrayUnaccessData(SAFEARRAY* array) {
  if (array == nullptr) return E_INVALIDARG;
  if (array->cLocks == 0) return E_UNEXPECTED;
  --array->cLocks;
  return S_OK;
}

UINT WINAPI SafeArrayGetDim(SAFEARRAY* array) { return array == nullptr ? 0 : array->cDims; }

HRESULT WINAPI SafeArrayGetLBound(SAFEARRAY* array, UINT dimension, LONG* bound) {
  if (array == nullptr || bound == nullptr) return E_INVALIDARG;
  if (dimension != 1) return DISP_E_BADINDEX;
  *bound = array->rgsabound[0].lLbound;
  return S_OK;
}

HRESULT WINAPI SafeArrayGetUBound(SAFEARRAY* array, UINT dimension, LONG* bound) {
  if (array == nullptr || bound == nullptr) return E_INVALIDARG;
  if (dimension != 1) return DISP_E_BADINDEX;
  *bound = array->rgsabound[0].lLbound + static_cast<LONG>(array->rgsabound[0].cElements) - 1;
  return S_OK;
}

UINT WINAPI SafeArrayGetElemsize(SAFEARRAY* array) {
  return array == nullptr ? 0 : array->cbElements;
}

HRESULT WINAPI SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type) {
  if (array == nullptr || type == nullptr) return E_INVALIDARG;
  *type = BlockOf(array)->type;
  return S_OK;
}
