#include "reduction_menu.h"

#include "resource_ids.h"

namespace {

struct ReductionItem {
    int item;
    ReductionKind reduction;
};

constexpr ReductionItem kReductionItems[] = {
    {IDM_REDUCE_MERGE, ReductionKind::merge},
    {IDM_REDUCE_MEDIAN_CUT, ReductionKind::median_cut},
    {IDM_REDUCE_QUALITY, ReductionKind::quality},
    {IDM_REDUCE_DITHER, ReductionKind::dither},
};

}  // namespace

bool reduction_of_menu_item(int item, ReductionKind* reduction) {
    for (const ReductionItem& entry : kReductionItems) {
        if (entry.item == item) {
            *reduction = entry.reduction;
            return true;
        }
    }
    return false;
}

int menu_item_of_reduction(ReductionKind reduction) {
    for (const ReductionItem& entry : kReductionItems) {
        if (entry.reduction == reduction) {
            return entry.item;
        }
    }
    return IDM_REDUCE_MERGE;
}

bool choose_reduction(ShellState& state, ReductionKind reduction) {
    state.median_cut = false;
    state.chosen_reduction = reduction;
    return state.display_mode == DisplayMode::current_design;
}

int checked_reduction_item(const ShellState& state) {
    return menu_item_of_reduction(state.median_cut ? ReductionKind::median_cut
                                                   : state.chosen_reduction);
}
