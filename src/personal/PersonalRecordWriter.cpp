// Writes clip records: defaults skipped, integers in their smallest form and
// each text in the string form that holds it best.
#include <algorithm>
#include <limits>

#include "common/CodePage.h"
#include "common/Failure.h"
#include "common/LittleEndian.h"
#include "personal/PersonalRecord.h"
#include "personal/PersonalRecordFormat.h"

namespace personal {
namespace {

using namespace record_format;

class RecordWriter {
public:
    explicit RecordWriter(std::vector<uint8_t>& out) : out_(out) {}

    void Byte(uint8_t b) { out_.push_back(b); }

    void Bytes(const void* data, size_t size) {
        auto p = static_cast<const uint8_t*>(data);
        out_.insert(out_.end(), p, p + size);
    }

    void Le32(uint32_t v) { common::AppendLe32(out_, v); }

    // The format's lengths are signed 32-bit numbers.
    void Length(size_t n) {
        if (n > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
            throw common::Failure("个人历史中的一个剪辑达到 2 GiB, 无法保存.");
        Le32(static_cast<uint32_t>(n));
    }

    // Names are short strings, cut to 255 bytes.
    void ShortString(std::string_view s) {
        size_t n = std::min<size_t>(s.size(), 255);
        Byte(static_cast<uint8_t>(n));
        Bytes(s.data(), n);
    }

    void Integer(int32_t v) {
        if (v >= -128 && v <= 127) {
            Byte(kInt8);
            Byte(static_cast<uint8_t>(v));
        } else if (v >= -32768 && v <= 32767) {
            Byte(kInt16);
            common::AppendLe16(out_, static_cast<uint16_t>(v));
        } else {
            Byte(kInt32);
            Le32(static_cast<uint32_t>(v));
        }
    }

    // The text's own bytes: a short string up to 255 bytes, else a long string.
    void CodePageString(std::string_view text) {
        if (text.size() <= 255) {
            Byte(kShortString);
            ShortString(text);
        } else {
            Byte(kLongString);
            Length(text.size());
            Bytes(text.data(), text.size());
        }
    }

    // A text (UTF-8): ASCII as a code-page string, any other in the shorter of
    // the UTF-8 and the wide form.
    void Text(std::string_view text) { Unicode(text, common::Utf8ToUtf16(text)); }

    // Bytes of a clipboard format (rich text, HTML), which earlier versions
    // took for code-page-936 text: written as they did, so the same bytes come
    // back. Bytes that are not valid code-page-936 text would not come back
    // from a Unicode form; stored as they are they lose nothing.
    void FormatBytes(std::string_view bytes) {
        std::u16string wide = common::CodePageToUtf16(bytes, common::kChineseCodePage);
        if (common::Utf16ToCodePage(wide, common::kChineseCodePage) != bytes) return CodePageString(bytes);
        Unicode(bytes, wide);
    }

    // `text` with its UTF-16 form `wide`; code-page bytes when it is ASCII.
    void Unicode(std::string_view text, const std::u16string& wide) {
        std::string utf8 = common::Utf16ToUtf8(wide);
        if (utf8.size() < 2 * wide.size()) {
            if (utf8.size() == wide.size()) return CodePageString(text);  // ASCII only
            Byte(kUtf8String);
            Length(utf8.size());
            Bytes(utf8.data(), utf8.size());
        } else {
            Byte(kWideString);
            Length(wide.size());
            for (char16_t c : wide) {
                Byte(static_cast<uint8_t>(c));
                Byte(static_cast<uint8_t>(c >> 8));
            }
        }
    }

    // Bitmap.Data: a byte block holding the BMP file's length and the file.
    void BitmapData(std::span<const uint8_t> bmp) {
        if (bmp.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()) - 4)
            throw common::Failure("个人历史中的一个图像达到 2 GiB, 无法保存.");
        Byte(kByteBlock);
        Length(bmp.size() + 4);
        Length(bmp.size());
        Bytes(bmp.data(), bmp.size());
    }

private:
    std::vector<uint8_t>& out_;
};

bool HoldsDefault(const ClipRecord& r, Field field) {
    switch (field) {
        case Field::Tag: return r.Tag == 0;
        case Field::BitmapData: return r.BitmapBytes().empty();
        case Field::Default: return !r.Default;
        case Field::ImageIndex: return r.ImageIndex == -1;
        default: return TextField(r, field).empty();
    }
}

void WriteValue(RecordWriter& w, const ClipRecord& r, Field field) {
    switch (field) {
        case Field::Tag: return w.Integer(r.Tag);
        case Field::BitmapData: return w.BitmapData(r.BitmapBytes());
        case Field::Default: return w.Byte(kTrue);
        case Field::ImageIndex: return w.Integer(r.ImageIndex);
        case Field::RichText:
        case Field::HTMLText: return w.FormatBytes(TextField(r, field));
        default: return w.Text(TextField(r, field));
    }
}

}  // namespace

void WriteRecord(const ClipRecord& record, std::vector<uint8_t>& out) {
    RecordWriter w(out);
    w.Bytes(kSignature.data(), kSignature.size());
    w.ShortString(ClipClassName(record.Class));
    w.ShortString("");  // clips carry no object name
    for (Field field : kWriteOrder) {
        if (!ClassHasField(record.Class, field) || HoldsDefault(record, field)) continue;
        w.ShortString(FieldName(field));
        WriteValue(w, record, field);
    }
    w.Byte(kEndOfList);  // end of properties
    w.Byte(kEndOfList);  // end of sub-items
}

std::vector<uint8_t> WritePersonalRecords(std::span<const ClipRecord> records) {
    std::vector<uint8_t> out;
    for (const ClipRecord& r : records) WriteRecord(r, out);
    return out;
}

}  // namespace personal
