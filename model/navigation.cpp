#include "navigation.h"

#include "tables.h"

namespace quelvara {

ArrowSet ViewState::visibleArrows() const
{
    ArrowSet visible;
    for (ArrowId arrow : AllArrows) {
        if (isVisible(arrow))
            visible = visible.with(arrow);
    }
    return visible;
}

void NavigationController::showPage(PageId page)
{
    m_state.page = page;
    const ArrowSet arrows = arrowSetOf(page);
    for (ArrowId arrow : AllArrows)
        m_state.arrows[indexOf(arrow)] = arrows.contains(arrow);
}

ClickOutcome NavigationController::chooseEntry(EntryId entry)
{
    const EntryAction action = actionOf(entry);
    if (std::holds_alternative<EndRequest>(action))
        return ClickOutcome::EndRequested;
    showPage(std::get<PageId>(action));
    m_state.selectedEntry = entry;
    return ClickOutcome::EntryChosen;
}

void NavigationController::followArrow(ArrowId arrow) { showPage(targetOf(arrow)); }

ClickOutcome NavigationController::click(std::string_view controlName)
{
    if (const auto entry = entryNamed(controlName))
        return chooseEntry(*entry);
    if (const auto arrow = arrowNamed(controlName)) {
        followArrow(*arrow);
        return ClickOutcome::ArrowFollowed;
    }
    return ClickOutcome::NothingHandled;
}

void NavigationController::Label1_Click() { (void)chooseEntry(EntryId::Label1); }
void NavigationController::Label2_Click() { (void)chooseEntry(EntryId::Label2); }
void NavigationController::Label3_Click() { (void)chooseEntry(EntryId::Label3); }
void NavigationController::Label4_Click() { (void)chooseEntry(EntryId::Label4); }
void NavigationController::Label5_Click() { (void)chooseEntry(EntryId::Label5); }
EndRequest NavigationController::Label6_Click() { return std::get<EndRequest>(actionOf(EntryId::Label6)); }
void NavigationController::Label7_Click() { (void)chooseEntry(EntryId::Label7); }

void NavigationController::I1_Click() { followArrow(ArrowId::I1); }
void NavigationController::I2_Click() { followArrow(ArrowId::I2); }
void NavigationController::I3_Click() { followArrow(ArrowId::I3); }
void NavigationController::I4_Click() { followArrow(ArrowId::I4); }
void NavigationController::I5_Click() { followArrow(ArrowId::I5); }
void NavigationController::I6_Click() { followArrow(ArrowId::I6); }
void NavigationController::I7_Click() { followArrow(ArrowId::I7); }
void NavigationController::I8_Click() { followArrow(ArrowId::I8); }

} // namespace quelvara
