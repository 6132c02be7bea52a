#pragma once
// The archive's own full-text tokens, so that any part of a text in any
// script is found, down to one character. A text is folded as the find window
// folds it (common/CaseFold.h) and cut at the word breaks; at each character
// of a run the index holds the pair it starts and, at the same position, the
// character alone (the last character of a run only alone). A typed word of
// one character is that character's token; a longer word is the phrase of its
// consecutive pairs, which matches exactly where the word occurs.
#include <functional>
#include <string>
#include <string_view>

struct sqlite3;

namespace archive {

// Each token of `text`: its UTF-8 bytes, whether it shares the position of
// the one before, and the byte range of the text it stands for.
// `query`: the text is a typed word, not a document.
using TokenSink = std::function<void(std::string_view token, bool colocated, size_t begin, size_t end)>;
void Tokenize(std::string_view text, bool query, const TokenSink& sink);

// The MATCH expression of the words typed: each word a quoted phrase, all of
// them required; nothing typed gives "" (no words).
std::string MatchExpression(std::string_view typedUtf8);

// Registers the tokenizer "pellacor" on the connection.
void RegisterTokenizer(sqlite3* db);

}  // namespace archive
