#include <gtest/gtest.h>

#include "ComTestObjects.h"
#include "com/com.h"

using comtest::ColouredLabel;
using comtest::ColouredSquare;
using comtest::ErrorOf;
using comtest::FailingPaint;
using comtest::IColour;
using comtest::IColourPtr;
using comtest::ILabelPtr;
using comtest::IShape;
using comtest::IShapePtr;
using comtest::ISquare;
using comtest::ISquarePtr;
using comtest::Paint;

namespace {

// A square whose count and end the tests watch.
class ComPtrTest : public ::testing::Test {
 protected:
  // A square no test took ownership of still has to go.
  void TearDown() override {
    if (!destroyed_ && Count() == 0) ISquarePtr{Raw()};
  }

  ULONG Count() const { return square_->RefCount(); }
  ISquare* Raw() const { return square_; }

  bool destroyed_ = false;
  ColouredSquare* square_ = new ColouredSquare(&destroyed_);
};

class ComPtrOwnershipTest : public ComPtrTest {};

TEST_F(ComPtrOwnershipTest, EachOwnerHoldsOneReference) {
  {
    ISquarePtr first(Raw());
    EXPECT_EQ(Count(), 1u);
    ISquarePtr second = first;
    EXPECT_EQ(Count(), 2u);
    ISquarePtr third;
    third = second;
    EXPECT_EQ(Count(), 3u);
    ISquarePtr moved(std::move(third));
    EXPECT_EQ(Count(), 3u);
    EXPECT_EQ(third.GetInterfacePtr(), nullptr);
  }
  EXPECT_TRUE(destroyed_);
}

TEST_F(ComPtrOwnershipTest, ReassignmentReleasesTheOldObject) {
  ISquarePtr owner(Raw());
  bool otherDestroyed = false;
  owner = static_cast<ISquare*>(new ColouredSquare(&otherDestroyed));
  EXPECT_TRUE(destroyed_);
  owner = nullptr;
  EXPECT_TRUE(otherDestroyed);
}

TEST_F(ComPtrOwnershipTest, SelfAssignmentKeepsTheObject) {
  ISquarePtr owner(Raw());
  ISquarePtr& alias = owner;
  owner = alias;
  owner = owner.GetInterfacePtr();
  EXPECT_EQ(Count(), 1u);
  EXPECT_FALSE(destroyed_);
}

TEST_F(ComPtrOwnershipTest, AttachAndDetachMoveTheCallersReference) {
  Raw()->AddRef();
  ISquarePtr owner;
  owner.Attach(Raw());
  EXPECT_EQ(Count(), 1u);
  ISquare* detached = owner.Detach();
  EXPECT_EQ(detached, Raw());
  EXPECT_EQ(owner.GetInterfacePtr(), nullptr);
  EXPECT_EQ(Count(), 1u);
  owner.Attach(detached, true);
  EXPECT_EQ(Count(), 2u);
  detached->Release();
  ISquarePtr adopted(Raw(), false);
  Raw()->AddRef();
  EXPECT_EQ(Count(), 2u);
}

TEST_F(ComPtrOwnershipTest, AddressReleasesTheHeldReferenceFirst) {
  ISquarePtr owner(Raw());
  ISquare** slot = &owner;
  EXPECT_TRUE(destroyed_);
  EXPECT_EQ(*slot, nullptr);
  *slot = new ColouredSquare;
  (*slot)->AddRef();
  EXPECT_EQ(owner->Corners(), 4);
}

TEST_F(ComPtrOwnershipTest, ReleaseDropsTheReferenceAndLeavesNull) {
  ISquarePtr owner(Raw());
  owner.AddRef();
  EXPECT_EQ(Count(), 2u);
  owner.Release();
  EXPECT_EQ(owner.GetInterfacePtr(), nullptr);
  EXPECT_EQ(Count(), 1u);
  Raw()->Release();
  EXPECT_TRUE(destroyed_);
}

class ComPtrQueryTest : public ComPtrTest {};

TEST_F(ComPtrQueryTest, BuiltFromAnotherInterfaceItQueriesForItsOwn) {
  ISquarePtr square(Raw());
  IColourPtr colour(square);
  ASSERT_NE(colour.GetInterfacePtr(), nullptr);
  EXPECT_EQ(colour->Rgb(), 0x00FF00);
  EXPECT_EQ(Count(), 2u);
  IColourPtr fromRaw(Raw());
  EXPECT_EQ(Count(), 3u);
}

TEST_F(ComPtrQueryTest, BaseInterfaceIsQueriedToo) {
  IShapePtr shape(Raw());
  ASSERT_NE(shape.GetInterfacePtr(), nullptr);
  EXPECT_EQ(shape->Sides(), 4);
}

TEST_F(ComPtrQueryTest, UnsupportedInterfaceGivesNull) {
  bool paintDestroyed = false;
  IColourPtr paint(new Paint(&paintDestroyed));
  ISquarePtr square(paint);
  EXPECT_EQ(square.GetInterfacePtr(), nullptr);
  square = paint;
  EXPECT_EQ(square.GetInterfacePtr(), nullptr);
  paint = nullptr;
  EXPECT_TRUE(paintDestroyed);
}

TEST_F(ComPtrQueryTest, AssignmentFromAnotherInterfaceQueriesAndReleasesTheOld) {
  bool paintDestroyed = false;
  IColourPtr colour(new Paint(&paintDestroyed));
  ISquarePtr square(Raw());
  colour = square;
  EXPECT_TRUE(paintDestroyed);
  EXPECT_EQ(colour->Rgb(), 0x00FF00);
  EXPECT_EQ(Count(), 2u);
}

TEST_F(ComPtrQueryTest, QueryFailureOtherThanNoInterfaceRaises) {
  IColourPtr failing(new FailingPaint);
  EXPECT_EQ(ErrorOf([&] { IShapePtr shape(failing); }), E_OUTOFMEMORY);
}

TEST_F(ComPtrQueryTest, VariantGivesItsInterface) {
  ILabelPtr label(new ColouredLabel);
  _variant_t value(static_cast<IDispatch*>(label));
  IColourPtr colour(value);
  ASSERT_NE(colour.GetInterfacePtr(), nullptr);
  EXPECT_EQ(colour->Rgb(), 0xFF0000);
  IDispatchPtr dispatch = value;
  EXPECT_TRUE(dispatch == label);
  _variant_t unknown(static_cast<IUnknown*>(Raw()));
  ISquarePtr square = unknown;
  EXPECT_EQ(square.GetInterfacePtr(), Raw());
  EXPECT_EQ(ErrorOf([] { IColourPtr fromNumber(_variant_t(3)); }), DISP_E_TYPEMISMATCH);
}

class ComPtrNullTest : public ComPtrTest {};

TEST_F(ComPtrNullTest, MemberAccessThroughNullRaisesEPointer) {
  ISquarePtr none;
  EXPECT_EQ(ErrorOf([&] { none->Corners(); }), E_POINTER);
  EXPECT_EQ(ErrorOf([&] { (*none).Corners(); }), E_POINTER);
  EXPECT_EQ(ErrorOf([&] { none.AddRef(); }), E_POINTER);
  EXPECT_EQ(ErrorOf([&] { none.Release(); }), E_POINTER);
}

TEST_F(ComPtrNullTest, ComparesWithNull) {
  ISquarePtr none = NULL;
  ISquarePtr some(Raw());
  EXPECT_TRUE(none == NULL);
  EXPECT_TRUE(NULL == none);
  EXPECT_TRUE(none == nullptr);
  EXPECT_TRUE(none == 0);
  EXPECT_TRUE(some != NULL);
  EXPECT_FALSE(some == nullptr);
  EXPECT_TRUE(!none);
  EXPECT_TRUE(some);
  some = NULL;
  EXPECT_TRUE(some == NULL);
}

TEST_F(ComPtrNullTest, NumberOtherThanZeroIsNoPointer) {
  EXPECT_EQ(ErrorOf([] { ISquarePtr bad(1); }), E_POINTER);
}

class ComPtrIdentityTest : public ComPtrTest {};

TEST_F(ComPtrIdentityTest, InterfacesOfOneObjectCompareEqual) {
  ISquarePtr square(Raw());
  IColourPtr colour(square);
  IShapePtr shape(square);
  EXPECT_TRUE(square == colour);
  EXPECT_TRUE(colour == square);
  EXPECT_TRUE(shape == colour.GetInterfacePtr());
  IUnknownPtr viaSquare(square);
  IUnknownPtr viaColour(colour);
  EXPECT_EQ(viaSquare.GetInterfacePtr(), viaColour.GetInterfacePtr());
}

TEST_F(ComPtrIdentityTest, DifferentObjectsCompareUnequal) {
  ISquarePtr square(Raw());
  IColourPtr other(new Paint);
  EXPECT_FALSE(square == other);
  EXPECT_TRUE(square != other);
  EXPECT_FALSE(square == IColourPtr());
}

class ComObjectTest : public ::testing::Test {};

TEST_F(ComObjectTest, AnswersItsInterfacesAndIDispatchThroughTheOneDerivedFromIt) {
  ILabelPtr label(new ColouredLabel);
  void* found = nullptr;
  ASSERT_EQ(label->QueryInterface(IID_IDispatch, &found), S_OK);
  EXPECT_EQ(found, static_cast<IDispatch*>(label.GetInterfacePtr()));
  static_cast<IUnknown*>(found)->Release();
  ASSERT_EQ(label->QueryInterface(__uuidof(IColour), &found), S_OK);
  static_cast<IUnknown*>(found)->Release();
}

TEST_F(ComObjectTest, RefusesOtherInterfacesWithNullOut) {
  IColourPtr paint(new Paint);
  int sentinel = 0;
  void* found = &sentinel;
  EXPECT_EQ(paint->QueryInterface(IID_IDispatch, &found), E_NOINTERFACE);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(paint->QueryInterface(IID_NULL, &found), E_NOINTERFACE);
  EXPECT_EQ(paint->QueryInterface(__uuidof(IShape), nullptr), E_POINTER);
  EXPECT_EQ(static_cast<Paint*>(paint.GetInterfacePtr())->RefCount(), 1u);
}

}  // namespace
