#include "setup/form_layout.h"

#include <algorithm>

#include "common/rounding.h"

namespace almanix {

const ControlLayout* WindowLayout::control(std::string_view controlName) const {
    for (const ControlLayout& table : controls)
        if (table.name == controlName) return &table;
    return nullptr;
}

const ControlLayout* WindowLayout::defaultButton() const {
    for (const ControlLayout& table : controls)
        if (table.kind == ControlKind::button && table.style.defaultButton) return &table;
    return nullptr;
}

bool takesFocus(ControlKind kind) { return kind != ControlKind::label && kind != ControlKind::frame; }

std::vector<const ControlLayout*> tabOrderOf(const WindowLayout& window) {
    std::vector<const ControlLayout*> order;
    for (const ControlLayout& table : window.controls)
        if (takesFocus(table.kind) && table.tabIndex != kNoTabStop) order.push_back(&table);
    std::stable_sort(order.begin(), order.end(),
                     [](const ControlLayout* a, const ControlLayout* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

int pixelsOfTwips(double twips, double dotsPerInch) {
    return static_cast<int>(roundHalfToEven(twips * dotsPerInch / kTwipsPerInch));
}

double twipsOfPixels(double pixels, double dotsPerInch) { return pixels * kTwipsPerInch / dotsPerInch; }

TwipPoint centredPosition(TwipSize screen, TwipSize window) {
    return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

} // namespace almanix
