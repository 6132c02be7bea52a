// Class and property names of the personal history record.
#include "personal/PersonalRecord.h"

#include <algorithm>

#include <array>
#include <utility>

#include "personal/PersonalRecordFormat.h"

namespace personal {
namespace {

constexpr std::array<std::pair<ClipClass, std::string_view>, 6> kClassNames = {{
    {ClipClass::Clip, "TClip"},
    {ClipClass::Text, "TClipText"},
    {ClipClass::RichText, "TClipRichText"},
    {ClipClass::HTMLText, "TClipHTMLText"},
    {ClipClass::Image, "TClipImage"},
    {ClipClass::Files, "TClipFiles"},
}};

using record_format::Field;

constexpr std::array<std::pair<Field, std::string_view>, 12> kFieldNames = {{
    {Field::Tag, "Tag"},
    {Field::BitmapData, "Bitmap.Data"},
    {Field::Caption, "Caption"},
    {Field::Default, "Default"},
    {Field::ImageIndex, "ImageIndex"},
    {Field::CapturedAt, "CapturedAt"},
    {Field::Source, "Source"},
    {Field::Text, "Text"},
    {Field::FileList, "FileList"},
    {Field::Backup, "Backup"},
    {Field::RichText, "RichText"},
    {Field::HTMLText, "HTMLText"},
}};

bool IsTextClass(ClipClass c) {
    return c == ClipClass::Text || c == ClipClass::RichText || c == ClipClass::HTMLText;
}

}  // namespace

std::string_view ClipClassName(ClipClass c) {
    for (const auto& [cls, name] : kClassNames)
        if (cls == c) return name;
    return {};
}

std::optional<ClipClass> ClipClassFromName(std::string_view name) {
    for (const auto& [cls, n] : kClassNames)
        if (n == name) return cls;
    return std::nullopt;
}

namespace record_format {

std::string_view FieldName(Field field) {
    for (const auto& [f, name] : kFieldNames)
        if (f == field) return name;
    return {};
}

std::optional<Field> FieldFromName(std::string_view name) {
    for (const auto& [f, n] : kFieldNames)
        if (n == name) return f;
    return std::nullopt;
}

bool ClassHasField(ClipClass c, Field field) {
    switch (field) {
        case Field::BitmapData: return c == ClipClass::Image;
        case Field::Text:
        case Field::Backup: return IsTextClass(c);
        case Field::FileList: return c == ClipClass::Files;
        case Field::RichText: return c == ClipClass::RichText;
        case Field::HTMLText: return c == ClipClass::HTMLText;
        default: return true;  // the menu-item properties and those of TClip
    }
}

}  // namespace record_format
void ClipRecord::KeepBitmapBytes() {
    if (BitmapView.empty()) return;
    BitmapData.assign(BitmapView.begin(), BitmapView.end());
    BitmapView = {};
}

bool ClipRecord::operator==(const ClipRecord& o) const {
    std::span<const uint8_t> bitmap = BitmapBytes(), otherBitmap = o.BitmapBytes();
    return Class == o.Class && Tag == o.Tag && std::equal(bitmap.begin(), bitmap.end(), otherBitmap.begin(), otherBitmap.end()) &&
           Caption == o.Caption && Default == o.Default && ImageIndex == o.ImageIndex && CapturedAt == o.CapturedAt &&
           Source == o.Source && Text == o.Text && FileList == o.FileList && Backup == o.Backup &&
           RichText == o.RichText && HTMLText == o.HTMLText;
}

}  // namespace personal
