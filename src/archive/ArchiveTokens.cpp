#include "archive/ArchiveTokens.h"

#include <sqlite3.h>

#include <vector>

#include "archive/Sqlite.h"
#include "common/CaseFold.h"
#include "common/Utf8.h"

namespace archive {
namespace {

struct Character {
    char bytes[4];
    int length;
    size_t begin, end;
};

int EncodeUtf8(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

void TokenizeRun(const std::vector<Character>& run, bool query, const TokenSink& sink) {
    std::string token;
    for (size_t i = 0; i < run.size(); ++i) {
        const Character& one = run[i];
        bool last = i + 1 == run.size();
        if (!last) {
            const Character& next = run[i + 1];
            token.assign(one.bytes, static_cast<size_t>(one.length));
            token.append(next.bytes, static_cast<size_t>(next.length));
            sink(token, false, one.begin, next.end);
        }
        // A typed word of two or more characters is its pairs alone.
        if (query && run.size() > 1) continue;
        sink(std::string_view(one.bytes, static_cast<size_t>(one.length)), !last, one.begin, one.end);
    }
}

// --- the FTS5 tokenizer ---

int CreateTokenizer(void*, const char**, int, Fts5Tokenizer** out) {
    static int instance;
    *out = reinterpret_cast<Fts5Tokenizer*>(&instance);
    return SQLITE_OK;
}

void DeleteTokenizer(Fts5Tokenizer*) {}

int TokenizeForFts(Fts5Tokenizer*, void* context, int flags, const char* text, int length,
                   int (*token)(void*, int, const char*, int, int, int)) {
    int result = SQLITE_OK;
    try {
        Tokenize(std::string_view(text, static_cast<size_t>(length)), (flags & FTS5_TOKENIZE_QUERY) != 0,
                 [&](std::string_view bytes, bool colocated, size_t begin, size_t end) {
                     if (result != SQLITE_OK) return;
                     result = token(context, colocated ? FTS5_TOKEN_COLOCATED : 0, bytes.data(),
                                    static_cast<int>(bytes.size()), static_cast<int>(begin), static_cast<int>(end));
                 });
    } catch (const std::bad_alloc&) {
        return SQLITE_NOMEM;
    }
    return result == SQLITE_DONE ? SQLITE_OK : result;
}

}  // namespace

void Tokenize(std::string_view text, bool query, const TokenSink& sink) {
    std::vector<Character> run;
    for (size_t i = 0; i <= text.size();) {
        common::Utf8Character c = i < text.size() ? common::DecodeUtf8(text, i) : common::Utf8Character{0, 1};
        if (i == text.size() || c.code == 0 || common::IsWordBreak(c.code)) {
            TokenizeRun(run, query, sink);
            run.clear();
        } else {
            Character one{};
            one.length = EncodeUtf8(common::FoldCase(c.code), one.bytes);
            one.begin = i;
            one.end = i + c.length;
            run.push_back(one);
        }
        i += c.length;
    }
}

std::string MatchExpression(std::string_view typedUtf8) {
    std::string match;
    size_t start = 0;
    for (size_t i = 0; i <= typedUtf8.size();) {
        common::Utf8Character c =
            i < typedUtf8.size() ? common::DecodeUtf8(typedUtf8, i) : common::Utf8Character{0, 1};
        if (i == typedUtf8.size() || c.code == 0 || common::IsWordBreak(c.code)) {
            if (i > start) {
                if (!match.empty()) match += " AND ";
                match += '"';
                for (char byte : typedUtf8.substr(start, i - start)) {
                    if (byte == '"') match += '"';  // a quote inside a phrase is doubled: never syntax
                    match += byte;
                }
                match += '"';
            }
            start = i + c.length;
        }
        i += c.length;
    }
    return match;
}

void RegisterTokenizer(sqlite3* db) {
    fts5_api* api = nullptr;
    {
        Statement find(db, "SELECT fts5(?1)");
        // The API pointer comes back through the bound pointer.
        find.BindPointer(1, &api, "fts5_api_ptr");
        find.Step();
    }
    if (!api) throw ArchiveError(ArchiveFault::Io, "剪贴板存档无法读写.");
    static fts5_tokenizer tokenizer{CreateTokenizer, DeleteTokenizer, TokenizeForFts};
    int code = api->xCreateTokenizer(api, "pellacor", nullptr, &tokenizer, nullptr);
    if (code != SQLITE_OK) ThrowSqlite(code);
}

}  // namespace archive
