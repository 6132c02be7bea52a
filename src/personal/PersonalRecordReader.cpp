// Reads clip records defensively: every length is checked against the data
// still unread before anything is taken or allocated, and the first damage ends
// the reading with the records before it kept.
#include <algorithm>
#include <array>
#include <limits>
#include <optional>

#include "common/CodePage.h"
#include "common/LittleEndian.h"
#include "common/Text.h"
#include "personal/PersonalRecord.h"
#include "personal/PersonalRecordFormat.h"

namespace personal {
namespace {

using namespace record_format;

struct ReadFailure {
    RecordProblem Problem;
    size_t Offset;
    std::string Detail;
};

// Names taken from the file go into messages: keep them printable.
std::string Printable(std::string_view bytes) {
    std::string out(bytes);
    for (char& ch : out)
        if (static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) >= 0x80) ch = '?';
    return out;
}

class Cursor {
public:
    explicit Cursor(std::span<const uint8_t> data) : data_(data) {}

    size_t Position() const { return pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }

    uint8_t Peek() const {
        if (AtEnd()) throw Truncated();
        return data_[pos_];
    }

    uint8_t Byte() {
        uint8_t b = Peek();
        ++pos_;
        return b;
    }

    std::span<const uint8_t> Take(size_t n) {
        if (n > data_.size() - pos_) throw Truncated();
        auto part = data_.subspan(pos_, n);
        pos_ += n;
        return part;
    }

    uint16_t Le16() { return TakeInteger(common::ReadLe16(data_, pos_)); }
    uint32_t Le32() { return TakeInteger(common::ReadLe32(data_, pos_)); }

    // A 4-byte length; the format's lengths are signed, so the top half is damage.
    size_t Length() {
        size_t at = pos_;
        uint32_t n = Le32();
        if (n > static_cast<uint32_t>(std::numeric_limits<int32_t>::max()))
            throw ReadFailure{RecordProblem::Truncated, at, common::Format("长度 %u 无效", n)};
        return n;
    }

    std::string ShortString() {
        auto b = Take(Byte());
        return std::string(b.begin(), b.end());
    }

    ReadFailure Truncated() const { return {RecordProblem::Truncated, pos_, "数据提前结束"}; }

private:
    template <typename Unsigned>
    Unsigned TakeInteger(std::optional<Unsigned> read) {
        if (!read) throw Truncated();
        pos_ += sizeof(Unsigned);
        return *read;
    }

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

ReadFailure WrongType(size_t at, std::string_view property, uint8_t type) {
    return {RecordProblem::WrongValueType, at,
            common::Format("属性 %s 的值类型 0x%02X 不适用", Printable(property).c_str(), type)};
}

int32_t IntegerValue(Cursor& c, std::string_view property) {
    size_t at = c.Position();
    switch (uint8_t type = c.Byte()) {
        case kInt8: return static_cast<int8_t>(c.Byte());
        case kInt16: return static_cast<int16_t>(c.Le16());
        case kInt32: return static_cast<int32_t>(c.Le32());
        default: throw WrongType(at, property, type);
    }
}

bool BooleanValue(Cursor& c, std::string_view property) {
    size_t at = c.Position();
    uint8_t type = c.Byte();
    if (type == kTrue) return true;
    if (type == kFalse) return false;
    throw WrongType(at, property, type);
}

// Any of the four string forms: a text in UTF-8 (the byte forms hold code
// page 936), or the bytes of a clipboard format in the form earlier versions
// gave them (the Unicode forms converted to code page 936).
std::string StringValue(Cursor& c, std::string_view property, bool formatBytes = false) {
    const unsigned cp = common::kChineseCodePage;
    size_t at = c.Position();
    switch (uint8_t type = c.Byte()) {
        case kShortString: {
            std::string bytes = c.ShortString();
            return formatBytes ? bytes : common::CodePageToUtf8(bytes, cp);
        }
        case kLongString: {
            auto b = c.Take(c.Length());
            std::string_view bytes(reinterpret_cast<const char*>(b.data()), b.size());
            return formatBytes ? std::string(bytes) : common::CodePageToUtf8(bytes, cp);
        }
        case kUtf8String: {
            auto b = c.Take(c.Length());
            std::string_view utf8(reinterpret_cast<const char*>(b.data()), b.size());
            return formatBytes ? common::Utf8ToCodePage(utf8, cp) : common::Utf16ToUtf8(common::Utf8ToUtf16(utf8));
        }
        case kWideString: {
            size_t count = c.Length();
            if (count > std::numeric_limits<size_t>::max() / 2) throw c.Truncated();
            auto b = c.Take(2 * count);
            std::u16string wide(count, u'\0');
            for (size_t i = 0; i < count; ++i) wide[i] = common::ReadLe16(b, 2 * i).value();
            return formatBytes ? common::Utf16ToCodePage(wide, cp) : common::Utf16ToUtf8(wide);
        }
        default: throw WrongType(at, property, type);
    }
}

// The byte block holds the BMP file's length N and the N bytes; nothing else.
std::span<const uint8_t> BitmapDataValue(Cursor& c) {
    size_t at = c.Position();
    uint8_t type = c.Byte();
    if (type != kByteBlock) throw WrongType(at, "Bitmap.Data", type);
    size_t blockAt = c.Position();
    size_t blockSize = c.Length();
    auto block = c.Take(blockSize);
    std::optional<uint32_t> n = common::ReadLe32(block, 0);
    if (!n)
        throw ReadFailure{RecordProblem::BadBitmapFraming, blockAt,
                          common::Format("Bitmap.Data 的数据块只有 %s 字节", std::to_string(blockSize).c_str())};
    if (*n != blockSize - 4)
        throw ReadFailure{RecordProblem::BadBitmapFraming, blockAt,
                          common::Format("Bitmap.Data 声明 %s 字节的图像, 数据块却有 %s 字节",
                                         std::to_string(*n).c_str(), std::to_string(blockSize).c_str())};
    return block.subspan(4);
}

// Menu-item properties a clip never writes but that a reader can skip safely.
enum class IgnoredKind { Boolean, Integer, String, Break };

std::optional<IgnoredKind> IgnoredProperty(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, IgnoredKind>, 10> kIgnored = {{
        {"Checked", IgnoredKind::Boolean},
        {"Enabled", IgnoredKind::Boolean},
        {"Visible", IgnoredKind::Boolean},
        {"RadioItem", IgnoredKind::Boolean},
        {"AutoCheck", IgnoredKind::Boolean},
        {"GroupIndex", IgnoredKind::Integer},
        {"HelpContext", IgnoredKind::Integer},
        {"ShortCut", IgnoredKind::Integer},
        {"Hint", IgnoredKind::String},
        {"Break", IgnoredKind::Break},
    }};
    for (const auto& [n, kind] : kIgnored)
        if (n == name) return kind;
    return std::nullopt;
}

void SkipIgnored(Cursor& c, std::string_view name, IgnoredKind kind) {
    switch (kind) {
        case IgnoredKind::Boolean: BooleanValue(c, name); return;
        case IgnoredKind::Integer: IntegerValue(c, name); return;
        case IgnoredKind::String: StringValue(c, name); return;
        case IgnoredKind::Break: {
            size_t at = c.Position();
            uint8_t type = c.Byte();
            if (type != kIdent) throw WrongType(at, name, type);
            std::string value = c.ShortString();
            if (value != "mbNone" && value != "mbBreak" && value != "mbBarBreak")
                throw WrongType(at, name, type);
            return;
        }
    }
}

void ReadProperty(Cursor& c, ClipRecord& r, std::string_view name, size_t nameAt) {
    std::optional<Field> field = FieldFromName(name);
    if (!field || !ClassHasField(r.Class, *field)) {
        if (auto ignored = IgnoredProperty(name)) return SkipIgnored(c, name, *ignored);
        throw ReadFailure{RecordProblem::UnknownProperty, nameAt,
                          common::Format("类 %s 没有属性 \"%s\"", ClipClassName(r.Class).data(),
                                         Printable(name).c_str())};
    }
    switch (*field) {
        case Field::Tag: r.Tag = IntegerValue(c, name); return;
        case Field::ImageIndex: r.ImageIndex = IntegerValue(c, name); return;
        case Field::Default: r.Default = BooleanValue(c, name); return;
        case Field::BitmapData:
            r.BitmapView = BitmapDataValue(c);
            r.BitmapData.clear();
            return;
        case Field::RichText:
        case Field::HTMLText: TextField(r, *field) = StringValue(c, name, true); return;
        default: TextField(r, *field) = StringValue(c, name); return;
    }
}

ClipRecord ReadRecord(Cursor& c) {
    size_t start = c.Position();
    auto signature = c.Take(kSignature.size());
    if (!std::equal(signature.begin(), signature.end(), kSignature.begin()))
        throw ReadFailure{RecordProblem::BadSignature, start, "记录不以 \"TPF0\" 开头"};

    // An optional prefix byte 0xF0 to 0xFF carries flags; flag 2 brings a position.
    if ((c.Peek() & 0xF0) == 0xF0 && (c.Byte() & 0x02)) IntegerValue(c, "(prefix)");

    size_t classAt = c.Position();
    std::string className = c.ShortString();
    std::optional<ClipClass> cls = ClipClassFromName(className);
    if (!cls)
        throw ReadFailure{RecordProblem::UnknownClass, classAt,
                          common::Format("未知的类 \"%s\"", Printable(className).c_str())};
    ClipRecord record;
    record.Class = *cls;
    c.ShortString();  // the object name: clips have none, and a name would mean nothing

    for (;;) {
        size_t nameAt = c.Position();
        std::string name = c.ShortString();
        if (name.empty()) break;
        ReadProperty(c, record, name, nameAt);
    }
    size_t subItemAt = c.Position();
    if (c.Byte() != kEndOfList) throw ReadFailure{RecordProblem::UnexpectedSubItem, subItemAt, "剪辑不能含有子项"};
    return record;
}

}  // namespace

PersonalReadResult ReadPersonalRecords(std::span<const uint8_t> data) {
    PersonalReadResult result;
    Cursor c(data);
    while (!c.AtEnd()) {
        size_t start = c.Position();
        try {
            result.Records.push_back(ReadRecord(c));
        } catch (ReadFailure& failure) {
            result.Error = RecordReadError{failure.Problem, result.Records.size(), start, failure.Offset,
                                           std::move(failure.Detail)};
            break;
        }
    }
    return result;
}

std::string DescribeReadError(const RecordReadError& e) {
    return common::Format("第 %s 条记录 (从第 %s 字节起) 无法读取: %s (第 %s 字节).",
                          std::to_string(e.RecordIndex + 1).c_str(), std::to_string(e.RecordOffset).c_str(),
                          e.Detail.c_str(), std::to_string(e.Offset).c_str());
}

}  // namespace personal
