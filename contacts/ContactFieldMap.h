// Which Outlook contact property each field of a parsed card goes to, as one table:
// setting a new contact from a card and telling whether two contacts agree on what a
// card sets.
#pragma once

#include "contacts/ParsedCard.h"
#include "outlook/outlook.h"
#include "redemption/redemption.h"

class ContactFieldMap {
 public:
  // Sets every non-empty text of the card, its dates when set and its sensitivity
  // (the picture is the caller's affair).
  static void Apply(const ParsedCard& card, Outlook::_ContactItem& contact);

  // True when the two contacts hold the same value in every property the card sets:
  // texts compared code unit by code unit (the guarded ones read through each
  // contact's Redemption view), dates by value.
  static bool Same(const ParsedCard& card, Outlook::_ContactItem& made,
                   Redemption::ISafeContactItem& madeView, Outlook::_ContactItem& candidate,
                   Redemption::ISafeContactItem& candidateView);
};
