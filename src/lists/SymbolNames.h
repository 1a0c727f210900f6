#pragma once
// What an APRS symbol means, in words, for lists and information windows.
#include <string_view>

namespace velmora {

// The meaning of table and code ("Car", "Weather station"); empty when the
// symbol has none we know. An overlay character stands for the alternate table.
std::string_view SymbolMeaning(char table, char code);

}  // namespace velmora
