#include "toolkit/list_items.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>

namespace tk {

namespace {

// Large enough that a block's unused tail is small beside it, small enough to cost nothing for
// a short list.
constexpr std::size_t BlockSize = std::size_t{1} << 18;
constexpr std::size_t MostItem = std::numeric_limits<std::uint32_t>::max();

}  // namespace

std::string_view ListItems::operator[](std::size_t index) const {
    const Span& span = spans_.at(index);
    return std::string_view(blocks_[span.block]).substr(span.offset, span.size);
}

ListItems::Span ListItems::store(std::string_view text) {
    if (text.size() > MostItem) {
        throw std::length_error("list item too long");
    }
    if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < text.size()) {
        if (blocks_.size() >= MostItem) {
            throw std::length_error("list too long");
        }
        blocks_.emplace_back().reserve(std::max(BlockSize, text.size()));
    }
    std::string& block = blocks_.back();
    const Span span{static_cast<std::uint32_t>(blocks_.size() - 1),
                    static_cast<std::uint32_t>(block.size()),
                    static_cast<std::uint32_t>(text.size())};
    block.append(text);
    used_ += text.size();
    return span;
}

void ListItems::push_back(std::string_view text) {
    spans_.push_back(store(text));
}

// A text that fits where the old one lay takes its place.
void ListItems::replace(std::size_t index, std::string_view text) {
    Span& span = spans_.at(index);
    if (text.size() <= span.size) {
        blocks_[span.block].replace(span.offset, text.size(), text);
        used_ -= span.size - text.size();
        unused_ += span.size - text.size();
        span.size = static_cast<std::uint32_t>(text.size());
    } else {
        const Span stored = store(text);
        used_ -= spans_[index].size;
        unused_ += spans_[index].size;
        spans_[index] = stored;
    }
    repackWhenMostlyUnused();
}

// The last item stored gives its bytes back at once, so a list emptied from its end (or a
// viewer refilled) leaves nothing unused behind.
void ListItems::erase(std::size_t index) {
    const Span span = spans_.at(index);
    spans_.erase(spans_.begin() + static_cast<std::ptrdiff_t>(index));
    used_ -= span.size;
    std::string& block = blocks_[span.block];
    if (span.block + 1 == blocks_.size() && span.offset + span.size == block.size()) {
        block.resize(span.offset);
        if (block.empty()) {
            blocks_.pop_back();
        }
    } else {
        unused_ += span.size;
    }
    if (spans_.empty()) {
        blocks_.clear();
        unused_ = 0;
    }
    repackWhenMostlyUnused();
}

std::vector<std::string> ListItems::strings() const {
    std::vector<std::string> items;
    items.reserve(spans_.size());
    for (std::size_t index = 0; index < spans_.size(); ++index) {
        items.emplace_back((*this)[index]);
    }
    return items;
}

void ListItems::repackWhenMostlyUnused() {
    if (unused_ < BlockSize || unused_ < used_) {
        return;
    }
    ListItems packed;
    packed.spans_.reserve(spans_.size());
    for (std::size_t index = 0; index < spans_.size(); ++index) {
        packed.push_back((*this)[index]);
    }
    *this = std::move(packed);
}

}  // namespace tk
