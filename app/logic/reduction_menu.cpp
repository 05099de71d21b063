#include "reduction_menu.h"

#include "resource_ids.h"

namespace {

struct ReductionItem {
    int item;
    Quantizer reduction;
};

constexpr ReductionItem kReductionItems[] = {
    {IDM_REDUCE_MERGE, Quantizer::merge},
    {IDM_REDUCE_MEDIAN_CUT, Quantizer::median_cut},
    {IDM_REDUCE_QUALITY, Quantizer::quality},
    {IDM_REDUCE_DITHER, Quantizer::dither},
};

}  // namespace

bool reduction_of_menu_item(int item, Quantizer* reduction) {
    for (const ReductionItem& entry : kReductionItems) {
        if (entry.item == item) {
            *reduction = entry.reduction;
            return true;
        }
    }
    return false;
}

int menu_item_of_reduction(Quantizer reduction) {
    for (const ReductionItem& entry : kReductionItems) {
        if (entry.reduction == reduction) {
            return entry.item;
        }
    }
    return IDM_REDUCE_MERGE;
}

bool choose_reduction(ShellState& state, Quantizer reduction) {
    state.median_cut = false;
    state.chosen_reduction = reduction;
    return state.display_mode == DisplayMode::current_design;
}

int checked_reduction_item(const ShellState& state) {
    return menu_item_of_reduction(state.median_cut ? Quantizer::median_cut
                                                   : state.chosen_reduction);
}
