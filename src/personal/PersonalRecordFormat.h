#pragma once
// Building blocks of the "TPF0" record shared by the record writer and reader.
#include <cstdint>
#include <optional>
#include <string_view>

#include "personal/PersonalRecord.h"

namespace personal::record_format {

inline constexpr std::string_view kSignature = "TPF0";

// Value-type bytes of the component stream format.
enum ValueType : uint8_t {
    kEndOfList = 0x00,
    kInt8 = 0x02,
    kInt16 = 0x03,
    kInt32 = 0x04,
    kShortString = 0x06,
    kIdent = 0x07,  // only read, for the ignored Break property
    kFalse = 0x08,
    kTrue = 0x09,
    kByteBlock = 0x0A,
    kLongString = 0x0C,
    kWideString = 0x12,
    kUtf8String = 0x14,
};

// The stored fields of a clip, in the order they are written.
enum class Field { Tag, BitmapData, Caption, Default, ImageIndex, CapturedAt, Source, Text, FileList, Backup, RichText, HTMLText };

inline constexpr Field kWriteOrder[] = {Field::Tag,        Field::BitmapData, Field::Caption, Field::Default,
                                        Field::ImageIndex, Field::CapturedAt, Field::Source,  Field::Text,
                                        Field::FileList,   Field::Backup,     Field::RichText, Field::HTMLText};

// The property name in the file ("Tag", "Bitmap.Data", ...).
std::string_view FieldName(Field field);

// The text member of a record behind a text field (every field but Tag,
// BitmapData, Default and ImageIndex).
template <typename Record>
auto& TextField(Record& r, Field field) {
    switch (field) {
        case Field::Caption: return r.Caption;
        case Field::CapturedAt: return r.CapturedAt;
        case Field::Source: return r.Source;
        case Field::Text: return r.Text;
        case Field::FileList: return r.FileList;
        case Field::Backup: return r.Backup;
        case Field::RichText: return r.RichText;
        default: return r.HTMLText;
    }
}
std::optional<Field> FieldFromName(std::string_view name);

// Whether a clip of this class has the field at all.
bool ClassHasField(ClipClass c, Field field);

}  // namespace personal::record_format
