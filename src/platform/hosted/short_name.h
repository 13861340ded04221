// Short (8.3) names made the way Windows makes them: "Program Files" becomes
// "PROGRA~1", with the lowest number that the folder does not use yet.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tavlin::hosted {

// True when the name is a valid 8.3 name as it stands (letter case aside): it is
// then its own short name.
bool fitsShortName(std::string_view name);

// The short name for a long name that does not fit 8.3. taken answers whether a
// candidate (upper case) is already used in the folder.
std::string makeShortName(std::string_view longName, const std::function<bool(const std::string&)>& taken);

// The same, trying numbers from firstNumber on (every lower one is known to be
// taken); firstNumber becomes the number after the one given.
std::string makeShortName(std::string_view longName, const std::function<bool(const std::string&)>& taken,
                          unsigned& firstNumber);

// What decides the candidates of makeShortName: long names with the same
// sequence get the same candidates, in the same order.
std::string shortNameSequence(std::string_view longName);

}  // namespace tavlin::hosted
