// The clipboard archive in the program: the key under DPAPI, pictures through
// PNG, and clips that outlive the program and the menu's limit.
#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <thread>
#include <string>
#include <vector>

#include "TestSupport_win.h"
#include "app/MainForm_win.h"
#include "archive/ArchiveKey_win.h"
#include "archive/ArchiveSession_win.h"
#include "archive/ArchiveWorker_win.h"
#include "archive/ClipArchive.h"
#include "clips/ClipText_win.h"
#include "common/Wide_win.h"
#include "toolkit/BmpFile.h"
#include "toolkit/Handles_win.h"
#include "toolkit/Png_win.h"

using namespace testing_support;

namespace {

std::vector<std::string> Captions(app::TfrmMain& form) {
    std::vector<std::string> captions;
    for (const clips::TClip* clip : form.History().Clips(history::Section::Clipboard)) captions.push_back(clip->Caption());
    return captions;
}

void ShiftKey(HWND edit, UINT key) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(edit, WM_KEYDOWN, key, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    PumpPending();
}

}  // namespace

TEST(ArchiveKey, IsMadeOnceKeptUnreadableAndRefusedWhenItIsNotThisUsers) {
    TempFolder folder;
    std::wstring file = common::Wide(folder.File("History.key"));
    std::vector<uint8_t> key = archive::LoadOrCreateArchiveKey(file);
    ASSERT_EQ(key.size(), 32u);
    EXPECT_EQ(archive::LoadOrCreateArchiveKey(file), key);
    std::string stored = ReadWholeFile(folder.File("History.key"));
    EXPECT_EQ(stored.find(std::string(key.begin(), key.end())), std::string::npos);
    WriteWholeFile(folder.File("History.key"), std::string(stored.size(), 'x'));  // another user's blob reads so
    try {
        archive::LoadOrCreateArchiveKey(file);
        ADD_FAILURE() << "a foreign key was taken";
    } catch (const archive::ArchiveError& e) {
        EXPECT_EQ(e.Fault(), archive::ArchiveFault::WrongKey);
    }
}

TEST(Png, PicturesComeBackWithTheSamePixelsAndAForeignBlobIsRefused) {
    toolkit::ComApartment com;
    for (uint16_t depth : {uint16_t{24}, uint16_t{32}}) {
        toolkit::BmpFormat format;
        format.width = 37;  // rows padded in 24 bits
        format.height = 11;
        format.bitsPerPixel = depth;
        std::vector<uint8_t> pixels(toolkit::BmpRowStride(37, depth) * 11);
        const size_t stride = toolkit::BmpRowStride(37, depth), used = 37u * depth / 8;
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = i % stride < used ? static_cast<uint8_t>(i * 7 + i / 13) : 0;  // rows padded with zeros
        std::vector<uint8_t> bmp = toolkit::WriteBmp(format, pixels);
        ASSERT_TRUE(toolkit::CanBePng(bmp));
        std::vector<uint8_t> png = toolkit::PngOfBmp(bmp);
        EXPECT_TRUE(toolkit::IsPng(png));
        toolkit::BmpImage back = toolkit::ReadBmp(toolkit::BmpOfPng(png));
        EXPECT_EQ(back.format.bitsPerPixel, depth);
        EXPECT_EQ(back.pixels, pixels);  // the fourth byte of 32 bits too
    }
    std::vector<uint8_t> garbage(100, 0x89);
    EXPECT_THROW(toolkit::BmpOfPng(garbage), common::Failure);
}

TEST(Archive, ADamagedFileIsMovedAsideOnceAndANewArchiveBegins) {
    QuietFolder folder("MonitorClipboard=0\r\nKeepClipboardHistory=-1\r\n");
    MessageBoxRecorder boxes;
    HiddenWindow other{"AnotherProgram"};
    {
        app::TfrmMain form(folder.Path());
        for (int i = 0; i < 40; ++i) {
            ASSERT_TRUE(PutOnClipboard(other.Handle(), {UnicodeText("filler " + std::to_string(i) + std::string(4000, 'f'))}));
            form.ClipboardChanged();
        }
        form.Archive()->Worker().Flush();
    }
    std::string bytes = ReadWholeFile(folder.File("History.db"));
    ASSERT_GT(bytes.size(), 64u * 1024);
    WriteWholeFile(folder.File("History.db"), bytes.substr(0, 8 * 4096) + std::string(8 * 4096, '\x5A') + bytes.substr(16 * 4096));
    app::TfrmMain form(folder.Path());
    auto movedAside = [&] {
        WIN32_FIND_DATAW found{};
        return bool(toolkit::UniqueFindHandle(FindFirstFileW(common::Wide(folder.File("History-*.db")).c_str(), &found)));
    };
    ASSERT_TRUE(WaitedFor("the damaged file kept aside", movedAside));
    PumpPending();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_NE(boxes.boxes[0].text.find("剪贴板存档已损坏. 原来的存档已改名为"), std::string::npos) << boxes.boxes[0].text;
    ASSERT_TRUE(form.Archive());
    form.Archive()->Worker().Flush();
    EXPECT_EQ(form.Archive()->Reader().Summary().Clips, 0);
}

TEST(Archive, ClipsOutliveTheProgramAndTheMenuAndAreFoundAndDeletedInTheFindWindow) {
    QuietFolder folder("MonitorClipboard=0\r\nKeepClipboardHistory=-1\r\nMaxHistorySize=2\r\nPreviewMode=0\r\n");
    MessageBoxRecorder boxes(IDYES);
    HiddenWindow other{"AnotherProgram"};
    {
        app::TfrmMain form(folder.Path());
        ASSERT_TRUE(form.Archive());
        for (const char* text : {"海象 walrus one", "second clip", "third clip"}) {
            ASSERT_TRUE(PutOnClipboard(other.Handle(), {UnicodeText(text)}));
            form.ClipboardChanged();
        }
        EXPECT_EQ(Captions(form), (std::vector<std::string>{"second clip", "third clip"}));
        form.Archive()->Worker().Flush();
        EXPECT_EQ(form.Archive()->Reader().Summary().Clips, 3);  // trimming leaves the archive alone
    }
    ASSERT_TRUE(FileExists(folder.File("History.key")));
    EXPECT_EQ(ReadWholeFile(folder.File("History.db")).find("walrus"), std::string::npos);

    app::TfrmMain form(folder.Path());
    EXPECT_EQ(Captions(form), (std::vector<std::string>{"second clip", "third clip"}));  // the newest, as before
    form.OpenFind(L"海", nullptr);
    find::FindWindow& find = *form.Find();
    ASSERT_TRUE(WaitedFor("the archived clip listed", [&] { return find.ArchivedCount() == 1; }));
    wchar_t status[64] = L"";
    GetWindowTextW(find.Status(), status, 64);
    EXPECT_STREQ(status, L"1 / 3 个剪辑");

    ShiftKey(find.Edit(), VK_DELETE);  // asked as "删除" asks, and answered yes
    EXPECT_EQ(find.ArchivedCount(), 0u);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "你确实要删除这个剪辑吗 ?");
    form.Archive()->Worker().Flush();
    EXPECT_EQ(form.Archive()->Reader().Summary().Clips, 2);

    // A picked archived clip is back on the clipboard as the newest clip.
    form.Find()->Close();
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {UnicodeText("fourth clip")}));
    form.ClipboardChanged();
    form.OpenFind(L"second", nullptr);
    ASSERT_TRUE(WaitedFor("the trimmed clip listed", [&] { return form.Find()->ArchivedCount() == 1; }));
    SendMessageW(form.Find()->Edit(), WM_KEYDOWN, VK_RETURN, 0);
    PumpPending();
    EXPECT_EQ(Captions(form), (std::vector<std::string>{"fourth clip", "second clip"}));
    EXPECT_TRUE(form.History().IsOnClipboard(*form.History().Clips(history::Section::Clipboard).back()));
}

namespace testing_support {

int FillArchive(const char* folderPath) {
    // Months of everyday copies: notes, mail, links, code, numbers, in Chinese and English.
    static const char* const texts[] = {
        "会议纪要: 周三下午三点与设计组讨论新版首页", "明天的会议改到 10:30, 地点 3 号会议室",
        "https://example.com/docs/quarterly-report-2026.pdf", "Meeting notes: budget review moved to Friday",
        "订单号 2026120845 已发货, 预计周五送达", "SELECT name, total FROM orders WHERE total > 100;",
        "季度报告初稿请在周五前发给我", "客户会议的材料放在共享文件夹里了",
        "git commit -m \"Fix the menu's position on a second monitor\"", "地址: 上海市浦东新区世纪大道 100 号",
        "Thanks for the meeting today, I'll send the slides tonight.", "电话 010-8888 1234 (王经理)",
        "年会节目单 v3: 开场舞, 抽奖, 合唱", "회의 자료를 공유 폴더에 올렸습니다", "产品会议 🎉 新功能上线",
        "const total = items.reduce((sum, item) => sum + item.price, 0);", "周报: 本周完成会员系统的接口联调",
    };
    std::string folder(folderPath);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    std::vector<common::Problem> problems;
    archive::ArchiveSession session(folder, 64 << 20, [](const common::Problem&) {}, problems);
    int64_t id = session.Reader().NextId();
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    const int count = 3000;
    for (int i = 0; i < count; ++i) {
        clips::TClipText clip;
        clip.Text = std::string(texts[i % std::size(texts)]) + (i >= static_cast<int>(std::size(texts)) ? " #" + std::to_string(i) : "");
        clip.Source = i % 3 ? "WINWORD.EXE" : "chrome.exe";
        clip.NameForHistory(40);
        archive::ArchivedClip archived;
        clip.WriteArchive(archived);
        archived.Id = id++;
        archived.CopiedAt = now - (count - i) * 1700;  // about two months
        session.Reader().Store(archived);
    }
    return 0;
}

}  // namespace testing_support

TEST(Archive, CopyingAgainWhatOnlyTheArchiveHoldsStoresItOnceAsTheNewest) {
    QuietFolder folder("MonitorClipboard=0\r\nKeepClipboardHistory=-1\r\nMaxHistorySize=1\r\n");
    HiddenWindow other{"AnotherProgram"};
    app::TfrmMain form(folder.Path());
    for (const char* text : {"copied twice", "in between", "copied twice"}) {
        ASSERT_TRUE(PutOnClipboard(other.Handle(), {UnicodeText(text)}));
        form.ClipboardChanged();
    }
    form.Archive()->Worker().Flush();
    EXPECT_EQ(form.Archive()->Reader().Summary().Clips, 2);
    EXPECT_EQ(form.Archive()->Reader().Newest(1).front().Caption, "copied twice");
}

TEST(Archive, SwitchedOffItWritesNothingMoreAndDeletesItsFilesWhenAsked) {
    QuietFolder folder("MonitorClipboard=0\r\nKeepClipboardHistory=-1\r\n");
    HiddenWindow other{"AnotherProgram"};
    app::TfrmMain form(folder.Path());
    ASSERT_TRUE(form.Archive());
    common::Settings before = form.Settings();
    form.Settings().KeepClipboardHistory = false;
    form.ArchiveSettingsChanged(before, true);
    EXPECT_FALSE(form.Archive());
    EXPECT_FALSE(FileExists(folder.File("History.db")));
    EXPECT_FALSE(FileExists(folder.File("History.key")));
    ASSERT_TRUE(PutOnClipboard(other.Handle(), {UnicodeText("kept in memory only")}));
    form.ClipboardChanged();
    EXPECT_EQ(Captions(form).back(), "kept in memory only");
    EXPECT_FALSE(FileExists(folder.File("History.db")));
}

TEST(ArchiveWorker, AFullDiskIsToldOnceAndItsJobsWaitForSpace) {
    TempFolder folder;
    const std::string path = folder.File("History.db");
    { archive::ClipArchive created(path, {}); }
    std::vector<common::Problem> told;
    std::atomic<int> tries{0};
    std::atomic<bool> space{false};
    {
        archive::ArchiveWorker worker(path, {}, 1 << 20, [&](const common::Problem& problem) { told.push_back(problem); });
        worker.Run([&](archive::ClipArchive&) {
            ++tries;
            if (!space) throw archive::ArchiveError(archive::ArchiveFault::Full, "磁盘已满, 剪贴板存档无法写入.");
        });
        archive::ArchivedClip clip;
        clip.Id = 7;
        clip.ClassName = "TClipText";
        clip.Caption = clip.FoundBy = "written once there is space";
        clip.Data = {1, 2, 3};
        worker.Store(clip);  // queued behind the job that found the disk full
        ASSERT_TRUE(WaitedFor("the full disk told", [&] { return told.size() == 1; }));
        worker.Run([](archive::ClipArchive&) {});  // a new job tries again at once
        ASSERT_TRUE(WaitedFor("another try", [&] { return tries >= 2; }));
        space = true;
        worker.Run([](archive::ClipArchive&) {});
        worker.Flush();
        PumpPending();
    }
    EXPECT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].Text, "磁盘已满, 剪贴板存档无法写入.");
    archive::ClipArchive archive(path, {});
    EXPECT_TRUE(archive.Load(7));
}

TEST(Archive, ShiftDelAsksInABoxOfTheFindWindowWhichKeepsTheKeysAfterIt) {
    QuietFolder folder("MonitorClipboard=0\r\nKeepClipboardHistory=-1\r\nMaxHistorySize=1\r\nPreviewMode=0\r\n");
    HiddenWindow other{"AnotherProgram"};
    app::TfrmMain form(folder.Path());
    for (const char* text : {"yak wool", "zebra"}) {
        ASSERT_TRUE(PutOnClipboard(other.Handle(), {UnicodeText(text)}));
        form.ClipboardChanged();
    }
    form.Archive()->Worker().Flush();
    form.OpenFind(L"yak", nullptr);
    find::FindWindow& find = *form.Find();
    ASSERT_TRUE(WaitedFor("the archived clip listed", [&] { return find.ArchivedCount() == 1; }));
    // The real question, answered yes by "the user" as soon as it shows.
    HWND owner = nullptr;
    std::thread user([&] {
        for (int i = 0; i < 500 && !owner; ++i) {
            if (HWND box = FindWindowW(L"#32770", nullptr)) {
                owner = GetWindow(box, GW_OWNER);
                PostMessageW(box, WM_COMMAND, IDYES, 0);
            }
            Sleep(10);
        }
    });
    ShiftKey(find.Edit(), VK_DELETE);
    user.join();
    EXPECT_EQ(owner, find.Handle());
    EXPECT_EQ(find.ArchivedCount(), 0u);
    ASSERT_TRUE(find.IsOpen());
    EXPECT_EQ(GetFocus(), find.Edit());
    SendMessageW(find.Edit(), WM_KEYDOWN, VK_ESCAPE, 0);
    PumpPending();
    EXPECT_FALSE(find.IsOpen());
}
