#pragma once
// The record codec of the personal history file Personal.dat.
//
// The file is a run of records with nothing between them. Each record is one
// clip in the component stream format: "TPF0", the class name, an empty object
// name, the clip's properties that differ from their defaults, then two 0 bytes.
// Texts are held here in UTF-8, as everywhere in the program; the codec
// converts them to and from the file's string forms. The rich text and the
// HTML are the bytes of their clipboard formats.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <memory>
#include <vector>

namespace personal {

// The clip classes a record may name. Wave clips never enter the personal
// history, so they have no place here.
enum class ClipClass { Clip, Text, RichText, HTMLText, Image, Files };

// "TClip", "TClipText", ... as written in the file.
std::string_view ClipClassName(ClipClass c);
std::optional<ClipClass> ClipClassFromName(std::string_view name);

// The stored state of one clip. Default values are never written.
struct ClipRecord {
    ClipClass Class = ClipClass::Clip;
    int32_t Tag = 0;                  // 1 while a text transformation can be undone
    std::vector<uint8_t> BitmapData;  // a complete BMP file (TClipImage only); empty = no image
    // The same when read from a file: the bytes within the data read, valid as
    // long as that data is (no copy of a large picture is made on the way).
    std::span<const uint8_t> BitmapView;
    // The same when a clip hands over the BMP it keeps: shared, never changed,
    // so a save copies no picture and encodes none again.
    std::shared_ptr<const std::vector<uint8_t>> SharedBitmap;
    std::string Caption;
    bool Default = false;  // the clip was on the clipboard when saved
    int32_t ImageIndex = -1;  // clip kind 0 to 6
    std::string CapturedAt;
    std::string Source;
    std::string Text;      // TClipText, TClipRichText, TClipHTMLText
    std::string FileList;  // TClipFiles
    std::string Backup;    // TClipText, TClipRichText, TClipHTMLText
    std::string RichText;  // TClipRichText
    std::string HTMLText;  // TClipHTMLText

    std::span<const uint8_t> BitmapBytes() const {
        if (!BitmapView.empty()) return BitmapView;
        return SharedBitmap ? std::span<const uint8_t>(*SharedBitmap) : std::span<const uint8_t>(BitmapData);
    }
    // Makes the record independent of the data it was read from.
    void KeepBitmapBytes();

    // Two records are equal when they hold the same values, wherever their picture's bytes are.
    bool operator==(const ClipRecord& other) const;
};

// Appends one record. Fields the record's class does not have are not written,
// so everything written reads back. Throws std::length_error for a value of 2 GiB
// or more, which the format cannot hold.
void WriteRecord(const ClipRecord& record, std::vector<uint8_t>& out);

// The whole file for these records; no records give no bytes.
std::vector<uint8_t> WritePersonalRecords(std::span<const ClipRecord> records);

enum class RecordProblem {
    Truncated,          // the data ends, or a declared length runs past its end
    BadSignature,       // the record does not start with "TPF0"
    UnknownClass,       // not one of the six clip classes
    UnknownProperty,    // a property name the record's class does not have
    WrongValueType,     // a value type that does not fit the property
    BadBitmapFraming,   // Bitmap.Data whose inner length does not match its block
    UnexpectedSubItem,  // a clip has no sub-items
};

struct RecordReadError {
    RecordProblem Problem;
    std::size_t RecordIndex;   // 0-based number of the damaged record
    std::size_t RecordOffset;  // where the damaged record starts; the unread part begins here
    std::size_t Offset;        // where the damage was found
    std::string Detail;        // what was wrong, for the user
};

struct PersonalReadResult {
    std::vector<ClipRecord> Records;       // every complete record before any damage
    std::optional<RecordReadError> Error;  // set when reading stopped early
};

// Reads a whole file's bytes. Stops at the first damaged record and keeps the
// records before it. Never reads outside `data` and never allocates more than
// the data still unread for a declared length.
//
// Beyond the clip's own properties it accepts, and ignores, the menu-item
// properties a clip never writes but that are harmless to skip when their
// values are well formed: Checked, Enabled, Visible, RadioItem, AutoCheck
// (true or false), GroupIndex, HelpContext, ShortCut (integers), Hint (a
// string) and Break (mbNone, mbBreak or mbBarBreak). A non-empty object name is
// skipped too. A property seen twice keeps its last value. A record's picture
// stays within `data` (BitmapView) until KeepBitmapBytes copies it.
PersonalReadResult ReadPersonalRecords(std::span<const uint8_t> data);

// One line for the user: which record, at which byte, and what was wrong.
std::string DescribeReadError(const RecordReadError& error);

}  // namespace personal
