#pragma once
// What a result of ShellExecute (and FindExecutable) of 32 or less means, for
// when the shell sets no error code of its own. Its numbers are its own, not
// system error codes: 28 is a DDE time-out here, not "printer out of paper".
#include <cstdint>
#include <string>

namespace shell {

// Results above 32 are successes.
constexpr bool ShellFailed(intptr_t result) { return result <= 32; }

// The user's text for a failed result; a result the shell does not document
// gets a general text with its number. Never a success text.
std::string ShellResultText(intptr_t result);

}  // namespace shell
