#pragma once
// The address that opens a new mail in the user's mail program with a clip's
// text as its body.
#include <string>
#include <string_view>

namespace shell {

// "mailto:?body=" and `text` (UTF-8) written as a mail
// address must carry a body: each line break (CR LF, a lone CR or a lone LF)
// as "%0D%0A", each other byte of the text that is not an
// unreserved URL character as "%XX". So "&", "#" and "%" neither cut the body
// short nor spoil the address, and Chinese text arrives whole. No length limit.
std::string MailAddress(std::string_view text);

}  // namespace shell
