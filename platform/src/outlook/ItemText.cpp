#include "outlook/ItemText.h"

#include "store/HexText.h"
#include "store/Item.h"

namespace kelvra::outlook {

std::u16string ItemText::Of(const store::Item& item, std::string_view name) {
  const store::Value value = item.Get(name);
  if (value.Type() == store::ValueType::Binary) return store::HexText::WideOf(value.AsBinary());
  return value.AsText();
}

}  // namespace kelvra::outlook
