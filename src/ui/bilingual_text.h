#pragma once
// The two languages of the user interface, texts kept as one structure with an instance for
// each language, and the fields of the ";"-separated caption tables of the command buttons.

#include <string>
#include <string_view>
#include <vector>

enum class Language { English = 0, Czech = 1 };

// The texts of one concern, a structure of them, in each language: texts[language] is the
// instance of that language. A new text is a member of the structure and a value in each.
template <typename Texts>
struct Bilingual {
    Texts english;
    Texts czech;

    constexpr const Texts& operator[](Language language) const {
        return language == Language::English ? english : czech;
    }
};

// The fields of the text, split at every ";". Empty fields are kept, so "a;;b" has three.
std::vector<std::string> splitFields(std::string_view text);
