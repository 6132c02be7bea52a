// The fuzzer's seed corpus is made by the writer: each seed must be exactly what
// the writer produces today. PELLACOR_UPDATE_CORPUS=1 rewrites them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "clips/PersonalRecord.h"

using namespace clips;

namespace {

struct Seed {
    const char* name;
    std::vector<ClipRecord> records;
};

std::vector<Seed> Seeds() {
    ClipRecord text;
    text.Class = ClipClass::Text;
    text.Caption = "abc";
    text.ImageIndex = 0;
    text.CapturedAt = "Monday 07 December 2026, 10:20:30";
    text.Source = "notepad.exe";
    text.Text = "abc";

    ClipRecord undo = text;
    undo.Tag = 1;
    undo.Default = true;
    undo.Text = "ABC";
    undo.Backup = "abc";

    ClipRecord rich;
    rich.Class = ClipClass::RichText;
    rich.Caption = "中文";
    rich.ImageIndex = 1;
    rich.Text = "中文";
    rich.RichText = "{\\rtf1\\ansi " + std::string(300, 'r') + "}";

    ClipRecord html;
    html.Class = ClipClass::HTMLText;
    html.Caption = "你好 ab";
    html.ImageIndex = 2;
    html.Text = "你好 ab";
    html.HTMLText = "<b>\xE4\xBD\xA0\xE5\xA5\xBD ab</b>";

    ClipRecord image;
    image.Class = ClipClass::Image;
    image.Caption = "图像  [ 1 x 1 ]";
    image.ImageIndex = 3;
    image.BitmapData = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};

    ClipRecord files;
    files.Class = ClipClass::Files;
    files.Caption = "C:\\a.txt";
    files.ImageIndex = 4;
    files.FileList = "C:\\a.txt\r\nC:\\目录\\b.txt";
    files.Tag = 40000;

    ClipRecord bare;
    bare.ImageIndex = 300;

    return {{"plain_text", {text}},   {"undo_and_default", {undo}}, {"rich_text", {rich}},
            {"html_text", {html}},    {"image", {image}},           {"files", {files}},
            {"bare_clip", {bare}},    {"three_clips", {text, image, files}}};
}

}  // namespace

TEST(PersonalRecordCorpus, SeedsAreWhatTheWriterWrites) {
    const std::string dir = std::string(PELLACOR_SOURCE_DIR) + "/fuzz/corpus/personal_record/";
    const bool update = std::getenv("PELLACOR_UPDATE_CORPUS") != nullptr;
    for (const Seed& seed : Seeds()) {
        std::vector<uint8_t> bytes = WritePersonalRecords(seed.records);
        std::string path = dir + seed.name;
        if (update) {
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            continue;
        }
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path << " is missing; run with PELLACOR_UPDATE_CORPUS=1";
        std::vector<uint8_t> stored{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(stored, bytes) << seed.name;
    }
}
