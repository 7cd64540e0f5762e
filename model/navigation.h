// NavigationController turns each handled click into the next view state.
//
// It owns the program's one ViewState and knows the fifteen click operations,
// one per clickable control. It draws nothing and does not check whether an
// arrow is visible: the window only calls an arrow's operation while that
// arrow is shown. Every operation assigns the whole state it governs from the
// constant tables, so nothing depends on the previous state.
#pragma once

#include "arrowset.h"
#include "entrystyle.h"
#include "identifiers.h"
#include "menutable.h"

#include <array>
#include <optional>
#include <string_view>

namespace quelvara {

struct ViewState {
    std::optional<PageId> page;
    std::array<bool, ArrowCount> arrows {};
    std::optional<EntryId> selectedEntry;

    bool isVisible(ArrowId arrow) const { return arrows[indexOf(arrow)]; }
    ArrowSet visibleArrows() const;
    EntryStyle styleOf(EntryId entry) const { return selectedEntry == entry ? SelectedStyle : NormalStyle; }
    bool operator==(const ViewState&) const = default;
};

// What a click asks of the window after the controller has handled it.
enum class ClickOutcome {
    NothingHandled, // the name named no control, or the control does nothing
    ArrowFollowed, // page and arrows changed; entry styles untouched
    EntryChosen, // page, arrows and all seven entry styles changed
    EndRequested, // Exit: close the window and end the program
};

class NavigationController final {
public:
    const ViewState& state() const { return m_state; }

    void Label1_Click();
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Label5_Click();
    [[nodiscard]] EndRequest Label6_Click();
    void Label7_Click();

    void I1_Click();
    void I2_Click();
    void I3_Click();
    void I4_Click();
    void I5_Click();
    void I6_Click();
    void I7_Click();
    void I8_Click();

    // Typed forms of the operations above.
    [[nodiscard]] ClickOutcome chooseEntry(EntryId entry);
    void followArrow(ArrowId arrow);

    // Calls the operation of the control with this name ("Label3", "I5", ...).
    // Any other name does nothing.
    [[nodiscard]] ClickOutcome click(std::string_view controlName);

private:
    void showPage(PageId page);

    ViewState m_state;
};

} // namespace quelvara
