#include <gtest/gtest.h>

#include <string>

#include "ComTestObjects.h"
#include "atl/atlbase.h"
#include "testkit/Locale.h"

namespace {

using comtest::ColouredSquare;
using comtest::IColour;
using comtest::IShape;

// --- CComBSTR.

class ComAtlBstrTest : public ::testing::Test {
 protected:
  void TearDown() override { testkit::SetAcp(65001); }
};

TEST_F(ComAtlBstrTest, NarrowTextGoesThroughTheAnsiCodePage) {
  testkit::SetAcp(65001);
  ATL::CComBSTR utf8(
      "Gr\xC3\xBC\xC3\x9F"
      "e");
  EXPECT_EQ(std::u16string(utf8.m_str, utf8.Length()), u"Grüße");
  testkit::SetAcp(1252);
  ATL::CComBSTR western(
      "Gr\xFC\xDF"
      "e");
  EXPECT_EQ(std::u16string(western.m_str, western.Length()), u"Grüße");
}

TEST_F(ComAtlBstrTest, AppendingJoinsAndKeepsEmbeddedCharacters) {
  ATL::CComBSTR text(u"ab");
  EXPECT_EQ(text.Append(u"cd"), S_OK);
  EXPECT_EQ(text.Append("e"), S_OK);
  const char16_t withNul[] = {u'x', 0, u'y'};
  EXPECT_EQ(text.Append(withNul, 3), S_OK);
  EXPECT_EQ(text.Length(), 8u);
  EXPECT_EQ(std::u16string(text.m_str, text.Length()), std::u16string(u"abcdex\0y", 8));
  ATL::CComBSTR empty;
  EXPECT_EQ(empty.Append(u""), S_OK);
  EXPECT_TRUE(!empty) << "appending nothing to NULL leaves NULL";
}

TEST_F(ComAtlBstrTest, OwnershipMovesOnlyThroughAttachAndDetach) {
  ATL::CComBSTR text(u"held");
  BSTR copy = text.Copy();
  EXPECT_NE(copy, text.m_str);
  BSTR taken = text.Detach();
  EXPECT_TRUE(!text);
  text.Attach(copy);
  EXPECT_TRUE(text == u"held");
  SysFreeString(taken);
  // & frees what was held, so that a callee's new string does not leak the old one.
  BSTR* where = &text;
  EXPECT_EQ(*where, nullptr);
  *where = SysAllocString(u"new");
  EXPECT_TRUE(text == u"new");
}

TEST_F(ComAtlBstrTest, NullAndEmptyCompareEqual) {
  ATL::CComBSTR none, empty(u"");
  EXPECT_TRUE(none == empty);
  EXPECT_TRUE(none == static_cast<LPCOLESTR>(nullptr));
  EXPECT_FALSE(empty == u"x");
  BSTR out = reinterpret_cast<BSTR>(1);
  EXPECT_EQ(none.CopyTo(&out), S_OK);
  EXPECT_EQ(out, nullptr);
}

// --- CComVariant.

TEST(ComAtlVariantTest, CopiesAreDeepAndObjectsCounted) {
  bool destroyed = false;
  auto* square = new ColouredSquare(&destroyed);
  IUnknown* unknown = static_cast<IShape*>(square);
  {
    ATL::CComVariant object(unknown);
    EXPECT_EQ(object.vt, VT_UNKNOWN);
    ATL::CComVariant copy(object);
    EXPECT_EQ(square->RefCount(), 2u);
    ATL::CComVariant text(u"text");
    ATL::CComVariant textCopy = text;
    EXPECT_NE(text.bstrVal, textCopy.bstrVal);
    EXPECT_TRUE(text == textCopy);
    EXPECT_FALSE(text == object);
  }
  EXPECT_TRUE(destroyed);
}

TEST(ComAtlVariantTest, DetachHandsTheValueOverAndAttachTakesItBack) {
  ATL::CComVariant held(u"value");
  VARIANT out;
  VariantInit(&out);
  EXPECT_EQ(held.Detach(&out), S_OK);
  EXPECT_EQ(held.vt, VT_EMPTY);
  EXPECT_EQ(out.vt, VT_BSTR);
  ATL::CComVariant back;
  EXPECT_EQ(back.Attach(&out), S_OK);
  EXPECT_EQ(out.vt, VT_EMPTY);
  EXPECT_TRUE(back == ATL::CComVariant(u"value"));
  EXPECT_EQ(ATL::CComVariant(true).boolVal, VARIANT_TRUE);
  EXPECT_EQ(ATL::CComVariant(7L, VT_I2).iVal, 7);
}

// --- CComPtr and CComQIPtr.

TEST(ComAtlPointerTest, ReferencesAreTakenAndGivenBackExactlyOnce) {
  bool destroyed = false;
  auto* square = new ColouredSquare(&destroyed);
  {
    ATL::CComPtr<IShape> shape(square);
    ATL::CComPtr<IShape> other = shape;
    EXPECT_EQ(square->RefCount(), 2u);
    IShape* out = nullptr;
    EXPECT_EQ(shape.CopyTo(&out), S_OK);
    EXPECT_EQ(square->RefCount(), 3u);
    other.Attach(out);  // drops other's own reference, takes over out's
    EXPECT_EQ(square->RefCount(), 2u);
    IShape** where = &other;  // releases before a callee stores a new one
    EXPECT_EQ(*where, nullptr);
    EXPECT_EQ(square->RefCount(), 1u);
    IShape* detached = shape.Detach();
    EXPECT_TRUE(!shape);
    detached->Release();
  }
  EXPECT_TRUE(destroyed);
}

TEST(ComAtlPointerTest, QiPointersAskForTheirInterface) {
  bool destroyed = false;
  ATL::CComPtr<IShape> shape(new ColouredSquare(&destroyed));
  ATL::CComQIPtr<IColour> colour(shape.p);
  ASSERT_FALSE(!colour);
  EXPECT_EQ(colour->Rgb(), 0x00FF00);
  EXPECT_TRUE(colour.IsEqualObject(shape));
  ATL::CComPtr<IColour> paint(new comtest::Paint);
  ATL::CComQIPtr<IShape> none(paint.p);
  EXPECT_TRUE(!none) << "an object without the interface gives NULL";
  none = shape.p;
  EXPECT_FALSE(!none);
  colour.Release();
  none.Release();
  shape.Release();
  EXPECT_TRUE(destroyed);
}

}  // namespace
