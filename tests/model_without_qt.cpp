// Walks one chapter with the controller alone. It exists to prove that the
// presentation logic builds and links without any Qt library.
#include "navigation.h"

#include <cstdio>

int main()
{
    using namespace quelvara;
    NavigationController controller;
    controller.Label3_Click();
    controller.I1_Click();
    controller.I2_Click();
    const ViewState& state = controller.state();
    const bool ok = state.page == PageId::Tk3 && state.visibleArrows() == ArrowSet { ArrowId::I4 }
        && state.selectedEntry == EntryId::Label3;
    std::puts(ok ? "the chapter walk ends on Tk3 with I4" : "unexpected state after Label3 I1 I2");
    return ok ? 0 : 1;
}
