#include <gtest/gtest.h>

#include <string>

#include "ComTestObjects.h"
#include "com/com.h"

using comtest::ColouredLabel;
using comtest::ErrorOf;
using comtest::IColourPtr;
using comtest::ILabelPtr;
using comtest::Text;

namespace {

class VariantApiTest : public ::testing::Test {};

TEST_F(VariantApiTest, ClearReleasesTheInterfaceAndLeavesEmpty) {
  ILabelPtr label(new ColouredLabel);
  auto* object = static_cast<ColouredLabel*>(label.GetInterfacePtr());
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_DISPATCH;
  value.pdispVal = label;
  object->AddRef();
  EXPECT_EQ(VariantClear(&value), S_OK);
  EXPECT_EQ(value.vt, VT_EMPTY);
  EXPECT_EQ(object->RefCount(), 1u);
}

TEST_F(VariantApiTest, ClearFreesTheBstr) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  value.bstrVal = SysAllocString(u"freed by clear");
  EXPECT_EQ(VariantClear(&value), S_OK);
  EXPECT_EQ(value.vt, VT_EMPTY);
}

TEST_F(VariantApiTest, ClearLeavesWhatAByRefValuePointsTo) {
  VARIANT_BOOL cancel = VARIANT_TRUE;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BYREF | VT_BOOL;
  value.pboolVal = &cancel;
  EXPECT_EQ(VariantClear(&value), S_OK);
  EXPECT_EQ(value.vt, VT_EMPTY);
  EXPECT_EQ(cancel, VARIANT_TRUE);
}

TEST_F(VariantApiTest, UnknownTypeIsRefusedAndLeftAlone) {
  VARIANT value;
  VariantInit(&value);
  value.vt = 0x7F;
  EXPECT_EQ(VariantClear(&value), DISP_E_BADVARTYPE);
  EXPECT_EQ(value.vt, 0x7F);
  VARIANT target;
  VariantInit(&target);
  EXPECT_EQ(VariantCopy(&target, &value), DISP_E_BADVARTYPE);
  EXPECT_EQ(target.vt, VT_EMPTY);
  EXPECT_EQ(VariantClear(nullptr), E_INVALIDARG);
}

TEST_F(VariantApiTest, CopyDuplicatesTheBstr) {
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_BSTR;
  source.bstrVal = SysAllocString(u"text");
  VARIANT target;
  VariantInit(&target);
  ASSERT_EQ(VariantCopy(&target, &source), S_OK);
  EXPECT_EQ(target.vt, VT_BSTR);
  EXPECT_NE(target.bstrVal, source.bstrVal);
  EXPECT_EQ(std::u16string(target.bstrVal), u"text");
  VariantClear(&source);
  VariantClear(&target);
}

TEST_F(VariantApiTest, CopyTakesAReferenceAndReleasesThePreviousValue) {
  ILabelPtr first(new ColouredLabel);
  ILabelPtr second(new ColouredLabel);
  VARIANT target;
  VariantInit(&target);
  target.vt = VT_DISPATCH;
  target.pdispVal = first;
  first->AddRef();
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_DISPATCH;
  source.pdispVal = second;
  ASSERT_EQ(VariantCopy(&target, &source), S_OK);
  EXPECT_EQ(static_cast<ColouredLabel*>(first.GetInterfacePtr())->RefCount(), 1u);
  EXPECT_EQ(static_cast<ColouredLabel*>(second.GetInterfacePtr())->RefCount(), 2u);
  EXPECT_EQ(VariantCopy(&target, &target), S_OK);
  EXPECT_EQ(static_cast<ColouredLabel*>(second.GetInterfacePtr())->RefCount(), 2u);
  VariantClear(&target);
}

class VariantValueTest : public ::testing::Test {};

TEST_F(VariantValueTest, NumberConstructorsTakeTheTypeAsked) {
  _variant_t wide(7L);
  EXPECT_EQ(wide.vt, VT_I4);
  EXPECT_EQ(wide.lVal, 7);
  _variant_t missing(static_cast<LONG>(DISP_E_PARAMNOTFOUND), VT_ERROR);
  EXPECT_EQ(missing.vt, VT_ERROR);
  EXPECT_EQ(missing.scode, DISP_E_PARAMNOTFOUND);
  _variant_t flag(5, VT_BOOL);
  EXPECT_EQ(flag.vt, VT_BOOL);
  EXPECT_EQ(flag.boolVal, VARIANT_TRUE);
  _variant_t when(36526.5, VT_DATE);
  EXPECT_EQ(when.vt, VT_DATE);
  EXPECT_EQ(when.date, 36526.5);
}

TEST_F(VariantValueTest, TextConstructorsMakeTheirOwnBstr) {
  _bstr_t shared(u"name");
  _variant_t fromBstr(shared);
  EXPECT_EQ(fromBstr.vt, VT_BSTR);
  EXPECT_NE(fromBstr.bstrVal, static_cast<const char16_t*>(shared));
  EXPECT_EQ(Text(fromBstr.bstrVal), u"name");
  EXPECT_EQ(Text(_variant_t(u"wide").bstrVal), u"wide");
  EXPECT_EQ(Text(_variant_t("narrow").bstrVal), u"narrow");
}

TEST_F(VariantValueTest, WrongTypesAndOutOfRangeNumbersRaise) {
  EXPECT_EQ(ErrorOf([] { _variant_t(1, VT_BSTR); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([] { _variant_t(1.0, VT_I4); }), E_INVALIDARG);
  EXPECT_EQ(ErrorOf([] { _variant_t(0x100000000L); }), DISP_E_OVERFLOW);
}

TEST_F(VariantValueTest, InterfaceConstructorTakesAReferenceUnlessToldNot) {
  bool destroyed = false;
  ILabelPtr label(new ColouredLabel(&destroyed));
  auto* object = static_cast<ColouredLabel*>(label.GetInterfacePtr());
  {
    _variant_t value(static_cast<IDispatch*>(label));
    EXPECT_EQ(value.vt, VT_DISPATCH);
    EXPECT_EQ(object->RefCount(), 2u);
    _variant_t copy = value;
    EXPECT_EQ(object->RefCount(), 3u);
  }
  EXPECT_EQ(object->RefCount(), 1u);
  _variant_t owner(static_cast<IDispatch*>(label.Detach()), false);
  EXPECT_EQ(object->RefCount(), 1u);
  owner.Clear();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(owner.vt, VT_EMPTY);
}

TEST_F(VariantValueTest, CopyAndAssignmentDuplicateTheValue) {
  _variant_t original(u"copied");
  _variant_t copy(original);
  EXPECT_NE(copy.bstrVal, original.bstrVal);
  EXPECT_EQ(Text(copy.bstrVal), u"copied");
  _variant_t assigned(3);
  assigned = original;
  EXPECT_EQ(assigned.vt, VT_BSTR);
  EXPECT_EQ(Text(assigned.bstrVal), u"copied");
  assigned = 9;
  EXPECT_EQ(assigned.vt, VT_I4);
  _variant_t moved(std::move(copy));
  EXPECT_EQ(copy.vt, VT_EMPTY);
  EXPECT_EQ(Text(moved.bstrVal), u"copied");
}

TEST_F(VariantValueTest, VariantCanBeTakenOverOrCopied) {
  VARIANT raw;
  VariantInit(&raw);
  raw.vt = VT_BSTR;
  raw.bstrVal = SysAllocString(u"raw");
  BSTR held = raw.bstrVal;
  _variant_t copied(raw, true);
  EXPECT_NE(copied.bstrVal, held);
  EXPECT_EQ(raw.vt, VT_BSTR);
  _variant_t taken(raw, false);
  EXPECT_EQ(taken.bstrVal, held);
  EXPECT_EQ(raw.vt, VT_EMPTY);
}

TEST_F(VariantValueTest, DetachHandsTheValueOver) {
  _variant_t value(u"handed");
  VARIANT raw = value.Detach();
  EXPECT_EQ(value.vt, VT_EMPTY);
  EXPECT_EQ(raw.vt, VT_BSTR);
  EXPECT_EQ(Text(raw.bstrVal), u"handed");
  VariantClear(&raw);
}

class VariantConversionTest : public ::testing::Test {};

TEST_F(VariantConversionTest, NumbersConvertAmongEachOther) {
  EXPECT_EQ(static_cast<LONG>(_variant_t(42)), 42);
  EXPECT_EQ(static_cast<double>(_variant_t(42)), 42.0);
  EXPECT_EQ(static_cast<LONG>(_variant_t(true)), -1);
  EXPECT_EQ(static_cast<LONG>(_variant_t()), 0);
  EXPECT_TRUE(static_cast<bool>(_variant_t(2)));
  EXPECT_FALSE(static_cast<bool>(_variant_t(0.0)));
  EXPECT_EQ(static_cast<double>(_variant_t(36526.25, VT_DATE)), 36526.25);
}

TEST_F(VariantConversionTest, FractionsRoundHalfToEven) {
  EXPECT_EQ(static_cast<LONG>(_variant_t(2.5)), 2);
  EXPECT_EQ(static_cast<LONG>(_variant_t(3.5)), 4);
  EXPECT_EQ(static_cast<LONG>(_variant_t(-1.6)), -2);
}

TEST_F(VariantConversionTest, TextConvertsFromBstrEmptyAndIntegers) {
  EXPECT_EQ(Text(static_cast<_bstr_t>(_variant_t(u"as is"))), u"as is");
  EXPECT_EQ(Text(static_cast<_bstr_t>(_variant_t())), u"");
  EXPECT_EQ(Text(static_cast<_bstr_t>(_variant_t(-17))), u"-17");
}

TEST_F(VariantConversionTest, ImpossibleConversionsRaise) {
  EXPECT_EQ(ErrorOf([] { (void)static_cast<LONG>(_variant_t(u"12")); }), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(ErrorOf([] { (void)static_cast<_bstr_t>(_variant_t(1.5)); }), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(ErrorOf([] {
              VARIANT null;
              VariantInit(&null);
              null.vt = VT_NULL;
              (void)static_cast<double>(_variant_t(null));
            }),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(ErrorOf([] { (void)static_cast<LONG>(_variant_t(3e10)); }), DISP_E_OVERFLOW);
}

}  // namespace
