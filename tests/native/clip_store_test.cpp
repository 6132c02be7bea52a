// The clip store's rules: order, the clip on the clipboard, the limit, the
// duplicate rule and which changes the personal history is told of.
#include <gtest/gtest.h>

#include "history/ClipStore.h"

using history::ClipStore;
using history::Section;

namespace {

// A plain clip comparing its text with clips of its own kind.
struct TestClip : clips::TClip {
    std::string data;
    TestClip(std::string text, int kind) : data(std::move(text)) {
        SetCaption(data);
        SetKind(kind);
    }
    const std::string* DuplicateData() const override { return &data; }
    bool ComparedWith(int kind) const override { return kind == Kind(); }
};

struct Store : ::testing::Test {
    ClipStore store;
    int changes = 0, personalChanges = 0;

    void SetUp() override {
        store.SetLimit(3);
        store.OnChanged = [this] { ++changes; };
        store.OnPersonalChanged = [this] { ++personalChanges; };
    }
    clips::TClip& Copy(const std::string& text, int kind = clips::kPlainText) {
        return store.Append(std::make_unique<TestClip>(text, kind));
    }
    clips::TClip& Load(const std::string& text) { return store.AppendLoaded(std::make_unique<TestClip>(text, 0)); }
    std::vector<std::string> Captions(Section section) const {
        std::vector<std::string> captions;
        for (clips::TClip* clip : store.Clips(section)) captions.push_back(clip->Caption());
        return captions;
    }
};

TEST_F(Store, AppendsNewestLastOnTheClipboardAndTrimsTheOldest) {
    Load("p");
    clips::ClipRef first(&Copy("a"));
    Copy("b");
    Copy("c");
    clips::TClip& d = Copy("d");
    EXPECT_EQ(Captions(Section::Clipboard), (std::vector<std::string>{"b", "c", "d"}));
    EXPECT_EQ(Captions(Section::Personal), (std::vector<std::string>{"p"}));  // never trimmed
    EXPECT_TRUE(store.IsOnClipboard(d));
    EXPECT_EQ(first.Get(), nullptr);  // the trimmed clip is destroyed
    EXPECT_EQ(personalChanges, 0);    // neither loading nor capturing is a personal change

    store.SetOnClipboard(store.Clips(Section::Clipboard).front());
    store.SetLimit(1);  // lowered: at once, and the mark goes with its clip
    EXPECT_EQ(Captions(Section::Clipboard), (std::vector<std::string>{"d"}));
    EXPECT_EQ(store.OnClipboard(), nullptr);
    store.SetLimit(0);  // a history that keeps nothing would drop every capture
    EXPECT_EQ(store.Limit(), 1);
}

TEST_F(Store, MovesRemovesAndEmptiesTellThePersonalHistoryAndDropTheMark) {
    clips::TClip& a = Copy("a");
    clips::TClip& b = Copy("b");
    store.MoveTo(a, Section::Personal);
    EXPECT_EQ(store.SectionOf(a), Section::Personal);
    EXPECT_EQ(personalChanges, 1);
    store.MoveTo(a, Section::Clipboard);  // back as the newest clipboard clip
    EXPECT_EQ(Captions(Section::Clipboard), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(personalChanges, 2);

    clips::ClipRef gone(&b);
    store.Remove(b);  // the clip on the clipboard: the clipboard keeps its content, no clip stands for it
    EXPECT_EQ(store.Resolve(gone), nullptr);
    EXPECT_EQ(store.OnClipboard(), nullptr);
    EXPECT_EQ(personalChanges, 2);  // a clipboard clip

    clips::TClip& p = Load("p");
    store.SetOnClipboard(&p);
    store.Rename(p, "named");
    EXPECT_EQ(p.Caption(), "named");
    EXPECT_EQ(personalChanges, 3);
    store.Empty(Section::Personal);
    EXPECT_EQ(store.Count(Section::Personal), 0);
    EXPECT_EQ(store.OnClipboard(), nullptr);
    EXPECT_EQ(personalChanges, 4);
    EXPECT_EQ(Captions(Section::Clipboard), (std::vector<std::string>{"a"}));

    int before = changes;
    store.SetOnClipboard(nullptr);  // already so: nothing to tell
    EXPECT_EQ(changes, before);
}

TEST_F(Store, DuplicatesArePersonalFirstThenOldestOfTheKindsCompared) {
    store.SetLimit(10);
    clips::TClip& older = Copy("x");
    Copy("x");  // refused duplicates are the history's choice: the store holds both
    clips::TClip& personal = Load("x");
    Copy("x", clips::kImage);
    auto same = [](const std::string& older) { return older == "x"; };
    TestClip fresh("x", clips::kPlainText);
    EXPECT_EQ(store.FindDuplicate(fresh, same), &personal);
    store.Remove(personal);
    EXPECT_EQ(store.FindDuplicate(fresh, same), &older);
    TestClip picture("x", clips::kImage);
    EXPECT_EQ(store.FindDuplicate(picture, same)->Kind(), clips::kImage);
    EXPECT_EQ(store.FindDuplicate(fresh, [](const std::string&) { return false; }), nullptr);
    clips::TClip bare;  // a kind never compared
    EXPECT_EQ(store.FindDuplicate(bare, same), nullptr);
}

TEST_F(Store, AFileReadLateGoesBeforeThePersonalClipsAddedMeanwhile) {
    Load("meanwhile");
    std::vector<std::unique_ptr<clips::TClip>> late;
    late.push_back(std::make_unique<TestClip>("first", 0));
    late.push_back(std::make_unique<TestClip>("second", 0));
    store.PrependLoaded(std::move(late));
    EXPECT_EQ(Captions(Section::Personal), (std::vector<std::string>{"first", "second", "meanwhile"}));
    EXPECT_EQ(personalChanges, 1);  // the file lacks the one added meanwhile
}

TEST_F(Store, ReferencesExpireWithTheirClip) {
    clips::TClip& a = Copy("a");
    clips::ClipRef ref(&a);
    EXPECT_EQ(store.Resolve(ref), &a);
    store.Remove(a);
    EXPECT_EQ(ref.Get(), nullptr);
    // Another clip made now, perhaps at the same address, is not the one referred to.
    Copy("new");
    EXPECT_EQ(store.Resolve(ref), nullptr);
}

TEST_F(Store, ClipsOfAnotherStoreOrDestroyedAreLeftAlone) {
    ClipStore other;
    clips::TClip& foreign = other.Append(std::make_unique<TestClip>("f", 0));
    Copy("a");
    int before = changes;
    store.Remove(foreign);
    store.MoveTo(foreign, Section::Personal);
    store.Rename(foreign, "x");
    EXPECT_EQ(changes, before);
    EXPECT_EQ(other.Count(Section::Clipboard), 1);
    EXPECT_EQ(store.Resolve(clips::ClipRef(&foreign)), nullptr);
}

}  // namespace
