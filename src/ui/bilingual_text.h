#pragma once
// The two languages of the user interface and the ";"-separated strings that hold a text in
// both: pair strings (English;Czech), the check-box strings (caption;tooltip for each language)
// and the caption tables of the command buttons.

#include <string>
#include <string_view>
#include <vector>

enum class Language { English = 0, Czech = 1 };

// The fields of the text, split at every ";". Empty fields are kept, so "a;;b" has three.
std::vector<std::string> splitFields(std::string_view text);

// The text of a pair string in the language: field 0 in English, field 1 in Czech.
std::string pairText(std::string_view pair, Language language);
