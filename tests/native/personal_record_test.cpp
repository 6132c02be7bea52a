// The personal history record: exact bytes of the writer, the forms the reader
// accepts, what the reader keeps when a file is damaged, and the fuzzer's seed
// corpus (made by the writer; PELLACOR_UPDATE_CORPUS=1 rewrites it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "personal/PersonalRecord.h"

using namespace personal;

// The records below name only the fields that matter; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// Builds expected or hand-made record bytes.
struct Bytes {
    std::vector<uint8_t> v;
    Bytes& Raw(std::string_view s) {
        v.insert(v.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& B(std::initializer_list<uint8_t> b) { return Raw({reinterpret_cast<const char*>(b.begin()), b.size()}); }
    Bytes& Le32(uint32_t n) { return B({uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)}); }
    Bytes& Short(std::string_view s) { return B({static_cast<uint8_t>(s.size())}).Raw(s); }
    // "TPF0", the class name and the empty object name.
    Bytes& Start(std::string_view className) { return Raw("TPF0").Short(className).B({0}); }
    Bytes& Prop(std::string_view name) { return Short(name); }
    Bytes& ShortValue(std::string_view s) { return B({0x06}).Short(s); }
    Bytes& End() { return B({0, 0}); }
};

std::vector<uint8_t> Write(const ClipRecord& r) { return WritePersonalRecords(std::span(&r, 1)); }

std::vector<ClipRecord> ReadBack(const std::vector<uint8_t>& bytes) {
    PersonalReadResult back = ReadPersonalRecords(bytes);
    EXPECT_FALSE(back.Error) << DescribeReadError(*back.Error);
    for (ClipRecord& record : back.Records) record.KeepBitmapBytes();  // `bytes` may be a temporary
    return back.Records;
}

// The value bytes of the one property a bare clip record carries.
std::vector<uint8_t> ValueOf(const ClipRecord& r, std::string_view property) {
    std::vector<uint8_t> all = Write(r);
    size_t head = Bytes().Start("TClip").Prop(property).v.size();
    return {all.begin() + static_cast<std::ptrdiff_t>(head), all.end() - 2};
}

ClipRecord PlainTextAbc() {
    return {.Class = ClipClass::Text, .Caption = "abc", .ImageIndex = 0,
            .CapturedAt = "Monday 07 December 2026, 10:20:30", .Source = "notepad.exe", .Text = "abc"};
}

// The same clip after an upper-case transformation, on the clipboard when saved.
ClipRecord UndoableAbc() {
    return {.Class = ClipClass::Text, .Tag = 1, .Caption = "abc", .Default = true, .ImageIndex = 0,
            .CapturedAt = "Monday 07 December 2026, 10:20:30", .Source = "notepad.exe", .Text = "ABC", .Backup = "abc"};
}

// One clip of every class; they are also the fuzzer's seeds, by name.
std::vector<std::pair<const char*, std::vector<ClipRecord>>> Seeds() {
    ClipRecord rich{.Class = ClipClass::RichText, .Caption = "中文", .ImageIndex = 1, .Text = "中文",
                    .RichText = "{\\rtf1\\ansi " + std::string(300, 'r') + "}"};
    ClipRecord html{.Class = ClipClass::HTMLText, .Caption = "你好 ab", .ImageIndex = 2, .Text = "你好 ab",
                    .HTMLText = "<b>\xE4\xBD\xA0\xE5\xA5\xBD ab</b>"};
    ClipRecord image{.Class = ClipClass::Image, .BitmapData = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0},
                     .Caption = "图像  [ 1 x 1 ]", .ImageIndex = 3};
    ClipRecord files{.Class = ClipClass::Files, .Tag = 40000, .Caption = "C:\\a.txt", .ImageIndex = 4,
                     .FileList = "C:\\a.txt\r\nC:\\目录\\b.txt"};
    ClipRecord bare{.ImageIndex = 300};
    return {{"plain_text", {PlainTextAbc()}}, {"undo_and_default", {UndoableAbc()}},
            {"rich_text", {rich}},            {"html_text", {html}},
            {"image", {image}},               {"files", {files}},
            {"bare_clip", {bare}},            {"three_clips", {PlainTextAbc(), image, files}}};
}

}  // namespace

TEST(PersonalRecordWriter, TheWorkedExampleAndItsUndoableForm) {
    Bytes plain, undoable;
    plain.Start("TClipText").Prop("Caption").ShortValue("abc").Prop("ImageIndex").B({0x02, 0x00})
        .Prop("CapturedAt").ShortValue("Monday 07 December 2026, 10:20:30")
        .Prop("Source").ShortValue("notepad.exe").Prop("Text").ShortValue("abc").End();
    ASSERT_EQ(plain.v.size(), 119u);
    undoable.Start("TClipText").Prop("Tag").B({0x02, 0x01}).Prop("Caption").ShortValue("abc")
        .Prop("Default").B({0x09}).Prop("ImageIndex").B({0x02, 0x00})
        .Prop("CapturedAt").ShortValue("Monday 07 December 2026, 10:20:30")
        .Prop("Source").ShortValue("notepad.exe").Prop("Text").ShortValue("ABC").Prop("Backup").ShortValue("abc")
        .End();
    for (const auto& [record, bytes] : {std::pair(PlainTextAbc(), plain.v), std::pair(UndoableAbc(), undoable.v)}) {
        EXPECT_EQ(Write(record), bytes);
        EXPECT_EQ(ReadBack(bytes), std::vector{record});
    }
    EXPECT_EQ(Write(ClipRecord{}), Bytes().Start("TClip").End().v);  // defaults are left out
}

TEST(PersonalRecordWriter, EachTextTakesTheFormThatHoldsItBest) {
    const std::string ascii255(255, 'x'), ascii300(300, 'x');
    const struct {
        std::string text;
        std::vector<uint8_t> value;
    } cases[] = {
        {"abc", Bytes().B({0x06, 3}).Raw("abc").v},
        {ascii255, Bytes().B({0x06, 255}).Raw(ascii255).v},
        {ascii300, Bytes().B({0x0C}).Le32(300).Raw(ascii300).v},
        // Fewer Chinese than ASCII characters: UTF-8 is shorter; as many or more: UTF-16.
        {"你好 ab", Bytes().B({0x14}).Le32(9).Raw("\xE4\xBD\xA0\xE5\xA5\xBD ab").v},
        {"中文", Bytes().B({0x12}).Le32(2).B({0x2D, 0x4E, 0x87, 0x65}).v},
        {"中a", Bytes().B({0x12}).Le32(2).B({0x2D, 0x4E, 'a', 0}).v},
        {"图像  [ 10 x 20 ]", Bytes().B({0x14}).Le32(19).Raw("\xE5\x9B\xBE\xE5\x83\x8F  [ 10 x 20 ]").v},
        // Beyond code page 936 the same rule: a surrogate pair is two units, four bytes.
        {"é ẞ 😀 ab", Bytes().B({0x14}).Le32(14).Raw("é ẞ 😀 ab").v},
        {"한국어 😀", Bytes().B({0x12}).Le32(6).B({0x5C, 0xD5, 0x6D, 0xAD, 0xB4, 0xC5, ' ', 0, 0x3D, 0xD8, 0x00, 0xDE}).v},
        {"e\u0301", Bytes().B({0x14}).Le32(3).Raw("e\u0301").v},
    };
    for (const auto& c : cases) {
        ClipRecord r{.Caption = c.text};
        EXPECT_EQ(ValueOf(r, "Caption"), c.value) << c.text;
        EXPECT_EQ(ReadBack(Write(r)), std::vector{r}) << c.text;
    }
}

TEST(PersonalRecordReader, EveryStringFormOfATextReadsAsItsText) {
    // Code-page strings (as other writers of the format, and earlier versions for
    // a text that did not convert, wrote them) hold code page 936.
    Bytes b;
    b.Start("TClipText").Prop("Caption").B({0x06, 4}).Raw("\xD6\xD0\xCE\xC4").Prop("Source").B({0x0C}).Le32(3).Raw("a\xA8\xA6")
        .Prop("Text").B({0x14}).Le32(4).Raw("😀").Prop("Backup").B({0x12}).Le32(1).B({0x5C, 0xD5}).End();
    EXPECT_EQ(ReadBack(b.v), (std::vector{ClipRecord{.Class = ClipClass::Text, .Caption = "中文", .Source = "aé",
                                                     .Text = "😀", .Backup = "한"}}));
}

TEST(PersonalRecordWriter, RichTextAndHtmlKeepTheirBytesAsEarlierVersionsWroteThem) {
    // Bytes of a clipboard format go through code page 936 as before: a lone
    // lead byte, or UTF-8, would change on the way through Unicode, so such
    // bytes are kept as they are; valid code-page-936 bytes take a Unicode form.
    const struct {
        std::string bytes;
        std::vector<uint8_t> value;
    } cases[] = {
        {"ab\x81", Bytes().B({0x06, 3}).Raw("ab\x81").v},
        {"<b>\xE4\xBD\xA0</b>", Bytes().B({0x06, 10}).Raw("<b>\xE4\xBD\xA0</b>").v},
        {"\xD6\xD0\xCE\xC4", Bytes().B({0x12}).Le32(2).B({0x2D, 0x4E, 0x87, 0x65}).v},
    };
    for (const auto& c : cases) {
        for (ClipRecord r : {ClipRecord{.Class = ClipClass::HTMLText, .HTMLText = c.bytes},
                             ClipRecord{.Class = ClipClass::RichText, .RichText = c.bytes}}) {
            const char* name = r.Class == ClipClass::HTMLText ? "HTMLText" : "RichText";
            Bytes expected = Bytes().Start(ClipClassName(r.Class)).Prop(name);
            expected.v.insert(expected.v.end(), c.value.begin(), c.value.end());
            EXPECT_EQ(Write(r), expected.End().v) << c.bytes;
            EXPECT_EQ(ReadBack(Write(r)), std::vector{r}) << c.bytes;
        }
    }
}

TEST(PersonalRecordFile, EveryClassRoundTripsInOrder) {
    std::vector<ClipRecord> all;
    for (const auto& [name, records] : Seeds()) all.insert(all.end(), records.begin(), records.end());
    EXPECT_EQ(ReadBack(WritePersonalRecords(all)), all);
    EXPECT_TRUE(WritePersonalRecords({}).empty());
    EXPECT_TRUE(ReadBack({}).empty());
}

TEST(PersonalRecordCorpus, SeedsAreWhatTheWriterWrites) {
    const std::string dir = std::string(PELLACOR_SOURCE_DIR) + "/fuzz/corpus/personal_record/";
    const bool update = std::getenv("PELLACOR_UPDATE_CORPUS") != nullptr;
    for (const auto& [name, records] : Seeds()) {
        std::vector<uint8_t> bytes = WritePersonalRecords(records);
        std::string path = dir + name;
        if (update) {
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            continue;
        }
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path << " is missing; run with PELLACOR_UPDATE_CORPUS=1";
        std::vector<uint8_t> stored{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(stored, bytes) << name;
    }
}

TEST(PersonalRecordReader, AcceptsFormsAndPropertiesTheWriterNeverUses) {
    Bytes b;
    b.Start("TClipText").Prop("Tag").B({0x04}).Le32(1).Prop("ImageIndex").B({0x03, 0x06, 0x00})
        .Prop("Source").B({0x12}).Le32(0).Prop("Default").B({0x08}).End();
    // A prefix byte (inline at a child position), an object name and the harmless
    // menu-item properties; the last of two captions counts.
    b.Raw("TPF0").B({0xF2, 0x02, 0x05}).Short("TClip").Short("clip7").Prop("Checked").B({0x08})
        .Prop("Enabled").B({0x09}).Prop("Hint").ShortValue("hint").Prop("ShortCut").B({0x03, 0x56, 0x80})
        .Prop("GroupIndex").B({0x02, 0x01}).Prop("Break").B({0x07}).Short("mbBarBreak")
        .Prop("Caption").ShortValue("first").Prop("Caption").ShortValue("last").End();
    EXPECT_EQ(ReadBack(b.v), (std::vector<ClipRecord>{{.Class = ClipClass::Text, .Tag = 1, .ImageIndex = 6},
                                                     {.Caption = "last"}}));
}

TEST(PersonalRecordReader, DamageStopsTheReadingAndKeepsTheRecordsBefore) {
    using enum RecordProblem;
    const size_t props = Bytes().Start("TClipText").v.size();
    auto valueAt = [&](std::string_view name) { return props + 1 + name.size(); };
    auto text = [] { return Bytes().Start("TClipText"); };
    auto bitmap = [] { return Bytes().Start("TClipImage").Prop("Bitmap.Data").B({0x0A}); };
    const size_t block = bitmap().v.size();
    auto longText = [&](uint32_t n) { return text().Prop("Text").B({0x0C}).Le32(n).Raw("abc").End().v; };
    const struct {
        std::vector<uint8_t> record;
        RecordProblem problem;
        size_t offset;  // within the damaged record
    } cases[] = {
        {Bytes().Start("TClipWave").Prop("Caption").ShortValue("w").End().v, UnknownClass, 4},
        {text().Prop("Color").B({0x02, 0}).End().v, UnknownProperty, props},
        {text().Prop("RichText").ShortValue("x").End().v, UnknownProperty, props},  // another class's
        {Bytes().Start("TClipFiles").Prop("Text").ShortValue("x").End().v, UnknownProperty, props + 1},
        {text().Prop("Caption").B({0x02, 1}).End().v, WrongValueType, valueAt("Caption")},
        {text().Prop("Tag").ShortValue("1").End().v, WrongValueType, valueAt("Tag")},
        {text().Prop("Break").B({0x07}).Short("mbMaybe").End().v, WrongValueType, valueAt("Break")},
        {Bytes().Raw("TPF1").Short("TClip").B({0}).End().v, BadSignature, 0},
        // A sub-item, at offset 12 after the clip's empty property list.
        {Bytes().Start("TClip").B({0}).Short("TClip").B({0}).End().v, UnexpectedSubItem, 12},
        {bitmap().Le32(8).Le32(3).B({'B', 'M', 0, 0}).End().v, BadBitmapFraming, block},  // BMP beyond its block
        {bitmap().Le32(2).B({0, 0}).End().v, BadBitmapFraming, block},                    // no room for its length
        // Huge declared lengths are damage, never allocations.
        {longText(0xFFFFFFFFu), Truncated, valueAt("Text") + 1},
        {longText(1000), Truncated, valueAt("Text") + 5},
    };
    const std::vector<uint8_t> good = Write(PlainTextAbc());
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        // A good record, the damaged one, then a good one that must not be read.
        std::vector<uint8_t> file = good;
        file.insert(file.end(), cases[i].record.begin(), cases[i].record.end());
        file.insert(file.end(), good.begin(), good.end());
        PersonalReadResult back = ReadPersonalRecords(file);
        EXPECT_EQ(back.Records, std::vector{PlainTextAbc()});
        ASSERT_TRUE(back.Error);
        EXPECT_EQ(back.Error->Problem, cases[i].problem) << back.Error->Detail;
        EXPECT_EQ(back.Error->RecordIndex, 1u);
        EXPECT_EQ(back.Error->RecordOffset, good.size());
        EXPECT_EQ(back.Error->Offset, good.size() + cases[i].offset);
    }
    // A count of UTF-16 units is doubled before it is checked.
    PersonalReadResult wide = ReadPersonalRecords(text().Prop("Text").B({0x12}).Le32(0x7FFFFFFF).Raw("ab").v);
    EXPECT_TRUE(wide.Records.empty());
    ASSERT_TRUE(wide.Error);
    EXPECT_EQ(wide.Error->Problem, Truncated);
}

TEST(PersonalRecordReader, AFileCutAnywhereKeepsTheCompleteRecords) {
    ClipRecord image{.Class = ClipClass::Image, .BitmapData = {'B', 'M', 9, 9}, .Caption = "中文", .ImageIndex = 3};
    std::vector<uint8_t> file = WritePersonalRecords(std::vector{PlainTextAbc(), image});
    const size_t firstSize = Write(PlainTextAbc()).size();
    for (size_t cut = 1; cut < file.size(); ++cut) {
        SCOPED_TRACE(cut);
        PersonalReadResult back = ReadPersonalRecords(std::span(file).first(cut));
        bool firstComplete = cut >= firstSize;
        EXPECT_EQ(back.Records, firstComplete ? std::vector{PlainTextAbc()} : std::vector<ClipRecord>{});
        if (cut == firstSize) {
            EXPECT_FALSE(back.Error);
            continue;
        }
        ASSERT_TRUE(back.Error);
        EXPECT_EQ(back.Error->Problem, RecordProblem::Truncated);
        EXPECT_EQ(back.Error->RecordOffset, firstComplete ? firstSize : 0);
        EXPECT_LE(back.Error->Offset, cut);
    }
}

TEST(PersonalRecordReader, DescribesWhereTheDamageIs) {
    std::vector<uint8_t> file = Write(PlainTextAbc()), wave = Bytes().Start("TClipWave").End().v;
    file.insert(file.end(), wave.begin(), wave.end());
    std::string text = DescribeReadError(*ReadPersonalRecords(file).Error);
    for (const char* part : {"第 2 条记录", "119", "TClipWave"})
        EXPECT_NE(text.find(part), std::string::npos) << text;
}
