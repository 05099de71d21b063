#include "app_state.h"
#include "commands.h"
#include "convert_current_design.h"
#include "edited_designs.h"
#include "reduction_menu.h"
#include "resource_ids.h"

void pick_reduction(HWND main_window, ReductionKind reduction) {
    if (!may_drop_edits(main_window, menu_item_of_reduction(reduction))) {
        return;
    }
    if (choose_reduction(app.shell, reduction)) {
        convert_current_design(main_window);
    }
}

void pick_across_designs(HWND main_window) {
    if (!may_drop_edits(main_window, IDM_REDUCE_DITHER_ACROSS_DESIGNS)) {
        return;
    }
    if (choose_across_designs(app.shell)) {
        convert_current_design(main_window);
    }
}

void check_reduction_item(HMENU menu) {
    // Only the drop-down that holds the reduction items has them to check.
    if (GetMenuState(menu, IDM_REDUCE_MERGE, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
        return;
    }
    CheckMenuRadioItem(menu, IDM_REDUCE_MERGE, IDM_REDUCE_DITHER_ACROSS_DESIGNS,
                       checked_reduction_item(app.shell), MF_BYCOMMAND);
}
