#include "launcher/model/text_fit.h"

namespace tessaly {

FitResult FitText(FontSize start, SIZE box, const FitRule& rule, const MeasureText& measure) {
    const int maxWidth = box.cx - rule.widthSpare;
    const int maxHeight = box.cy - rule.heightSpare;
    FitResult r{start, measure(start)};
    if (rule.together) {
        for (;;) {
            const bool tooWide = r.text.cx > maxWidth;
            const bool tooTall = r.text.cy > maxHeight;
            if (!tooWide && !tooTall) break;
            FontSize next = r.font;
            if (tooWide && next.width > rule.smallest.width) --next.width;
            if (tooTall && next.height > rule.smallest.height) --next.height;
            if (next == r.font) break;  // at the floor: nothing smaller to try
            r.font = next;
            r.text = measure(next);
        }
        return r;
    }
    while (r.text.cx > maxWidth && r.font.width > rule.smallest.width) {
        --r.font.width;
        r.text = measure(r.font);
    }
    while (r.text.cy > maxHeight && r.font.height > rule.smallest.height) {
        --r.font.height;
        r.text = measure(r.font);
    }
    return r;
}

}  // namespace tessaly
