#include <gtest/gtest.h>

#include <string>

#include "com/safearray.h"
#include "com/variant_t.h"

namespace {

std::u16string TextOf(BSTR text) { return std::u16string(text, SysStringLen(text)); }

// Owns the array a test makes in array_.
class SafeArrayTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (array_ != nullptr) {
      EXPECT_EQ(SafeArrayDestroy(array_), S_OK);
    }
  }

  SAFEARRAY* array_ = nullptr;
};

// --- Shape: bounds, element type and size.

class SafeArrayShapeTest : public SafeArrayTest {};

TEST_F(SafeArrayShapeTest, BoundsCountFromTheGivenLowerBound) {
  array_ = SafeArrayCreateVector(VT_VARIANT, 5, 3);
  ASSERT_NE(array_, nullptr);
  LONG lower = 0, upper = 0;
  EXPECT_EQ(SafeArrayGetLBound(array_, 1, &lower), S_OK);
  EXPECT_EQ(SafeArrayGetUBound(array_, 1, &upper), S_OK);
  EXPECT_EQ(lower, 5);
  EXPECT_EQ(upper, 7);
  EXPECT_EQ(SafeArrayGetDim(array_), 1u);
  EXPECT_EQ(SafeArrayGetLBound(array_, 2, &lower), DISP_E_BADINDEX);
}

TEST_F(SafeArrayShapeTest, AnEmptyVectorHasItsUpperBoundBelowItsLowerBound) {
  array_ = SafeArrayCreateVector(VT_UI1, 0, 0);
  ASSERT_NE(array_, nullptr);
  LONG upper = 0;
  EXPECT_EQ(SafeArrayGetUBound(array_, 1, &upper), S_OK);
  EXPECT_EQ(upper, -1);
}

TEST_F(SafeArrayShapeTest, TheElementTypeAndSizeAreRecorded) {
  array_ = SafeArrayCreateVector(VT_UI1, 0, 48);
  VARTYPE type = VT_EMPTY;
  EXPECT_EQ(SafeArrayGetVartype(array_, &type), S_OK);
  EXPECT_EQ(type, VT_UI1);
  EXPECT_EQ(SafeArrayGetElemsize(array_), 1u);
  SAFEARRAY* variants = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  EXPECT_EQ(SafeArrayGetVartype(variants, &type), S_OK);
  EXPECT_EQ(type, VT_VARIANT);
  EXPECT_EQ(SafeArrayGetElemsize(variants), sizeof(VARIANT));
  EXPECT_NE(variants->fFeatures & FADF_VARIANT, 0);
  EXPECT_EQ(SafeArrayDestroy(variants), S_OK);
}

TEST_F(SafeArrayShapeTest, AnElementTypeItCannotHoldGivesNoArray) {
  EXPECT_EQ(SafeArrayCreateVector(VT_DISPATCH, 0, 1), nullptr);
  EXPECT_EQ(SafeArrayCreateVector(VT_EMPTY, 0, 1), nullptr);
}

// --- Elements are copied in and out.

class SafeArrayElementTest : public SafeArrayTest {};

TEST_F(SafeArrayElementTest, VariantElementsAreCopiesOwnedBySides) {
  array_ = SafeArrayCreateVector(VT_VARIANT, 1, 2);
  _variant_t text(u"kept");
  LONG index = 2;
  ASSERT_EQ(SafeArrayPutElement(array_, &index, &text), S_OK);
  text = 7L;  // the array holds its own copy
  VARIANT out;
  ASSERT_EQ(SafeArrayGetElement(array_, &index, &out), S_OK);
  ASSERT_EQ(out.vt, VT_BSTR);
  EXPECT_EQ(TextOf(out.bstrVal), u"kept");
  EXPECT_EQ(VariantClear(&out), S_OK);
  index = 1;
  ASSERT_EQ(SafeArrayGetElement(array_, &index, &out), S_OK);
  EXPECT_EQ(out.vt, VT_EMPTY);
}

TEST_F(SafeArrayElementTest, ByteAndStringElements) {
  array_ = SafeArrayCreateVector(VT_UI1, 0, 2);
  LONG index = 1;
  BYTE byte = 0xAB;
  ASSERT_EQ(SafeArrayPutElement(array_, &index, &byte), S_OK);
  BYTE read = 0;
  ASSERT_EQ(SafeArrayGetElement(array_, &index, &read), S_OK);
  EXPECT_EQ(read, 0xAB);

  SAFEARRAY* texts = SafeArrayCreateVector(VT_BSTR, 0, 1);
  BSTR mine = SysAllocString(u"zone");
  index = 0;
  ASSERT_EQ(SafeArrayPutElement(texts, &index, mine), S_OK);
  SysFreeString(mine);
  BSTR copy = nullptr;
  ASSERT_EQ(SafeArrayGetElement(texts, &index, &copy), S_OK);
  EXPECT_EQ(TextOf(copy), u"zone");
  SysFreeString(copy);
  EXPECT_EQ(SafeArrayDestroy(texts), S_OK);
}

TEST_F(SafeArrayElementTest, IndicesOutsideTheBoundsAreRefused) {
  array_ = SafeArrayCreateVector(VT_VARIANT, 1, 2);
  _variant_t value(1L);
  VARIANT out;
  for (LONG index : {0, 3, -1}) {
    EXPECT_EQ(SafeArrayPutElement(array_, &index, &value), DISP_E_BADINDEX) << index;
    EXPECT_EQ(SafeArrayGetElement(array_, &index, &out), DISP_E_BADINDEX) << index;
  }
}

// --- Direct access locks the array.

class SafeArrayAccessTest : public SafeArrayTest {};

TEST_F(SafeArrayAccessTest, AccessedDataIsTheElementsInPlace) {
  array_ = SafeArrayCreateVector(VT_UI1, 0, 3);
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array_, &data), S_OK);
  static_cast<BYTE*>(data)[2] = 9;
  ASSERT_EQ(SafeArrayUnaccessData(array_), S_OK);
  LONG index = 2;
  BYTE read = 0;
  ASSERT_EQ(SafeArrayGetElement(array_, &index, &read), S_OK);
  EXPECT_EQ(read, 9);
}

TEST_F(SafeArrayAccessTest, ALockedArrayIsNotDestroyed) {
  array_ = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array_, &data), S_OK);
  EXPECT_EQ(SafeArrayDestroy(array_), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(SafeArrayUnaccessData(array_), S_OK);
  EXPECT_EQ(SafeArrayUnaccessData(array_), E_UNEXPECTED);
}

// --- VARIANTs that hold arrays.

class VariantArrayTest : public SafeArrayTest {};

TEST_F(VariantArrayTest, CopyingAVariantCopiesItsArrayDeeply) {
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_ARRAY | VT_VARIANT;
  source.parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  _variant_t element(u"first");
  LONG index = 0;
  ASSERT_EQ(SafeArrayPutElement(source.parray, &index, &element), S_OK);

  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  ASSERT_EQ(copy.vt, VT_ARRAY | VT_VARIANT);
  EXPECT_NE(copy.parray, source.parray);
  _variant_t changed(u"second");
  ASSERT_EQ(SafeArrayPutElement(source.parray, &index, &changed), S_OK);

  VARIANT read;
  ASSERT_EQ(SafeArrayGetElement(copy.parray, &index, &read), S_OK);
  EXPECT_EQ(TextOf(read.bstrVal), u"first");
  VariantClear(&read);
  EXPECT_EQ(VariantClear(&source), S_OK);
  EXPECT_EQ(source.vt, VT_EMPTY);
  EXPECT_EQ(VariantClear(&copy), S_OK);
}

TEST_F(VariantArrayTest, ClearingAVariantWithALockedArrayFailsAndKeepsIt) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_ARRAY | VT_UI1;
  value.parray = SafeArrayCreateVector(VT_UI1, 0, 4);
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(value.parray, &data), S_OK);
  EXPECT_EQ(VariantClear(&value), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(value.vt, VT_ARRAY | VT_UI1);
  SafeArrayUnaccessData(value.parray);
  EXPECT_EQ(VariantClear(&value), S_OK);
}

TEST_F(VariantArrayTest, AByReferenceArrayIsNotOwned) {
  array_ = SafeArrayCreateVector(VT_UI1, 0, 1);
  VARIANT reference;
  VariantInit(&reference);
  reference.vt = VT_BYREF | VT_ARRAY | VT_UI1;
  reference.pparray = &array_;
  EXPECT_EQ(VariantClear(&reference), S_OK);
  LONG upper = -5;
  EXPECT_EQ(SafeArrayGetUBound(array_, 1, &upper), S_OK);  // still alive
  EXPECT_EQ(upper, 0);
}

TEST_F(VariantArrayTest, APlainVariantTypeTagIsNotAValue) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_VARIANT;
  EXPECT_EQ(VariantClear(&value), DISP_E_BADVARTYPE);
}

}  // namespace
