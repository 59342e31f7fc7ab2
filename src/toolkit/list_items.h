#pragma once
// The items of a list box, kept compactly: their text lies back to back in large blocks, with a
// small index of where each item lies, so a list of a million short rows costs little more
// than its text. Appending never moves what is stored; an item replaced or removed in the
// middle leaves its old bytes unused until they outweigh the rest, and then everything is
// packed again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

class ListItems {
  public:
    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](std::size_t index) const;

    void push_back(std::string_view text);
    void replace(std::size_t index, std::string_view text);
    void erase(std::size_t index);

    std::vector<std::string> strings() const;

  private:
    struct Span {
        std::uint32_t block;
        std::uint32_t offset;
        std::uint32_t size;
    };
    // Stores the text at the end of the last block, or in a new one, and says where.
    Span store(std::string_view text);
    void repackWhenMostlyUnused();

    std::vector<std::string> blocks_;
    std::vector<Span> spans_;
    std::size_t used_ = 0;    // bytes of the items
    std::size_t unused_ = 0;  // bytes of replaced and removed items still in the blocks
};

}  // namespace tk
