#include "schedule/hold_back.h"

namespace uplift {

DueOutcome OnDue(WhenToDisplay mode, const Holds& holds) {
    if (holds.Paused && mode != WhenToDisplay::Date) return DueOutcome::Skip;
    return holds.Any() ? DueOutcome::Pending : DueOutcome::Show;
}

} // namespace uplift
