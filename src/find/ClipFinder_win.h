#pragma once
// The clips the find window lists: both histories in its order (the personal
// clips first, then the clipboard history newest first) and those of them
// that match the typed text. Each clip's folded text is made the first time
// a query needs it and kept while the finder lives (across openings of the
// window), so a keystroke searches and never converts or folds again; a clip
// renamed or transformed since is told by the fingerprint of its texts.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "clips/Clip.h"

namespace history {
class History;
}

namespace find {

class ClipFinder {
public:
    explicit ClipFinder(const history::History& history) : history_(history) { Reload(); }

    // Takes the clips anew after the lists changed; the folded texts of the
    // clips still there are kept.
    void Reload();
    // Lists the clips every word of `typedUtf8` occurs in.
    void Filter(std::string_view typedUtf8);
    // Makes the folded text of every clip that has none yet, ahead of the typing.
    void FoldAll();

    size_t Total() const noexcept { return entries_.size(); }
    size_t FoundCount() const noexcept { return found_.size(); }
    // The clip listed at `index`; null when it is gone meanwhile or out of range.
    clips::TClip* FoundAt(size_t index) const;

private:
    struct Entry {
        clips::TClip* clip;
        clips::ClipRef alive;
        uint64_t fingerprint;  // of the texts it is found by: a clip changed since is folded again
        std::string folded;
        bool ready = false;
    };
    const std::string& Folded(Entry& entry);

    const history::History& history_;
    std::vector<Entry> entries_;
    std::vector<size_t> found_;  // indexes into entries_
};

}  // namespace find
