#include "core/DialogLayout.h"

#include <algorithm>
#include <numeric>

namespace zv {
namespace {

constexpr int kDialog = -1;  // the container that is the dialog itself
// The least room kept between a control that grew and what it reaches.
constexpr int kMargin = 8;
// A row that ends this close to its container's right edge in the design
// spans it, and keeps spanning it when it widens.
constexpr int kSpanGap = 12;

bool IsFrame(TControlKind kind) {
    return kind == TControlKind::GroupBox || kind == TControlKind::Bevel;
}

class TFitter {
  public:
    TFitter(const DialogDesign& design, int dpi, std::span<const TextSize> needed)
        : rows_(design.controls),
          margin_(ScaledHalfAway(kMargin, dpi)),
          spanGap_(ScaledHalfAway(kSpanGap, dpi)) {
        const auto at = [dpi](int v) { return ScaledHalfAway(v, dpi); };
        width_ = baseWidth_ = at(design.clientWidth);
        height_ = at(design.clientHeight);
        for (size_t i = 0; i < rows_.size(); ++i) {
            const ControlDesign& d = rows_[i];
            const TextSize n = i < needed.size() ? needed[i] : TextSize{};
            const bool fitted = d.width == 0 && d.height == 0;
            const int w = fitted ? n.width : at(d.width), h = fitted ? n.height : at(d.height);
            base_.push_back({at(d.left), at(d.top), at(d.left) + w, at(d.top) + h});
            cur_.push_back(base_.back());
            if (n.width > w) cur_.back().right = cur_.back().left + n.width;
        }
        for (size_t i = 0; i < rows_.size(); ++i) container_.push_back(ContainerOf(i));
    }

    FittedDialog Fit() {
        PushAlongRows();
        // Innermost first: a frame grows before what holds it.
        std::vector<int> order = Containers();
        for (int c : order) Enclose(c);
        // Outermost first: a frame stretched before what it holds.
        for (auto c = order.rbegin(); c != order.rend(); ++c) Stretch(*c);
        return {width_, height_, cur_};
    }

  private:
    // The frame nearest round a row with the same parent, else its parent.
    int ContainerOf(size_t i) const {
        int best = kDialog;
        for (size_t j = 0; j < rows_.size(); ++j) {
            if (j == i || !IsFrame(rows_[j].kind) || rows_[j].parent != rows_[i].parent) continue;
            if (base_[j].Area() <= base_[i].Area() || !base_[j].Contains(base_[i])) continue;
            if (best == kDialog || base_[j].Area() < base_[best].Area()) best = static_cast<int>(j);
        }
        // Not RowOf: its exception would bring the library's string
        // exceptions into the exe, for a parent the table always has.
        for (size_t j = 0; best == kDialog && j < rows_.size(); ++j) {
            if (!rows_[i].parent.empty() && rows_[j].name == rows_[i].parent)
                best = static_cast<int>(j);
        }
        return best;
    }

    bool IsParent(int c, size_t i) const {
        return c != kDialog && rows_[i].parent == rows_[c].name;
    }

    // Edges in the container's own coordinates.
    int Width(int c, bool base) const {
        if (c == kDialog) return base ? baseWidth_ : width_;
        return (base ? base_ : cur_)[c].Width();
    }
    int RightIn(int c, size_t i, bool base) const {
        const Rect& r = (base ? base_ : cur_)[i];
        if (c == kDialog || IsParent(c, i)) return r.right;
        return r.right - (base ? base_ : cur_)[c].left;
    }
    int DesignGap(int c, size_t i) const { return Width(c, true) - RightIn(c, i, true); }

    // A row that grew into the next control on its row moves that one right.
    void PushAlongRows() {
        std::vector<size_t> byLeft(rows_.size());
        std::iota(byLeft.begin(), byLeft.end(), size_t{0});
        std::sort(byLeft.begin(), byLeft.end(), [&](size_t a, size_t b) {
            return base_[a].left != base_[b].left ? base_[a].left < base_[b].left : a < b;
        });
        for (size_t b : byLeft) {
            for (size_t a : byLeft) {
                if (a == b || rows_[a].parent != rows_[b].parent || IsFrame(rows_[a].kind))
                    continue;
                const Rect &da = base_[a], &db = base_[b];
                if (da.right > db.left || da.bottom <= db.top || db.bottom <= da.top) continue;
                const int wanted = cur_[a].right + std::min(db.left - da.right, margin_);
                if (wanted > cur_[b].left) {
                    const int shift = wanted - cur_[b].left;
                    cur_[b].left += shift;
                    cur_[b].right += shift;
                }
            }
        }
    }

    // Every frame that holds another row, smallest first, then the dialog.
    std::vector<int> Containers() const {
        std::vector<int> frames;
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (container_[i] != kDialog &&
                std::find(frames.begin(), frames.end(), container_[i]) == frames.end())
                frames.push_back(container_[i]);
        }
        std::sort(frames.begin(), frames.end(), [&](int a, int b) {
            return base_[a].Area() != base_[b].Area() ? base_[a].Area() < base_[b].Area() : a < b;
        });
        frames.push_back(kDialog);
        return frames;
    }

    void Widen(int c, int width) {
        if (c == kDialog) {
            width_ = std::max(width_, width);
        } else if (width > cur_[c].Width()) {
            cur_[c].right = cur_[c].left + width;
        }
    }

    void Enclose(int c) {
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (container_[i] != c) continue;
            const int gap = DesignGap(c, i);
            Widen(c, RightIn(c, i, false) + (gap >= 0 ? std::min(gap, margin_) : margin_));
        }
    }

    // What spanned the container in the design spans it again, to the
    // narrowest gap now among those rows.
    void Stretch(int c) {
        if (Width(c, false) == Width(c, true)) return;
        int least = -1;
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (container_[i] == c && (least < 0 || DesignGap(c, i) < least))
                least = std::max(DesignGap(c, i), 0);
        }
        const auto atMargin = [&](size_t i) {
            return container_[i] == c && DesignGap(c, i) <= std::min(least + 1, spanGap_);
        };
        int gap = least;
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (atMargin(i)) gap = std::min(gap, Width(c, false) - RightIn(c, i, false));
        }
        for (size_t i = 0; i < rows_.size(); ++i) {
            const int grow = Width(c, false) - gap - RightIn(c, i, false);
            if (atMargin(i) && grow > 0) cur_[i].right += grow;
        }
    }

    std::span<const ControlDesign> rows_;
    int margin_;
    int spanGap_;
    int width_ = 0, baseWidth_ = 0, height_ = 0;
    std::vector<Rect> base_;  // the design scaled; fitted labels at their size
    std::vector<Rect> cur_;
    std::vector<int> container_;
};

}  // namespace

FittedDialog FitDialog(const DialogDesign& design, int dpi, std::span<const TextSize> needed) {
    return TFitter(design, dpi, needed).Fit();
}

}  // namespace zv
