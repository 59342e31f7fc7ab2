#pragma once
// The maker's web address: opened by a click on the credit label and named in the help text.

namespace launch {

inline constexpr const char* MakerAddress = "https://opalist.example.org/";

}  // namespace launch
