#include "database/jet/usage_map.h"

#include <string>

#include "database/jet/data_page.h"

namespace jet {
namespace {

constexpr uint8_t inline_map = 0x00;
constexpr uint8_t page_list_map = 0x01;
constexpr size_t bitmap_page_header = 4;

void add_marked(std::span<const uint8_t> bitmap, uint64_t first_page, std::vector<uint32_t>& out) {
  for (size_t byte = 0; byte < bitmap.size(); ++byte) {
    if (bitmap[byte] == 0) continue;
    for (unsigned bit = 0; bit < 8; ++bit) {
      if ((bitmap[byte] >> bit & 1) == 0) continue;
      const uint64_t page = first_page + byte * 8 + bit;
      if (page <= UINT32_MAX) out.push_back(static_cast<uint32_t>(page));
    }
  }
}

}  // namespace

std::vector<uint32_t> read_usage_map(PageCache& pages, RowPointer where) {
  const Region map = read_row(pages, where);
  std::vector<uint32_t> marked;
  switch (map.u8(0)) {
    case inline_map: {
      const uint32_t first = map.u32(1);
      add_marked(map.bytes().subspan(5), first, marked);
      break;
    }
    case page_list_map: {
      const uint64_t pages_per_map = (pages.page_size() - bitmap_page_header) * 8ull;
      const size_t entries = (map.size() - 1) / 4;
      for (size_t i = 0; i < entries; ++i) {
        const uint32_t bitmap_page = map.u32(1 + 4 * i);
        if (bitmap_page == 0) continue;
        const auto page = pages.page(bitmap_page);
        if (page->u8(0) != static_cast<uint8_t>(PageType::usage_map))
          page->fail("a usage bitmap page was expected, the page is of type " +
                     std::to_string(page->u8(0)));
        add_marked(page->bytes().subspan(bitmap_page_header), i * pages_per_map, marked);
      }
      break;
    }
    default:
      map.fail("the usage map in row " + std::to_string(where.row) + " is of unknown type " +
               std::to_string(map.u8(0)));
  }
  return marked;
}

}  // namespace jet
