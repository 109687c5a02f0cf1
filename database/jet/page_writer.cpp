#include "database/jet/page_writer.h"

namespace jet {

std::vector<uint32_t> PageWriter::write_order(const PageCache::Staged& pages, uint32_t file_page_count) {
  std::vector<uint32_t> order;
  order.reserve(pages.size());
  for (const auto& [number, page] : pages)
    if (number >= file_page_count) order.push_back(number);
  for (const auto& [number, page] : pages)
    if (number < file_page_count) order.push_back(number);
  return order;
}

void PageWriter::write(const PageCache::Staged& pages, uint32_t file_page_count) {
  size_t step = 0;
  for (const uint32_t number : write_order(pages, file_page_count)) {
    if (hook_) hook_(step, number);
    const auto& page = *pages.at(number);
    file_.write(static_cast<uint64_t>(number) * page.size(), page.bytes());
    ++step;
  }
  file_.flush();
}

}  // namespace jet
