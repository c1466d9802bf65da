#pragma once

#include <memory>
#include <vector>

#include "model/Tablature.h"

namespace lutaris {

// Puts tab items into reading order: ascending `position`, items of equal position in the
// order given. What a person reads is this order, whatever order the list keeps (creation or
// load order, which the file stores).
//
// Linear when the positions are a run of consecutive numbers, each once, as a document's are and
// a drag-selection's; anything else is sorted.
void SortIntoReadingOrder(std::vector<Tablature*>& items);

// The document's tab items in reading order.
std::vector<Tablature*> ItemsInReadingOrder(const std::vector<std::unique_ptr<Tablature>>& items);

}  // namespace lutaris
