#include "app/MappingItem.h"

#include "relay/Connect.h"

namespace tarvix {

TMappingItem::TMappingItem(std::uint64_t rowId) : id(rowId) {}

TMappingItem::~TMappingItem() = default;

} // namespace tarvix
