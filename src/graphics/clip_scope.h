// Narrows a context's clip rectangle for one stretch of drawing (a window's
// content, a column inside it) and puts the outer clip back afterwards, so
// nested scopes never draw outside any of their enclosing rectangles.
#pragma once

#include <qoros/qor_graphics.h>

#include <algorithm>

namespace qor::gfx {

class clip_scope {
  public:
    clip_scope(qor_context* ctx, const qor_rect& area) : ctx_(ctx) {
        if (!ctx_) return;
        const int64_t left = std::max<int64_t>(area.x, ctx_->clip_left);
        const int64_t top = std::max<int64_t>(area.y, ctx_->clip_top);
        const int64_t right = std::min<int64_t>(int64_t{area.x} + area.w, ctx_->clip_right);
        const int64_t bottom = std::min<int64_t>(int64_t{area.y} + area.h, ctx_->clip_bottom);
        // Inside the current clip, so every value fits 32 bits again.
        const qor_rect inner{static_cast<int32_t>(left), static_cast<int32_t>(top),
                             static_cast<int32_t>(std::max<int64_t>(right - left, 0)),
                             static_cast<int32_t>(std::max<int64_t>(bottom - top, 0))};
        qor_graphics_set_clip(ctx_, &inner, &outer_);
    }
    ~clip_scope() {
        if (ctx_) qor_graphics_set_clip(ctx_, &outer_, nullptr);
    }
    clip_scope(const clip_scope&) = delete;
    clip_scope& operator=(const clip_scope&) = delete;

  private:
    qor_context* ctx_;
    qor_rect outer_{};
};

// Columns left .. right-1 over the rows the current clip lets through: a
// column of a table whose rows are clipped elsewhere.
inline qor_rect column_area(const qor_context* ctx, int left, int right) {
    return {left, ctx->clip_top, right - left, ctx->clip_bottom - ctx->clip_top};
}

} // namespace qor::gfx
