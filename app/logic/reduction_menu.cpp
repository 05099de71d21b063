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
    state.across_designs = false;
    const bool convert = state.display_mode == DisplayMode::current_design;
    if (convert) {
        state.edits_held = false;  // the grid's designs are made afresh
    }
    return convert;
}

int checked_reduction_item(const ShellState& state) {
    if (across_designs_in_force(state)) {
        return IDM_REDUCE_DITHER_ACROSS_DESIGNS;
    }
    return menu_item_of_reduction(state.median_cut ? ReductionKind::median_cut
                                                   : state.chosen_reduction);
}

bool choose_across_designs(ShellState& state) {
    if (!across_designs_in_force(state)) {
        state.median_cut_before_across = state.median_cut;
        state.reduction_before_across = state.chosen_reduction;
    }
    const bool convert = choose_reduction(state, ReductionKind::dither);
    state.across_designs = true;
    return convert;
}

bool across_designs_in_force(const ShellState& state) {
    // Opening a picture goes back to merge, which ends it too.
    return state.across_designs && !state.median_cut &&
           state.chosen_reduction == ReductionKind::dither;
}

void cancel_across_designs(ShellState& state) {
    state.across_designs = false;
    state.median_cut = state.median_cut_before_across;
    state.chosen_reduction = state.reduction_before_across;
}
