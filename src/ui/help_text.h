#pragma once
// The Help / Info command's description of the program, in each language: eleven lines, each
// followed by one or two line feeds.

#include <string>

#include "ui/bilingual_text.h"

std::string helpText(Language language);
std::string helpTitle(Language language);
