// The personal history record: exact bytes of the writer, every form the
// reader accepts, and what the reader keeps when a file is damaged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clips/PersonalRecord.h"

using namespace clips;

namespace {

// Builds expected or hand-made record bytes.
struct Bytes {
    std::vector<uint8_t> v;
    Bytes& Raw(std::string_view s) {
        v.insert(v.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& B(std::initializer_list<uint8_t> bytes) {
        v.insert(v.end(), bytes);
        return *this;
    }
    Bytes& Le32(uint32_t n) { return B({uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)}); }
    Bytes& Short(std::string_view s) {
        v.push_back(static_cast<uint8_t>(s.size()));
        return Raw(s);
    }
    // "TPF0", the class name and the empty object name.
    Bytes& Start(std::string_view className) { return Raw("TPF0").Short(className).B({0}); }
    Bytes& Prop(std::string_view name) { return Short(name); }
    Bytes& ShortValue(std::string_view s) { return B({0x06}).Short(s); }
    Bytes& End() { return B({0, 0}); }
};

std::vector<uint8_t> Write(const ClipRecord& r) {
    std::vector<uint8_t> out;
    WriteRecord(r, out);
    return out;
}

// The value bytes of a caption, as written after the property name.
std::vector<uint8_t> CaptionValue(std::string caption) {
    ClipRecord r;
    r.Caption = std::move(caption);
    std::vector<uint8_t> all = Write(r);
    size_t head = Bytes().Start("TClip").Prop("Caption").v.size();
    return std::vector<uint8_t>(all.begin() + head, all.end() - 2);
}

ClipRecord PlainTextAbc() {
    ClipRecord r;
    r.Class = ClipClass::Text;
    r.Caption = "abc";
    r.ImageIndex = 0;
    r.CapturedAt = "Monday 07 December 2026, 10:20:30";
    r.Source = "notepad.exe";
    r.Text = "abc";
    return r;
}

PersonalReadResult Read(const std::vector<uint8_t>& bytes) { return ReadPersonalRecords(bytes); }

}  // namespace

TEST(PersonalRecordWriter, PlainTextClipIsTheWorkedExample) {
    Bytes expected;
    expected.Start("TClipText")
        .Prop("Caption").ShortValue("abc")
        .Prop("ImageIndex").B({0x02, 0x00})
        .Prop("CapturedAt").ShortValue("Monday 07 December 2026, 10:20:30")
        .Prop("Source").ShortValue("notepad.exe")
        .Prop("Text").ShortValue("abc")
        .End();
    ASSERT_EQ(expected.v.size(), 119u);
    EXPECT_EQ(Write(PlainTextAbc()), expected.v);

    PersonalReadResult back = Read(expected.v);
    ASSERT_FALSE(back.Error);
    ASSERT_EQ(back.Records.size(), 1u);
    EXPECT_EQ(back.Records[0], PlainTextAbc());
}

TEST(PersonalRecordWriter, EachTextTakesTheFormThatHoldsItBest) {
    EXPECT_EQ(CaptionValue("abc"), Bytes().B({0x06, 3}).Raw("abc").v);

    std::string ascii255(255, 'x'), ascii256(256, 'x'), ascii300(300, 'x');
    EXPECT_EQ(CaptionValue(ascii255), Bytes().B({0x06, 255}).Raw(ascii255).v);
    EXPECT_EQ(CaptionValue(ascii256), Bytes().B({0x0C}).Le32(256).Raw(ascii256).v);
    EXPECT_EQ(CaptionValue(ascii300), Bytes().B({0x0C}).Le32(300).Raw(ascii300).v);

    // Fewer Chinese than ASCII characters: UTF-8 is shorter.
    EXPECT_EQ(CaptionValue("你好 ab"), Bytes().B({0x14}).Le32(9).Raw("\xE4\xBD\xA0\xE5\xA5\xBD ab").v);
    // As many Chinese as ASCII characters, or more: UTF-16.
    EXPECT_EQ(CaptionValue("中文"), Bytes().B({0x12}).Le32(2).B({0x2D, 0x4E, 0x87, 0x65}).v);
    EXPECT_EQ(CaptionValue("中a"), Bytes().B({0x12}).Le32(2).B({0x2D, 0x4E, 'a', 0}).v);
    EXPECT_EQ(CaptionValue("图像  [ 10 x 20 ]"),
              Bytes().B({0x14}).Le32(19).Raw("\xE5\x9B\xBE\xE5\x83\x8F  [ 10 x 20 ]").v);
}

TEST(PersonalRecordWriter, BytesThatAreNotCodePageTextAreStoredAsTheyAre) {
    // A lone lead byte and UTF-8 taken from the clipboard would change on the
    // way through Unicode; they are kept byte for byte.
    for (std::string text : {std::string("ab\x81"), std::string("<b>\xE4\xBD\xA0</b>")}) {
        std::vector<uint8_t> value = CaptionValue(text);
        ASSERT_EQ(value[0], 0x06) << text;
        ClipRecord r;
        r.Caption = text;
        PersonalReadResult back = Read(Write(r));
        ASSERT_EQ(back.Records.size(), 1u);
        EXPECT_EQ(back.Records[0].Caption, text);
    }
}

TEST(PersonalRecordWriter, IntegersUseTheSmallestForm) {
    auto tagValue = [](int32_t tag) {
        ClipRecord r;
        r.Tag = tag;
        std::vector<uint8_t> all = Write(r);
        size_t head = Bytes().Start("TClip").Prop("Tag").v.size();
        return std::vector<uint8_t>(all.begin() + head, all.end() - 2);
    };
    EXPECT_EQ(tagValue(1), Bytes().B({0x02, 0x01}).v);
    EXPECT_EQ(tagValue(-128), Bytes().B({0x02, 0x80}).v);
    EXPECT_EQ(tagValue(127), Bytes().B({0x02, 0x7F}).v);
    EXPECT_EQ(tagValue(128), Bytes().B({0x03, 0x80, 0x00}).v);
    EXPECT_EQ(tagValue(-129), Bytes().B({0x03, 0x7F, 0xFF}).v);
    EXPECT_EQ(tagValue(-32768), Bytes().B({0x03, 0x00, 0x80}).v);
    EXPECT_EQ(tagValue(32768), Bytes().B({0x04}).Le32(32768).v);
    EXPECT_EQ(tagValue(INT32_MIN), Bytes().B({0x04}).Le32(0x80000000u).v);

    for (int32_t tag : {1, -1, 127, -128, 128, -129, 32767, -32768, 32768, INT32_MAX, INT32_MIN}) {
        ClipRecord r;
        r.Tag = tag;
        PersonalReadResult back = Read(Write(r));
        ASSERT_EQ(back.Records.size(), 1u);
        EXPECT_EQ(back.Records[0].Tag, tag);
    }
}

TEST(PersonalRecordWriter, DefaultsAreSkippedAndTheFlagsWrittenInOrder) {
    ClipRecord fresh;
    EXPECT_EQ(Write(fresh), Bytes().Start("TClip").End().v);

    ClipRecord r = PlainTextAbc();
    r.Tag = 1;
    r.Default = true;
    r.Text = "ABC";
    r.Backup = "abc";
    Bytes expected;
    expected.Start("TClipText")
        .Prop("Tag").B({0x02, 0x01})
        .Prop("Caption").ShortValue("abc")
        .Prop("Default").B({0x09})
        .Prop("ImageIndex").B({0x02, 0x00})
        .Prop("CapturedAt").ShortValue("Monday 07 December 2026, 10:20:30")
        .Prop("Source").ShortValue("notepad.exe")
        .Prop("Text").ShortValue("ABC")
        .Prop("Backup").ShortValue("abc")
        .End();
    EXPECT_EQ(Write(r), expected.v);
    PersonalReadResult back = Read(expected.v);
    ASSERT_EQ(back.Records.size(), 1u);
    EXPECT_EQ(back.Records[0], r);
}

TEST(PersonalRecordWriter, ImageDataComesBeforeTheCaptionWithItsLength) {
    ClipRecord r;
    r.Class = ClipClass::Image;
    r.BitmapData = {'B', 'M', 1, 2, 3};
    r.Caption = "图像  [ 10 x 20 ]";
    r.ImageIndex = 3;
    r.Text = "never stored: images have no text";
    std::vector<uint8_t> bytes = Write(r);
    Bytes head;
    head.Start("TClipImage").Prop("Bitmap.Data").B({0x0A}).Le32(9).Le32(5).B({'B', 'M', 1, 2, 3}).Prop("Caption");
    ASSERT_GT(bytes.size(), head.v.size());
    EXPECT_TRUE(std::equal(head.v.begin(), head.v.end(), bytes.begin()));

    PersonalReadResult back = Read(bytes);
    ASSERT_FALSE(back.Error);
    ASSERT_EQ(back.Records.size(), 1u);
    r.Text.clear();
    EXPECT_EQ(back.Records[0], r);
}

TEST(PersonalRecordFile, EveryClassRoundTripsInOrder) {
    std::vector<ClipRecord> records(6);
    records[0] = PlainTextAbc();
    records[1].Class = ClipClass::RichText;
    records[1].Caption = "中文说明 rich";
    records[1].ImageIndex = 1;
    records[1].Text = "rich";
    records[1].RichText = std::string("{\\rtf1 ") + std::string(400, 'r') + "}";
    records[2].Class = ClipClass::HTMLText;
    records[2].ImageIndex = 2;
    records[2].Text = "你好";
    records[2].HTMLText = "Version:0.9\r\n<b>\xE4\xBD\xA0\xE5\xA5\xBD</b>";
    records[2].Default = true;
    records[3].Class = ClipClass::Files;
    records[3].Caption = "C:\\文件\\a.txt";
    records[3].ImageIndex = 4;
    records[3].FileList = "C:\\文件\\a.txt\r\nC:\\b.txt";
    records[4].Class = ClipClass::Image;
    records[4].BitmapData.assign(300, 0xAB);
    records[4].ImageIndex = 3;
    records[5].Class = ClipClass::Text;
    records[5].ImageIndex = 6;
    records[5].Text = "http://example.com/";
    records[5].CapturedAt = "2026年12月7日";
    records[5].Source = "不可用";

    std::vector<uint8_t> bytes = WritePersonalRecords(records);
    PersonalReadResult back = Read(bytes);
    ASSERT_FALSE(back.Error) << DescribeReadError(*back.Error);
    EXPECT_EQ(back.Records, records);
}

TEST(PersonalRecordFile, NoRecordsMakeAnEmptyFile) {
    EXPECT_TRUE(WritePersonalRecords({}).empty());
    PersonalReadResult back = Read({});
    EXPECT_TRUE(back.Records.empty());
    EXPECT_FALSE(back.Error);
}

TEST(PersonalRecordReader, AcceptsEveryIntegerAndStringForm) {
    Bytes b;
    b.Start("TClipText")
        .Prop("Tag").B({0x04}).Le32(1)
        .Prop("ImageIndex").B({0x03, 0x06, 0x00})
        .Prop("Caption").B({0x0C}).Le32(3).Raw("abc")
        .Prop("Text").B({0x12}).Le32(2).B({0x2D, 0x4E, 0x87, 0x65})
        .Prop("Backup").B({0x14}).Le32(9).Raw("\xE4\xBD\xA0\xE5\xA5\xBD ab")
        .Prop("Source").B({0x12}).Le32(0)
        .Prop("Default").B({0x08})
        .End();
    PersonalReadResult back = Read(b.v);
    ASSERT_FALSE(back.Error) << DescribeReadError(*back.Error);
    ASSERT_EQ(back.Records.size(), 1u);
    const ClipRecord& r = back.Records[0];
    EXPECT_EQ(r.Class, ClipClass::Text);
    EXPECT_EQ(r.Tag, 1);
    EXPECT_EQ(r.ImageIndex, 6);
    EXPECT_EQ(r.Caption, "abc");
    EXPECT_EQ(r.Text, "中文");
    EXPECT_EQ(r.Backup, "你好 ab");
    EXPECT_EQ(r.Source, "");
    EXPECT_FALSE(r.Default);
}

TEST(PersonalRecordReader, AcceptsThePrefixByteAndHarmlessMenuItemProperties) {
    Bytes b;
    b.Raw("TPF0").B({0xF0}).Short("TClip").B({0}).Prop("Caption").ShortValue("one").End();
    b.Raw("TPF0").B({0xF2, 0x02, 0x05}).Short("TClip").Short("clip7")  // child position 5, a name
        .Prop("Checked").B({0x08})
        .Prop("Enabled").B({0x09})
        .Prop("Hint").ShortValue("hint")
        .Prop("ShortCut").B({0x03, 0x56, 0x80})
        .Prop("GroupIndex").B({0x02, 0x01})
        .Prop("Break").B({0x07}).Short("mbBarBreak")
        .Prop("Caption").ShortValue("first")
        .Prop("Caption").ShortValue("last")
        .End();
    PersonalReadResult back = Read(b.v);
    ASSERT_FALSE(back.Error) << DescribeReadError(*back.Error);
    ASSERT_EQ(back.Records.size(), 2u);
    EXPECT_EQ(back.Records[0].Caption, "one");
    EXPECT_EQ(back.Records[1].Caption, "last");
}

namespace {

// A good record, then the damaged one, then a good one that must not be read.
void ExpectStopsAtSecondRecord(const Bytes& damaged, RecordProblem problem, size_t offsetInDamaged) {
    std::vector<uint8_t> first = Write(PlainTextAbc());
    std::vector<uint8_t> file = first;
    file.insert(file.end(), damaged.v.begin(), damaged.v.end());
    std::vector<uint8_t> last = Write(PlainTextAbc());
    file.insert(file.end(), last.begin(), last.end());

    PersonalReadResult back = ReadPersonalRecords(file);
    ASSERT_EQ(back.Records.size(), 1u);
    EXPECT_EQ(back.Records[0], PlainTextAbc());
    ASSERT_TRUE(back.Error);
    EXPECT_EQ(back.Error->Problem, problem) << back.Error->Detail;
    EXPECT_EQ(back.Error->RecordIndex, 1u);
    EXPECT_EQ(back.Error->RecordOffset, first.size());
    EXPECT_EQ(back.Error->Offset, first.size() + offsetInDamaged);
}

}  // namespace

TEST(PersonalRecordReader, UnknownClassesAndPropertiesStopTheReading) {
    ExpectStopsAtSecondRecord(Bytes().Start("TClipWave").Prop("Caption").ShortValue("w").End(),
                              RecordProblem::UnknownClass, 4);
    ExpectStopsAtSecondRecord(Bytes().Start("TButton").End(), RecordProblem::UnknownClass, 4);

    size_t props = Bytes().Start("TClipText").v.size();
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Color").B({0x02, 0}).End(),
                              RecordProblem::UnknownProperty, props);
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("OnClick").B({0x07}).Short("ClipClick").End(),
                              RecordProblem::UnknownProperty, props);
    // Real properties of another clip class.
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("RichText").ShortValue("x").End(),
                              RecordProblem::UnknownProperty, props);
    ExpectStopsAtSecondRecord(Bytes().Start("TClipFiles").Prop("Text").ShortValue("x").End(),
                              RecordProblem::UnknownProperty, props + 1);
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Bitmap.Data").B({0x0A}).Le32(4).Le32(0).End(),
                              RecordProblem::UnknownProperty, props);
}

TEST(PersonalRecordReader, ValuesThatDoNotFitTheirPropertyStopTheReading) {
    size_t props = Bytes().Start("TClipText").v.size();
    auto valueAt = [&](std::string_view name) { return props + 1 + name.size(); };
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Caption").B({0x02, 1}).End(),
                              RecordProblem::WrongValueType, valueAt("Caption"));
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Default").B({0x02, 1}).End(),
                              RecordProblem::WrongValueType, valueAt("Default"));
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Tag").ShortValue("1").End(),
                              RecordProblem::WrongValueType, valueAt("Tag"));
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Text").B({0x0A}).Le32(0).End(),
                              RecordProblem::WrongValueType, valueAt("Text"));
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Enabled").B({0x02, 1}).End(),
                              RecordProblem::WrongValueType, valueAt("Enabled"));
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Break").B({0x07}).Short("mbMaybe").End(),
                              RecordProblem::WrongValueType, valueAt("Break"));
    ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Caption").B({0x13}).Le32(0).Le32(0).End(),
                              RecordProblem::WrongValueType, valueAt("Caption"));
}

TEST(PersonalRecordReader, DamagedFramingStopsTheReading) {
    ExpectStopsAtSecondRecord(Bytes().Raw("TPF1").Short("TClip").B({0}).End(), RecordProblem::BadSignature, 0);
    ExpectStopsAtSecondRecord(Bytes().Start("TClip").B({0}).Short("TClip").B({0}).End(),
                              RecordProblem::UnexpectedSubItem, Bytes().Start("TClip").v.size() + 1);

    size_t block = Bytes().Start("TClipImage").Prop("Bitmap.Data").v.size() + 1;
    ExpectStopsAtSecondRecord(
        Bytes().Start("TClipImage").Prop("Bitmap.Data").B({0x0A}).Le32(8).Le32(3).B({'B', 'M', 0, 0}).End(),
        RecordProblem::BadBitmapFraming, block);
    ExpectStopsAtSecondRecord(Bytes().Start("TClipImage").Prop("Bitmap.Data").B({0x0A}).Le32(2).B({0, 0}).End(),
                              RecordProblem::BadBitmapFraming, block);
}

TEST(PersonalRecordReader, HugeDeclaredLengthsAreDamageNotAllocations) {
    size_t value = Bytes().Start("TClipText").Prop("Text").v.size() + 1;
    for (uint32_t n : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 1000u}) {
        SCOPED_TRACE(n);
        ExpectStopsAtSecondRecord(Bytes().Start("TClipText").Prop("Text").B({0x0C}).Le32(n).Raw("abc").End(),
                                  RecordProblem::Truncated, n > 0x7FFFFFFFu ? value : value + 4);
    }
    // A count of UTF-16 units is doubled before it is checked.
    Bytes wide;
    wide.Start("TClipText").Prop("Text").B({0x12}).Le32(0x7FFFFFFF).Raw("ab");
    PersonalReadResult back = ReadPersonalRecords(wide.v);
    EXPECT_TRUE(back.Records.empty());
    ASSERT_TRUE(back.Error);
    EXPECT_EQ(back.Error->Problem, RecordProblem::Truncated);
}

TEST(PersonalRecordReader, AFileCutAnywhereKeepsTheCompleteRecords) {
    ClipRecord image;
    image.Class = ClipClass::Image;
    image.BitmapData = {'B', 'M', 9, 9};
    image.Caption = "中文";
    image.ImageIndex = 3;
    std::vector<ClipRecord> records = {PlainTextAbc(), image};
    std::vector<uint8_t> file = WritePersonalRecords(records);
    size_t firstSize = Write(PlainTextAbc()).size();

    for (size_t cut = 1; cut < file.size(); ++cut) {
        SCOPED_TRACE(cut);
        PersonalReadResult back = ReadPersonalRecords(std::span(file).first(cut));
        size_t complete = cut < firstSize ? 0 : 1;
        ASSERT_EQ(back.Records.size(), complete);
        if (complete) {
            EXPECT_EQ(back.Records[0], PlainTextAbc());
        }
        if (cut == firstSize) {
            EXPECT_FALSE(back.Error);
            continue;
        }
        ASSERT_TRUE(back.Error);
        EXPECT_EQ(back.Error->Problem, RecordProblem::Truncated);
        EXPECT_EQ(back.Error->RecordOffset, complete ? firstSize : 0);
        EXPECT_LE(back.Error->Offset, cut);
    }
}

TEST(PersonalRecordReader, DescribesWhereTheDamageIs) {
    std::vector<uint8_t> file = Write(PlainTextAbc());
    std::vector<uint8_t> wave = Bytes().Start("TClipWave").End().v;
    file.insert(file.end(), wave.begin(), wave.end());
    PersonalReadResult back = ReadPersonalRecords(file);
    ASSERT_TRUE(back.Error);
    std::string text = DescribeReadError(*back.Error);
    EXPECT_NE(text.find("第 2 条记录"), std::string::npos) << text;
    EXPECT_NE(text.find("119"), std::string::npos) << text;
    EXPECT_NE(text.find("TClipWave"), std::string::npos) << text;
}
