#include "redemption/RedemptionClasses.h"

#include "redemption/StoreMapiUtils.h"
#include "redemption/StoreSafeAppointmentItem.h"
#include "redemption/StoreSafeContactItem.h"

namespace kelvra::redemption {

namespace {

constexpr CLSID kSafeContactItemClass{
    0x4B3E7B01, 0x5C21, 0x4D8B, {0x9E, 0x6F, 0x3A, 0x1B, 0x2C, 0x4D, 0x5E, 0x6F}};
constexpr CLSID kMapiUtilsClass{
    0x4B3E7B02, 0x5C21, 0x4D8B, {0x9E, 0x6F, 0x3A, 0x1B, 0x2C, 0x4D, 0x5E, 0x6F}};
constexpr CLSID kSafeAppointmentItemClass{
    0x4B3E7B03, 0x5C21, 0x4D8B, {0x9E, 0x6F, 0x3A, 0x1B, 0x2C, 0x4D, 0x5E, 0x6F}};

}  // namespace

void RegisterClasses(com::ClassRegistry& registry) {
  registry.Register(u"Redemption.SafeContactItem", kSafeContactItemClass,
                    &com::CreateObject<StoreSafeContactItem>);
  registry.Register(u"Redemption.MapiUtils", kMapiUtilsClass, &com::CreateObject<StoreMapiUtils>);
  registry.Register(u"Redemption.SafeAppointmentItem", kSafeAppointmentItemClass,
                    &com::CreateObject<StoreSafeAppointmentItem>);
}

}  // namespace kelvra::redemption
